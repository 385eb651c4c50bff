#include "catalogue/search.h"

#include <cstring>
#include <string_view>
#include <unordered_set>

#include "catalogue/catalogue.h"
#include "catalogue/text.h"
#include "toolkit/out_of_memory.h"
#include "toolkit/toolkit.h"

namespace {

const uint64_t ONES = 0x0101010101010101ull;

bool IsLowerLetter(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

unsigned PairIndex(unsigned char first, unsigned char second) {
    return (unsigned)FoldAscii(first) << 8 | FoldAscii(second);
}

uint64_t Load(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The folded text of the search, and which of its pairs of neighbouring bytes the scan looks for.
struct Needle {
    std::string folded;
    size_t pairAt;        // the pair's place in the text
    uint64_t pattern[2];  // each byte of the pair in every byte of a word
    uint64_t foldMask[2]; // 0x20 in every byte where the pair's byte is a letter, as ORing folds it
};

Needle MakeNeedle(const std::string& text) {
    Needle needle;
    needle.folded = LowerAscii(text);
    const std::vector<uint32_t>& counts = CatalogueList.pairCounts;
    needle.pairAt = 0;
    for (size_t at = 1; at + 1 < text.size(); at++)
        if (counts[PairIndex(text[at], text[at + 1])] <
            counts[PairIndex(text[needle.pairAt], text[needle.pairAt + 1])])
            needle.pairAt = at;
    for (int i = 0; i < 2; i++) {
        unsigned char c = (unsigned char)needle.folded[needle.pairAt + (size_t)i];
        needle.pattern[i] = ONES * c;
        needle.foldMask[i] = IsLowerLetter(c) ? ONES * 0x20 : 0;
    }
    return needle;
}

bool MatchesAt(const char* at, const std::string& folded) {
    for (size_t i = 0; i < folded.size(); i++)
        if (FoldAscii((unsigned char)at[i]) != (unsigned char)folded[i]) return false;
    return true;
}

// The first place at or after from where the needle stands in the block up to end; null when none.
// Eight places at a time are tested for the needle's pair; only where it stands is the rest compared.
const char* FindNeedle(const char* from, const char* end, const Needle& needle) {
    size_t length = needle.folded.size();
    if ((size_t)(end - from) < length) return nullptr;
    const char* pair = from + needle.pairAt;             // where the pair of a match at from stands
    const char* lastPair = end - length + needle.pairAt; // that of the last place a match can start
    // Both words read lie inside the block: lastPair is at least two bytes before its end.
    for (; lastPair - pair >= 7; pair += 8) {
        uint64_t first = (Load(pair) | needle.foldMask[0]) ^ needle.pattern[0];
        uint64_t second = (Load(pair + 1) | needle.foldMask[1]) ^ needle.pattern[1];
        for (uint64_t found = ZeroBytes(first) & ZeroBytes(second); found; found &= found - 1) {
            const char* start = pair + __builtin_ctzll(found) / 8 - needle.pairAt;
            if (MatchesAt(start, needle.folded)) return start;
        }
    }
    for (; pair <= lastPair; pair++)
        if (MatchesAt(pair - needle.pairAt, needle.folded)) return pair - needle.pairAt;
    return nullptr;
}

} // namespace

// Counts the pairs of neighbouring bytes of the catalogue's text block, ASCII letters folded, so
// that a search scans for the rarest pair of its text. Done at the first search after a load, not
// at start.
static void CountTextPairs() {
    CatalogueData& c = CatalogueList;
    c.pairCounts.assign(65536, 0);
    unsigned char previous = 0;
    for (char byte : c.text) {
        c.pairCounts[PairIndex(previous, (unsigned char)byte)]++;
        previous = (unsigned char)byte;
    }
}

bool IsSearchText(const std::string& text) {
    if (text.size() < 2) return false;
    const CatalogueData& c = CatalogueList;
    for (const CatalogueGroup& group : c.groups) {
        const char* name = &c.text[group.name];
        size_t at = 0;
        while (at < text.size() && name[at] &&
               FoldAscii((unsigned char)name[at]) == FoldAscii((unsigned char)text[at]))
            at++;
        if (at == text.size()) return false;
    }
    return true;
}

static std::vector<CatalogueMatch> FindMatches(const std::string& text) {
    std::vector<CatalogueMatch> matches;
    const CatalogueData& c = CatalogueList;
    if (text.size() < 2 || text.find('\0') != std::string::npos || c.text.empty()) return matches;
    if (c.pairCounts.empty()) CountTextPairs();
    Needle needle = MakeNeedle(text);
    const char* block = c.text.data();
    const char* end = block + c.text.size();
    std::unordered_set<std::string_view> seen;
    // Entries and groups in file order: their texts stand in the block in that order.
    size_t entry = 0, group = 0;
    for (const char* at = block; (at = FindNeedle(at, end, needle)) != nullptr;) {
        const char* start = at;
        while (start > block && start[-1])
            start--;
        const char* stringEnd = at + std::strlen(at);
        uint32_t offset = (uint32_t)(start - block);
        // An entry whose text repeats an earlier key's of its group points back into the block.
        while (entry < c.entries.size() && c.entries[entry] < offset)
            entry++;
        // A text that is no entry's is a group name.
        if (entry < c.entries.size() && c.entries[entry] == offset &&
            seen.insert(std::string_view(start, (size_t)(stringEnd - start))).second) {
            while (group + 1 < c.groups.size() && c.groups[group + 1].firstEntry <= entry)
                group++;
            matches.push_back({offset, c.groups[group].category});
            if (matches.size() == SEARCH_MAX_ROWS) break;
        }
        at = stringEnd + 1;
    }
    return matches;
}

// The search's one catch of std::bad_alloc: without the memory for it, nothing is found.
std::vector<CatalogueMatch> FindEntriesContaining(const std::string& text) {
    return FailOnNoMemory(std::vector<CatalogueMatch>(), [&] { return FindMatches(text); });
}

void ShowEntriesContaining(const std::string& text) {
    std::vector<CatalogueMatch> matches = FindEntriesContaining(text);
    // Emptied and filled in one bulk change: the scroll bars of a list as long before as after stay.
    GadgetBeginUpdate(ENTRY_LIST, (int)matches.size());
    ClearItems(ENTRY_LIST);
    bool odd = false;
    for (size_t row = 0; row < matches.size(); row++) {
        if (row > 0 && matches[row].category != matches[row - 1].category) odd = false;
        AddEntryRow(&CatalogueList.text[matches[row].text], odd);
        odd = !odd;
    }
    GadgetEndUpdate(ENTRY_LIST);
}
