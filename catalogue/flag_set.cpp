#include "catalogue/flag_set.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/text.h"
#include "toolkit/out_of_memory.h"
#include "toolkit/toolkit.h"

static std::string TrimmedPart(const std::string& text, size_t start, size_t end) {
    while (start < end && IsBlankOrLineBreak(text[start]))
        start++;
    while (end > start && IsBlankOrLineBreak(text[end - 1]))
        end--;
    return text.substr(start, end - start);
}

static bool TickParts(const std::string& selection) {
    std::unordered_map<std::string, int> rowOfPart; // -1 until a row shows the part
    for (size_t start = 0;;) {
        size_t bar = std::min(selection.find('|', start), selection.size());
        std::string part = TrimmedPart(selection, start, bar);
        if (part.empty()) return false;
        rowOfPart.emplace(part, -1);
        if (bar == selection.size()) break;
        start = bar + 1;
    }
    std::vector<int> rows;
    int count = ItemCount(ENTRY_LIST);
    for (int row = 0; row < count && rows.size() < rowOfPart.size(); row++) {
        auto part = rowOfPart.find(ItemText(ENTRY_LIST, row, 0));
        if (part == rowOfPart.end() || part->second >= 0) continue;
        part->second = row;
        rows.push_back(row);
    }
    if (rows.size() < rowOfPart.size()) return false;
    for (int row : rows)
        ItemSetState(ENTRY_LIST, row, ItemChecked);
    return true;
}

// The flag set's one catch of std::bad_alloc: without the memory to compare the parts, nothing is
// ticked (before anything is ticked), and the tool goes on.
bool TickFlagSet(const std::string& selection) {
    return FailOnNoMemory(false, [&] { return TickParts(selection); });
}

void TickEditorFlagSet(int32_t editorHandle) {
    if (editorHandle == 0) return;
    // A slow or hung IDE is given up within the time-out, so that the window is never held up.
    TickFlagSet(
        WindowSelectedText((PlatformHandle)editorHandle, FLAG_SET_MAX_BYTES, SELECTION_READ_TIMEOUT_MS));
}
