// The first fill of a list view with 10,000 coloured rows in a new process, as at start-up: its time
// and the memory it adds, then a second fill after clearing. "bare": a Win32 list view given the rows
// straight, colours in the item data; "toolkit": the toolkit's list gadget given the rows as
// ShowCategory gives them. Each way runs in a process of its own; prints one Markdown table row.
//   list_view_bench bare|toolkit [rows]
#include <windows.h>

#include "bench/bench_win32.h"
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

constexpr COLORREF EVEN_BACK = 0xC7FFFF, ODD_BACK = 0xD2FFFB, EVEN_FRONT = 0xAC7453, ODD_FRONT = 0;

struct Memory {
    double workingSet, pagefile;
};

Memory Now() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {(double)counters.WorkingSetSize, (double)counters.PagefileUsage};
}

void FillBare(HWND list, const std::vector<std::string>& texts) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, (WPARAM)texts.size(), 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = (int)i;
        item.pszText = (char*)texts[i].c_str();
        item.lParam = (LPARAM)(i % 2 ? ODD_BACK : EVEN_BACK);
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void FillToolkit(const std::vector<std::string>& texts) {
    GadgetBeginUpdate(2, (int)texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        AddItemWithColors(2, -1, texts[i].c_str(), i % 2 ? ODD_FRONT : EVEN_FRONT,
                          i % 2 ? ODD_BACK : EVEN_BACK);
    GadgetEndUpdate(2);
}

} // namespace

int main(int argc, char** argv) {
    bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    int rows = argc > 2 ? std::atoi(argv[2]) : 10000;
    std::vector<std::string> texts;
    for (int i = 0; i < rows; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "CONSTANT_%06d", i);
        texts.push_back(text);
    }
    StartToolkit();
    HWND window = (HWND)WindowOpen(1, 20, 20, 300, 410, WindowTitleBar | WindowCloseBox, "List view bench");
    BeginGadgets((PlatformHandle)window);
    HWND list = (HWND)AddListView(2, 5, 30, 290, 325, "Constants", 285, ListCheckBoxes);
    GadgetSetColor(2, BackColor, ODD_BACK);
    Pump();

    double seconds[2];
    Memory before = Now(), after = before;
    for (int fill = 0; fill < 2; ++fill) {
        if (fill) ClearItems(2);
        Pump();
        double start = Seconds();
        if (bare)
            FillBare(list, texts);
        else
            FillToolkit(texts);
        UpdateWindow(list);
        Pump();
        seconds[fill] = Seconds() - start;
        if (!fill) after = Now();
    }
    std::printf("| %s | %d | %.1f ms | %.1f ms | %+.1f MB | %+.1f MB |\n",
                bare ? "bare list view, colours in the item data (baseline)"
                     : "toolkit list, rows as `ShowCategory` adds them",
                rows, seconds[0] * 1000.0, seconds[1] * 1000.0, (after.workingSet - before.workingSet) / 1e6,
                (after.pagefile - before.pagefile) / 1e6);
    WindowClose(1);
    EndToolkit();
    return 0;
}
