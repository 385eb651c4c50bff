// The one window procedure of every toolkit window, the blocking event call, and keyboard focus
// movement with Tab. All windows share one thread and one event record: the procedure records what
// a message meant, and WaitEvent hands it to whichever loop is running.
#include "toolkit/toolkit_internal.h"

#include <vector>

// The names the application uses stand for the platform's own numbers.
static_assert(TOOLKIT_MESSAGE_BASE == WM_APP && EVENT_CLOSE == WM_CLOSE && EVENT_KEYDOWN == WM_KEYDOWN &&
                  EVENT_RBUTTONDOWN == WM_RBUTTONDOWN,
              "toolkit event numbers");

EventStateRecord EventState;

std::intptr_t EventWParam() {
    return (std::intptr_t)EventState.lastWParam;
}
int EventGadgetNumber() {
    return EventState.objectNumber;
}
int EventMenuNumber() {
    return EventState.objectNumber;
}
int EventType() {
    return EventState.eventType;
}
int EventWindowNumber() {
    return EventState.windowNumber;
}

// ---- Tab navigation --------------------------------------------------------------------------------

struct FocusWalk {
    HWND current;
    std::vector<HWND> candidates;
    int candidatesBeforeCurrent; // -1 until the current control has been passed
    bool complete;               // false when memory ran out before every window was seen
};

// Stops the walk when memory runs out: the focus then stays where it is.
static BOOL CALLBACK CollectCandidate(HWND window, LPARAM data) {
    FocusWalk* walk = (FocusWalk*)data;
    if (window == walk->current) walk->candidatesBeforeCurrent = (int)walk->candidates.size();
    bool tabStop = (GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0;
    if (tabStop && IsWindowEnabled(window) && IsWindowVisible(window))
        walk->complete = FailOnNoMemory(false, [&] {
            walk->candidates.push_back(window);
            return true;
        });
    return walk->complete;
}

// Forward: the first candidate after the focused control, wrapping to the first. Backward: the one
// just before it, wrapping to the last. Candidates are enabled, visible tab stops among the active
// window's descendants, in enumeration order.
static void MoveFocus(bool forward) {
    HWND active = GetActiveWindow();
    if (!active) return;
    HWND focus = GetFocus();
    FocusWalk walk;
    walk.current = (focus && IsChild(active, focus)) ? focus : nullptr;
    walk.candidatesBeforeCurrent = -1;
    walk.complete = true;
    EnumChildWindows(active, CollectCandidate, (LPARAM)&walk);
    if (walk.candidates.empty() || !walk.complete) return;

    size_t count = walk.candidates.size();
    HWND target;
    if (walk.candidatesBeforeCurrent < 0) {
        target = forward ? walk.candidates.front() : walk.candidates.back();
    } else {
        size_t before = (size_t)walk.candidatesBeforeCurrent; // index of the current control, if it is one
        bool currentIsCandidate = before < count && walk.candidates[before] == walk.current;
        if (forward) {
            size_t next = currentIsCandidate ? before + 1 : before;
            target = next < count ? walk.candidates[next] : walk.candidates.front();
        } else {
            target = before > 0 ? walk.candidates[before - 1] : walk.candidates.back();
        }
    }
    SetFocus(target);
}

// ---- The window procedure --------------------------------------------------------------------------

static CloseAnswerFunction CloseAnswer = nullptr; // WindowSetCloseAnswer

void WindowSetCloseAnswer(CloseAnswerFunction answer) {
    CloseAnswer = answer;
}

// A close request keeps the window it was for, which messages for other windows handled before it
// is handed out do not change.
bool RecordEvent(int code) {
    if (EventState.pendingEvent == WM_CLOSE) return false;
    EventState.pendingEvent = code;
    if (code == WM_CLOSE) EventState.closeWindow = EventState.windowNumber;
    return true;
}

// Hands out the pending event; a close request with the number of the window it was for.
static int TakePendingEvent() {
    int code = EventState.pendingEvent;
    EventState.pendingEvent = 0;
    if (code == WM_CLOSE) EventState.windowNumber = EventState.closeWindow;
    return code;
}

static bool OfferToGadget(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return control && GadgetOfferParentMessage(control, message, wParam, lParam, result);
}

static void HandleCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = (HWND)lParam;
    WORD code = HIWORD(wParam);
    if (control) {
        RecordEvent(EVENT_GADGET);
        EventState.eventType = code;
        EventState.objectNumber = GetDlgCtrlID(control);
    } else if (code == 0) {
        RecordEvent(EVENT_MENU);
        EventState.objectNumber = LOWORD(wParam);
    } else if (code == 1) {
        WORD command = LOWORD(wParam);
        if (command == CMD_FOCUS_NEXT) {
            MoveFocus(true);
        } else if (command == CMD_FOCUS_PREVIOUS) {
            MoveFocus(false);
        } else {
            RecordEvent(EVENT_MENU);
            EventState.objectNumber = command;
        }
    }
}

