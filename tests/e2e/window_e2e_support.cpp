#include "window_e2e_support.h"

#include "support/temp_dir.h"

bool ClickGadget(HWND window, int number) {
    return BringToForeground(window) && ClickWindowCentre(Gadget(window, number));
}

bool ClickCloseBox(HWND window) {
    POINT box = {};
    return BringToForeground(window) && CloseBoxPoint(window, &box) && LeftClickAt(box.x, box.y);
}

// A second click, should the first one get lost, is harmless: the window's loop ignores the main
// window's buttons.
static HWND OpenWindowByButton(RunningOrvane& run, int button, const char* title) {
    HWND window = nullptr;
    for (int attempt = 0; attempt < 3 && !window; attempt++) {
        if (!ClickGadget(run.main, button)) return nullptr;
        window = WaitForWindowTitled(title, 2000, run.process.id);
    }
    if (!window || !WaitUntil([&] { return IsWindowVisible(window) != 0; }, 3000)) return nullptr;
    SettleOrvane(run);
    return window;
}

HWND OpenEditor(RunningOrvane& run) {
    HWND editor = OpenWindowByButton(run, EDIT_BUTTON, EDITOR_TITLE);
    // The Find button is the last gadget made.
    return editor && WaitUntil([&] { return Gadget(editor, FIND_BUTTON) != nullptr; }, 3000) ? editor
                                                                                             : nullptr;
}

HWND OpenInfo(RunningOrvane& run) {
    HWND info = OpenWindowByButton(run, INFO_BUTTON, INFO_TITLE);
    return info && WaitUntil([&] { return Gadget(info, OK_BUTTON) != nullptr; }, 3000) ? info : nullptr;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = WaitForWindowTitled(MESSAGE_TITLE, timeoutMs, processId);
    if (box && WaitUntil([&] { return IsWindowVisible(box) != 0; }, 2000)) Sleep(150);
    return box;
}

static BOOL CALLBACK CollectStaticText(HWND child, LPARAM found) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    std::string text = WindowTextOf(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) *(std::string*)found += text;
    return TRUE;
}

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, (LPARAM)&text);
    return text;
}

bool DismissMessageBox(HWND box) {
    if (!BringToForeground(box) || !PressKey(VK_RETURN)) return false;
    return WaitUntil([&] { return !IsWindow(box); }, 3000);
}

void ExpectRefusedSave(HWND editorWindow, DWORD processId, const std::string& original,
                       const std::string& folder) {
    ASSERT_TRUE(ClickGadget(editorWindow, SAVE_BUTTON));
    HWND box = WaitForMessageBox(processId, 5000);
    ASSERT_TRUE(box) << "no message about the failed save";
    std::string text = MessageBoxText(box);
    EXPECT_NE(text.find("could not be saved"), std::string::npos) << text;
    EXPECT_NE(text.find("still in the editor"), std::string::npos) << text;
    ASSERT_TRUE(DismissMessageBox(box));

    EXPECT_TRUE(IsWindow(editorWindow));
    EXPECT_EQ(WindowTextOf(Gadget(editorWindow, EDITOR_TEXT)), "new " + original);
    EXPECT_EQ(ReadDataFile(folder, "constants.ovc"), original);
    EXPECT_FALSE(DataFileExists(folder, "constants.ovc.saving"));
}

// The picture as a bitmap file of 24 bits a pixel.
static bool WriteBitmapFile(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD rowBytes = ((DWORD)width * 3 + 3) & ~3u;
    std::string pixels((size_t)rowBytes * height, '\0');
    if (!GetDIBits(dc, bitmap, 0, (UINT)height, &pixels[0], (BITMAPINFO*)&header, DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + (DWORD)pixels.size();
    std::string bytes((const char*)&file, sizeof file);
    bytes.append((const char*)&header, sizeof header);
    return WriteWholeFile(path, bytes + pixels);
}

void SaveScreenshotIfWanted(HWND window, const std::string& name) {
    std::string folder = FolderFromEnvironment("ORVANE_SCREENSHOT_DIR");
    if (folder.empty() || !BringToForeground(window)) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500); // the window's process paints at its own pace
    RECT r = OuterRect(window);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    WriteBitmapFile(folder + name + ".bmp", memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
