// Report list with optional check boxes and per-row colours. A row's colours live in a small record
// in its item data and are looked up while the row is drawn (NM_CUSTOMDRAW).
#include "toolkit/toolkit_internal.h"

#include <climits>
#include <memory>
#include <vector>

namespace {

// The colours of one cell, each colour + 1 so that 0 means "not set" and black is stored as 1.
struct CellColours {
    uint32_t front;
    uint32_t back;
};

// Colour record of a row, its item data.
struct ColourRecord {
    std::vector<CellColours> columns; // one per column the list had when the record was made
};

// Every colour record a list handed out, so that clearing and destroying free them all at once.
// Rows added with their colours share one record per pair of colours (and column count); a row
// whose colours change later gets a record of its own.
struct ListData {
    std::vector<std::unique_ptr<ColourRecord>> records; // every record handed out, freed with the rows
    std::vector<ColourRecord*> shared;                  // those of them rows added with their colours share
    int bulkColumns;       // the column count during a bulk change, 0 outside one
    int designColumnWidth; // the first column's width as the application gave it, for 96 dpi
};

bool HaveDefaultColours;
COLORREF DefaultTextColour, DefaultBackColour;

// Made with the list by AddListView.
ListData* DataOf(GadgetSlot* g) {
    return (ListData*)g->kindData;
}

void FreeRecords(GadgetSlot* g) {
    ListData* data = (ListData*)g->kindData;
    if (!data) return;
    data->records.clear();
    data->shared.clear();
}

int RowCount(GadgetSlot* g) {
    return (int)SendMessageA(g->handle, LVM_GETITEMCOUNT, 0, 0);
}

int ColumnCount(GadgetSlot* g) {
    HWND header = (HWND)SendMessageA(g->handle, LVM_GETHEADER, 0, 0);
    int count = header ? (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    return count < 1 ? 1 : count;
}

bool IsReportView(GadgetSlot* g) {
    return (GetWindowLongPtrA(g->handle, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

ColourRecord* RecordOf(GadgetSlot* g, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(g->handle, LVM_GETITEMA, 0, (LPARAM)&item)) return nullptr;
    return (ColourRecord*)item.lParam;
}

bool IsShared(GadgetSlot* g, const ColourRecord* record) {
    for (const ColourRecord* shared : DataOf(g)->shared)
        if (shared == record) return true;
    return false;
}

// A new record of that many columns, each of those colours (none set unless given), kept among the
// list's records; std::bad_alloc when memory ran out. (A record kept but given to no row waits for
// the list to be cleared.)
ColourRecord* NewRecord(GadgetSlot* g, size_t columns, CellColours colours = {0, 0}) {
    auto record = std::make_unique<ColourRecord>();
    record->columns.assign(columns, colours);
    DataOf(g)->records.push_back(std::move(record));
    return DataOf(g)->records.back().get();
}

// A record of the row's own, copying the colours of the record it had (if any).
ColourRecord* CreateRecord(GadgetSlot* g, int row, const ColourRecord* copyOf) {
    ColourRecord* record = NewRecord(g, (size_t)ColumnCount(g));
    for (size_t column = 0; copyOf && column < record->columns.size() && column < copyOf->columns.size();
         ++column)
        record->columns[column] = copyOf->columns[column];
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = (LPARAM)record;
    return SendMessageA(g->handle, LVM_SETITEMA, 0, (LPARAM)&item) ? record : nullptr;
}

// The shared record of a pair of colours, as ItemSetColor would store them in every column.
ColourRecord* SharedRecord(GadgetSlot* g, int32_t front, int32_t back) {
    ListData* data = DataOf(g);
    size_t columns = (size_t)(data->bulkColumns > 0 ? data->bulkColumns : ColumnCount(g));
    CellColours stored = {front < 0 ? 0 : (uint32_t)front + 1, back < 0 ? 0 : (uint32_t)back + 1};
    for (ColourRecord* record : data->shared)
        if (record->columns.size() == columns && record->columns[0].front == stored.front &&
            record->columns[0].back == stored.back)
            return record;
    ColourRecord* record = NewRecord(g, columns, stored);
    data->shared.push_back(record);
    return record;
}

void RedrawAll(GadgetSlot* g) {
    if (g->updateDepth > 0) return; // the end of the bulk change redraws
    RedrawWindow(g->handle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_INTERNALPAINT);
}

void SuspendRedraw(GadgetSlot* g) {
    if (g->updateDepth++ == 0) SendMessageA(g->handle, WM_SETREDRAW, FALSE, 0);
}

// What the list's frame shows of its scroll bars.
struct ScrollBars {
    LONG_PTR shown;
    SCROLLINFO bar[2];
    bool operator==(const ScrollBars& o) const {
        for (int i = 0; i < 2; i++)
            if (bar[i].nMin != o.bar[i].nMin || bar[i].nMax != o.bar[i].nMax ||
                bar[i].nPage != o.bar[i].nPage || bar[i].nPos != o.bar[i].nPos)
                return false;
        return shown == o.shown;
    }
};

ScrollBars ScrollBarsOf(HWND list) {
    ScrollBars bars = {};
    bars.shown = GetWindowLongPtrA(list, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
    for (int i = 0; i < 2; i++) {
        bars.bar[i].cbSize = sizeof(SCROLLINFO);
        bars.bar[i].fMask = SIF_ALL;
        GetScrollInfo(list, i == 0 ? SB_HORZ : SB_VERT, &bars.bar[i]);
    }
    return bars;
}

void ResumeRedraw(GadgetSlot* g) {
    if (g->updateDepth <= 0) return;
    if (--g->updateDepth > 0) return;
    HWND list = g->handle;
    if (!(GetWindowLongPtrA(list, GWL_STYLE) & WS_VISIBLE)) {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        return;
    }
    // Switched back on, the list sets its scroll bars again, and some platforms (Wine) draw them each
    // time whether or not they changed, four times over at the cost of a whole repaint each. The
    // window's own drawing stays off meanwhile; its frame is drawn again only when the scroll bars
    // changed, and the rows always.
    ScrollBars before = ScrollBarsOf(list);
    DefWindowProcA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    DefWindowProcA(list, WM_SETREDRAW, TRUE, 0);
    UINT frame = RDW_FRAME;
    if (ScrollBarsOf(list) == before) {
        RedrawWindow(list, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
        frame = RDW_NOFRAME;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | frame);
}

// Reads one cell whole: the buffer starts at the longest text seen and grows while the cell fills it.
std::string CellText(GadgetSlot* g, int row, int column) {
    std::vector<char> buffer(g->longestText + 1 < 64 ? 64 : g->longestText + 1);
    for (;;) {
        buffer[0] = '\0';
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = (int)buffer.size();
        LRESULT copied = SendMessageA(g->handle, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
        if (copied < 0) copied = 0;
        if ((size_t)copied + 1 < buffer.size() || buffer.size() >= (size_t)0x7FFFFFFF / 2)
            return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
        buffer.assign(buffer.size() * 2, '\0');
    }
}

// Inserts the row with the record as its item data (none: 0); the text up to the first line feed
// is column 0, each further part the next column.
void InsertRow(GadgetSlot* g, int position, const char* text, ColourRecord* record) {
    // A place past the last row appends: the list need not be asked for its count first.
    if (position < 0) position = INT_MAX;
    // With line feeds, a copy of the text made before the row goes in holds the parts, each ended
    // by a zero byte.
    std::string parts;
    size_t length = strlen(text);
    if (memchr(text, '\n', length)) {
        parts.assign(text, length);
        for (char& c : parts)
            if (c == '\n') c = '\0';
        text = parts.c_str();
    }

    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = position;
    item.pszText = (char*)text;
    item.lParam = (LPARAM)record;
    int row = (int)SendMessageA(g->handle, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (row < 0) return;
    int columns = parts.empty() ? 1 : ColumnCount(g);
    const char* end = text + length; // the zero byte after the last part
    for (int column = 0; text <= end; ++column) {
        size_t partLength = strlen(text);
        if (partLength > g->longestText) g->longestText = partLength;
        if (column > 0 && column < columns) {
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = (char*)text;
            SendMessageA(g->handle, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&cell);
        }
        text += partLength + 1;
    }
}

void ListAddItem(int, GadgetSlot* g, int position, const char* text) {
    InsertRow(g, position, text, nullptr);
}

void ListAddItemWithColors(int, GadgetSlot* g, int position, const char* text, int32_t front, int32_t back) {
    InsertRow(g, position, text, SharedRecord(g, front, back));
}

void ListClearItems(int, GadgetSlot* g) {
    SuspendRedraw(g);
    FreeRecords(g);
    SendMessageA(g->handle, LVM_DELETEALLITEMS, 0, 0);
    g->longestText = 0;
    ResumeRedraw(g);
}

int ListCountItems(int, GadgetSlot* g) {
    return RowCount(g);
}

// The state image of a row's state: 2 is the ticked box, 1 the empty one.
UINT StateImageIndex(UINT state) {
    return (state & LVIS_STATEIMAGEMASK) >> 12;
}

bool HasCheckBoxes(GadgetSlot* g) {
    return (SendMessageA(g->handle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
}

int ListItemState(int, GadgetSlot* g, int row) {
    if (row < 0 || row >= RowCount(g)) return 0;
    UINT state =
        (UINT)SendMessageA(g->handle, LVM_GETITEMSTATE, (WPARAM)row, LVIS_SELECTED | LVIS_STATEIMAGEMASK);
    int result = 0;
    if (state & LVIS_SELECTED) result |= ItemSelected;
    if (HasCheckBoxes(g) && StateImageIndex(state) == 2) result |= ItemChecked;
    return result;
}

void ListSetItemState(int, GadgetSlot* g, int row, int state) {
    if (row < 0 || row >= RowCount(g)) return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = (state & ItemSelected) ? LVIS_SELECTED : 0;
    if (HasCheckBoxes(g)) {
        item.stateMask |= LVIS_STATEIMAGEMASK;
        item.state |= INDEXTOSTATEIMAGEMASK((state & ItemChecked) ? 2 : 1);
    }
    SendMessageA(g->handle, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)&item);
}

std::string ListItemText(int, GadgetSlot* g, int row, int column) {
    if (row < 0 || row >= RowCount(g) || column < 0) return "";
    return CellText(g, row, column);
}

int FirstSelectedRow(GadgetSlot* g) {
    return (int)SendMessageA(g->handle, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

std::string ListGetText(int, GadgetSlot* g) {
    int row = FirstSelectedRow(g);
    return row < 0 ? std::string() : CellText(g, row, 0);
}

void ListSetText(int, GadgetSlot* g, const char* text) {
    int row = FirstSelectedRow(g);
    if (row < 0) return;
    LVITEMA cell = {};
    cell.pszText = (char*)text;
    SendMessageA(g->handle, LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&cell);
    size_t length = strlen(text);
    if (length > g->longestText) g->longestText = length;
}

void ListSetState(int, GadgetSlot* g, int state) {
    LVITEMA item = {};
    if (state >= 0) {
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(g->handle, LVM_SETITEMSTATE, (WPARAM)state, (LPARAM)&item);
    } else if (state == -1) {
        item.stateMask = LVIS_SELECTED;
        item.state = 0;
        SendMessageA(g->handle, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&item);
    }
}

void ListSetColor(int, GadgetSlot* g, int attribute, int32_t colour) {
    if (attribute == FrontColor) {
        g->front = colour < 0 ? -1 : colour;
        SendMessageA(g->handle, LVM_SETTEXTCOLOR, 0, colour < 0 ? DefaultTextColour : (COLORREF)colour);
    } else if (attribute == BackColor) {
        g->back = colour < 0 ? -1 : colour;
        COLORREF back = colour < 0 ? DefaultBackColour : (COLORREF)colour;
        SendMessageA(g->handle, LVM_SETBKCOLOR, 0, back);
        SendMessageA(g->handle, LVM_SETTEXTBKCOLOR, 0, back);
    } else {
        return;
    }
    RedrawAll(g);
}

bool ColourRow(GadgetSlot* g, int row, int attribute, int32_t colour) {
    ColourRecord* record = RecordOf(g, row);
    if (!record || IsShared(g, record)) record = CreateRecord(g, row, record);
    if (!record) return false;
    uint32_t stored = colour < 0 ? 0 : (uint32_t)colour + 1;
    for (CellColours& cell : record->columns)
        (attribute == FrontColor ? cell.front : cell.back) = stored;
    return true;
}

void ListSetItemColor(int, GadgetSlot* g, int row, int, int attribute, int32_t colour) {
    if (attribute != FrontColor && attribute != BackColor) return;
    int rows = RowCount(g);
    if (row == -1) {
        for (int each = 0; each < rows; ++each)
            ColourRow(g, each, attribute, colour);
        RedrawAll(g);
        return;
    }
    if (row < 0 || row >= rows) return;
    if (ColourRow(g, row, attribute, colour) && g->updateDepth == 0)
        SendMessageA(g->handle, LVM_REDRAWITEMS, (WPARAM)row, (LPARAM)row);
}

LRESULT CustomDraw(GadgetSlot* g, NMLVCUSTOMDRAW* draw) {
    DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT)
        return IsWindowEnabled(g->handle) ? (CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT) : CDRF_DODEFAULT;
    if (stage == CDDS_POSTPAINT) return 0;
    const ColourRecord* record = (const ColourRecord*)draw->nmcd.lItemlParam;
    if (stage == CDDS_ITEMPREPAINT) {
        if (!record) return CDRF_DODEFAULT;
        if (IsReportView(g)) return CDRF_NOTIFYSUBITEMDRAW;
        const CellColours& first = record->columns[0];
        if (first.front) draw->clrText = first.front - 1;
        if (first.back) draw->clrTextBk = first.back - 1;
        return CDRF_DODEFAULT;
    }
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        if (!record) return CDRF_DODEFAULT;
        size_t column = (size_t)draw->iSubItem;
        CellColours cell = column < record->columns.size() ? record->columns[column] : CellColours{0, 0};
        draw->clrText =
            cell.front ? cell.front - 1 : (COLORREF)SendMessageA(g->handle, LVM_GETTEXTCOLOR, 0, 0);
        draw->clrTextBk = cell.back ? cell.back - 1 : (COLORREF)SendMessageA(g->handle, LVM_GETBKCOLOR, 0, 0);
        return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

bool ListParentMessage(int number, GadgetSlot* g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY) return false;
    NMHDR* header = (NMHDR*)lParam;
    int type = -1;
    switch (header->code) {
    case LVN_DELETEALLITEMS:
        // Emptying the list needs no word about each row it deletes.
        *result = TRUE;
        return true;
    case NM_CUSTOMDRAW:
        *result = CustomDraw(g, (NMLVCUSTOMDRAW*)lParam);
        return true;
    case NM_CLICK:
        type = EVENT_TYPE_CLICK;
        break;
    case NM_RCLICK:
        type = EVENT_TYPE_RIGHT_CLICK;
        break;
    case NM_DBLCLK:
        type = EVENT_TYPE_DOUBLE_CLICK;
        break;
    case NM_RDBLCLK:
        type = EVENT_TYPE_RIGHT_DOUBLE_CLICK;
        break;
    default:
        return false;
    }
    GadgetSendEvent(g->handle, number, type);
    *result = 0;
    return true;
}

void ListDestroy(int, GadgetSlot* g) {
    FreeRecords(g);
    delete (ListData*)g->kindData;
    g->kindData = nullptr;
}

void ListBeginUpdate(int, GadgetSlot* g, int expectedItems) {
    if (g->updateDepth == 0) DataOf(g)->bulkColumns = ColumnCount(g); // no column is added meanwhile
    SuspendRedraw(g);
    if (expectedItems > 0)
        SendMessageA(g->handle, LVM_SETITEMCOUNT, (WPARAM)(RowCount(g) + expectedItems),
                     LVSICF_NOINVALIDATEALL);
}

void ListEndUpdate(int, GadgetSlot* g) {
    ResumeRedraw(g);
    if (g->updateDepth == 0) DataOf(g)->bulkColumns = 0;
}

void ListFollowDpi(int, GadgetSlot* g, int dpi) {
    SendMessageA(g->handle, LVM_SETCOLUMNWIDTH, 0, ScaleToDpi(DataOf(g)->designColumnWidth, dpi));
}

GadgetKind MakeListViewKind() {
    GadgetKind k = {};
    k.kind = KIND_LIST_VIEW;
    k.parentMessage = ListParentMessage;
    k.destroyHook = ListDestroy;
    k.setState = ListSetState;
    k.getText = ListGetText;
    k.setText = ListSetText;
    k.addItem = ListAddItem;
    k.clearItems = ListClearItems;
    k.countItems = ListCountItems;
    k.itemState = ListItemState;
    k.setItemState = ListSetItemState;
    k.itemText = ListItemText;
    k.setColor = ListSetColor;
    k.setItemColor = ListSetItemColor;
    k.beginUpdate = ListBeginUpdate;
    k.endUpdate = ListEndUpdate;
    k.addItemWithColors = ListAddItemWithColors;
    k.followDpi = ListFollowDpi;
    return k;
}

} // namespace

const GadgetKind ListViewKind = MakeListViewKind();

PlatformHandle AddListView(int number, int x, int y, int width, int height, const char* columnTitle,
                           int columnWidth, uint32_t flags) {
    // ListMultiSelect shares its value with LVS_SINGLESEL: it asks for the opposite.
    GadgetCreation creation = {number, {x, y, width, height}, &ListViewKind, WC_LISTVIEWA};
    creation.style = (flags & ~(DWORD)ListMultiSelect) | WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                     LVS_SHAREIMAGELISTS;
    if (!(flags & ListMultiSelect)) creation.style |= LVS_SINGLESEL;
    creation.extendedStyle = WS_EX_CLIENTEDGE;
    HWND list = GadgetCreate(creation);
    if (!list) return 0;
    GadgetSlot* g = ObjectFind(GadgetTable, number);
    if (!g || !(g->kindData = new (std::nothrow) ListData())) {
        DestroyWindow(list);
        return 0;
    }
    DataOf(g)->designColumnWidth = columnWidth;

    DWORD extended = 0;
    if (flags & ListCheckBoxes) extended |= LVS_EX_CHECKBOXES;
    if (flags & ListGridLines) extended |= LVS_EX_GRIDLINES;
    if (flags & ListFullRowSelect) extended |= LVS_EX_FULLROWSELECT;
    if (flags & ListHeaderDragDrop) extended |= LVS_EX_HEADERDRAGDROP;
    if (extended) SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);

    if (!HaveDefaultColours) {
        DefaultTextColour = (COLORREF)SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0);
        DefaultBackColour = (COLORREF)SendMessageA(list, LVM_GETBKCOLOR, 0, 0);
        HaveDefaultColours = true;
    }

    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaleToDpi(columnWidth, WindowDpi(list));
    column.pszText = (char*)(columnTitle ? columnTitle : "");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    return (PlatformHandle)list;
}
