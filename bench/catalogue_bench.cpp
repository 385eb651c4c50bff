// Times the catalogue's calls on the real main-window gadgets: LoadCatalogue of a 100,000-entry
// catalogue next to an empty one, ShowCategory of a 10,000-entry category next to the bare list view
// given the same rows, ways of filling the sorted combo box, the completion of one keystroke in a
// combo box of 5,000 categories next to the combo box's own prefix search, and whole keystrokes
// (list refresh and completion, or the search of a text that names no category) in a catalogue of
// 350,000 entries. Prints Markdown only: figures, and whether this run's figures meet the targets set
// for them.
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
#include "catalogue/preference_file.h"
#include "catalogue/search.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int CATALOGUE_ENTRIES = 100000;
constexpr int COMPLETION_CATEGORIES = 5000;
constexpr int LARGE_CATALOGUE_ENTRIES = 350000; // in categories of SMALL_CATEGORY_SIZE only

bool WriteFileText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// Window 1 with the category box and the entry list as the main window has them.
void OpenMainWindow() {
    WindowOpen(1, 20, 20, 300, 410, WindowTitleBar | WindowCloseBox, "Catalogue bench");
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
        LoadCatalogue(folder + "constants.ovc", "");
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
// redraw held off, colours in the item data, painted. refill: the list holds as many rows before,
// which go in the same step, as when one keystroke's rows take the place of the last one's.
double TimeBareRows(int rows, int rounds, bool refill = false) {
    HWND list = (HWND)GadgetHandle(2);
    std::vector<std::string> texts;
    for (int i = 0; i < rows; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "CONSTANT_%06d", i);
        texts.push_back(text);
    }
    auto insertAll = [&] {
        for (int i = 0; i < rows; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = i;
            item.pszText = (char*)texts[(size_t)i].c_str();
            item.lParam = (LPARAM)((i % 2) ? ODD_ROW_BACK : EVEN_ROW_BACK);
            SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        }
    };
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        if (refill) insertAll();
        Pump();
        double start = Seconds();
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        if (refill) SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        SendMessageA(list, LVM_SETITEMCOUNT, (WPARAM)rows, 0);
        insertAll();
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        Pump();
        best = std::min(best, Seconds() - start);
    }
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    return best;
}

// The parts of LoadCatalogue apart: the file read and parsed line by line, every line handed to a
// handler that does nothing.
double TimeParse(const std::string& folder, int rounds) {
    std::string path = folder + "constants.ovc";
    PreferenceFile::ScanHandler nothing = {nullptr, [](void*, int64_t) {}, [](void*, const char*) {},
                                           [](void*, const char*, const char*) {}};
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        double start = Seconds();
        PreferenceFile::Scan(path.c_str(), nothing);
        best = std::min(best, Seconds() - start);
    }
    return best;
}

// And the names into the emptied sorted combo box, through the toolkit as LoadCatalogue puts them.
double TimeComboFill(const std::vector<std::string>& names, int rounds, bool bulk) {
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        ClearItems(1);
        Pump();
        double start = Seconds();
        if (bulk) GadgetBeginUpdate(1, (int)names.size());
        for (const std::string& name : names)
            ComboBoxAddSorted(1, name.c_str());
        if (bulk) GadgetEndUpdate(1);
        Pump();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> texts;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = "";
        SendMessageA(combo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
        texts.push_back(text);
    }
    return texts;
}

// Ways of putting names straight into the control, its redraw held off, each kept only in this
// benchmark: the names in file order sent with CB_ADDSTRING (the baseline), after CB_INITSTORAGE,
// and inserted at the end with CB_INSERTSTRING where the control would sort them there: always
// (right only for names that arrive sorted) or after comparing each with the last as the control
// compares (its locale, letters' case ignored).
enum class Fill { Add, InitStorage, AtEndAlways, AtEndChecked };

struct FillTiming {
    double best = 1e9;
    bool sameOrder = true; // as CB_ADDSTRING alone sorts them
};

