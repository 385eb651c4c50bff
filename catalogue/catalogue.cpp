#include "catalogue/catalogue.h"

#include "catalogue/platform.h"
#include "catalogue/preference_file.h"
#include "catalogue/search.h"
#include "catalogue/text.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_set>

CatalogueData CatalogueList;

const char* const FIRST_CATEGORY_COMMAND = "first_one_of_the_list";
const char* const TOOL_WORD_COMMAND = "read_sysvar_again";

namespace {

// While loading, an entry whose key name came earlier in its group holds this bit and the index of
// that earlier entry, whose text it shares.
const uint32_t SHARED_TEXT = 0x80000000;

uint32_t Hash(const char* text, size_t length, bool foldAscii) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; i++) {
        unsigned char c = (unsigned char)text[i];
        if (foldAscii) c = FoldAscii(c);
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

size_t PowerOfTwoAbove(size_t count) {
    size_t size = 2;
    while (size < count * 2)
        size *= 2;
    return size;
}

// Where the categories' names stand while a file is read: those of an earlier file in the block,
// those of the file being read in its content, counted from its base.
struct CategoryNames {
    const char* fileBase; // the file's content: names of categories from firstOfFile on
    uint32_t firstOfFile; // the first category the file being read added
    std::string_view operator()(uint32_t index) const {
        const CatalogueCategory& category = CatalogueList.categories[index];
        const char* base = index < firstOfFile ? CatalogueList.text.data() : fileBase;
        return std::string_view(base + category.name, category.length);
    }
};

// The slot that holds the category of that name, or the free slot where it belongs.
uint32_t* CategorySlot(const CategoryNames& names, std::string_view name) {
    std::vector<uint32_t>& slots = CatalogueList.categorySlots;
    size_t mask = slots.size() - 1;
    for (size_t at = Hash(name.data(), name.size(), false) & mask;; at = (at + 1) & mask) {
        uint32_t* slot = &slots[at];
        if (!*slot || name == names(*slot - 1)) return slot;
    }
}

// Makes room in the hash of category names for as many categories as there are groups.
void GrowCategorySlots(const CategoryNames& names) {
    CatalogueData& c = CatalogueList;
    size_t size = PowerOfTwoAbove(c.groups.size());
    if (size <= c.categorySlots.size()) return;
    c.categorySlots.assign(size, 0);
    for (uint32_t index = 0; index < c.categories.size(); index++)
        *CategorySlot(names, names(index)) = index + 1;
}

// A group's key names seen so far, ASCII letters folded, with the entry of each name's first key.
struct KeyNameSlot {
    uint32_t name;  // offset from the loading base
    uint32_t entry; // index + 1; 0: free
};

// The entry of the first key of the group named like keyName, or the free slot where it belongs.
KeyNameSlot* KeyNameSlotOf(std::vector<KeyNameSlot>& slots, const char* base, const char* keyName) {
    size_t mask = slots.size() - 1;
    for (size_t at = Hash(keyName, std::strlen(keyName), true) & mask;; at = (at + 1) & mask) {
        KeyNameSlot* slot = &slots[at];
        if (!slot->entry || EqualFoldAscii(base + slot->name, keyName)) return slot;
    }
}

uint32_t EntriesEnd(size_t group) {
    const CatalogueData& c = CatalogueList;
    return group + 1 < c.groups.size() ? c.groups[group + 1].firstEntry : (uint32_t)c.entries.size();
}

// Adds the group's category, or chains the group to the category of its trimmed name.
void JoinCategory(const CategoryNames& names, uint32_t group, const char* name) {
    CatalogueData& c = CatalogueList;
    std::string_view trimmed = TrimBlanks(name);
    uint32_t* slot = CategorySlot(names, trimmed);
    if (!*slot) {
        c.categories.push_back(
            {(uint32_t)(trimmed.data() - names.fileBase), (uint32_t)trimmed.size(), group, group, 0});
        *slot = (uint32_t)c.categories.size();
    } else {
        c.groups[c.categories[*slot - 1].lastGroup].nextOfCategory = group;
        c.categories[*slot - 1].lastGroup = group;
    }
    c.groups[group].category = *slot - 1;
}

// Appends the open file's groups and keys to CatalogueList with offsets from base, the first
// group's name: the parser cuts the texts in place, so every later text lies behind it. Returns the
// size of the text the file adds to the catalogue's block.
size_t ReadGroupsAndKeys(const char*& base) {
    CatalogueData& c = CatalogueList;
    // Counted first, so that the entries are allocated once at their final size: growing by
    // doubling would hold two arrays at once, next to the whole file.
    const uint32_t firstGroup = (uint32_t)c.groups.size();
    uint32_t keys = (uint32_t)c.entries.size();
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        c.groups.push_back({0, 0, keys, NO_CATALOGUE_INDEX});
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey())
            keys++;
    }
    if (c.groups.size() == firstGroup) return 0;
    c.entries.reserve(keys);
    PreferenceFile::RewindGroups();
    PreferenceFile::NextGroup();
    base = PreferenceFile::GroupNameText();
    CategoryNames names = {base, (uint32_t)c.categories.size()};
    GrowCategorySlots(names);

    size_t textBytes = 0;
    std::vector<KeyNameSlot> keyNames;
    PreferenceFile::RewindGroups();
    for (uint32_t group = firstGroup; PreferenceFile::NextGroup(); group++) {
        const char* name = PreferenceFile::GroupNameText();
        c.groups[group].name = (uint32_t)(name - base);
        textBytes += std::strlen(name) + 1;
        JoinCategory(names, group, name);
        uint32_t end = group + 1 < c.groups.size() ? c.groups[group + 1].firstEntry : keys;
        uint32_t count = end - c.groups[group].firstEntry;
        c.categories[c.groups[group].category].entryCount += count;

        // By name, as the user reads the file: of two keys with one name (ASCII letters folded),
        // the first one's value.
        keyNames.assign(count > 1 ? PowerOfTwoAbove(count) : 0, KeyNameSlot{0, 0});
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey()) {
            uint32_t entry = (uint32_t)c.entries.size();
            if (!keyNames.empty()) {
                const char* keyName = PreferenceFile::KeyNameText();
                KeyNameSlot* slot = KeyNameSlotOf(keyNames, base, keyName);
                if (slot->entry) {
                    c.entries.push_back(SHARED_TEXT | (slot->entry - 1));
                    continue;
                }
                *slot = {(uint32_t)(keyName - base), entry + 1};
            }
            std::string_view text = TrimBlanks(PreferenceFile::KeyValueText());
            c.entries.push_back((uint32_t)(text.data() - base));
            textBytes += text.size() + 1;
        }
    }
    return textBytes;
}

