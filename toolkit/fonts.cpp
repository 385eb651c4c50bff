// Numbered fonts, sized in points for the display's resolution.
#include "toolkit/toolkit_internal.h"

ObjectTable<FontSlot> FontTable;

void FontsStartup() {
    ObjectTableInit(FontTable, 16, FontFree);
}

PlatformHandle FontLoad(int number, const char* face, int size, uint32_t flags) {
    FontSlot* slot = ObjectClaim(FontTable, number);
    if (!slot) return 0;
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!display) return 0;
    int dotsPerInch = GetDeviceCaps(display, LOGPIXELSY);
    // A negative height asks for the character height rather than the cell height.
    int height = -MulDiv(size, dotsPerInch, 72);
    HFONT font = CreateFontA(height, 0, 0, 0, (flags & FontBold) ? FW_BOLD : FW_NORMAL,
                             (flags & FontItalic) ? 1 : 0, (flags & FontUnderline) ? 1 : 0,
                             (flags & FontStrikeOut) ? 1 : 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, (flags & FontHighQuality) ? PROOF_QUALITY : DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face ? face : "");
    DeleteDC(display);
    if (!font) return 0;
    slot->handle = font;
    return (PlatformHandle)font;
}

void FontFree(int number) {
    FontSlot* font = ObjectFind(FontTable, number);
    if (!font) return;
    DeleteObject(font->handle);
    ObjectFree(FontTable, number);
}