FillTiming TimeRawComboFill(const std::vector<std::string>& names, Fill fill, int rounds,
                            const std::vector<std::string>* expected) {
    HWND combo = (HWND)GadgetHandle(1);
    FillTiming timing;
    for (int round = 0; round < rounds; ++round) {
        ClearItems(1);
        Pump();
        double start = Seconds();
        SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
        if (fill == Fill::InitStorage)
            SendMessageA(combo, CB_INITSTORAGE, (WPARAM)names.size(), (LPARAM)(names.size() * 16));
        LCID locale = (LCID)SendMessageA(combo, CB_GETLOCALE, 0, 0);
        std::wstring last;
        for (const std::string& name : names) {
            bool atEnd = fill == Fill::AtEndAlways;
            if (fill == Fill::AtEndChecked) {
                wchar_t wide[256];
                int length = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, 256);
                atEnd = length > 0 && !last.empty() &&
                        CompareStringW(locale, NORM_IGNORECASE, last.c_str(), -1, wide, -1) == CSTR_LESS_THAN;
                if (length > 0 && (last.empty() || atEnd)) last = wide;
            }
            SendMessageA(combo, atEnd ? CB_INSERTSTRING : CB_ADDSTRING, atEnd ? (WPARAM)-1 : 0,
                         (LPARAM)name.c_str());
        }
        SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(combo, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        Pump();
        timing.best = std::min(timing.best, Seconds() - start);
        if (expected && ComboTexts(combo) != *expected) timing.sameOrder = false;
    }
    ClearItems(1);
    return timing;
}

struct KeyTiming {
    double slowest = 1e9, mean = 1e9, last = 1e9;
    double slowestLater = 1e9;     // from the third keystroke on
    double slowestUnpainted = 1e9; // up to the list filled, before the window paints
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

// The list as it stands painted again without any change: what every keystroke that changes its
// rows pays at least for the painting.
double TimeListRepaint(int rounds) {
    HWND list = (HWND)GadgetHandle(2);
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        Pump();
        double start = Seconds();
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        Pump();
        best = std::min(best, Seconds() - start);
    }
    return best;
}

