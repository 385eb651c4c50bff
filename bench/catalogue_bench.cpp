// Times the catalogue's calls on the real main-window gadgets: LoadCatalogue of a 100,000-entry
// catalogue next to an empty one, ShowCategory of a 10,000-entry category next to the bare list view
// given the same rows, and the completion of one keystroke in a combo box of 5,000 categories next
// to the combo box's own prefix search. Prints Markdown only; figures, never verdicts.
#include <windows.h>

#include "bench/bench_win32.h"
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_catalogue.h"
#include "catalogue/catalogue.h"
#include "catalogue/completion.h"
#include "catalogue/platform.h"
#include "catalogue/preference_file.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int CATALOGUE_ENTRIES = 100000;
constexpr int COMPLETION_CATEGORIES = 5000;

bool WriteFileText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// Window 1 with the category box and the entry list as the main window has them.
void OpenMainWindow() {
    WindowOpen(1, 20, 20, 300, 410, 0x00C80000, "Catalogue bench");
    BeginGadgets(WindowHandle(1));
    AddComboBox(1, 5, 5, 290, 200, ComboEditable | ComboAutoScroll | ComboSorted);
    AddListView(2, 5, 30, 290, 325, "Constants", 285, ListCheckBoxes);
    GadgetSetColor(2, BackColor, 0x00D2FFFB);
    Pump();
}

struct LoadTiming {
    double load = 1e9, show = 1e9;
};

// Best of rounds: LoadCatalogue into an emptied combo box, then ShowCategory of the category shown,
// painted.
LoadTiming TimeCatalogue(const std::string& folder, const std::string& text, const char* category,
                         int rounds) {
    LoadTiming best;
    if (!WriteFileText(folder + "constants.ovc", text)) return best;
    for (int round = 0; round < rounds; ++round) {
        ClearItems(1);
        ClearItems(2);
        Pump();
        double start = Seconds();
        LoadCatalogue();
        double loaded = Seconds();
        ShowCategory(category);
        UpdateWindow((HWND)WindowHandle(1));
        Pump();
        double shown = Seconds();
        best.load = std::min(best.load, loaded - start);
        best.show = std::min(best.show, shown - loaded);
    }
    ClearItems(2);
    return best;
}

// The floor under ShowCategory: the same rows straight into the entry list's own control, with its
// redraw held off, colours in the item data, painted.
double TimeBareRows(int rows, int rounds) {
    HWND list = (HWND)GadgetHandle(2);
    std::vector<std::string> texts;
    for (int i = 0; i < rows; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "CONSTANT_%06d", i);
        texts.push_back(text);
    }
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        Pump();
        double start = Seconds();
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LVM_SETITEMCOUNT, (WPARAM)rows, 0);
        for (int i = 0; i < rows; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = i;
            item.pszText = (char*)texts[(size_t)i].c_str();
            item.lParam = (LPARAM)((i % 2) ? ODD_ROW_BACK : EVEN_ROW_BACK);
            SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        Pump();
        best = std::min(best, Seconds() - start);
    }
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    return best;
}

// The parts of LoadCatalogue apart: the file's parse alone.
double TimeParse(const std::string& folder, int rounds) {
    std::string path = folder + "constants.ovc";
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        double start = Seconds();
        PreferenceFile::Open(path.c_str());
        PreferenceFile::Close();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

// And the names into the emptied sorted combo box.
double TimeComboFill(int names, int rounds, bool bulk) {
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        ClearItems(1);
        double start = Seconds();
        if (bulk) GadgetBeginUpdate(1, names);
        for (int n = 0; n < names; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "category_%05d", n);
            ComboBoxAddSorted(1, name);
        }
        if (bulk) GadgetEndUpdate(1);
        Pump();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

struct KeyTiming {
    double slowest = 1e9, mean = 1e9;
    int keys = 0;
};

// Types the word one character at a time as the main window does on each keystroke: the edit text
// changes, then the completion runs. Only the completion is timed.
KeyTiming TimeTyping(const std::string& word, int rounds) {
    KeyTiming best;
    for (int round = 0; round < rounds; ++round) {
        CompletionGadget = 0;
        CompletionLength = 0;
        GadgetSetText(1, "");
        double slowest = 0, total = 0;
        for (size_t length = 1; length <= word.size(); ++length) {
            GadgetSetText(1, word.substr(0, length).c_str());
            double start = Seconds();
            AutoCompleteCategory(1);
            double took = Seconds() - start;
            slowest = std::max(slowest, took);
            total += took;
            Pump();
        }
        best.slowest = std::min(best.slowest, slowest);
        best.mean = std::min(best.mean, total / (double)word.size());
        best.keys = (int)word.size();
    }
    return best;
}

// The same word's prefixes looked up by the combo box itself (CB_FINDSTRING, one message).
double TimeFindString(const std::string& word, int rounds) {
    HWND combo = (HWND)GadgetHandle(1);
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        double slowest = 0;
        for (size_t length = 1; length <= word.size(); ++length) {
            std::string prefix = word.substr(0, length);
            double start = Seconds();
            SendMessageA(combo, CB_FINDSTRING, (WPARAM)-1, (LPARAM)prefix.c_str());
            slowest = std::max(slowest, Seconds() - start);
        }
        best = std::min(best, slowest);
    }
    return best;
}

