// Where the settings file and the catalogue live.
#pragma once

#include <string>

// The directory of the program's file; for a program that sits in the IDE's own compiler folder,
// the current directory instead. Always ends in a backslash.
std::string ResolveDataDirectory();

// The rule itself, on given paths of any length.
std::string ChooseDataDirectory(const std::string& programPath, const std::string& currentDirectory);

// The IDE's compiler folder, in which the program uses the current directory as its data directory.
extern const char* const IDE_COMPILER_DIRECTORY;

// File names inside the data directory.
extern const char* const SETTINGS_FILE_NAME;          // "Orvane.cfg"
extern const char* const CATALOGUE_FILE_NAME;         // "constants.ovc", the user's own
extern const char* const SHIPPED_CATALOGUE_FILE_NAME; // "api.ovc", shipped with the program

// The catalogue files' full paths.
std::string CataloguePath();
std::string ShippedCataloguePath();
