#include "catalogue/catalogue.h"

#include "app/data_directory.h"
#include "catalogue/platform.h"
#include "catalogue/preference_file.h"
#include "catalogue/text.h"
#include "toolkit/toolkit.h"

#include <new>
#include <unordered_map>

CatalogueEntries CatalogueList;

const char* const FIRST_CATEGORY_COMMAND = "first_one_of_the_list";
const char* const TOOL_WORD_COMMAND = "read_sysvar_again";

static const int COMBO_GADGET = 1;
static const int LIST_GADGET = 2;

static void ReadCatalogue() {
    CatalogueList.clear();
    std::string path = ResolveDataDirectory() + CATALOGUE_FILE_NAME;
    if (!PreferenceFile::Open(path.c_str())) return;
    // Sized once: growing by doubling would hold the old and the new array at once, next to the
    // whole file, at the peak of the program's memory.
    size_t keys = 0;
    int groups = 0;
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        groups++;
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey())
            keys++;
    }
    CatalogueList.reserve(keys);
    // Thousands of names go into the sorted box: one redraw at the end instead of one per name.
    if (groups > 0) GadgetBeginUpdate(COMBO_GADGET, groups);
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        std::string group = PreferenceFile::GroupName();
        ComboBoxAddSorted(COMBO_GADGET, group.c_str());
        std::string category = TrimBlanks(group);
        // By name, as the user reads the file: of two keys with one name (ASCII letters folded), the
        // first one's value. Remembered per group, since a lookup by name scans the group from its start.
        std::unordered_map<std::string, size_t> firstOfName; // folded key name -> its first entry
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey()) {
            auto known = firstOfName.emplace(LowerAscii(PreferenceFile::KeyName()), CatalogueList.size());
            if (known.second)
                CatalogueList.push_back({category, TrimBlanks(PreferenceFile::KeyValue())});
            else
                CatalogueList.push_back({category, CatalogueList[known.first->second].Text});
        }
    }
    if (groups > 0) GadgetEndUpdate(COMBO_GADGET);
    PreferenceFile::Close();
}

void LoadCatalogue() {
    try {
        ReadCatalogue();
    } catch (const std::bad_alloc&) {
        // Out of memory: the tool goes on with an empty catalogue rather than ending.
        CatalogueList = CatalogueEntries();
        PreferenceFile::Close();
        GadgetEndUpdate(COMBO_GADGET);
        ClearItems(COMBO_GADGET);
    }
}

// Empties the list and shows the entries of exactly that category; no command meaning here.
static void FillList(const std::string& category) {
    int matching = 0;
    for (const CatalogueEntry& entry : CatalogueList)
        if (entry.Category == category) matching++;

    ClearItems(LIST_GADGET);
    if (matching == 0) return;
    // A category may hold thousands of entries: one redraw at the end instead of one per row.
    GadgetBeginUpdate(LIST_GADGET, matching);
    int added = 0;
    for (const CatalogueEntry& entry : CatalogueList) {
        if (entry.Category != category) continue;
        AddItem(LIST_GADGET, -1, entry.Text.c_str());
        int row = ItemCount(LIST_GADGET) - 1;
        bool odd = added % 2 == 1;
        added++;
        if (row < 0) continue; // row -1 would colour every row
        ItemSetColor(LIST_GADGET, row, BackColor, odd ? ODD_ROW_BACK : EVEN_ROW_BACK);
        ItemSetColor(LIST_GADGET, row, FrontColor, odd ? ODD_ROW_FRONT : EVEN_ROW_FRONT);
    }
    GadgetEndUpdate(LIST_GADGET);
}

void ShowCategory(const std::string& category) {
    std::string wanted = category;
    if (wanted == TOOL_WORD_COMMAND) wanted = LowerAscii(TrimBlanks(PlatformEnvironment("ZQ_TOOL_Word")));

    if (wanted != FIRST_CATEGORY_COMMAND) {
        FillList(wanted);
        return;
    }
    if (CatalogueList.empty()) {
        ClearItems(LIST_GADGET);
        return;
    }
    // The first category is shown under its own name, even when that name is a command text:
    // taken as a command again it would lead straight back here.
    const std::string first = CatalogueList.front().Category;
    GadgetSetText(COMBO_GADGET, first.c_str());
    FillList(first);
}