std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ms", seconds * 1000.0);
    return text;
}

std::string Ratio(double value, double baseline) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", baseline > 0 ? value / baseline : 0.0);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "orvane_catalogue_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "Orvane.exe";
    PlatformOverrideProgramPath(program.c_str());
    SetEnvironmentVariableA("ZQ_TOOL_Word", nullptr);

    StartToolkit();
    OpenMainWindow();

    std::string big = CatalogueText(CATALOGUE_ENTRIES, true);
    LoadTiming empty = TimeCatalogue(folder, "", FIRST_CATEGORY_COMMAND, rounds);
    LoadTiming full = TimeCatalogue(folder, big, BIG_CATEGORY, rounds);
    size_t entries = CatalogueList.size();
    double parse = TimeParse(folder, rounds);
    double bare = TimeBareRows(BIG_CATEGORY_SIZE, rounds);

    std::printf(
        "Catalogue of %zu entries (%.1f MB; one category of %d entries, the rest in categories of %d). "
        "Best of %d rounds in wall time, under Wine.\n\n",
        entries, (double)big.size() / 1e6, BIG_CATEGORY_SIZE, SMALL_CATEGORY_SIZE, rounds);
    std::printf("| measurement | best time | vs baseline |\n|---|---:|---:|\n");
    std::printf("| `LoadCatalogue`, empty catalogue (baseline) | %s | 1.00x |\n", Ms(empty.load).c_str());
    std::printf("| `LoadCatalogue`, %zu entries | %s | %s |\n", entries, Ms(full.load).c_str(),
                Ratio(full.load, empty.load).c_str());
    std::printf("| of which: `PreferenceFile` Open + Close of the same file | %s | %s |\n", Ms(parse).c_str(),
                Ratio(parse, empty.load).c_str());
    std::printf("| %d rows straight into the list control, painted (baseline) | %s | 1.00x |\n",
                BIG_CATEGORY_SIZE, Ms(bare).c_str());
    std::printf("| `ShowCategory` of the %d-entry category, painted | %s | %s |\n", BIG_CATEGORY_SIZE,
                Ms(full.show).c_str(), Ratio(full.show, bare).c_str());
    std::printf("| `ShowCategory`, empty catalogue | %s | %s |\n", Ms(empty.show).c_str(),
                Ratio(empty.show, bare).c_str());

    // Completion: 5,000 category names in the sorted box; the typed words lead to the last item (the
    // longest search) and to no item at all.
    double comboFillBulk = TimeComboFill(COMPLETION_CATEGORIES, rounds, true);
    double comboFill = TimeComboFill(COMPLETION_CATEGORIES, rounds, false);
    char last[32];
    std::snprintf(last, sizeof last, "category_%05d", COMPLETION_CATEGORIES - 1);
    KeyTiming toLast = TimeTyping(last, rounds);
    KeyTiming toNone = TimeTyping("zz_no_such_category", rounds);
    double findLast = TimeFindString(last, rounds);
    double findNone = TimeFindString("zz_no_such_category", rounds);

    std::printf("| %d names into the emptied sorted combo box (`ComboBoxAddSorted`) | %s | %s |\n",
                COMPLETION_CATEGORIES, Ms(comboFill).c_str(), Ratio(comboFill, empty.load).c_str());
    std::printf("| the same inside `GadgetBeginUpdate`/`GadgetEndUpdate` | %s | %s |\n",
                Ms(comboFillBulk).c_str(), Ratio(comboFillBulk, empty.load).c_str());
    std::printf(
        "\nCompletion in a combo box of %d categories: the word typed one character at a time, "
        "`AutoCompleteCategory(1)` timed after each change of the edit text. Best of %d rounds of the "
        "slowest keystroke, and of the mean.\n\n",
        COMPLETION_CATEGORIES, rounds);
    std::printf(
        "| typed word | slowest keystroke | mean keystroke | slowest `CB_FINDSTRING` (baseline) | slowest vs "
        "baseline |\n|---|---:|---:|---:|---:|\n");
    std::printf("| \"%s\" (the last item) | %s | %s | %s | %s |\n", last, Ms(toLast.slowest).c_str(),
                Ms(toLast.mean).c_str(), Ms(findLast).c_str(), Ratio(toLast.slowest, findLast).c_str());
    std::printf("| \"zz_no_such_category\" (no item) | %s | %s | %s | %s |\n", Ms(toNone.slowest).c_str(),
                Ms(toNone.mean).c_str(), Ms(findNone).c_str(), Ratio(toNone.slowest, findNone).c_str());

    WindowClose(1);
    EndToolkit();
    DeleteFileA((folder + "constants.ovc").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
