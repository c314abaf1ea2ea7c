// The screens' box, text and badge output, kept inside the plug-in's region
// (RegionWidth x RegionHeight) whatever the anchors _x and _y are.  Contracts
// in screens_private.h.
//
// The firmware clips boxes, but takes unsigned coordinates: a frame that
// starts two lines above the region (at _y - 2 with _y 0) would otherwise lie
// four billion lines down and vanish whole.  The text output cuts its right
// limit to the region but not its rows, and an image is drawn only whole.
#include "screens_private.h"

extern "C" ScreenFont ScreenFontOf(FontDataUC* font) {
    ScreenFont result = {font, 0};
    if (!font || !font->FontDef) return result;
    for (int32_t i = 0; i < font->FontDefCount; i++)
        if (font->FontDef[i].Height > result.height) result.height = font->FontDef[i].Height;
    return result;
}

extern "C" void ScreenBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
    if (x < 0) {
        width += x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        y = 0;
    }
    if (width <= 0 || height <= 0) return;
    TAP_Osd_FillBox(_rgn, (uint32_t)x, (uint32_t)y, (uint32_t)width, (uint32_t)height, colour);
}

extern "C" void ScreenFrame(int32_t x, int32_t y, int32_t width, int32_t height, int32_t border,
                            uint32_t frameColour, uint32_t fillColour) {
    const int32_t innerHeight = height - 2 * border;
    if (width <= 2 * border || innerHeight <= 0) {
        ScreenBox(x, y, width, height, frameColour);
        return;
    }
    ScreenBox(x, y, width, border, frameColour);
    ScreenBox(x, y + border, border, innerHeight, frameColour);
    ScreenBox(x + border, y + border, width - 2 * border, innerHeight, fillColour);
    ScreenBox(x + width - border, y + border, border, innerHeight, frameColour);
    ScreenBox(x, y + height - border, width, border, frameColour);
}

extern "C" void ScreenText(const ScreenFont* font, int32_t x, int32_t y, int32_t maxX,
                           const char* text, uint32_t colour, uint8_t align) {
    if (maxX > RegionWidth - 1) maxX = RegionWidth - 1;
    if (x < 0 || y < 0 || x >= maxX) return;
    // The text's box is one row taller than its tallest glyph.
    if ((int64_t)y + font->height + 1 > RegionHeight) return;
    FMUC_PutString(_rgn, (uint32_t)x, (uint32_t)y, (uint32_t)maxX, text, colour, 0, font->font,
                   CUT_End, align);
}

extern "C" void ScreenBadge(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x + _leerGd.width > RegionWidth || y + _leerGd.height > RegionHeight)
        return;
    // Sprite mode: the plate's transparent corners keep the row beneath.
    TAP_Osd_PutGd(_rgn, x, y, &_leerGd, 1);
}
