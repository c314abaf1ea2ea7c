// SmartHomeAusgabe: the device list screen, and the detail panel beside it
// while _info is set, brought up to date on every call.
//
// Layout, from the anchors (_x, _y): a frame 304 pixels wide from _y - 2,
// 49 * m + 54 lines high for m = min(devices, 10) (1 for none), white with a two-pixel
// border; the title "Smart Home" (18 pt), the session id (10 pt, grey) when
// _showsid is set; then one 49-line row per device from _y + 50: the name
// (16 pt) and, for a device the router reaches, one element per kind it has
// (alarm state, thermostat target on its plate with the battery level and
// the open-window mark, power, temperature, switch state on its plate).
// Number values are computed in single precision.  A list without devices
// says why in the row below the title (16 pt), one row taller: what the
// router link knows (_LinkState).
//
// Only what changed is drawn.  The frame, the title band (the 50 lines
// above the rows) and each row band are parts that draw nothing outside
// their box; each remembers what it was drawn from (anchors and rows of
// the frame; the session id; the device fields a row shows, its selection,
// the colour scheme, the empty list's reason), and a part whose inputs are
// the same keeps its pixels.  A new frame draws everything on it.  A band
// drawn again is first filled with what the frame (or the highlight) gives
// it, so that it ends exactly as after a redraw of everything.
//
// Contract (screens.h): afterwards _aktDev is in 1 … n for n devices (with
// an empty list it is 0 or 1, and selects nothing either way) and _Versatz
// in 0 … 29, with the selected device in one of the ten rows.  Rows are read
// from slots 0 to 29 only, and never past the list's end.  No allocation;
// one 256-byte text buffer.
#include <string.h>

#include "router.h"
#include "screens_private.h"

extern "C" {
int32_t _Versatz = 0;
}

// The empty list's line for each state of the router link.
static const char* const EmptyListReasons[] = {
    "Warte auf den Router ...",       // LinkWaiting
    "Anmeldung fehlgeschlagen",       // LinkLoginRefused
    "Router nicht erreichbar",        // LinkUnreachable
    "Keine Smart-Home-Berechtigung",  // LinkNoSmartHomeRight
    "Keine Geräte",                   // LinkListReceived
};

extern "C" const char* EmptyListReason(void) {
    if (_LinkState < 0 || _LinkState >= (int32_t)(sizeof EmptyListReasons / sizeof EmptyListReasons[0]))
        return EmptyListReasons[LinkWaiting];
    return EmptyListReasons[_LinkState];
}

extern "C" int CountDevices(void) {
    int count = 0;
    while (count < DeviceTableRecords && _SmartHome[count].name[0]) count++;
    return count;
}

extern "C" DeviceRecord* SelectedListDevice(void) {
    if (_aktDev == 0 || _aktDev > CountDevices()) return 0;
    return &_SmartHome[_aktDev - 1];
}

namespace {

struct ListFonts {
    ScreenFont size10, size12, size16, size18;
};

// Colour of an on or off state: green for on and red for off, or the other
// way round with the setting "farbe".
uint32_t StateColour(int32_t color, int on) {
    if (color) return on ? ColourRed : ColourGreen;
    return on ? ColourGreen : ColourRed;
}

void ReadRow(RowInputs* row, const DeviceRecord* device, int selected) {
    row->kind = RowDevice;
    row->selected = selected;
    row->color = _color;
    memcpy(row->name, device->name, sizeof row->name);
    row->present = device->present;
    row->functionbitmask = device->functionbitmask;
    row->alertState = device->alertState;
    row->tsoll = device->tsoll;
    row->tsollDelta = device->tsollDelta;
    row->lock = device->lock;
    row->battery = device->battery;
    row->windowopenactiv = device->windowopenactiv;
    row->power = device->power;
    row->celsius = device->celsius;
    row->switchState = device->switchState;
}

// The elements of one device's row, top line at top.  x is the list's left
// anchor.
void DrawDevice(const RowInputs* device, const ListFonts* fonts, int32_t x, int32_t top) {
    char text[256];
    ScreenText(&fonts->size16, x + 10, top, x + 250, device->name, ColourWhite, ALIGN_Left);
    if (!device->present) {
        ScreenText(&fonts->size10, x + 20, top + 30, x + 140, "nicht Verbunden", ColourWhite,
                   ALIGN_Left);
        return;
    }
    const uint16_t functions = device->functionbitmask;

    if (functions & FB_AlarmSensor) {
        const int raised = device->alertState == 1;
        ScreenText(&fonts->size12, x + 250, top + 10, x + 290, raised ? "An" : "Aus",
                   StateColour(device->color, raised), ALIGN_Centre);
        ScreenText(&fonts->size10, x + 20, top + 30, x + 140, "Verbunden", ColourWhite,
                   ALIGN_Left);
    }

    if (functions & FB_Thermostat) {
        ScreenBadge(x + 250, top + 15);
        // The target as it will be sent, pending change included; added
        // without overflow whatever the router put into tsoll.
        const int32_t target = (int32_t)((uint32_t)device->tsoll + (uint32_t)device->tsollDelta);
        const char* value = text;
        if (target == TSOLL_On)
            value = "An";
        else if (target == TSOLL_Off)
            value = "Aus";
        else
            TAP_SPrint(text, "%1.1f", (double)((float)target * 0.5f));
        uint32_t colour = device->tsollDelta ? ColourRed : ColourGreen;
        if (device->lock) colour = ColourLocked;
        ScreenText(&fonts->size12, x + 250, top + 17, x + 290, value, colour, ALIGN_Centre);

        TAP_SPrint(text, "Batterie: %u %%", (unsigned)device->battery);
        ScreenText(&fonts->size10, x + 20, top + 30, x + 140, text, ColourWhite, ALIGN_Left);
        if (device->windowopenactiv)
            ScreenText(&fonts->size10, x + 200, top + 30, x + 230, "*", ColourWhite, ALIGN_Left);
    }

    if (functions & FB_EnergyMeter) {
        TAP_SPrint(text, "%02.02f W", (double)((float)device->power / 1000.0f));
        ScreenText(&fonts->size10, x + 20, top + 30, x + 120, text, ColourWhite, ALIGN_Left);
    }

    if (functions & FB_TemperatureSensor) {
        TAP_SPrint(text, "%1.1f°C", (double)((float)device->celsius / 10.0f));
        ScreenText(&fonts->size10, x + 120, top + 30, x + 160, text, ColourWhite, ALIGN_Right);
    }

    if (functions & FB_SwitchSocket) {
        ScreenBadge(x + 250, top + 15);
        const char* state = 0;
        uint32_t colour = ColourLocked;
        if (device->lock) {
            state = device->switchState ? "An" : "Aus";
        } else if (device->switchState == 1) {
            state = "An";
            colour = StateColour(device->color, 1);
        } else if (device->switchState == 0) {
            state = "Aus";
            colour = StateColour(device->color, 0);
        }
        // Any other state: the plate stays empty.
        if (state)
            ScreenText(&fonts->size12, x + 250, top + 17, x + 290, state, colour, ALIGN_Centre);
    }
}

// The fonts' line heights are looked up once per call, and only when
// something is drawn.
const ListFonts* Fonts(ListFonts* fonts, int* known) {
    if (!*known) {
        fonts->size10 = ScreenFontOf(&Calibri_10_FontDataUC);
        fonts->size12 = ScreenFontOf(&Calibri_12_FontDataUC);
        fonts->size16 = ScreenFontOf(&Calibri_16_FontDataUC);
        fonts->size18 = ScreenFontOf(&Calibri_18_FontDataUC);
        *known = 1;
    }
    return fonts;
}

}  // namespace

