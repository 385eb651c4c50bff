#include "app/startup.h"

#include "catalogue/platform.h"
#include "catalogue/text.h"

const char* const TOOL_WORD_VARIABLE = "ZQ_TOOL_Word";
const char* const EDITOR_HANDLE_VARIABLE = "ZQ_TOOL_Scintilla";

std::string CleanWord(const std::string& text) {
    return LowerAscii(TrimBlanks(text));
}

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

std::string ToolWordFrom(const std::string& value) {
    return CleanWord(value);
}

int32_t EditorHandleFrom(const std::string& value) {
    return ParseDecimal32(value.c_str(), BLANKS_SPACE_TAB);
}

std::string ReadCommandLineWord() {
    return CommandLineWordFrom(PlatformCommandLine());
}
std::string ReadToolWord() {
    return ToolWordFrom(PlatformEnvironment(TOOL_WORD_VARIABLE));
}
int32_t ReadEditorHandle() {
    return EditorHandleFrom(PlatformEnvironment(EDITOR_HANDLE_VARIABLE));
}
