// Drawing helpers shared by the two screens of this folder: colours, and box,
// text and badge output that keeps every pixel inside the plug-in's region.
// Not part of the screens' interface.
#ifndef STECKWART_SCREENS_PRIVATE_H
#define STECKWART_SCREENS_PRIVATE_H

#include <stdint.h>

#include "devices.h"
#include "plugin.h"
#include "router.h"
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

// ---- What the region shows -------------------------------------------------
//
// The screens draw only what changed.  For each part — the list's frame,
// its title band, each of its ten row bands, the panel — ScreenShown holds
// what the part was last drawn from; the part is drawn from exactly these
// inputs, so equal inputs draw equal pixels.  Inputs are filled from zero,
// so that equal inputs are equal byte for byte (memcmp).

// The list's geometry: a frame ListWidth wide from _y - 2, FrameHeight
// lines high, its rows RowHeight lines each from _y + TitleHeight.
enum {
    ListRows = 10,
    ListWidth = 304,
    RowHeight = 49,
    TitleHeight = 50,
};
static inline int32_t FrameHeight(int32_t rows) { return RowHeight * rows + 54; }

// The list's frame.  drawn 0: nothing of the list is known to be in the
// region.
typedef struct {
    int32_t drawn;
    int32_t x, y;
    int32_t rows;  // the rows it has room for
} FrameInputs;

// The title band (the 50 lines above the rows).  drawn 0: the band holds
// the frame's background only.
typedef struct {
    int32_t drawn;
    int32_t showsid;
    char sid[SidSize];
} TitleInputs;

enum {
    RowBlank,   // the frame's background only
    RowDevice,  // a device
    RowReason,  // the empty list's line
};

// A row band: the fields of its device that the row shows and how
// (selection, colour scheme), or the empty list's line.
typedef struct {
    int32_t kind;
    const char* reason;
    int32_t selected;
    int32_t color;
    char name[sizeof(((DeviceRecord*)0)->name)];
    int32_t present;
    int32_t tsoll;
    int32_t tsollDelta;
    int32_t power;
    int32_t celsius;
    uint16_t functionbitmask;
    uint8_t alertState;
    uint8_t lock;
    uint8_t battery;
    uint8_t windowopenactiv;
    uint8_t switchState;
} RowInputs;

// The detail panel: the anchors and a copy of the selected record with the
// fields the panel shows (the others zero), its next switching time already
// in local time (which the clock and the time zone change too).  drawn 0:
// nothing of the panel is known to be in the region.
typedef struct {
    int32_t drawn;
    int32_t x, y;
    int32_t hasDevice;
    uint32_t nextChange;  // endperiod as local packed date and time
    DeviceRecord device;
} PanelInputs;

typedef struct {
    FrameInputs frame;
    TitleInputs title;
    RowInputs rows[ListRows];
    PanelInputs panel;
} ScreenMemory;

extern ScreenMemory ScreenShown;

// Forgets what the list's frame (and so everything on it) was drawn from
// (InvalidateScreenBox.cpp).
void ForgetList(void);

// Draws the detail panel (InfoAusgabe) unless the region shows it already
// as InfoAusgabe would draw it now.
void UpdateInfoPanel(void);

#ifdef __cplusplus
}
#endif

#endif