extern "C" void SmartHomeAusgabe(void) {
    const int count = CountDevices();

    // The key handling moves the selection one step past either end; here
    // it wraps round.
    if (_aktDev > count)
        _aktDev = 1;
    else if (_aktDev == 0)
        _aktDev = (uint8_t)count;

    // Scroll by the fewest rows that show the selection.  With an empty list
    // (selection 0) the offset stays at 0.
    if (_aktDev - _Versatz > ListRows) _Versatz = _aktDev - ListRows;
    if (_aktDev - _Versatz <= 0) _Versatz = _aktDev - 1;
    if (_Versatz < 0) _Versatz = 0;

    TAP_Osd_SetTransparency(2, -1);

    const int32_t x = _x, y = _y;
    ListFonts fonts;
    int fontsKnown = 0;

    // An empty list keeps one row for the line that says why.
    FrameInputs frame;
    frame.drawn = 1;
    frame.x = x;
    frame.y = y;
    frame.rows = count == 0 ? 1 : count < ListRows ? count : ListRows;
    if (memcmp(&frame, &ScreenShown.frame, sizeof frame) != 0) {
        ScreenFrame(x, y - 2, ListWidth, FrameHeight(frame.rows), 2, ColourWhite,
                    ColourBackground);
        // Everything on the frame is its background now.
        ForgetList();
        ScreenShown.frame = frame;
    }

    TitleInputs title;
    memset(&title, 0, sizeof title);
    title.drawn = 1;
    title.showsid = _showsid != 0;
    if (title.showsid) memcpy(title.sid, _Sid, sizeof title.sid);
    if (memcmp(&title, &ScreenShown.title, sizeof title) != 0) {
        const ListFonts* f = Fonts(&fonts, &fontsKnown);
        if (ScreenShown.title.drawn) ScreenBox(x + 2, y, ListWidth - 4, TitleHeight, ColourBackground);
        ScreenText(&f->size18, x + 10, y, x + 300, "Smart Home", ColourWhite, ALIGN_Left);
        if (title.showsid)
            ScreenText(&f->size10, x + 170, y + 10, x + 300, _Sid, ColourSessionId, ALIGN_Left);
        ScreenShown.title = title;
    }

    for (int32_t row = 0; row < frame.rows; row++) {
        RowInputs inputs;
        memset(&inputs, 0, sizeof inputs);
        const int32_t slot = _Versatz + row;
        if (count == 0) {
            inputs.kind = RowReason;
            inputs.reason = EmptyListReason();
        } else if (slot < DeviceTableRecords && _SmartHome[slot].name[0]) {
            ReadRow(&inputs, &_SmartHome[slot], _aktDev == slot + 1);
        }
        RowInputs* shown = &ScreenShown.rows[row];
        if (memcmp(&inputs, shown, sizeof inputs) == 0) continue;

        const ListFonts* f = Fonts(&fonts, &fontsKnown);
        const int32_t top = y + TitleHeight + RowHeight * row;
        if (inputs.selected)
            ScreenBox(x + 2, top, ListWidth - 4, RowHeight, ColourHighlight);
        else if (shown->kind != RowBlank)
            ScreenBox(x + 2, top, ListWidth - 4, RowHeight, ColourBackground);
        if (inputs.kind == RowReason)
            ScreenText(&f->size16, x + 10, top, x + 300, inputs.reason, ColourWhite, ALIGN_Left);
        else if (inputs.kind == RowDevice)
            DrawDevice(&inputs, f, x, top);
        *shown = inputs;
    }

    if (_info) UpdateInfoPanel();
    TAP_Osd_Sync();
}
