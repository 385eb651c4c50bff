#include "support/fake_toolkit.h"

#include <algorithm>
#include <cstring>

FakeToolkit Fake;

void FakeReset() {
    Fake = FakeToolkit();
}

FakeGadget& FakeAddGadget(int number, int kind) {
    FakeGadget& g = Fake.gadgets[number];
    g = FakeGadget();
    g.kind = kind;
    return g;
}

std::vector<std::string> FakeCallsStartingWith(const std::string& prefix) {
    std::vector<std::string> result;
    for (const std::string& c : Fake.calls)
        if (c.compare(0, prefix.size(), prefix) == 0) result.push_back(c);
    return result;
}

static void Record(const std::string& call) {
    Fake.calls.push_back(call);
}
static std::string Str(const char* text) {
    return text ? std::string(text) : std::string();
}
static FakeGadget* Find(int number) {
    auto it = Fake.gadgets.find(number);
    return it == Fake.gadgets.end() ? nullptr : &it->second;
}

// Windows, events, creation: the portable code does not open windows; answer as with no window.
void StartToolkit() {
    Record("StartToolkit()");
}
void EndToolkit() {
    Record("EndToolkit()");
}
PlatformHandle WindowOpen(int, int, int, int, int, uint32_t, const char*) {
    return 0;
}
void WindowClose(int) {}
void WindowResize(int, int, int, int, int) {}
void WindowHide(int, int) {}
PlatformHandle WindowHandle(int) {
    return 0;
}
int WindowLeft(int) {
    return 0;
}
int WindowTop(int) {
    return 0;
}
int WaitEvent() {
    return EVENT_CLOSE;
}
std::intptr_t EventWParam() {
    return 0;
}
int EventGadgetNumber() {
    return 0;
}
int EventMenuNumber() {
    return 0;
}
int EventType() {
    return 0;
}
int EventWindowNumber() {
    return 0;
}
PlatformHandle KeyboardFocus() {
    return 0;
}
void SetKeyboardFocus(PlatformHandle) {}
PlatformHandle BeginGadgets(PlatformHandle parent) {
    return parent;
}
PlatformHandle AddComboBox(int, int, int, int, int, uint32_t) {
    return 0;
}
PlatformHandle AddListView(int, int, int, int, int, const char*, int, uint32_t) {
    return 0;
}
PlatformHandle AddButton(int, int, int, int, int, const char*, uint32_t) {
    return 0;
}
PlatformHandle AddImageBox(int, int, int, int, int, PlatformHandle, uint32_t) {
    return 0;
}
PlatformHandle AddTextBox(int, int, int, int, int, const char*, uint32_t) {
    return 0;
}
PlatformHandle AddEditor(int, int, int, int, int, uint32_t) {
    return 0;
}
PlatformHandle AddTextField(int, int, int, int, int, const char*, uint32_t) {
    return 0;
}

PlatformHandle GadgetHandle(int number) {
    return Find(number) ? (PlatformHandle)(0x1000 + number) : 0;
}
bool GadgetHasFocus(int) {
    return false;
}
void GadgetSetFont(int, PlatformHandle) {}

void GadgetSetText(int number, const char* text) {
    Record("GadgetSetText(" + std::to_string(number) + "," + Str(text) + ")");
    if (FakeGadget* g = Find(number)) g->text = Str(text);
}

std::string GadgetText(int number) {
    FakeGadget* g = Find(number);
    return g ? g->text : std::string();
}

void GadgetSetState(int number, int state) {
    Record("GadgetSetState(" + std::to_string(number) + "," + std::to_string(state) + ")");
    FakeGadget* g = Find(number);
    if (!g) return;
    if (g->kind == KIND_COMBO_BOX && state >= 0 && state < (int)g->items.size())
        g->text = g->items[(size_t)state];
}

void GadgetSetColor(int number, int attribute, int32_t colour) {
    Record("GadgetSetColor(" + std::to_string(number) + "," + std::to_string(attribute) + "," +
           std::to_string(colour) + ")");
    if (FakeGadget* g = Find(number)) (attribute == FrontColor ? g->front : g->back) = colour;
}

