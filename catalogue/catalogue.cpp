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

CatalogueData CatalogueList;

const char* const FIRST_CATEGORY_COMMAND = "first_one_of_the_list";
const char* const TOOL_WORD_COMMAND = "read_sysvar_again";
const char* const TOOL_WORD_VARIABLE = "ZQ_TOOL_Word";

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

// The slot that holds the category of that name, or the free slot where it belongs. base: where the
// categories' name offsets count from.
uint32_t* CategorySlot(const char* base, std::string_view name) {
    std::vector<uint32_t>& slots = CatalogueList.categorySlots;
    size_t mask = slots.size() - 1;
    for (size_t at = Hash(name.data(), name.size(), false) & mask;; at = (at + 1) & mask) {
        uint32_t* slot = &slots[at];
        if (!*slot) return slot;
        const CatalogueCategory& category = CatalogueList.categories[*slot - 1];
        if (name == std::string_view(base + category.name, category.length)) return slot;
    }
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
void JoinCategory(const char* base, uint32_t group, const char* name) {
    CatalogueData& c = CatalogueList;
    std::string_view trimmed = TrimBlanks(name);
    uint32_t* slot = CategorySlot(base, trimmed);
    if (!*slot) {
        c.categories.push_back(
            {(uint32_t)(trimmed.data() - base), (uint32_t)trimmed.size(), group, group, 0});
        *slot = (uint32_t)c.categories.size();
    } else {
        c.groups[c.categories[*slot - 1].lastGroup].nextOfCategory = group;
        c.categories[*slot - 1].lastGroup = group;
    }
    c.groups[group].category = *slot - 1;
}

// Reads the open file's groups and keys into CatalogueList with offsets from base, the first
// group's name: the parser cuts the texts in place, so every later text lies behind it. Returns the
// size of the text block the catalogue needs.
size_t ReadGroupsAndKeys(const char*& base) {
    CatalogueData& c = CatalogueList;
    // Counted first, so that the entries are allocated once at their final size: growing by
    // doubling would hold two arrays at once, next to the whole file.
    uint32_t keys = 0;
    PreferenceFile::RewindGroups();
    while (PreferenceFile::NextGroup()) {
        c.groups.push_back({0, 0, keys, NO_CATALOGUE_INDEX});
        PreferenceFile::RewindKeys();
        while (PreferenceFile::NextKey())
            keys++;
    }
    c.entries.reserve(keys);
    c.categorySlots.assign(PowerOfTwoAbove(c.groups.size()), 0);

    size_t textBytes = 0;
    std::vector<KeyNameSlot> keyNames;
    PreferenceFile::RewindGroups();
    for (uint32_t group = 0; PreferenceFile::NextGroup(); group++) {
        const char* name = PreferenceFile::GroupNameText();
        if (!base) base = name;
        c.groups[group].name = (uint32_t)(name - base);
        textBytes += std::strlen(name) + 1;
        JoinCategory(base, group, name);
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

// Copies the group names and the entries' trimmed texts, in file order, from the file's content
// into the catalogue's own block, and turns every offset into one within the block.
void CopyTexts(const char* base, size_t textBytes) {
    CatalogueData& c = CatalogueList;
    c.text.resize(textBytes);
    char* out = c.text.data();
    uint32_t at = 0;
    auto copy = [&](const char* text, size_t length) {
        std::memcpy(out + at, text, length);
        out[at + length] = 0;
        uint32_t start = at;
        at += (uint32_t)length + 1;
        return start;
    };
    for (uint32_t group = 0; group < c.groups.size(); group++) {
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
    uint32_t slot = *CategorySlot(CatalogueList.text.data(), name);
    return slot ? &CatalogueList.categories[slot - 1] : nullptr;
}

// Empties the list and shows the entries of the category (none: an empty list).
void FillList(const CatalogueCategory* category) {
    const CatalogueData& c = CatalogueList;
    // A category may hold thousands of entries: one redraw at the end instead of one per row, the
    // emptying included, so that the scroll bars of a list as long before as after stay.
    GadgetBeginUpdate(ENTRY_LIST, category ? (int)category->entryCount : 0);
    ClearItems(ENTRY_LIST);
    bool odd = false;
    for (uint32_t group = category ? category->firstGroup : NO_CATALOGUE_INDEX; group != NO_CATALOGUE_INDEX;
         group = c.groups[group].nextOfCategory) {
        for (uint32_t entry = c.groups[group].firstEntry; entry < EntriesEnd(group); entry++) {
            AddEntryRow(&c.text[c.entries[entry]], odd);
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

// Reads the file into the emptied CatalogueList and its group names into the combo box.
static void ReadCatalogue(const std::string& path) {
    if (!PreferenceFile::Open(path.c_str())) return;
    const char* base = nullptr;
    size_t textBytes = ReadGroupsAndKeys(base);
    // The file's records go before the catalogue's block is made, and the file's content before
    // the combo box is filled: at no time are all of them held at once.
    std::unique_ptr<char[]> content(PreferenceFile::CloseKeepingContent());
    CopyTexts(base, textBytes);
    content.reset();
    CountTextPairs();

    const CatalogueData& c = CatalogueList;
    if (c.groups.empty()) return;
    // Thousands of names go into the sorted box: one redraw at the end instead of one per name.
    GadgetBeginUpdate(CATEGORY_BOX, (int)c.groups.size());
    for (const CatalogueGroup& group : c.groups)
        ComboBoxAddSorted(CATEGORY_BOX, &c.text[group.name]);
    GadgetEndUpdate(CATEGORY_BOX);
}

void LoadCatalogue(const std::string& path) {
    ClearCatalogue();
    try {
        ReadCatalogue(path);
    } catch (const std::bad_alloc&) {
        ClearCatalogue();
        PreferenceFile::Close();
        GadgetEndUpdate(CATEGORY_BOX);
        ClearItems(CATEGORY_BOX);
    }
}

void ShowCategory(const std::string& category) {
    std::string wanted = category;
    bool command = wanted == TOOL_WORD_COMMAND || wanted == FIRST_CATEGORY_COMMAND;
    if (wanted == TOOL_WORD_COMMAND) wanted = ReadToolWord();

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
