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

// The hash of the category names (compared exactly) and of a group's key names (compared with ASCII
// letters folded): alike for texts that differ in the case of ASCII letters only. Eight bytes at a
// time: ORing 0x20 folds the letters (and some other bytes onto others, which the comparison tells
// apart).
uint32_t FoldedHash(const char* text, size_t length) {
    const uint64_t fold = 0x2020202020202020ull;
    uint64_t hash = length;
    for (; length >= 8; text += 8, length -= 8) {
        uint64_t word;
        std::memcpy(&word, text, 8);
        hash = (hash ^ (word | fold)) * 0x9E3779B97F4A7C15ull;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, text, length);
    hash = (hash ^ (tail | (fold & ((1ull << (8 * length)) - 1)))) * 0x9E3779B97F4A7C15ull;
    return (uint32_t)(hash >> 32);
}

size_t PowerOfTwoAbove(size_t count) {
    size_t size = 2;
    while (size < count * 2)
        size *= 2;
    return size;
}

std::string_view CategoryName(uint32_t index) {
    const CatalogueCategory& category = CatalogueList.categories[index];
    return std::string_view(&CatalogueList.text[category.name], category.length);
}

// The slot that holds the category of that name, or the free slot where it belongs.
uint32_t* CategorySlot(std::string_view name) {
    std::vector<uint32_t>& slots = CatalogueList.categorySlots;
    size_t mask = slots.size() - 1;
    for (size_t at = FoldedHash(name.data(), name.size()) & mask;; at = (at + 1) & mask) {
        uint32_t* slot = &slots[at];
        if (!*slot || name == CategoryName(*slot - 1)) return slot;
    }
}

// Keeps the hash of category names at most half full with one more category.
void MakeRoomForACategory() {
    CatalogueData& c = CatalogueList;
    size_t size = PowerOfTwoAbove(c.categories.size() + 1);
    if (size <= c.categorySlots.size()) return;
    c.categorySlots.assign(size, 0);
    for (uint32_t index = 0; index < c.categories.size(); index++)
        *CategorySlot(CategoryName(index)) = index + 1;
}

uint32_t EntriesEnd(size_t group) {
    const CatalogueData& c = CatalogueList;
    return group + 1 < c.groups.size() ? c.groups[group + 1].firstEntry : (uint32_t)c.entries.size();
}

// Appends the text and a zero byte to the block; where it starts there.
uint32_t AppendText(std::string_view text) {
    std::vector<char>& block = CatalogueList.text;
    uint32_t start = (uint32_t)block.size();
    block.insert(block.end(), text.begin(), text.end());
    block.push_back(0);
    return start;
}

// Adds the last group's category, or chains the group to the category of its trimmed name.
void JoinCategory() {
    CatalogueData& c = CatalogueList;
    uint32_t group = (uint32_t)c.groups.size() - 1;
    std::string_view trimmed = TrimBlanks(&c.text[c.groups[group].name]);
    MakeRoomForACategory();
    uint32_t* slot = CategorySlot(trimmed);
    if (!*slot) {
        c.categories.push_back(
            {(uint32_t)(trimmed.data() - c.text.data()), (uint32_t)trimmed.size(), group, group, 0});
        *slot = (uint32_t)c.categories.size();
    } else {
        c.groups[c.categories[*slot - 1].lastGroup].nextOfCategory = group;
        c.categories[*slot - 1].lastGroup = group;
    }
    c.groups[group].category = *slot - 1;
}

// A key name of the group being read, ASCII letters folded in the comparison.
struct KeyNameSlot {
    uint32_t group; // the group whose name it holds, index + 1: slots of other groups count as free
    uint32_t hash;  // FoldedHash of the name
    uint32_t name;  // where it starts in GroupKeys::names
    uint32_t entry; // the entry of its group's first key of that name
};

// The key names of the group being read, so that of two keys of one name the first one's value is
// taken, as the user reads the file. The hash is never emptied: a new group makes every slot free.
struct GroupKeys {
    uint32_t group = 0;             // the group being read, index + 1; 0: keys of no category yet
    std::string names;              // its key names, each followed by a zero byte
    std::vector<KeyNameSlot> slots; // hash of the names
    uint32_t count = 0;             // names held
};

// The slot of the group's key name like keyName (of that hash), or the free slot where it belongs.
KeyNameSlot* KeyNameSlotOf(GroupKeys& keys, const char* keyName, uint32_t hash) {
    size_t mask = keys.slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        KeyNameSlot* slot = &keys.slots[at];
        if (slot->group != keys.group ||
            (slot->hash == hash && EqualFoldAscii(&keys.names[slot->name], keyName)))
            return slot;
    }
}

// Keeps the hash of the group's key names at most half full with one more name.
void MakeRoomForAKeyName(GroupKeys& keys) {
    size_t size = PowerOfTwoAbove(keys.count + 1);
    if (size <= keys.slots.size()) return;
    std::vector<KeyNameSlot> held;
    held.swap(keys.slots);
    keys.slots.assign(size, KeyNameSlot{0, 0, 0, 0});
    for (const KeyNameSlot& slot : held)
        if (slot.group == keys.group) *KeyNameSlotOf(keys, &keys.names[slot.name], slot.hash) = slot;
}

