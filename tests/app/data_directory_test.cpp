#include <gtest/gtest.h>

#include <string>

#include "app/data_directory.h"

TEST(DataDirectory, ProgramFolderIsTheDataFolder) {
    EXPECT_EQ(ChooseDataDirectory("D:\\Tools\\tool.exe", "E:\\src"), "D:\\Tools\\");
    EXPECT_EQ(ChooseDataDirectory("\"D:\\Tools\\tool.exe\"", "E:\\src"), "D:\\Tools\\");
    EXPECT_EQ(ChooseDataDirectory("D:/Tools/tool.exe", "E:\\src"), "D:/Tools/\\");
    EXPECT_EQ(ChooseDataDirectory("tool.exe", "E:\\src"), "\\");
}

TEST(DataDirectory, IdeCompilerFolderMeansTheCurrentDirectory) {
    EXPECT_EQ(ChooseDataDirectory("G:\\zq400\\Compilers\\tool.exe", "E:\\src"), "E:\\src\\");
    EXPECT_EQ(ChooseDataDirectory("G:\\zq400\\Compilers\\tool.exe", "E:\\"), "E:\\");
    // The comparison is byte for byte: the same folder spelled in lower case is taken as it is.
    EXPECT_EQ(ChooseDataDirectory("g:\\zq400\\compilers\\tool.exe", "E:\\src"), "g:\\zq400\\compilers\\");
}

TEST(DataDirectory, PathsBeyond260CharactersComeBackWhole) {
    std::string deep = "C:";
    for (int i = 0; i < 40; i++)
        deep += "\\folder" + std::to_string(i);
    ASSERT_GT(deep.size(), 300u);
    EXPECT_EQ(ChooseDataDirectory(deep + "\\tool.exe", "E:\\src"), deep + "\\");
    EXPECT_EQ(ChooseDataDirectory("G:\\zq400\\Compilers\\tool.exe", deep), deep + "\\");
}