// Appends the group names and the entries' trimmed texts of the groups from firstGroup on, in file
// order, from the file's content to the catalogue's own block, and turns their offsets into ones
// within the block.
void CopyTexts(const char* base, size_t textBytes, uint32_t firstGroup) {
    CatalogueData& c = CatalogueList;
    uint32_t at = (uint32_t)c.text.size();
    c.text.resize(at + textBytes);
    char* out = c.text.data();
    auto copy = [&](const char* text, size_t length) {
        std::memcpy(out + at, text, length);
        out[at + length] = 0;
        uint32_t start = at;
        at += (uint32_t)length + 1;
        return start;
    };
    for (uint32_t group = firstGroup; group < c.groups.size(); group++) {
        CatalogueGroup& g = c.groups[group];
        const char* name = base + g.name;
        g.name = copy(name, std::strlen(name));
        CatalogueCategory& category = c.categories[g.category];
        if (category.firstGroup == group) category.name = g.name + (category.name - (uint32_t)(name - base));
        for (uint32_t entry = g.firstEntry; entry < EntriesEnd(group); entry++) {
            uint32_t& offset = c.entries[entry];
            if (offset & SHARED_TEXT) {
                offset = c.entries[offset & ~SHARED_TEXT];
            } else {
                std::string_view text = TrimBlanks(base + offset);
                offset = copy(text.data(), text.size());
            }
        }
    }
}

const CatalogueCategory* FindCategory(const std::string& name) {
    if (CatalogueList.categorySlots.empty()) return nullptr;
    uint32_t slot = *CategorySlot(CategoryNames{nullptr, (uint32_t)CatalogueList.categories.size()}, name);
    return slot ? &CatalogueList.categories[slot - 1] : nullptr;
}

bool IsShipped(uint32_t group) {
    return group >= CatalogueList.firstShippedGroup;
}

// Empties the list and shows the entries of the category (none: an empty list): the user's, then
// the shipped ones whose text the user's do not hold.
void FillList(const CatalogueCategory* category) {
    const CatalogueData& c = CatalogueList;
    // A category may hold thousands of entries: one redraw at the end instead of one per row, the
    // emptying included, so that the scroll bars of a list as long before as after stay.
    GadgetBeginUpdate(ENTRY_LIST, category ? (int)category->entryCount : 0);
    ClearItems(ENTRY_LIST);
    bool odd = false;
    bool usersOwn = category && !IsShipped(category->firstGroup);
    std::unordered_set<std::string_view> usersTexts;
    for (uint32_t group = category ? category->firstGroup : NO_CATALOGUE_INDEX; group != NO_CATALOGUE_INDEX;
         group = c.groups[group].nextOfCategory) {
        for (uint32_t entry = c.groups[group].firstEntry; entry < EntriesEnd(group); entry++) {
            const char* text = &c.text[c.entries[entry]];
            if (usersOwn && !IsShipped(group))
                usersTexts.insert(text);
            else if (usersOwn && usersTexts.count(text))
                continue;
            AddEntryRow(text, odd);
            odd = !odd;
        }
    }
    GadgetEndUpdate(ENTRY_LIST);
}

} // namespace

