// InfoAusgabe: the detail panel of the selected device, a framed column of
// 10-point lines right of the device list; UpdateInfoPanel: the same, drawn
// only when what it shows changed; ClearInfoPanel: its column wiped.
//
// Layout, from the anchors (_x, _y): the column x + 310 … x + 613 is cleared
// from the region's top down, then a frame 304 wide from y - 2, 20 * R + 4
// high, and its background; R is 7 rows plus the rows of each kind the device
// has.  Text line k is drawn at (x + 320, y + 10 + 20 k), right limit
// x + 600, cut there.  Lines: maker, product, identifier, id, firmware and
// connection, then one block per kind bit, always in the order alarm sensor,
// thermostat, energy meter, temperature sensor, switch socket, repeater,
// noise sensor.  The thermostat's next switching time is shown in local time
// when its local date is 2 January 2016 or later; otherwise "---" and the
// temperature after the change is left out (R stays).  Number values are
// computed in single precision.
//
// The panel is drawn from its inputs alone: the anchors and a copy of the
// record with the fields the panel shows (the others zero) and the next
// switching time already in local time (which the clock and the time zone
// change too).  UpdateInfoPanel draws it when these differ from what it
// was last drawn from, or when something wrote over its column since
// (InvalidateScreenBox).
//
// Contract (screens.h): reads only the record that _aktDev selects, and only
// when it is in the list (1 … number of devices); otherwise only the column
// is cleared.  No allocation; one 256-byte text buffer.
#include <string.h>

#include "screens_private.h"