// The file is read line by line: its texts go straight into the block as they come, so that
// neither the whole file nor a model of its lines is ever held.
void ReserveRoom(void*, int64_t fileSize) {
    // The file's texts are no longer than the file: the block never moves while the file is read.
    // Room reserved and not used costs no memory until it is written. The entries are guessed from
    // the size, eight bytes at least to a key line.
    CatalogueData& c = CatalogueList;
    c.text.reserve(c.text.size() + (size_t)fileSize + 1);
    c.entries.reserve(c.entries.size() + (size_t)fileSize / 8);
}

void ReadGroup(void* context, const char* name) {
    CatalogueData& c = CatalogueList;
    GroupKeys& keys = *(GroupKeys*)context;
    c.groups.push_back({AppendText(name), 0, (uint32_t)c.entries.size(), NO_CATALOGUE_INDEX});
    JoinCategory();
    keys.group = (uint32_t)c.groups.size();
    keys.names.clear();
    keys.count = 0;
}

void ReadKey(void* context, const char* name, const char* value) {
    CatalogueData& c = CatalogueList;
    GroupKeys& keys = *(GroupKeys*)context;
    if (!keys.group) return;
    MakeRoomForAKeyName(keys);
    size_t length = std::strlen(name);
    uint32_t hash = FoldedHash(name, length);
    KeyNameSlot* slot = KeyNameSlotOf(keys, name, hash);
    if (slot->group == keys.group) {
        c.entries.push_back(c.entries[slot->entry]);
    } else {
        *slot = {keys.group, hash, (uint32_t)keys.names.size(), (uint32_t)c.entries.size()};
        keys.names.append(name, length + 1);
        keys.count++;
        c.entries.push_back(AppendText(TrimBlanks(value)));
    }
    c.categories[c.groups.back().category].entryCount++;
}

const CatalogueCategory* FindCategory(const std::string& name) {
    if (CatalogueList.categorySlots.empty()) return nullptr;
    uint32_t slot = *CategorySlot(name);
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

// Appends the file's groups and entries to CatalogueList. False when it could not be read to its
// end (it may have added a part of it then).
static bool ReadCatalogueFile(const std::string& path) {
    GroupKeys keys;
    return PreferenceFile::Scan(path.c_str(), {&keys, ReserveRoom, ReadGroup, ReadKey});
}

// The sorted box's order for names of letters, digits and "_", as far as it can be told without
// asking the box: letters folded, "_" before digits, digits before letters, a name before the longer
// ones it begins. Other names go by their bytes; the box then finds their places itself.
static int BoxRank(char c) {
    unsigned char folded = FoldAscii((unsigned char)c);
    return folded == '_' ? '0' - 1 : folded;
}
static bool BeforeInTheBox(const char* a, const char* b) {
    while (*a && BoxRank(*a) == BoxRank(*b))
        a++, b++;
    return BoxRank(*a) < BoxRank(*b);
}

// In the box's own order, so that each name goes straight behind the last. A shipped group is not
// listed where the user's file names its category already.
void FillCategoryBox() {
    const CatalogueData& c = CatalogueList;
    std::vector<const char*> names;
    names.reserve(c.groups.size());
    for (uint32_t group = 0; group < c.groups.size(); group++) {
        const CatalogueGroup& g = c.groups[group];
        if (!IsShipped(group) || IsShipped(c.categories[g.category].firstGroup))
            names.push_back(&c.text[g.name]);
    }
    if (names.empty()) return;
    // Names alike in the box keep their file order (the block holds the names in that order), as the
    // box keeps the order in which they come.
    std::sort(names.begin(), names.end(), [](const char* a, const char* b) {
        return BeforeInTheBox(a, b) || (!BeforeInTheBox(b, a) && a < b);
    });
    // Thousands of names go into the sorted box: one redraw at the end instead of one per name.
    GadgetBeginUpdate(CATEGORY_BOX, (int)names.size());
    for (const char* name : names)
        ComboBoxAddSorted(CATEGORY_BOX, name);
    GadgetEndUpdate(CATEGORY_BOX);
}

void LoadCatalogue(const std::string& userPath, const std::string& shippedPath, CategoryBoxFill fill) {
    CatalogueData& c = CatalogueList;
    ClearCatalogue();
    try {
        // The user's own file is created empty where it is missing, for the editor to save into.
        if (PlatformPathMissing(userPath.c_str()))
            PlatformFileClose(PlatformFileOpenReadWrite(userPath.c_str()));
        // A file that cannot be read to its end shows nothing of it.
        if (!ReadCatalogueFile(userPath)) ClearCatalogue();
        c.firstShippedGroup = (uint32_t)c.groups.size();
        if (!shippedPath.empty() && !ReadCatalogueFile(shippedPath) &&
            c.groups.size() > c.firstShippedGroup) {
            // Read again without it: the shipped file's part cannot be told apart from the user's
            // in the categories both name.
            ClearCatalogue();
            if (!ReadCatalogueFile(userPath)) ClearCatalogue();
            c.firstShippedGroup = NO_CATALOGUE_INDEX;
        }
        if (fill == FILL_CATEGORY_BOX_NOW) FillCategoryBox();
    } catch (const std::bad_alloc&) {
        ClearCatalogue();
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
