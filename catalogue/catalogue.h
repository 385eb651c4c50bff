// The catalogue of named constants in memory, and the two main-window views that show it: the
// category combo box and the entry list.
//
// Failures: the catalogue reports none. A file that cannot be read gives an empty catalogue, and so
// does memory running out while loading. Memory running out is caught where it starts: in
// LoadCatalogue (a file too big for memory leaves the tool running without it), in the search of
// the entries containing a text (nothing is found) and in ticking the editor's flag set (nothing is
// ticked).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One entry as the views read it; both texts lie in the catalogue's text block.
struct CatalogueEntry {
    std::string_view Category; // the group's name, trimmed
    std::string_view Text;     // the key's value, trimmed, followed by a zero byte in the block
};

// The views' gadget numbers in the main window.
constexpr int CATEGORY_BOX = 1; // the combo box of category names
constexpr int ENTRY_LIST = 2;   // the list of the shown entries, with check boxes

constexpr uint32_t NO_CATALOGUE_INDEX = 0xFFFFFFFF;

// One group header of the file, in file order.
struct CatalogueGroup {
    uint32_t name;           // the name as written, a zero-terminated text in the block
    uint32_t category;       // its category: the groups of one trimmed name share it
    uint32_t firstEntry;     // its entries run from here up to the next group's first entry
    uint32_t nextOfCategory; // the next group of the same category, or NO_CATALOGUE_INDEX
};

// One distinct trimmed group name; its entries are those of its groups, in file order.
struct CatalogueCategory {
    uint32_t name;   // where the trimmed name starts in the block: inside its first group's name
    uint32_t length; // of the trimmed name
    uint32_t firstGroup, lastGroup; // the first and last of its groups, chained by nextOfCategory
    uint32_t entryCount;            // of all its groups
};

// Every entry of the user's catalogue file, then of the shipped one, in file order; only
// LoadCatalogue changes it. All texts lie in one block; entries, groups and categories refer to them
// by offsets.
struct CatalogueData {
    uint32_t firstShippedGroup = NO_CATALOGUE_INDEX; // the groups before it are the user's
    std::vector<char> text;                          // every text, each followed by a zero byte
    std::vector<uint32_t> entries;                   // where each entry's text starts in the block
    std::vector<CatalogueGroup> groups;              // every group header, also those without keys
    std::vector<CatalogueCategory> categories;       // in the order of their first groups
    std::vector<uint32_t> categorySlots;             // hash of the category names: index + 1, 0 free
    std::vector<uint32_t> pairCounts; // of neighbouring bytes in the block, counted at the first search
};
extern CatalogueData CatalogueList;

// Empties CatalogueList and releases its memory.
void ClearCatalogue();
size_t CatalogueEntryCount();
// The entry at that place in file order (index below CatalogueEntryCount()).
CatalogueEntry CatalogueEntryAt(size_t index);

// Category texts that are commands rather than names.
extern const char* const FIRST_CATEGORY_COMMAND; // "first_one_of_the_list"
extern const char* const TOOL_WORD_COMMAND;      // "read_sysvar_again"

// The environment variables in which the IDE hands over the word at its cursor and its editor's
// window handle; and that word as the tool uses it (CleanWord), read now, "" when it is not set.
constexpr const char* TOOL_WORD_VARIABLE = "ZQ_TOOL_Word";
constexpr const char* EDITOR_HANDLE_VARIABLE = "ZQ_TOOL_Scintilla";
std::string ReadToolWord();

// The row colours (COLORREF) of even and odd rows, counted from 0. The odd rows' back colour, pale
// yellow, is also the back of the whole list below its rows, and of the catalogue editor.
constexpr int EVEN_ROW_BACK = 0x00C7FFFF;
constexpr int EVEN_ROW_FRONT = 0x00AC7453;
constexpr int ODD_ROW_BACK = 0x00D2FFFB;
constexpr int ODD_ROW_FRONT = 0x00000000;

// Appends a row with the text to the entry list, in the colours of an odd or an even row.
void AddEntryRow(const char* text, bool odd);

// Rebuilds CatalogueList from the user's catalogue file (created empty when missing), then the
// shipped one when it is there ("" or a missing or unreadable file: the user's alone), and appends
// every group name, as written, to the sorted combo box with FillCategoryBox: the user's, and the
// shipped ones of categories that the user's file does not name. Does not empty the combo box
// first. FILL_CATEGORY_BOX_LATER leaves the filling to the caller, who shows a window meanwhile.
enum CategoryBoxFill { FILL_CATEGORY_BOX_NOW, FILL_CATEGORY_BOX_LATER };
void LoadCatalogue(const std::string& userPath, const std::string& shippedPath,
                   CategoryBoxFill fill = FILL_CATEGORY_BOX_NOW);
void FillCategoryBox();

// The category the IDE's word (lower-cased) stands for: the word itself, but for a word that names
// no category while it does without a final "a" or "w" (MessageBoxW, CreateFileA), that category.
std::string CategoryOfWord(const std::string& word);

// Refills the entry list with the entries of the category (byte for byte), rows in alternating
// colours: the user's, then the shipped ones whose text the user's do not hold. The user's file
// comes first: "first_one_of_the_list" shows the first category with an entry and puts its name into the
// combo box; "read_sysvar_again" shows the category named by the IDE's word, read now. Any other
// text that names no category lists the entries containing it where IsSearchText says so.
void ShowCategory(const std::string& category);