namespace {

// Rows each kind of device adds to the panel's 7.
struct KindRows {
    uint16_t bit;
    uint16_t rows;
};
const KindRows PanelRows[] = {
    {FB_AlarmSensor, 4},  {FB_Thermostat, 10}, {FB_EnergyMeter, 3}, {FB_TemperatureSensor, 2},
    {FB_SwitchSocket, 4}, {FB_Repeater, 1},    {FB_NoiseSensor, 1},
};

// The thermostat's error codes; any other code is "sonstiger Error".
const char* const ErrorTexts[] = {
    "keine Fehler",
    "Keine Adaptierung möglich. Gerät korrekt am Heizkörper montiert?",
    ("Ventilhub zu kurz oder Batterieleistung zu schwach. Ventilstößel per Hand mehrmals öfnen "
     "und schließen oder neue Batterien einsetzen."),
    "Keine Ventilbewegung möglich. Ventilstößel frei?",
    "Die Installation wird gerade vorbereitet",
    "Der Heizkörperregler ist im Installationsmodus und kann auf das Heizungsventil montiert",
    "Der Heizkörperregler passt sich nun an den Hub des Heizungsventils an",
};

// Day number of 1 January 2016: a next switching time on or before that
// day is the router's "none" (0, 1 January 1970) or no real schedule.
const uint16_t LastDayWithoutSchedule = 57388;

// The panel's text lines, drawn one below the other.
struct Panel {
    ScreenFont font;
    int32_t x;
    int32_t y;
    int32_t line;
};

void PanelLine(Panel* panel, const char* text) {
    ScreenText(&panel->font, panel->x + 320, panel->y + 10 + 20 * panel->line, panel->x + 600,
               text, ColourWhite, ALIGN_Left);
    panel->line++;
}

// The two lines on who may switch the device: through the router's
// interface (lock) and with its own button (devicelock).
void LockLines(Panel* panel, const DeviceRecord* device) {
    PanelLine(panel, device->lock ? "Manuelles Schalten per APP am Gerät nein"
                                  : "Manuelles Schalten per APP am Gerät ja");
    PanelLine(panel, device->devicelock ? "Manuelles Schalten per Taster am Gerät nein"
                                        : "Manuelles Schalten per Taster am Gerät ja");
}

// local: the next switching time in local time, packed.
void ThermostatBlock(Panel* panel, const DeviceRecord* device, uint32_t local, char* text) {
    PanelLine(panel, "Heizkostenregler");
    PanelLine(panel, device->errorcode < sizeof ErrorTexts / sizeof ErrorTexts[0]
                         ? ErrorTexts[device->errorcode]
                         : "sonstiger Error");
    TAP_SPrint(text, "Komforttemperatur %1.1f°C", (double)((float)device->komfort * 0.5f));
    PanelLine(panel, text);
    TAP_SPrint(text, "Spartemperatur %1.1f°C", (double)((float)device->absenk * 0.5f));
    PanelLine(panel, text);
    LockLines(panel, device);

    const uint16_t day = (uint16_t)(local >> 16);
    if (day > LastDayWithoutSchedule) {
        uint16_t year = 0;
        uint8_t month = 0, dayOfMonth = 0, weekday = 0;
        TAP_ExtractMjd(day, &year, &month, &dayOfMonth, &weekday);
        TAP_SPrint(text, "nächste Umschaltung %02d.%02d.%04d  %02d:%02d Uhr", dayOfMonth, month,
                   year, (int)((local >> 8) & 0xFF), (int)(local & 0xFF));
        PanelLine(panel, text);
        TAP_SPrint(text, "Umschaltungs Teperatur %1.1f°C", (double)((float)device->tchange * 0.5f));
        PanelLine(panel, text);
    } else {
        PanelLine(panel, "nächste Umschaltung ---");
    }

    PanelLine(panel, device->summeractive ? "Heizung aus > Sommermodus" : "Heizung an > Wintermodus");
    PanelLine(panel, device->holidayactive ? "Urlaubsmodus an" : "Urlaubsmodus aus");
}

void ReadPanel(PanelInputs* inputs) {
    memset(inputs, 0, sizeof *inputs);
    inputs->drawn = 1;
    inputs->x = _x;
    inputs->y = _y;
    const DeviceRecord* from = SelectedListDevice();
    if (!from) return;
    inputs->hasDevice = 1;
    DeviceRecord* to = &inputs->device;
    memcpy(to->manufacturer, from->manufacturer, sizeof to->manufacturer);
    memcpy(to->productname, from->productname, sizeof to->productname);
    memcpy(to->ain, from->ain, sizeof to->ain);
    memcpy(to->fwversion, from->fwversion, sizeof to->fwversion);
    memcpy(to->mode, from->mode, sizeof to->mode);
    to->id = from->id;
    to->present = from->present;
    to->functionbitmask = from->functionbitmask;
    to->etsideviceid = from->etsideviceid;
    to->unittype = from->unittype;
    to->interfaces = from->interfaces;
    to->errorcode = from->errorcode;
    to->komfort = from->komfort;
    to->absenk = from->absenk;
    to->lock = from->lock;
    to->devicelock = from->devicelock;
    to->tchange = from->tchange;
    to->summeractive = from->summeractive;
    to->holidayactive = from->holidayactive;
    to->energy = from->energy;
    to->voltage = from->voltage;
    to->offset = from->offset;
    if (from->functionbitmask & FB_Thermostat) {
        int16_t offset = 0;
        inputs->nextChange = UTC2LocalTime(Unix2TFTime((uint32_t)from->endperiod), &offset);
    }
}

void DrawPanel(const PanelInputs* inputs) {
    if (!inputs->hasDevice) {
        ClearInfoPanel();
        return;
    }
    const DeviceRecord* device = &inputs->device;
    const int32_t x = inputs->x, y = inputs->y;
    const uint16_t functions = device->functionbitmask;

    uint16_t rows = 7;
    for (const KindRows& kind : PanelRows)
        if (functions & kind.bit) rows += kind.rows;
    // The column is cleared where the frame does not cover it, above and
    // below: the same pixels as clearing it whole and framing it, at half
    // the cost.
    const int32_t frameTop = y - 2, frameBottom = y + 20 * rows + 2;
    ScreenBox(x + PanelOffset, 0, PanelWidth, frameTop, 0);
    ScreenBox(x + PanelOffset, frameBottom, PanelWidth, PanelClearHeight - frameBottom, 0);
    ScreenFrame(x + PanelOffset, frameTop, PanelWidth, 20 * rows + 4, 2, ColourWhite,
                ColourBackground);

    Panel panel = {ScreenFontOf(&Calibri_10_FontDataUC), x, y, 0};
    char text[256];

    TAP_SPrint(text, "Hersteller: %s", device->manufacturer);
    PanelLine(&panel, text);
    TAP_SPrint(text, "Produktname: %s", device->productname);
    PanelLine(&panel, text);
    PanelLine(&panel, device->ain);
    TAP_SPrint(text, "ID: %u", (unsigned)device->id);
    PanelLine(&panel, text);
    TAP_SPrint(text, "Firmware: %s", device->fwversion);
    PanelLine(&panel, text);
    PanelLine(&panel, device->present ? "Verbindung ok" : "keine Verbindung");

    if (functions & FB_AlarmSensor) {
        PanelLine(&panel, "Sensor");
        TAP_SPrint(text, "etsi device id: %u", (unsigned)device->etsideviceid);
        PanelLine(&panel, text);
        TAP_SPrint(text, "unit type: %u", (unsigned)device->unittype);
        PanelLine(&panel, text);
        TAP_SPrint(text, "interfaces: %u", (unsigned)device->interfaces);
        PanelLine(&panel, text);
    }
    if (functions & FB_Thermostat) ThermostatBlock(&panel, device, inputs->nextChange, text);
    if (functions & FB_EnergyMeter) {
        PanelLine(&panel, "Energie Messgerät");
        TAP_SPrint(text, "Verbrauch %1.1f KWh", (double)((float)device->energy / 1000.0f));
        PanelLine(&panel, text);
        TAP_SPrint(text, "Spannung %03.1f Volt", (double)((float)device->voltage / 1000.0f));
        PanelLine(&panel, text);
    }
    if (functions & FB_TemperatureSensor) {
        PanelLine(&panel, "Temperatursensor");
        TAP_SPrint(text, "Temperatur Offset %1.1f°C", (double)((float)device->offset / 10.0f));
        PanelLine(&panel, text);
    }
    if (functions & FB_SwitchSocket) {
        PanelLine(&panel, "Schaltsteckdose");
        TAP_SPrint(text, "Mode: %s", device->mode);
        PanelLine(&panel, text);
        LockLines(&panel, device);
    }
    if (functions & FB_Repeater) PanelLine(&panel, "DECT Repeater");
    if (functions & FB_NoiseSensor) PanelLine(&panel, "Geräuschsensor");
}

}  // namespace

extern "C" void ClearInfoPanel(void) {
    ScreenBox(_x + PanelOffset, 0, PanelWidth, PanelClearHeight, 0);
    InvalidateScreenBox(_x + PanelOffset, 0, PanelWidth, PanelClearHeight);
}

extern "C" void InfoAusgabe(void) {
    PanelInputs inputs;
    ReadPanel(&inputs);
    DrawPanel(&inputs);
    ScreenShown.panel = inputs;
}

extern "C" void UpdateInfoPanel(void) {
    PanelInputs inputs;
    ReadPanel(&inputs);
    if (memcmp(&inputs, &ScreenShown.panel, sizeof inputs) == 0) return;
    DrawPanel(&inputs);
    ScreenShown.panel = inputs;
}
