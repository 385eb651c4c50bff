#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_text.h"

namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

} // namespace

TEST(AboutText, HasNineCrLfLinesInTheirOrder) {
    const std::string text = AboutText;
    std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 9u);
    for (const std::string& line : lines) {
        // Every line end is a CR LF pair: no lone CR or LF inside a line.
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    }
    EXPECT_NE(lines[0].find("2006"), std::string::npos);
    EXPECT_NE(lines[0].find('\xA9'), std::string::npos); // copyright sign in Windows-1252
    EXPECT_FALSE(lines[1].empty());
    EXPECT_EQ(lines[2], std::string(75, '-'));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Version 1.2.2");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6].rfind("Contact: ", 0), 0u);
    EXPECT_GT(lines[6].size(), std::string("Contact: ").size());
    EXPECT_EQ(lines[7], "");
    EXPECT_FALSE(lines[8].empty());
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");
}

TEST(AboutText, IsSingleByteWindows1252WithoutControlCharacters) {
    const std::string text = AboutText;
    for (unsigned char c : text) {
        if (c == '\r' || c == '\n') continue;
        EXPECT_GE(c, 0x20) << int(c);
        EXPECT_NE(c, 0x7F);
        // A copyright sign saved as UTF-8 (C2 A9) would show as two characters in the text box.
        EXPECT_FALSE(c >= 0xC2 && c <= 0xF4) << "looks like UTF-8: " << int(c);
    }
}