void AddEntryRow(const char* text, bool odd) {
    AddItemWithColors(ENTRY_LIST, -1, text, odd ? ODD_ROW_FRONT : EVEN_ROW_FRONT,
                      odd ? ODD_ROW_BACK : EVEN_ROW_BACK);
}

std::string ReadToolWord() {
    return CleanWord(PlatformEnvironment(TOOL_WORD_VARIABLE));
}

void ClearCatalogue() {
    CatalogueList = CatalogueData();
}

size_t CatalogueEntryCount() {
    return CatalogueList.entries.size();
}

CatalogueEntry CatalogueEntryAt(size_t index) {
    const CatalogueData& c = CatalogueList;
    // The entry's group is the last one that starts at or before it.
    auto after =
        std::upper_bound(c.groups.begin(), c.groups.end(), (uint32_t)index,
                         [](uint32_t entry, const CatalogueGroup& g) { return entry < g.firstEntry; });
    const CatalogueCategory& category = c.categories[(after - 1)->category];
    return {std::string_view(&c.text[category.name], category.length),
            std::string_view(&c.text[c.entries[index]])};
}

// Appends the file's groups and entries to CatalogueList. The user's file is opened for writing as
// the tool has always opened it (created empty when missing); the shipped file only when it is
// there, and only to be read.
static void ReadCatalogueFile(const std::string& path, bool shipped) {
    if (!(shipped ? PreferenceFile::OpenForReading(path.c_str()) : PreferenceFile::Open(path.c_str())))
        return;
    const char* base = nullptr;
    uint32_t firstGroup = (uint32_t)CatalogueList.groups.size();
    size_t textBytes = ReadGroupsAndKeys(base);
    // The file's records go before its texts join the catalogue's block: at no time are both held
    // beside the whole block.
    std::unique_ptr<char[]> content(PreferenceFile::CloseKeepingContent());
    CopyTexts(base, textBytes, firstGroup);
}

// The group names go into the sorted box once both files are read and their contents released. A
// shipped group is not listed where the user's file names its category already.
static void FillCategoryBox() {
    const CatalogueData& c = CatalogueList;
    if (c.groups.empty()) return;
    // Thousands of names go into the sorted box: one redraw at the end instead of one per name.
    GadgetBeginUpdate(CATEGORY_BOX, (int)c.groups.size());
    for (uint32_t group = 0; group < c.groups.size(); group++) {
        const CatalogueGroup& g = c.groups[group];
        if (!IsShipped(group) || IsShipped(c.categories[g.category].firstGroup))
            ComboBoxAddSorted(CATEGORY_BOX, &c.text[g.name]);
    }
    GadgetEndUpdate(CATEGORY_BOX);
}

void LoadCatalogue(const std::string& userPath, const std::string& shippedPath) {
    ClearCatalogue();
    try {
        ReadCatalogueFile(userPath, false);
        CatalogueList.firstShippedGroup = (uint32_t)CatalogueList.groups.size();
        if (!shippedPath.empty()) ReadCatalogueFile(shippedPath, true);
        CountTextPairs();
        FillCategoryBox();
    } catch (const std::bad_alloc&) {
        ClearCatalogue();
        PreferenceFile::Close();
        GadgetEndUpdate(CATEGORY_BOX);
        ClearItems(CATEGORY_BOX);
    }
}

std::string CategoryOfWord(const std::string& word) {
    if (FindCategory(word) || word.empty() || (word.back() != 'a' && word.back() != 'w')) return word;
    std::string stem = word.substr(0, word.size() - 1);
    return FindCategory(stem) ? stem : word;
}

void ShowCategory(const std::string& category) {
    std::string wanted = category;
    bool command = wanted == TOOL_WORD_COMMAND || wanted == FIRST_CATEGORY_COMMAND;
    if (wanted == TOOL_WORD_COMMAND) wanted = CategoryOfWord(ReadToolWord());

    if (wanted != FIRST_CATEGORY_COMMAND) {
        const CatalogueCategory* found = FindCategory(wanted);
        if (!found && !command && IsSearchText(wanted))
            ShowEntriesContaining(wanted);
        else
            FillList(found);
        return;
    }
    if (CatalogueList.entries.empty()) {
        ClearItems(ENTRY_LIST);
        return;
    }
    // The first category is shown under its own name, even when that name is a command text:
    // taken as a command again it would lead straight back here.
    const std::string first(CatalogueEntryAt(0).Category);
    GadgetSetText(CATEGORY_BOX, first.c_str());
    FillList(FindCategory(first));
}