void AddItem(int number, int position, const char* text) {
    Record("AddItem(" + std::to_string(number) + "," + std::to_string(position) + "," + Str(text) + ")");
    FakeGadget* g = Find(number);
    if (!g) return;
    if (g->kind == KIND_LIST_VIEW) {
        FakeRow row;
        row.text = Str(text).substr(0, Str(text).find('\n'));
        if (position < 0 || position > (int)g->rows.size())
            g->rows.push_back(row);
        else
            g->rows.insert(g->rows.begin() + position, row);
    } else if (g->kind == KIND_COMBO_BOX) {
        if (position < 0 || position > (int)g->items.size())
            g->items.push_back(Str(text));
        else
            g->items.insert(g->items.begin() + position, Str(text));
    }
}

void ClearItems(int number) {
    Record("ClearItems(" + std::to_string(number) + ")");
    FakeGadget* g = Find(number);
    if (!g) return;
    g->rows.clear();
    g->items.clear();
    if (g->kind == KIND_COMBO_BOX) g->text.clear();
}

int ItemCount(int number) {
    FakeGadget* g = Find(number);
    if (!g) return 0;
    return g->kind == KIND_LIST_VIEW ? (int)g->rows.size() : (int)g->items.size();
}

int ItemState(int number, int item) {
    FakeGadget* g = Find(number);
    if (!g || g->kind != KIND_LIST_VIEW || item < 0 || item >= (int)g->rows.size()) return 0;
    return g->rows[(size_t)item].state;
}

std::string ItemText(int number, int item, int) {
    FakeGadget* g = Find(number);
    if (!g || item < 0) return std::string();
    if (g->kind == KIND_LIST_VIEW)
        return item < (int)g->rows.size() ? g->rows[(size_t)item].text : std::string();
    return item < (int)g->items.size() ? g->items[(size_t)item] : std::string();
}

void ItemSetState(int number, int item, int state) {
    Record("ItemSetState(" + std::to_string(number) + "," + std::to_string(item) + "," +
           std::to_string(state) + ")");
    FakeGadget* g = Find(number);
    if (g && g->kind == KIND_LIST_VIEW && item >= 0 && item < (int)g->rows.size())
        g->rows[(size_t)item].state = state;
}

void ItemSetColor(int number, int item, int attribute, int32_t colour) {
    Record("ItemSetColor(" + std::to_string(number) + "," + std::to_string(item) + "," +
           std::to_string(attribute) + "," + std::to_string(colour) + ")");
    FakeGadget* g = Find(number);
    if (!g || g->kind != KIND_LIST_VIEW) return;
    for (size_t i = 0; i < g->rows.size(); i++) {
        if (item != -1 && (int)i != item) continue;
        (attribute == FrontColor ? g->rows[i].front : g->rows[i].back) = colour;
    }
}

void AddItemWithColors(int number, int position, const char* text, int32_t front, int32_t back) {
    Record("AddItemWithColors(" + std::to_string(number) + "," + std::to_string(position) + "," + Str(text) +
           "," + std::to_string(front) + "," + std::to_string(back) + ")");
    FakeGadget* g = Find(number);
    if (!g) return;
    size_t before = g->rows.size();
    AddItem(number, position, text);
    Fake.calls.pop_back(); // one call, recorded above
    if (g->rows.size() == before) return;
    FakeRow& row = g->rows[position < 0 || position > (int)before ? before : (size_t)position];
    row.front = front;
    row.back = back;
}

void GadgetBeginUpdate(int number, int expectedItems) {
    Record("GadgetBeginUpdate(" + std::to_string(number) + "," + std::to_string(expectedItems) + ")");
}
void GadgetEndUpdate(int number) {
    Record("GadgetEndUpdate(" + std::to_string(number) + ")");
}

