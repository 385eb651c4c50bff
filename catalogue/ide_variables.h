// The environment variables in which the IDE hands the tool the word at its editor's cursor and
// that editor's window handle (a 32-bit number in signed decimal).
#pragma once

constexpr const char* TOOL_WORD_VARIABLE = "ZQ_TOOL_Word";
constexpr const char* EDITOR_HANDLE_VARIABLE = "ZQ_TOOL_Scintilla";
