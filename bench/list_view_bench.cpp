// Fills a toolkit list view with 10,000 coloured rows and clears it again, next to a bare Win32
// list view given the same rows in the same run. Prints figures only.
#include <windows.h>

#include "bench/bench_win32.h"
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

constexpr int ROWS = 10000;
constexpr COLORREF ODD_ROW = 0xC7FFFF, EVEN_ROW = 0xFFFFFF;

std::vector<std::string> RowTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < ROWS; ++i)
        texts.push_back("CONSTANT_NUMBER_" + std::to_string(i));
    return texts;
}

struct Timing {
    double fill, clear;
};

Timing Toolkit(const std::vector<std::string>& texts, bool bulk) {
    HWND window = (HWND)WindowOpen(1, 20, 20, 320, 400, 0x00C80000, "Toolkit list");
    BeginGadgets((PlatformHandle)window);
    HWND list = (HWND)AddListView(2, 5, 5, 310, 390, "Constants", 285, ListCheckBoxes);
    GadgetSetColor(2, BackColor, 0xD2FFFB);
    Pump();

    double start = Seconds();
    if (bulk) GadgetBeginUpdate(2, ROWS);
    for (int i = 0; i < ROWS; ++i) {
        AddItem(2, -1, texts[(size_t)i].c_str());
        ItemSetColor(2, i, BackColor, (int32_t)((i % 2) ? ODD_ROW : EVEN_ROW));
    }
    if (bulk) GadgetEndUpdate(2);
    UpdateWindow(list);
    Pump();
    double filled = Seconds();
    ClearItems(2);
    UpdateWindow(list);
    Pump();
    double cleared = Seconds();
    WindowClose(1);
    return {filled - start, cleared - filled};
}

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == NM_CUSTOMDRAW) {
        NMLVCUSTOMDRAW* draw = (NMLVCUSTOMDRAW*)lParam;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            draw->clrTextBk = (COLORREF)draw->nmcd.lItemlParam;
            return CDRF_DODEFAULT;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// inToolkitWindow: the list's parent is a toolkit window, so its notifications pass the toolkit's
// window procedure without reaching a gadget.
Timing Bare(const std::vector<std::string>& texts, bool inToolkitWindow) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BareListBench";
    RegisterClassA(&windowClass);
    HWND window = inToolkitWindow
                      ? (HWND)WindowOpen(3, 360, 20, 320, 400, 0x00C80000, "Bare list in a toolkit window")
                      : CreateWindowExA(0, "BareListBench", "Bare list", WS_CAPTION | WS_VISIBLE, 360, 20,
                                        330, 430, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS, 5,
                                5, 310, 390, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    SendMessageA(list, LVM_SETBKCOLOR, 0, 0xD2FFFB);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 285;
    column.pszText = (char*)"Constants";
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    Pump();

    double start = Seconds();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, ROWS, 0);
    for (int i = 0; i < ROWS; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = (char*)texts[(size_t)i].c_str();
        item.lParam = (LPARAM)((i % 2) ? ODD_ROW : EVEN_ROW);
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    Pump();
    double filled = Seconds();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    UpdateWindow(list);
    Pump();
    double cleared = Seconds();
    if (inToolkitWindow)
        WindowClose(3);
    else
        DestroyWindow(window);
    UnregisterClassA("BareListBench", GetModuleHandleA(nullptr));
    return {filled - start, cleared - filled};
}

} // namespace

int main() {
    StartToolkit();
    std::vector<std::string> texts = RowTexts();
    Timing bare = Bare(texts, false);
    Timing bareInToolkit = Bare(texts, true);
    Timing bulk = Toolkit(texts, true);

    std::printf("list view, %d coloured rows (seconds)\n", ROWS);
    std::printf("%-40s fill %8.3f   clear %8.3f\n", "bare Win32 list view", bare.fill, bare.clear);
    std::printf("%-40s fill %8.3f   clear %8.3f\n", "bare list view in a toolkit window", bareInToolkit.fill,
                bareInToolkit.clear);
    std::printf("%-40s fill %8.3f   clear %8.3f\n", "toolkit, GadgetBeginUpdate/EndUpdate", bulk.fill,
                bulk.clear);
    EndToolkit();
    return 0;
}
