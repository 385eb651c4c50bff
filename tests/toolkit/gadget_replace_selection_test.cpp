#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "toolkit/toolkit.h"
#include "toolkit/toolkit_test_support.h"

namespace {

// An edit control on a thread that stops answering messages for a while, as a hung editor would.
struct BusyEditor {
    HWND edit = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;
    int busyMs = 0;

    static DWORD WINAPI Run(void* data) {
        BusyEditor* self = (BusyEditor*)data;
        self->edit =
            CreateWindowExA(0, "Edit", "abc", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
        SetEvent(self->ready);
        Sleep((DWORD)self->busyMs);
        PumpMessages();
        DestroyWindow(self->edit);
        return 0;
    }
    explicit BusyEditor(int ms) : busyMs(ms) {
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitForSingleObject(ready, 5000);
    }
    ~BusyEditor() {
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        CloseHandle(ready);
    }
};

TEST(WindowReplaceSelection, ReplacesTheSelectionOfAnEditControl) {
    HWND edit = CreateWindowExA(0, "Edit", "hello world", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, EM_SETSEL, 6, 11);
    EXPECT_EQ(WindowSelectedText((PlatformHandle)edit, 5, 1000), "world");
    EXPECT_EQ(WindowSelectedText((PlatformHandle)edit, 4, 1000), ""); // longer than asked for
    EXPECT_EQ(WindowReplaceSelection((PlatformHandle)edit, "there", 1000), PASTE_LANDED);
    EXPECT_EQ(WindowTextOf(edit), "hello there");
    EXPECT_EQ(WindowSelectedText((PlatformHandle)edit, 5, 1000), ""); // nothing selected
    SendMessageA(edit, EM_SETSEL, 0, 0);
    EXPECT_EQ(WindowReplaceSelection((PlatformHandle)edit, "A|B ", 1000), PASTE_LANDED);
    EXPECT_EQ(WindowTextOf(edit), "A|B hello there");
    DestroyWindow(edit);

    EXPECT_EQ(WindowReplaceSelection((PlatformHandle)edit, "gone", 1000), PASTE_NO_WINDOW);
    EXPECT_EQ(WindowReplaceSelection(0, "none", 1000), PASTE_NO_WINDOW);
    EXPECT_EQ(WindowSelectedText((PlatformHandle)edit, 5, 1000), "");
}

TEST(WindowReplaceSelection, GivesUpOnAWindowThatDoesNotAnswer) {
    BusyEditor busy(2500);
    ASSERT_NE(busy.edit, nullptr);
    DWORD start = GetTickCount();
    EXPECT_EQ(WindowReplaceSelection((PlatformHandle)busy.edit, "late", 200), PASTE_NO_ANSWER);
    EXPECT_EQ(WindowSelectedText((PlatformHandle)busy.edit, 5, 200), "");
    EXPECT_LT(GetTickCount() - start, 2000u) << "waited for the busy thread instead of giving up";
}

TEST(EditorCreation, MessagesWaitingBeforeTheEditorAreHandledWithoutAnEvent) {
    HWND window = OpenGadgetWindow(5);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, MSG_GADGET_EVENT, 33, 7);
    ASSERT_NE(AddEditor(51, 10, 10, 200, 100), 0);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, window, MSG_GADGET_EVENT, MSG_GADGET_EVENT, PM_NOREMOVE));
    std::vector<SeenEvent> events;
    RunEventsUntil(nullptr, 200, &events);
    for (const SeenEvent& e : events)
        EXPECT_FALSE(e.code == EVENT_GADGET && e.number == 33);

    // A close request waiting there is not swallowed with them.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_NE(AddEditor(52, 10, 120, 200, 100), 0);
    EXPECT_TRUE(RunEventsUntil([](const SeenEvent& e) { return e.code == WM_CLOSE; }, 1000));
    WindowClose(5);
}

} // namespace
