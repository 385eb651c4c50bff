// The catalogue of named constants in memory, and the two main-window views that show it: the
// category combo box (gadget 1) and the entry list (gadget 2).
#pragma once

#include <string>
#include <vector>

struct CatalogueEntry {
    std::string Category; // the group's name, trimmed
    std::string Text;     // the key's value, trimmed: what a row shows and what is sent out
};

// Every entry of the catalogue file in file order; only LoadCatalogue changes it.
using CatalogueEntries = std::vector<CatalogueEntry>;
extern CatalogueEntries CatalogueList;

// Category texts that are commands rather than names.
extern const char* const FIRST_CATEGORY_COMMAND; // "first_one_of_the_list"
extern const char* const TOOL_WORD_COMMAND;      // "read_sysvar_again"

// The row colours (COLORREF) of even and odd rows, counted from 0.
constexpr int EVEN_ROW_BACK = 0x00C7FFFF;
constexpr int EVEN_ROW_FRONT = 0x00AC7453;
constexpr int ODD_ROW_BACK = 0x00D2FFFB;
constexpr int ODD_ROW_FRONT = 0x00000000;

// Rebuilds CatalogueList from "constants.ovc" in the data directory and appends every group name,
// as written, to the sorted combo box. Does not empty the combo box first.
void LoadCatalogue();

// Refills the entry list with the entries of the category (byte for byte), rows in alternating
// colours. "first_one_of_the_list" shows the first category of the file and puts its name into the
// combo box; "read_sysvar_again" shows the category named by the IDE's word, read now.
void ShowCategory(const std::string& category);
