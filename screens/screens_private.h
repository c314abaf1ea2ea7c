// Drawing helpers shared by the two screens of this folder: colours, and box,
// text and badge output that keeps every pixel inside the plug-in's region.
// Not part of the screens' interface.
#ifndef STECKWART_SCREENS_PRIVATE_H
#define STECKWART_SCREENS_PRIVATE_H

#include <stdint.h>

#include "devices.h"
#include "plugin.h"
#include "screens.h"
#include "settings.h"
#include "support.h"

#ifdef __cplusplus
extern "C" {
#endif

// Colours of both screens (ARGB).
static const uint32_t ColourWhite = 0xFFFFFFFF;       // frames and every plain text
static const uint32_t ColourBackground = 0xFF010101;  // inside the frames
static const uint32_t ColourHighlight = 0xFF3C3C3C;   // the selected row
static const uint32_t ColourSessionId = 0xFF646464;
static const uint32_t ColourGreen = 0xFF008000;
static const uint32_t ColourRed = 0xFFFF0000;
static const uint32_t ColourLocked = 0xFF808080;  // a value the router's interface may not switch

// A font with the height of its tallest glyph: no line drawn with it is
// taller, so a line that fits with this height fits whatever its text.
typedef struct {
    FontDataUC* font;
    uint32_t height;
} ScreenFont;

ScreenFont ScreenFontOf(FontDataUC* font);

// A box of the region, as TAP_Osd_FillBox draws it; a part above or left of
// the region is cut off first (the firmware's coordinates are unsigned), the
// rest is clipped by the firmware.
void ScreenBox(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour);

// One line of text with FMUC_PutString (transparent background, cut at the
// end), its right limit cut to the region's last column.  A line that would
// reach below the region is left out, since the text output does not clip
// rows.
void ScreenText(const ScreenFont* font, int32_t x, int32_t y, int32_t maxX, const char* text,
                uint32_t colour, uint8_t align);

// A framed box: a border `border` pixels wide in frameColour around a fill
// of fillColour, as the same two boxes drawn one over the other (the frame's
// box, then the fill inset by the border) would leave it; the fill's pixels
// are written once, not twice.
void ScreenFrame(int32_t x, int32_t y, int32_t width, int32_t height, int32_t border,
                 uint32_t frameColour, uint32_t fillColour);

// The value plate _leerGd with its top left corner at (x, y); left out
// unless it lies wholly inside the region.
void ScreenBadge(int32_t x, int32_t y);

#ifdef __cplusplus
}
#endif

#endif