// Whether the message makes an event of the window, which then notes the window's number. Only those
// read the number: the system may ask for it thousands of times a second, and some systems answer
// a window property slowly.
static bool MakesAnEvent(UINT message) {
    switch (message) {
    case WM_CLOSE:
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_COMMAND:
    case MSG_GADGET_EVENT:
        return true;
    }
    return false;
}

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (MakesAnEvent(message)) EventState.windowNumber = ToolkitWindowNumberOf(window);
    LRESULT result = 0;

    switch (message) {
    case WM_CLOSE:
    case WM_MOVE: {
        // WM_CLOSE never destroys the window by itself: the application decides, and its answer
        // tells the sender what it will do.
        int number = EventState.windowNumber;
        RecordEvent((int)message);
        // Sent from another thread (a new instance closing this one), the message is handled
        // inside GetMessage, which keeps waiting for a posted one: wake it so that WaitEvent
        // hands the event over now rather than at the next input.
        if (InSendMessage()) PostMessageA(window, WM_NULL, 0, 0);
        return message == WM_CLOSE && CloseAnswer ? (LRESULT)CloseAnswer(number) : 0;
    }

    case WM_DPICHANGED:
        WindowFollowDpi(window, HIWORD(wParam), (const RECT*)lParam);
        return 0;

    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) break;
        EventState.queuedEvent = WM_SIZE;
        EventState.queuedWindow = EventState.windowNumber;
        return 0;

    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            EventState.queuedEvent = EVENT_ACTIVATE;
            EventState.queuedWindow = EventState.windowNumber;
        }
        return 1;

    case WM_COMMAND:
        if (lParam && OfferToGadget((HWND)lParam, message, wParam, lParam, &result)) return 0;
        HandleCommand(wParam, lParam);
        return 0;

    case WM_NOTIFY: {
        // The default answer to every notification is 0; a list view sends several per row.
        NMHDR* header = (NMHDR*)lParam;
        if (header && OfferToGadget(header->hwndFrom, message, wParam, lParam, &result)) return result;
        return 0;
    }

    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case MSG_GADGET_NOTE:
        if (OfferToGadget((HWND)lParam, message, wParam, lParam, &result)) return result;
        break;

    case MSG_GADGET_EVENT:
        RecordEvent(EVENT_GADGET);
        EventState.objectNumber = (int)wParam;
        EventState.eventType = (int)lParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- WaitEvent -------------------------------------------------------------------------------------

static bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

static bool FocusIsRichEdit() {
    HWND focus = GetFocus();
    char className[8] = {0};
    return focus && GetClassNameA(focus, className, sizeof className) >= 4 && className[0] == 'R' &&
           className[1] == 'i' && className[2] == 'c' && className[3] == 'h';
}

// A plain Tab reaches a rich edit control as a character; everywhere else the active toolkit
// window's accelerators turn Tab and Shift+Tab into focus moves.
static HACCEL AcceleratorsFor(HWND* target) {
    bool plainTab = KeyDown(VK_TAB) && !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU);
    if (plainTab && FocusIsRichEdit()) return nullptr;
    HWND active = GetActiveWindow();
    if (!active) return nullptr;
    WindowSlot* slot = ObjectFind(WindowTable, ToolkitWindowNumberOf(active));
    if (!slot || slot->handle != active) return nullptr;
    *target = active;
    return slot->accelerators;
}

int WaitEvent() {
    EventState.eventType = -1;
    if (EventState.queuedEvent) {
        int code = EventState.queuedEvent;
        EventState.windowNumber = EventState.queuedWindow;
        EventState.queuedEvent = 0;
        RecordEvent(0); // anything recorded meanwhile is dropped; a close request waits
        return code;
    }
    // A close request recorded outside a dispatch (while a message box was up, or while the loop
    // handled its last event) is handed out at once, without waiting for another message.
    if (EventState.pendingEvent == WM_CLOSE) return TakePendingEvent();

    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) == -1) return 0;

    HWND target = nullptr;
    HACCEL accelerators = AcceleratorsFor(&target);
    // Return on a push button presses it, as in a dialog; Escape while a combo box's list is open
    // closes the list. Either is no key of its own then: the gadget's events report it.
    bool taken =
        msg.message == WM_KEYDOWN && ((msg.wParam == VK_RETURN && ButtonPressedByReturn(msg.hwnd)) ||
                                      (msg.wParam == VK_ESCAPE && ComboListClosedByEscape(msg.hwnd)));
    if (!taken && (!accelerators || !TranslateAcceleratorA(target, accelerators, &msg))) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    if (EventState.pendingEvent) return TakePendingEvent();
    if (taken) return WM_NULL;
    EventState.lastWParam = msg.wParam;
    return (int)msg.message;
}