// Sorted as the platform's sorted combo box keeps it: case-insensitive, stable among equals.
void ComboBoxAddSorted(int number, const char* text) {
    Record("ComboBoxAddSorted(" + std::to_string(number) + "," + Str(text) + ")");
    FakeGadget* g = Find(number);
    if (!g) return;
    std::string t = Str(text);
    auto lower = [](std::string s) {
        for (char& c : s)
            c = (char)((c >= 'A' && c <= 'Z') ? c + 32 : c);
        return s;
    };
    auto at =
        std::upper_bound(g->items.begin(), g->items.end(), t,
                         [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
    g->items.insert(at, t);
}

void ComboBoxSelectEditRange(int number, int start, int end) {
    Record("ComboBoxSelectEditRange(" + std::to_string(number) + "," + std::to_string(start) + "," +
           std::to_string(end) + ")");
    if (FakeGadget* g = Find(number)) {
        g->selectionStart = start;
        g->selectionEnd = end < 0 ? (int)g->text.size() : end;
    }
}

PasteOutcome WindowReplaceSelection(PlatformHandle window, const char* text, int timeoutMs) {
    Record("WindowReplaceSelection(" + std::to_string(window) + "," + Str(text) + "," +
           std::to_string(timeoutMs) + ")");
    Fake.replaceSelections.push_back({window, Str(text)});
    return Fake.replaceSelectionOutcome;
}

std::string WindowSelectedText(PlatformHandle window, int maxBytes, int timeoutMs) {
    Record("WindowSelectedText(" + std::to_string(window) + "," + std::to_string(maxBytes) + "," +
           std::to_string(timeoutMs) + ")");
    return (int)Fake.editorSelection.size() <= maxBytes ? Fake.editorSelection : std::string();
}

PlatformHandle PopupMenuCreate(int) {
    return 0;
}
void MenuAddItem(int, const char*) {}
void PopupMenuShow(int, PlatformHandle) {}
PlatformHandle FontLoad(int, const char*, int, uint32_t) {
    return 0;
}
void FontFree(int) {}
PlatformHandle ImageFromMemory(int, const void*, size_t) {
    return 0;
}

bool ClipboardSetText(const char* text) {
    Record("ClipboardSetText(" + Str(text) + ")");
    if (Fake.clipboardRefuses) return false;
    Fake.clipboardHasText = true;
    Fake.clipboard = Str(text);
    return true;
}

std::string ClipboardText() {
    return Fake.clipboardHasText ? Fake.clipboard : std::string();
}

PlatformHandle FileOpenRead(int, const char*) {
    return 0;
}
PlatformHandle FileCreate(int, const char*) {
    return 0;
}
int64_t FileLength(int) {
    return 0;
}
int64_t FileRead(int, void*, int64_t) {
    return 0;
}
int64_t FileWrite(int, const void*, int64_t) {
    return 0;
}
void FileClose(int) {}
FileStampInfo FileStamp(const char*) {
    return FileStampInfo();
}

int ScreenWidth() {
    return Fake.screenWidth;
}
int ScreenScaled(int figure) {
    return (figure * Fake.dpi + 48) / 96;
}

// The first monitor touched stands in for the one that shows the most: the tests' monitors are
// side by side, and each case lies mostly on the first it touches.
bool WorkAreaUnder(ScreenRect r, ScreenRect* workArea) {
    for (const std::vector<int>& m : Fake.monitors)
        if (r.left < m[2] && r.right > m[0] && r.top < m[3] && r.bottom > m[1]) {
            *workArea =
                m.size() == 8 ? ScreenRect{m[4], m[5], m[6], m[7]} : ScreenRect{m[0], m[1], m[2], m[3]};
            return true;
        }
    return false;
}

// The frame of a captioned, fixed-size window at 96 dpi under the default theme.
void WindowOuterSize(int clientWidth, int clientHeight, uint32_t, int* outerWidth, int* outerHeight) {
    if (outerWidth) *outerWidth = clientWidth + 6;
    if (outerHeight) *outerHeight = clientHeight + 25;
}
