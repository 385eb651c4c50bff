#include "app/data_directory.h"

#include "catalogue/platform.h"

const char* const IDE_COMPILER_DIRECTORY = "G:\\zq400\\Compilers\\";
const char* const SETTINGS_FILE_NAME = "Orvane.cfg";
const char* const CATALOGUE_FILE_NAME = "constants.ovc";
const char* const SHIPPED_CATALOGUE_FILE_NAME = "api.ovc";

std::string CataloguePath() {
    return ResolveDataDirectory() + CATALOGUE_FILE_NAME;
}
std::string ShippedCataloguePath() {
    return ResolveDataDirectory() + SHIPPED_CATALOGUE_FILE_NAME;
}

// Everything up to and including the last "\" or "/", after one leading double quote.
static std::string DirectoryPart(const std::string& path) {
    size_t start = (!path.empty() && path[0] == '"') ? 1 : 0;
    size_t last = path.find_last_of("\\/");
    if (last == std::string::npos || last < start) return std::string();
    return path.substr(start, last + 1 - start);
}

std::string ChooseDataDirectory(const std::string& programPath, const std::string& currentDirectory) {
    std::string directory = DirectoryPart(programPath);
    if (directory == IDE_COMPILER_DIRECTORY) directory = currentDirectory;
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

std::string ResolveDataDirectory() {
    return ChooseDataDirectory(PlatformProgramPath(), PlatformCurrentDirectory());
}
