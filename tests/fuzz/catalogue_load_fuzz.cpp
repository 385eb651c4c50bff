// Arbitrary bytes as the catalogue file, loaded through the recording fake of the toolkit: the
// catalogue must hold, entry for entry, what a plain reading of the file's rules gives, the combo
// box every group name in its sorted place, and ShowCategory of a name the input chooses the rows of
// that category, or of the entries containing the name where it names none. The model reads the
// file on its own; it shares no code with the library.
#include "fuzz_support.h"

#include "catalogue/catalogue.h"
#include "support/fake_toolkit.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct ModelEntry {
    std::string category, text;
};

struct Model {
    std::vector<std::string> groupNames; // as written, in file order
    std::vector<ModelEntry> entries;
};

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string FoldAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
    return text;
}

// Lines end at CR, LF or a zero byte; a line's first byte after its blanks makes it a comment (";"),
// a group header ("[", the name up to "]") or a key (the name up to "=" less its trailing blanks,
// the value behind it less one space). Keys in front of the first header belong to no category;
// every key takes the value of its group's first key of that name, ASCII letters folded.
Model Read(const std::string& file) {
    Model model;
    std::vector<std::pair<std::string, std::string>> groupKeys; // folded name, value
    // A byte-order mark at the very start is skipped.
    for (size_t at = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; at <= file.size();) {
        size_t end = std::min(file.find_first_of(std::string("\r\n\0", 3), at), file.size());
        std::string line = file.substr(at, end - at);
        at = end + 1;
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == ';') continue;
        if (line[first] == '[') {
            std::string name = line.substr(first + 1);
            model.groupNames.push_back(name.substr(0, name.find(']')));
            groupKeys.clear();
            continue;
        }
        if (model.groupNames.empty()) continue;
        size_t equals = line.find('=', first);
        std::string name =
            line.substr(first, equals == std::string::npos ? std::string::npos : equals - first);
        std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (!value.empty() && value[0] == ' ') value.erase(0, 1);
        name = FoldAscii(name.substr(0, name.find_last_not_of(" \t") + 1));
        auto known =
            std::find_if(groupKeys.begin(), groupKeys.end(), [&](const auto& k) { return k.first == name; });
        if (known == groupKeys.end()) known = groupKeys.insert(groupKeys.end(), {name, value});
        model.entries.push_back({Trim(model.groupNames.back()), Trim(known->second)});
    }
    return model;
}

void Check(bool condition, const char* message) {
    if (!condition) FuzzFail(message);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    uint8_t choice = provider.ConsumeIntegral<uint8_t>();
    std::string file = provider.ConsumeRemainingBytesAsString();
    const char* path = FuzzScratchPath();
    FuzzWriteFile(path, (const uint8_t*)file.data(), file.size());

    FakeReset();
    FakeAddGadget(CATEGORY_BOX, KIND_COMBO_BOX).text = "typed";
    FakeAddGadget(ENTRY_LIST, KIND_LIST_VIEW);
    LoadCatalogue(path, "");
    Model model = Read(file);

    Check(CatalogueEntryCount() == model.entries.size(), "entry count differs from the model");
    for (size_t i = 0; i < model.entries.size(); i++) {
        CatalogueEntry entry = CatalogueEntryAt(i);
        Check(entry.Category == model.entries[i].category, "an entry's category differs from the model");
        Check(entry.Text == model.entries[i].text, "an entry's text differs from the model");
    }
    std::vector<std::string> sorted = model.groupNames;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const std::string& a, const std::string& b) { return FoldAscii(a) < FoldAscii(b); });
    Check(Fake.gadgets[CATEGORY_BOX].items == sorted, "the combo box's names differ from the model");

    // A category, one of its group names as written, one in capitals, the empty text, a command, or
    // a piece of an entry's text.
    std::string name;
    if (!model.groupNames.empty()) name = model.groupNames[choice % model.groupNames.size()];
    switch (choice % 7) {
    case 0:
        name = Trim(name);
        break;
    case 2:
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = (char)(c - 32);
        break;
    case 3:
        name = "";
        break;
    case 4:
        name = FIRST_CATEGORY_COMMAND;
        break;
    case 5:
        name = TOOL_WORD_COMMAND;
        break;
    case 6:
        if (!model.entries.empty())
            name = model.entries[choice % model.entries.size()].text.substr(0, 2 + choice % 5);
        break;
    }
    ShowCategory(name);
    std::string wanted = name, comboText = "typed";
    bool command = name == FIRST_CATEGORY_COMMAND || name == TOOL_WORD_COMMAND;
    if (wanted == TOOL_WORD_COMMAND) {
        const char* word = std::getenv("ZQ_TOOL_Word");
        wanted = FoldAscii(Trim(word ? word : ""));
    }
    if (wanted == FIRST_CATEGORY_COMMAND && !model.entries.empty())
        comboText = wanted = model.entries[0].category;
    // A text that names no category, no command, of two characters or more, that begins no group
    // name (ASCII letters folded) lists the distinct entry texts containing it.
    bool search = !command && wanted.size() >= 2;
    for (const std::string& group : model.groupNames)
        search = search && Trim(group) != wanted && FoldAscii(group).find(FoldAscii(wanted)) != 0;
    std::vector<const ModelEntry*> rows;
    for (const ModelEntry& entry : model.entries)
        if (search ? FoldAscii(entry.text).find(FoldAscii(wanted)) != std::string::npos &&
                         std::none_of(rows.begin(), rows.end(), [&](auto e) { return e->text == entry.text; })
                   : entry.category == wanted)
            rows.push_back(&entry);
    const std::vector<FakeRow>& shown = Fake.gadgets[ENTRY_LIST].rows;
    Check(shown.size() == rows.size(), "ShowCategory shows another number of rows than the model");
    bool odd = false;
    for (size_t i = 0; i < rows.size() && i < shown.size(); i++) {
        if (i > 0 && rows[i]->category != rows[i - 1]->category) odd = false;
        Check(shown[i].text == rows[i]->text, "ShowCategory shows another row than the model");
        Check(shown[i].back == (odd ? ODD_ROW_BACK : EVEN_ROW_BACK) &&
                  shown[i].front == (odd ? ODD_ROW_FRONT : EVEN_ROW_FRONT),
              "rows do not alternate their colours");
        odd = !odd;
    }
    Check(Fake.gadgets[CATEGORY_BOX].text == comboText, "the combo box's text changed");
    ClearCatalogue();
    return 0;
}
