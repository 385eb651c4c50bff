// Numbered fonts, sized in points for the display's resolution. A gadget in a window of another
// scale gets the font made anew for that scale.
#include "toolkit/toolkit_internal.h"

ObjectTable<FontSlot> FontTable;

void FontsStartup() {
    ObjectTableInit(FontTable, 16, FontFree);
}

// A negative height asks for the character height rather than the cell height.
static int HeightForPoints(int size, int dotsPerInch) {
    return -MulDiv(size, dotsPerInch, 72);
}

HFONT FontForDpi(HFONT font, int dpi) {
    LOGFONTA facts;
    if (!font || GetObjectA(font, sizeof facts, &facts) != (int)sizeof facts) return font;
    const FontSlot* loaded = nullptr;
    for (const FontSlot& slot : FontTable.slots)
        if (slot.handle == font) loaded = &slot;
    // The system's own fonts are made for its scale.
    int madeFor = loaded ? loaded->dpi : SystemDpi();
    if (madeFor == dpi) return font;
    facts.lfHeight = loaded ? HeightForPoints(loaded->size, dpi) : MulDiv(facts.lfHeight, dpi, madeFor);
    HFONT scaled = CreateFontIndirectA(&facts);
    return scaled ? scaled : font;
}

PlatformHandle FontLoad(int number, const char* face, int size, uint32_t flags) {
    FontSlot* slot = ObjectClaim(FontTable, number);
    if (!slot) return 0;
    int dotsPerInch = SystemDpi();
    HFONT font =
        CreateFontA(HeightForPoints(size, dotsPerInch), 0, 0, 0, (flags & FontBold) ? FW_BOLD : FW_NORMAL,
                    (flags & FontItalic) ? 1 : 0, (flags & FontUnderline) ? 1 : 0,
                    (flags & FontStrikeOut) ? 1 : 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    (flags & FontHighQuality) ? PROOF_QUALITY : DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                    face ? face : "");
    if (!font) return 0;
    *slot = FontSlot{font, size, dotsPerInch};
    return (PlatformHandle)font;
}

void FontFree(int number) {
    FontSlot* font = ObjectFind(FontTable, number);
    if (!font) return;
    DeleteObject(font->handle);
    ObjectFree(FontTable, number);
}