// Whole keystrokes as the main window handles them: the edit text changes, the list follows it
// when it differs from the last text seen (a category, or the entries containing a text that names
// none), the completion runs and the list follows a completed name; then the window paints.
KeyTiming TimeKeystrokes(const std::string& word, int rounds) {
    KeyTiming best;
    for (int round = 0; round < rounds; ++round) {
        CompletionGadget = 0;
        CompletionLength = 0;
        GadgetSetText(1, "");
        ShowCategory("");
        Pump();
        std::string lastText;
        auto follow = [&] {
            std::string text = GadgetText(1);
            if (text == lastText) return;
            ShowCategory(text);
            lastText = GadgetText(1);
        };
        double slowest = 0, slowestLater = 0, slowestUnpainted = 0, total = 0, took = 0;
        for (size_t length = 1; length <= word.size(); ++length) {
            GadgetSetText(1, word.substr(0, length).c_str());
            double start = Seconds();
            follow();
            AutoCompleteCategory(1);
            follow();
            slowestUnpainted = std::max(slowestUnpainted, Seconds() - start);
            UpdateWindow((HWND)WindowHandle(1));
            Pump();
            took = Seconds() - start;
            slowest = std::max(slowest, took);
            if (length >= 3) slowestLater = std::max(slowestLater, took);
            total += took;
        }
        best.slowest = std::min(best.slowest, slowest);
        best.slowestLater = std::min(best.slowestLater, slowestLater);
        best.slowestUnpainted = std::min(best.slowestUnpainted, slowestUnpainted);
        best.mean = std::min(best.mean, total / (double)word.size());
        best.last = std::min(best.last, took);
        best.keys = (int)word.size();
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

const char* Met(bool met) {
    return met ? "met in this run" : "not met in this run";
}

std::vector<std::string> FillNames(bool shuffled) {
    std::vector<std::string> names;
    for (int n = 0; n < COMPLETION_CATEGORIES; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "category_%05d", n);
        names.push_back(name);
    }
    if (shuffled) {
        uint32_t seed = 12345;
        for (size_t i = names.size() - 1; i > 0; --i) {
            seed = seed * 1103515245u + 12345u;
            std::swap(names[i], names[(seed >> 8) % (i + 1)]);
        }
    }
    return names;
}

void PrintComboFills(int rounds) {
    std::printf("\nThe sorted combo box's fill: %d names through the toolkit, and sent straight to the "
                "control with its "
                "redraw held off in ways kept only here; best of %d rounds, and the order checked against "
                "`CB_ADDSTRING` alone. The toolkit puts a name of ASCII letters, digits and \"_\" straight "
                "behind the "
                "last item where a comparison as the box compares (its locale, case ignored) allows.\n\n",
                COMPLETION_CATEGORIES, rounds);
    std::printf("| names | way | best time | vs `CB_ADDSTRING` | same order |\n|---|---|---:|---:|---|\n");
    for (bool shuffled : {false, true}) {
        std::vector<std::string> names = FillNames(shuffled);
        FillTiming add = TimeRawComboFill(names, Fill::Add, rounds, nullptr);
        ClearItems(1);
        for (const std::string& name : names)
            SendMessageA((HWND)GadgetHandle(1), CB_ADDSTRING, 0, (LPARAM)name.c_str());
        std::vector<std::string> expected = ComboTexts((HWND)GadgetHandle(1));
        const char* order = shuffled ? "in random order" : "in sorted order";
        std::printf("| %s | `CB_ADDSTRING` (baseline) | %s | 1.00x | yes |\n", order, Ms(add.best).c_str());
        double toolkit = TimeComboFill(names, rounds, false);
        double toolkitBulk = TimeComboFill(names, rounds, true);
        bool same = ComboTexts((HWND)GadgetHandle(1)) == expected;
        std::printf("| %s | `ComboBoxAddSorted`, redraw on | %s | %s | %s |\n", order, Ms(toolkit).c_str(),
                    Ratio(toolkit, add.best).c_str(), same ? "yes" : "no");
        std::printf(
            "| %s | `ComboBoxAddSorted` inside `GadgetBeginUpdate`/`GadgetEndUpdate`, as `LoadCatalogue` "
            "fills | %s | %s | %s |\n",
            order, Ms(toolkitBulk).c_str(), Ratio(toolkitBulk, add.best).c_str(), same ? "yes" : "no");
        struct {
            Fill fill;
            const char* name;
        } ways[] = {{Fill::InitStorage, "`CB_INITSTORAGE` first"},
                    {Fill::AtEndAlways, "`CB_INSERTSTRING` at the end, unchecked"},
                    {Fill::AtEndChecked,
                     "`CB_INSERTSTRING` at the end where a comparison with the last name allows"}};
        for (const auto& way : ways) {
            FillTiming t = TimeRawComboFill(names, way.fill, rounds, &expected);
            std::printf("| %s | %s | %s | %s | %s |\n", order, way.name, Ms(t.best).c_str(),
                        Ratio(t.best, add.best).c_str(), t.sameOrder ? "yes" : "no");
        }
    }
}

// The keystrokes in a catalogue of 350,000 entries in categories of 20 (17,500 names in the box).
void PrintLargeCatalogue(const std::string& folder, int rounds) {
    std::string text = CatalogueText(LARGE_CATALOGUE_ENTRIES, false, 0);
    ClearItems(1);
    ClearItems(2);
    if (!WriteFileText(folder + "constants.ovc", text)) return;
    double start = Seconds();
    LoadCatalogue(folder + "constants.ovc", "");
    double load = Seconds() - start;
    int categories = ItemCount(1);
    char last[32];
    std::snprintf(last, sizeof last, "category_%05d", categories - 1);
    KeyTiming toLast = TimeKeystrokes(last, rounds);
    KeyTiming toNone = TimeKeystrokes("zz_no_such_category", rounds);
    std::printf(
        "\nKeystrokes in a catalogue of %zu entries (%.1f MB) in %d categories of %d, loaded in %s: the word "
        "typed one character at a time; each keystroke as the main window handles it (the list "
        "follows the text, then the completion) and painted. Best of %d rounds of the slowest keystroke, "
        "and of the mean.\n\n",
        CatalogueEntryCount(), (double)text.size() / 1e6, categories, SMALL_CATEGORY_SIZE, Ms(load).c_str(),
        rounds);
    std::printf("| typed word | slowest keystroke | mean keystroke | target: 16 ms |\n|---|---:|---:|---|\n");
    std::printf("| \"%s\" (the last item; its 20 rows at the last keystroke) | %s | %s | %s |\n", last,
                Ms(toLast.slowest).c_str(), Ms(toLast.mean).c_str(), Met(toLast.slowest <= 0.016));
    std::printf("| \"zz_no_such_category\" (no item, no entry contains it) | %s | %s | %s |\n",
                Ms(toNone.slowest).c_str(), Ms(toNone.mean).c_str(), Met(toNone.slowest <= 0.016));

    // Texts that begin no category: from the second character on, each keystroke lists the entries
    // containing the text. "_34999" ends with 10 matches, the last entries of the file, so that its
    // last keystroke scans the whole catalogue; every keystroke of "onstant_1" matches thousands.
    const struct {
        const char* word;
        const char* matches;
    } searches[] = {{"_34999", "10, at the end of the file"},
                    {"onstant_1", "100,000: the first 1,000 shown"}};
    std::printf(
        "\nThe same catalogue, texts that begin no category typed one character at a time: from the "
        "second character on each keystroke lists the entries containing the text (at most 1,000 rows). "
        "The second keystroke fills the empty list, which then shows its scroll bars; the later ones "
        "put rows in place of rows. Best of %d rounds of the slowest keystroke, of the slowest from the "
        "third on, of the last one and of the mean.\n\n",
        rounds);
    double bare = TimeBareRows((int)SEARCH_MAX_ROWS, rounds, true);
    double repaint = TimeListRepaint(rounds);
    std::printf(
        "| typed text | entries containing the whole text | slowest keystroke | slowest from the third | "
        "last keystroke | mean keystroke | slowest search and fill, unpainted | slowest vs baseline | "
        "target: 16 ms |\n"
        "|---|---|---:|---:|---:|---:|---:|---:|---|\n");
    std::printf(
        "| (baseline) %d rows straight into the list control in place of as many, painted | | %s | | | | | "
        "1.00x | |\n",
        (int)SEARCH_MAX_ROWS, Ms(bare).c_str());
    std::printf("| (baseline) the list of %d rows painted again, unchanged | | %s | | | | | %s | |\n",
                (int)SEARCH_MAX_ROWS, Ms(repaint).c_str(), Ratio(repaint, bare).c_str());
    for (const auto& search : searches) {
        KeyTiming typed = TimeKeystrokes(search.word, rounds);
        std::printf("| \"%s\" | %s | %s | %s | %s | %s | %s | %s | %s |\n", search.word, search.matches,
                    Ms(typed.slowest).c_str(), Ms(typed.slowestLater).c_str(), Ms(typed.last).c_str(),
                    Ms(typed.mean).c_str(), Ms(typed.slowestUnpainted).c_str(),
                    Ratio(typed.slowest, bare).c_str(), Met(typed.slowest <= 0.016));
    }
    ClearItems(1);
    ClearItems(2);
    ClearCatalogue();
}

// The shipped api.ovc beside a new user's empty constants.ovc: its load, the category box's fill,
// and whole keystrokes: a category's name typed, which completes, and a text that begins no
// category, whose keystrokes list the constants containing it.
void PrintShippedCatalogue(const std::string& folder, const char* shipped, int rounds) {
    double load = 1e9, fill = 1e9;
    for (int round = 0; round < rounds; ++round) {
        ClearItems(1);
        ClearItems(2);
        Pump();
        double start = Seconds();
        LoadCatalogue(folder + "new_user.ovc", shipped, FILL_CATEGORY_BOX_LATER);
        double loaded = Seconds();
        FillCategoryBox();
        load = std::min(load, loaded - start);
        fill = std::min(fill, Seconds() - loaded);
    }
    if (!CatalogueEntryCount()) return;
    KeyTiming named = TimeKeystrokes("createfile", rounds);
    KeyTiming search = TimeKeystrokes("_readonly", rounds);
    std::printf(
        "\nThe shipped catalogue `%s` (%zu entries, %d names in the box) beside a new user's empty "
        "`constants.ovc`: `LoadCatalogue` %s, then the category box's fill %s, which the main window does "
        "once it shows. Keystrokes as above, best of %d rounds.\n\n",
        shipped, CatalogueEntryCount(), ItemCount(1), Ms(load).c_str(), Ms(fill).c_str(), rounds);
    std::printf("| typed text | slowest keystroke | mean keystroke | slowest completion or search and fill, "
                "unpainted | target: 16 ms, unpainted |\n|---|---:|---:|---:|---|\n");
    std::printf(
        "| \"createfile\" (completes to category names, then shows `createfile`) | %s | %s | %s | %s |\n",
        Ms(named.slowest).c_str(), Ms(named.mean).c_str(), Ms(named.slowestUnpainted).c_str(),
        Met(named.slowestUnpainted <= 0.016));
    std::printf("| \"_readonly\" (lists the constants containing it) | %s | %s | %s | %s |\n",
                Ms(search.slowest).c_str(), Ms(search.mean).c_str(), Ms(search.slowestUnpainted).c_str(),
                Met(search.slowestUnpainted <= 0.016));
    ClearItems(1);
    ClearItems(2);
    ClearCatalogue();
    DeleteFileA((folder + "new_user.ovc").c_str());
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "orvane_catalogue_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("ZQ_TOOL_Word", nullptr);

    StartToolkit();
    OpenMainWindow();

    std::string big = CatalogueText(CATALOGUE_ENTRIES, true);
    LoadTiming empty = TimeCatalogue(folder, "", FIRST_CATEGORY_COMMAND, rounds);
    LoadTiming full = TimeCatalogue(folder, big, BIG_CATEGORY, rounds);
    size_t entries = CatalogueEntryCount();
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
    std::printf("| of which: `PreferenceFile::Scan` of the same file | %s | %s |\n", Ms(parse).c_str(),
                Ratio(parse, empty.load).c_str());
    std::printf("| %d rows straight into the list control, painted (baseline) | %s | 1.00x |\n",
                BIG_CATEGORY_SIZE, Ms(bare).c_str());
    std::printf("| `ShowCategory` of the %d-entry category, painted | %s | %s |\n", BIG_CATEGORY_SIZE,
                Ms(full.show).c_str(), Ratio(full.show, bare).c_str());
    std::printf("| `ShowCategory`, empty catalogue | %s | %s |\n", Ms(empty.show).c_str(),
                Ratio(empty.show, bare).c_str());

    // Completion: 5,000 category names in the sorted box; the typed words lead to the last item (the
    // longest search) and to no item at all.
    std::vector<std::string> names = FillNames(false);
    TimeComboFill(names, 1, true);
    char last[32];
    std::snprintf(last, sizeof last, "category_%05d", COMPLETION_CATEGORIES - 1);
    KeyTiming toLast = TimeTyping(last, rounds);
    KeyTiming toNone = TimeTyping("zz_no_such_category", rounds);
    double findLast = TimeFindString(last, rounds);
    double findNone = TimeFindString("zz_no_such_category", rounds);

    std::printf("\nTarget: `ShowCategory` of %d rows within 1.5x of the bare list view's fill: %s.\n",
                BIG_CATEGORY_SIZE, Met(full.show <= 1.5 * bare));
    PrintComboFills(rounds);
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
    PrintLargeCatalogue(folder, rounds);
    if (argc > 2) PrintShippedCatalogue(folder, argv[2], rounds);

    WindowClose(1);
    EndToolkit();
    DeleteFileA((folder + "constants.ovc").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
