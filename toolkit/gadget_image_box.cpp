// Image box: a static control that draws a bitmap or icon itself, sized to the image. The image's
// pixels count as 96-dpi figures: at another scale the box grows with it and the image is drawn
// scaled smoothly to fill it.
#include "toolkit/toolkit_internal.h"

namespace {

const char* const IMAGE_PROPERTY = "ZQ_Image";
const char* const RIGHT_DOUBLE_PROPERTY = "ZQ_RightDouble"; // the next right release ends a double click

bool IsBitmap(HANDLE image) {
    return GetObjectType(image) == OBJ_BITMAP;
}

SIZE ImageSize(HANDLE image) {
    SIZE size = {0, 0};
    BITMAP bitmap = {};
    if (IsBitmap(image)) {
        if (GetObjectA(image, sizeof bitmap, &bitmap)) size = {bitmap.bmWidth, bitmap.bmHeight};
        return size;
    }
    ICONINFO icon = {};
    if (GetIconInfo((HICON)image, &icon)) {
        HBITMAP measured = icon.hbmColor ? icon.hbmColor : icon.hbmMask;
        if (GetObjectA(measured, sizeof bitmap, &bitmap)) {
            size = {bitmap.bmWidth, bitmap.bmHeight};
            if (!icon.hbmColor) size.cy /= 2; // a monochrome icon stacks its mask and image
        }
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
        if (icon.hbmMask) DeleteObject(icon.hbmMask);
    }
    return size;
}

void SetImage(HWND control, HANDLE image) {
    SetPropA(control, IMAGE_PROPERTY, image);
    if (!image) return;
    SIZE size = ImageSize(image);
    int dpi = WindowDpi(control);
    int edges = (GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? ScaleToDpi(4, dpi) : 0;
    size.cx = ScaleToDpi(size.cx, dpi) + edges;
    size.cy = ScaleToDpi(size.cy, dpi) + edges;
    SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

void DrawImage(HWND control, HDC dc) {
    HANDLE image = GetPropA(control, IMAGE_PROPERTY);
    if (!image) return;
    SIZE size = ImageSize(image);
    RECT client;
    GetClientRect(control, &client);
    if (client.right == size.cx && client.bottom == size.cy) {
        UINT flags = IsBitmap(image) ? DST_BITMAP : DST_ICON;
        if (!IsWindowEnabled(control)) flags |= DSS_DISABLED;
        DrawStateA(dc, nullptr, nullptr, (LPARAM)image, 0, 0, 0, 0, 0, flags);
        return;
    }
    if (!IsBitmap(image)) {
        DrawIconEx(dc, 0, 0, (HICON)image, client.right, client.bottom, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void Report(HWND control, int eventType) {
    int number = -1;
    if (GadgetOfControl(control, &number)) GadgetSendEvent(control, number, eventType);
}

LRESULT CALLBACK ImageBoxProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC next = GadgetOwnProcNext(control);
    switch (message) {
    case STM_SETIMAGE:
    case STM_SETICON: {
        HANDLE image = message == STM_SETICON ? (HANDLE)wParam : (HANDLE)lParam;
        SetImage(control, image);
        return (LRESULT)image;
    }
    case STM_GETIMAGE:
    case STM_GETICON:
        return (LRESULT)GetPropA(control, IMAGE_PROPERTY);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control, &paint);
        DrawImage(control, dc);
        EndPaint(control, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: // WM_PRINT draws the frame and asks for the client area with this
        DrawImage(control, (HDC)wParam);
        return 0;
    // These stay here: the static control would answer a double click with a notification of
    // its own, which would replace the event.
    case WM_ENABLE:
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
        return 0;
    case WM_LBUTTONDBLCLK:
        Report(control, EVENT_TYPE_DOUBLE_CLICK);
        return 0;
    case WM_RBUTTONDBLCLK:
        SetPropA(control, RIGHT_DOUBLE_PROPERTY, (HANDLE)1);
        Report(control, EVENT_TYPE_RIGHT_DOUBLE_CLICK);
        return 0;
    case WM_RBUTTONUP:
        if (RemovePropA(control, RIGHT_DOUBLE_PROPERTY) == nullptr) Report(control, EVENT_TYPE_RIGHT_CLICK);
        return 0;
    case WM_NCDESTROY:
        RemovePropA(control, IMAGE_PROPERTY);
        RemovePropA(control, RIGHT_DOUBLE_PROPERTY);
        GadgetOwnProcForget(control);
        SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)next);
        break;
    }
    if (!next) return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(next, control, message, wParam, lParam);
}

void ImageBoxSetState(int, GadgetSlot* g, int state) {
    // The state is an image handle, as the application hands it over.
    HANDLE image = (HANDLE)(INT_PTR)state;
    SendMessageA(g->handle, STM_SETIMAGE, IsBitmap(image) ? IMAGE_BITMAP : IMAGE_ICON, (LPARAM)image);
}

void ImageBoxFollowDpi(int, GadgetSlot* g, int) {
    SetImage(g->handle, GetPropA(g->handle, IMAGE_PROPERTY));
}

GadgetKind MakeImageBoxKind() {
    GadgetKind k = {};
    k.kind = KIND_IMAGE_BOX;
    k.setState = ImageBoxSetState;
    k.followDpi = ImageBoxFollowDpi;
    return k;
}

} // namespace

const GadgetKind ImageBoxKind = MakeImageBoxKind();

PlatformHandle AddImageBox(int number, int x, int y, int width, int height, PlatformHandle image,
                           uint32_t extendedStyle) {
    GadgetCreation creation = {number, {x, y, width, height}, &ImageBoxKind, "STATIC"};
    creation.style = WS_CHILD | WS_VISIBLE | SS_NOTIFY;
    creation.extendedStyle = extendedStyle;
    creation.ownProc = ImageBoxProc;
    HWND box = GadgetCreate(creation);
    if (box && image) {
        HANDLE handle = (HANDLE)image; // whole handle: GadgetSetState's int would cut a 64-bit one
        SendMessageA(box, STM_SETIMAGE, IsBitmap(handle) ? IMAGE_BITMAP : IMAGE_ICON, (LPARAM)handle);
    }
    return (PlatformHandle)box;
}
