#include "app/startup.h"

#include "catalogue/catalogue.h"
#include "catalogue/platform.h"
#include "catalogue/text.h"

std::string CommandLineWordFrom(const std::string& commandLine) {
    size_t firstQuote = commandLine.find('"');
    if (firstQuote == std::string::npos) return std::string();
    size_t secondQuote = commandLine.find('"', firstQuote + 1);
    if (secondQuote == std::string::npos) return std::string();
    size_t start = secondQuote + 1;
    size_t thirdQuote = commandLine.find('"', start);
    size_t end = thirdQuote == std::string::npos ? commandLine.size() : thirdQuote;
    return CleanWord(commandLine.substr(start, end - start));
}

int32_t EditorHandleFrom(const std::string& value) {
    return ParseDecimal32(value.c_str(), IsBlank);
}

std::string ReadCommandLineWord() {
    return CommandLineWordFrom(PlatformCommandLine());
}
int32_t ReadEditorHandle() {
    return EditorHandleFrom(PlatformEnvironment(EDITOR_HANDLE_VARIABLE));
}
