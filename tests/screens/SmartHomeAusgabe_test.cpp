// The device list screen: the frame for each number of devices, the
// selection brought back into the list and the scrolling, every row element
// with its text, place, font and colour, the value plate, the line that says
// why a list is empty, and drawing that stays inside the region whatever the
// anchors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "plugin.h"
#include "router.h"
#include "screens.h"
#include "screentest.h"
#include "settings.h"
#include "tapsim.h"

namespace {

using screentest::ExpectText;
using screentest::Text;

class SmartHomeAusgabeTest : public screentest::ScreenTest {
protected:
    void AddDevices(int count) {
        for (int i = 0; i < count; ++i) AddDevice(("Ger\xC3\xA4t " + std::to_string(i + 1)).c_str(), 0);
    }
    // The name element of the row that shows device number `device` (1-based).
    Text NameText(int row, int device) const {
        return {_x + 10, _y + 50 + 49 * row, _x + 250, std::string("Ger\xC3\xA4t ") + std::to_string(device),
                &Calibri_16_FontDataUC, screentest::kWhite, 0};
    }
    // 1 when row r (0-based) is highlighted.
    bool Highlighted(int row) { return Pixel(_x + 2, _y + 50 + 49 * row + 48) == screentest::kHighlight; }
    // Rows with a name drawn, counted from the first.
    int RowsDrawn() {
        int rows = 0;
        // Below the frame's bottom border, above the lower line.
        while (rows < 10 && HasInk(_x + 10, _y + 52 + 49 * rows, _x + 250, _y + 50 + 49 * rows + 26))
            ++rows;
        return rows;
    }
    // 1 when the box holds a pixel that is neither background nor highlight
    // (nor left untouched).
    bool HasInk(int32_t left, int32_t top, int32_t right, int32_t bottom) {
        for (int32_t y = top; y <= bottom && y < 540; ++y)
            for (int32_t x = left; x <= right && x < 720; ++x) {
                uint32_t pixel = Pixel(x, y);
                if (pixel != screentest::kBackground && pixel != screentest::kHighlight &&
                    pixel != screentest::kUntouched)
                    return true;
            }
        return false;
    }
};

TEST_F(SmartHomeAusgabeTest, FrameGrowsWithTheDevicesUpToTenRows) {
    struct {
        const char* name;
        int devices;
        int rows;  // rows the frame has room for
    } const cases[] = {
        {"empty table: the line that says why", 0, 1}, {"one device", 1, 1},
        {"nine devices", 9, 9},
        {"ten devices", 10, 10}, {"twelve devices", 12, 10},
    };
    _x = 40;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        AddDevices(c.devices);
        _aktDev = 1;
        _y = c.rows < 10 ? 30 : 2;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();

        // Outer box, inclusive.  Ten rows reach below the region (544 lines
        // from _y - 2): only what lies inside is seen.
        const int top = _y - 2, bottom = _y + 49 * c.rows + 51;
        for (int y : {top, top + 1, bottom - 1, bottom}) {
            if (y >= 540) continue;
            EXPECT_EQ(Pixel(_x, y), screentest::kWhite) << "row " << y;
            EXPECT_EQ(Pixel(_x + 303, y), screentest::kWhite) << "row " << y;
            EXPECT_EQ(Pixel(_x + 150, y), screentest::kWhite) << "row " << y;
        }
        // Inside the border: the first line, and the last, which belongs to
        // the last row (highlighted when it is the selected first row).
        for (int y : {_y, bottom - 2, 539}) {
            if (y > bottom - 2 || y >= 540) continue;
            const uint32_t inside = y == bottom - 2 && c.devices == 1 ? screentest::kHighlight
                                                                   : screentest::kBackground;
            EXPECT_EQ(Pixel(_x + 1, y), screentest::kWhite);
            EXPECT_EQ(Pixel(_x + 302, y), screentest::kWhite);
            EXPECT_EQ(Pixel(_x + 2, y), inside);
            EXPECT_EQ(Pixel(_x + 301, y), inside);
        }
        EXPECT_EQ(Pixel(_x - 1, _y), screentest::kUntouched);
        EXPECT_EQ(Pixel(_x + 304, _y), screentest::kUntouched);
        if (top > 0) {
            EXPECT_EQ(Pixel(_x, top - 1), screentest::kUntouched);
        }
        if (bottom + 1 < 540) {
            EXPECT_EQ(Pixel(_x, bottom + 1), screentest::kUntouched);
        }
        EXPECT_EQ(RowsDrawn(), c.rows);
    }
}

// A frame anchored at the region's top starts two lines above it: what lies
// inside the region must still be drawn, borders included.
TEST_F(SmartHomeAusgabeTest, FrameAtTheRegionsTopKeepsItsVisibleBorders) {
    AddDevices(3);
    for (int y : {0, 1}) {
        SCOPED_TRACE("y " + std::to_string(y));
        _y = y;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        const int bottom = y + 49 * 3 + 51;
        EXPECT_EQ(Pixel(0, 0), screentest::kWhite);
        EXPECT_EQ(Pixel(303, 0), screentest::kWhite);
        EXPECT_EQ(Pixel(2, 0), y == 0 ? screentest::kBackground : screentest::kWhite);
        EXPECT_EQ(Pixel(1, bottom - 10), screentest::kWhite);
        EXPECT_EQ(Pixel(150, bottom), screentest::kWhite);
        EXPECT_EQ(Pixel(150, bottom + 1), screentest::kUntouched);
    }
}

TEST_F(SmartHomeAusgabeTest, SelectionWrapsRoundAndTheListScrollsByTheFewestRows) {
    struct Step {
        int selection;  // _aktDev before the call
        int selected;   // after it
        int offset;     // _Versatz after it
    };
    struct {
        const char* name;
        int devices;
        int offset;  // _Versatz before the first step
        std::vector<Step> steps;
    } const cases[] = {
        {"down past the tenth of eleven, up again", 11, 0, {{11, 11, 1}, {2, 2, 1}, {1, 1, 0}}},
        {"down past the last wraps to the first", 11, 1, {{12, 1, 0}}},
        {"up from the first wraps to the last", 12, 0, {{0, 12, 2}}},
        {"up from the first of a short list", 4, 0, {{0, 4, 0}}},
        {"full table, last device", 30, 0, {{30, 30, 20}, {21, 21, 20}, {20, 20, 19}}},
        {"full table, past the last", 30, 20, {{31, 1, 0}}},
        {"empty table, nothing selected", 0, 0, {{0, 0, 0}}},
        {"empty table, selection 1", 0, 0, {{1, 1, 0}}},
        {"selection far beyond", 5, 0, {{200, 1, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        AddDevices(c.devices);
        _Versatz = c.offset;
        for (const Step& step : c.steps) {
            SCOPED_TRACE("selection " + std::to_string(step.selection));
            _aktDev = static_cast<uint8_t>(step.selection);
            Paint(screentest::kUntouched);
            SmartHomeAusgabe();
            EXPECT_EQ(_aktDev, step.selected);
            EXPECT_EQ(_Versatz, step.offset);
            int rows = std::min(10, c.devices - step.offset);
            EXPECT_EQ(RowsDrawn(), std::max(rows, 1)) << "an empty list's line says why";
            if (rows > 0) {
                ExpectText(NameText(0, step.offset + 1), Highlighted(0) ? screentest::kHighlight
                                                                        : screentest::kBackground);
                ExpectText(NameText(rows - 1, step.offset + rows),
                           Highlighted(rows - 1) ? screentest::kHighlight : screentest::kBackground);
            }
            for (int row = 0; row < rows; ++row)
                EXPECT_EQ(Highlighted(row), step.offset + row + 1 == step.selected) << "row " << row;
        }
    }
}

TEST_F(SmartHomeAusgabeTest, EmptyNameEndsTheListEvenWhenLaterSlotsHaveNames) {
    AddDevices(3);
    _SmartHome[2].name[0] = 0;
    std::strcpy(_SmartHome[3].name, "Hinter der L\xC3\xBC" "cke");
    _aktDev = 3;
    SmartHomeAusgabe();
    EXPECT_EQ(_aktDev, 1);
    EXPECT_EQ(RowsDrawn(), 2);
    EXPECT_EQ(Pixel(150, 49 * 2 + 51), screentest::kWhite);  // the frame of two rows
}

// Without a device the list says why, in the row below the title, from what
// the router link knows; every text fits the box uncut.
TEST_F(SmartHomeAusgabeTest, AnEmptyListSaysWhy) {
    struct {
        int state;
        const char* text;  // ISO-8859-1
    } const cases[] = {
        {LinkWaiting, "Warte auf den Router ..."},
        {LinkLoginRefused, "Anmeldung fehlgeschlagen"},
        {LinkUnreachable, "Router nicht erreichbar"},
        {LinkNoSmartHomeRight, "Keine Smart-Home-Berechtigung"},
        {LinkListReceived, "Keine Ger\xE4te"},
        {99, "Warte auf den Router ..."},
    };
    _x = 40;
    _y = 30;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        _LinkState = c.state;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        ExpectText({_x + 10, _y + 50, _x + 300, c.text, &Calibri_16_FontDataUC, screentest::kWhite, 0},
                   screentest::kBackground);
        EXPECT_LE(FMUC_GetStringWidth(c.text, &Calibri_16_FontDataUC), 290u) << "fits from x + 10";
    }
    // With a device, the list is as it always was.
    AddDevices(1);
    Paint(screentest::kUntouched);
    SmartHomeAusgabe();
    ExpectText(NameText(0, 1), screentest::kHighlight);
    _LinkState = LinkWaiting;
}

// The row of device 2 (the selection stays on device 1), top line T.
class RowTest : public SmartHomeAusgabeTest {
protected:
    void SetUp() override {
        SmartHomeAusgabeTest::SetUp();
        _x = 20;
        _y = 40;
        AddDevice("Auswahl", 0);
    }
    int32_t T() const { return _y + 99; }
    Text At(int32_t dx, int32_t dy, int32_t dmax, const std::string& text, FontDataUC* font,
            uint32_t colour, uint8_t align) const {
        return {_x + dx, T() + dy, _x + dmax, text, font, colour, align};
    }
    Text Value(const std::string& text, uint32_t colour) const {
        return At(250, 17, 290, text, &Calibri_12_FontDataUC, colour, ALIGN_Centre);
    }
    Text Lower(int32_t dx, int32_t dmax, const std::string& text, uint8_t align = ALIGN_Left) const {
        return At(dx, 30, dmax, text, &Calibri_10_FontDataUC, screentest::kWhite, align);
    }
    void ExpectValueOnPlate(const std::string& text, uint32_t colour) {
        ExpectText(Value(text, colour), screentest::kBackground, true, _x + 250, T() + 15);
    }
    void ExpectPlain(int32_t dx, int32_t dy, int32_t width, int32_t height) {
        for (int32_t y = T() + dy; y < T() + dy + height; ++y)
            for (int32_t x = _x + dx; x < _x + dx + width; ++x)
                ASSERT_EQ(Pixel(x, y), screentest::kBackground) << "(" << x << ", " << y << ")";
    }
};

TEST_F(RowTest, ThermostatShowsItsTargetWithThePendingChangeAndItsBattery) {
    struct {
        const char* name;
        int32_t tsoll;
        int32_t tsollDelta;
        uint8_t lock;
        int32_t color;
        const char* value;
        uint32_t colour;
    } const cases[] = {
        {"target", 40, 0, 0, 0, "20.0", screentest::kGreen},
        {"pending step up", 40, 1, 0, 0, "20.5", screentest::kRed},
        {"pending step down", 40, -3, 0, 0, "18.5", screentest::kRed},
        {"locked", 40, 0, 1, 0, "20.0", screentest::kGrey},
        {"locked with pending change", 40, 1, 1, 0, "20.5", screentest::kGrey},
        {"on", 57, 0, 0, 0, "An", screentest::kGreen},
        {"on by the pending change", 56, 1, 0, 0, "An", screentest::kRed},
        {"off", 15, 0, 0, 0, "Aus", screentest::kGreen},
        {"off in the other colour scheme", 16, -1, 0, 1, "Aus", screentest::kRed},
        {"on in the other colour scheme", 57, 0, 0, 1, "An", screentest::kGreen},
        {"beyond the remote's range", 253, 0, 0, 0, "126.5", screentest::kGreen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = AddDevice("Heizung", FB_Thermostat);
        device.tsoll = c.tsoll;
        device.tsollDelta = c.tsollDelta;
        device.lock = c.lock;
        device.battery = 80;
        _color = c.color;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        ExpectValueOnPlate(c.value, c.colour);
        ExpectText(Lower(20, 140, "Batterie: 80 %"), screentest::kBackground);
        ExpectPlain(141, 30, 100, 15);  // no open-window mark
        std::memset(&device, 0, sizeof device);
    }
}

TEST_F(RowTest, OpenWindowIsMarkedBesideTheBattery) {
    DeviceRecord& device = AddDevice("Heizung", FB_Thermostat);
    device.tsoll = 42;
    device.battery = 5;
    device.windowopenactiv = 1;
    SmartHomeAusgabe();
    ExpectText(Lower(20, 140, "Batterie: 5 %"), screentest::kBackground);
    ExpectText(Lower(200, 230, "*"), screentest::kBackground);
}

TEST_F(RowTest, PlateHasItsRimAndTransparentCornersAtItsPlace) {
    AddDevice("Heizung", FB_Thermostat).tsoll = 15;
    SmartHomeAusgabe();
    const int32_t left = _x + 250, top = T() + 15;
    struct {
        int32_t dx, dy;
        uint32_t colour;
    } const pixels[] = {
        {0, 0, screentest::kBackground}, {1, 0, screentest::kBackground},
        {2, 0, screentest::kPlateRim},   {39, 0, screentest::kPlateRim},
        {40, 0, screentest::kBackground}, {0, 1, screentest::kBackground},
        {1, 1, screentest::kPlateRim},   {2, 1, screentest::kPlateFace},
        {0, 2, screentest::kPlateRim},   {41, 2, screentest::kPlateRim},
        {1, 2, screentest::kPlateFace},  {40, 19, screentest::kPlateFace},
        {0, 19, screentest::kPlateRim},  {41, 19, screentest::kPlateRim},
        {41, 20, screentest::kBackground}, {40, 20, screentest::kPlateRim},
        {2, 21, screentest::kPlateRim},  {1, 21, screentest::kBackground},
        {20, 22, screentest::kBackground}, {42, 10, screentest::kBackground},
        {-1, 10, screentest::kBackground},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(Pixel(left + p.dx, top + p.dy), p.colour) << "plate pixel " << p.dx << ", " << p.dy;
}

TEST_F(RowTest, PlateCornersKeepTheHighlight) {
    AddDevice("Steckdose", FB_SwitchSocket).switchState = 1;
    _aktDev = 2;
    SmartHomeAusgabe();
    EXPECT_EQ(Pixel(_x + 250, T() + 15), screentest::kHighlight);
    EXPECT_EQ(Pixel(_x + 291, T() + 36), screentest::kHighlight);
    EXPECT_EQ(Pixel(_x + 252, T() + 15), screentest::kPlateRim);
}

TEST_F(RowTest, SwitchStateFollowsTheLockAndTheColourScheme) {
    struct {
        const char* name;
        uint8_t state;
        uint8_t lock;
        int32_t color;
        const char* text;  // null: the plate stays empty
        uint32_t colour;
    } const cases[] = {
        {"on", 1, 0, 0, "An", screentest::kGreen},
        {"off", 0, 0, 0, "Aus", screentest::kRed},
        {"on, other scheme", 1, 0, 1, "An", screentest::kRed},
        {"off, other scheme", 0, 0, 1, "Aus", screentest::kGreen},
        {"locked on", 1, 1, 0, "An", screentest::kGrey},
        {"locked off", 0, 1, 1, "Aus", screentest::kGrey},
        {"locked, state 2", 2, 1, 0, "An", screentest::kGrey},
        {"unknown state 2", 2, 0, 0, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = AddDevice("Steckdose", FB_SwitchSocket);
        device.switchState = c.state;
        device.lock = c.lock;
        _color = c.color;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        if (c.text) {
            ExpectValueOnPlate(c.text, c.colour);
        } else {
            for (int32_t dy = 2; dy < 20; ++dy)
                for (int32_t dx = 1; dx < 41; ++dx)
                    ASSERT_EQ(Pixel(_x + 250 + dx, T() + 15 + dy), screentest::kPlateFace);
        }
        std::memset(&device, 0, sizeof device);
    }
}

TEST_F(RowTest, AlarmSensorShowsItsStateAndConnection) {
    struct {
        const char* name;
        uint8_t alert;
        int32_t color;
        const char* text;
        uint32_t colour;
    } const cases[] = {
        {"raised", 1, 0, "An", screentest::kGreen},
        {"quiet", 0, 0, "Aus", screentest::kRed},
        {"other state counts as quiet", 2, 0, "Aus", screentest::kRed},
        {"raised, other scheme", 1, 1, "An", screentest::kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = AddDevice("Rauchmelder", FB_AlarmSensor);
        device.alertState = c.alert;
        _color = c.color;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        ExpectText(At(250, 10, 290, c.text, &Calibri_12_FontDataUC, c.colour, ALIGN_Centre),
                   screentest::kBackground);
        ExpectText(Lower(20, 140, "Verbunden"), screentest::kBackground);
        std::memset(&device, 0, sizeof device);
    }
}

TEST_F(RowTest, PowerAndTemperatureShareTheLowerLine) {
    DeviceRecord& device = AddDevice("Fernseher", FB_EnergyMeter | FB_TemperatureSensor);
    // 10.025 W lies just below the halfway point as a float, just above it
    // as a double.
    device.power = 10025;
    device.celsius = 215;
    SmartHomeAusgabe();
    ExpectText(Lower(20, 120, "10.02 W"), screentest::kBackground);
    ExpectText(Lower(120, 160, "21.5\xB0" "C", ALIGN_Right), screentest::kBackground);
}

TEST_F(RowTest, ValuesAreScaledAndFormatted) {
    struct {
        const char* name;
        uint16_t functions;
        int32_t value;
        const char* text;
    } const cases[] = {
        {"power 1500 mW", FB_EnergyMeter, 1500, "1.50 W"},
        {"power 12345 mW", FB_EnergyMeter, 12345, "12.35 W"},
        {"no power", FB_EnergyMeter, 0, "0.00 W"},
        {"power of a large meter", FB_EnergyMeter, 3456789, "3456.79 W"},
        {"temperature", FB_TemperatureSensor, 215, "21.5\xB0" "C"},
        {"below freezing", FB_TemperatureSensor, -35, "-3.5\xB0" "C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = AddDevice("Messung", c.functions);
        device.power = device.celsius = c.value;
        Paint(screentest::kUntouched);
        SmartHomeAusgabe();
        if (c.functions == FB_EnergyMeter)
            ExpectText(Lower(20, 120, c.text), screentest::kBackground);
        else
            ExpectText(Lower(120, 160, c.text, ALIGN_Right), screentest::kBackground);
        std::memset(&device, 0, sizeof device);
    }
}

TEST_F(RowTest, DeviceNotConnectedShowsOnlyItsName) {
    DeviceRecord& device = AddDevice("Keller", FB_AlarmSensor | FB_Thermostat | FB_EnergyMeter |
                                                   FB_TemperatureSensor | FB_SwitchSocket);
    device.present = 0;
    device.tsoll = 40;
    device.power = 1500;
    device.switchState = 1;
    device.windowopenactiv = 1;
    SmartHomeAusgabe();
    ExpectText(At(10, 0, 250, "Keller", &Calibri_16_FontDataUC, screentest::kWhite, ALIGN_Left),
               screentest::kBackground);
    ExpectText(Lower(20, 140, "nicht Verbunden"), screentest::kBackground);
    ExpectPlain(141, 0, 161, 49);  // no values, no plate
    ExpectPlain(2, 27, 17, 22);
}

TEST_F(RowTest, SessionIdBesideTheTitleOnlyWhenAsked) {
    std::strcpy(_Sid, "9944c95f2d4a31b0");
    SmartHomeAusgabe();
    const Text sid = {_x + 170, _y + 10, _x + 300, _Sid, &Calibri_10_FontDataUC,
                      screentest::kSessionId, ALIGN_Left};
    ExpectText({_x + 10, _y, _x + 170, "Smart Home", &Calibri_18_FontDataUC, screentest::kWhite, 0},
               screentest::kBackground);
    EXPECT_FALSE(HasInk(sid.x, sid.y, sid.maxX, sid.y + 20));
    _showsid = 1;
    SmartHomeAusgabe();
    ExpectText(sid, screentest::kBackground);
}

TEST_F(SmartHomeAusgabeTest, PublishesEveryCallWithTheFirmwaresTransparency) {
    AddDevices(2);
    TAP_Osd_SetTransparency(2, 100);
    uint64_t frame = tapsim_CopyScreen(nullptr);
    SmartHomeAusgabe();
    EXPECT_EQ(tapsim_Transparency(), -1);
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 1);
    _info = 1;
    SmartHomeAusgabe();
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 2);
}

TEST_F(SmartHomeAusgabeTest, RedrawingHoldsNoMemory) {
    AddDevices(3);
    AddDevice("Heizung", FB_Thermostat | FB_TemperatureSensor).endperiod = 1768500000;
    _info = 1;
    _aktDev = 4;
    SmartHomeAusgabe();  // loads the glyphs it needs into the fonts' caches
    uint32_t blocks = 0, after = 0;
    uint64_t bytes = 0, afterBytes = 0;
    tapsim_MemoryInUse(&blocks, &bytes);
    for (int i = 0; i < 3; ++i) SmartHomeAusgabe();
    tapsim_MemoryInUse(&after, &afterBytes);
    EXPECT_EQ(after, blocks);
    EXPECT_EQ(afterBytes, bytes);
}

// Every anchor the settings allow, with a full list, every kind of value
// and the panel open: no image or text box may reach beyond the region.
TEST_F(SmartHomeAusgabeTest, NothingIsDrawnBeyondTheRegionAtAnyAnchor) {
    for (int i = 0; i < 12; ++i) {
        DeviceRecord& device =
            AddDevice("Ger\xC3\xA4t mit einem sehr langen Namen, der nicht passt",
                      FB_AlarmSensor | FB_Thermostat | FB_EnergyMeter | FB_TemperatureSensor |
                          FB_SwitchSocket | FB_Repeater | FB_NoiseSensor);
        device.tsoll = 40;
        device.switchState = 1;
        device.windowopenactiv = 1;
        device.endperiod = 1768500000;
    }
    _info = 1;
    _showsid = 1;
    std::strcpy(_Sid, "9944c95f2d4a31b0");
    const uint64_t before = tapsim_DrawsBeyondRegion();
    for (int32_t x : {0, 1, 250, 410, 420, 440, 450, 470, 500})
        for (int32_t y : {0, 1, 2, 20, 49, 100, 300, 450, 500}) {
            _x = x;
            _y = y;
            SmartHomeAusgabe();
            ASSERT_EQ(tapsim_DrawsBeyondRegion(), before) << "anchor " << x << ", " << y;
        }
}

// At the right edge the plate is left out rather than cut, the value text is
// cut at the region's last column.
TEST_F(RowTest, PlateThatWouldNotFitIsLeftOut) {
    AddDevice("Heizung", FB_Thermostat).tsoll = 40;
    _x = 440;  // the plate would span 690 … 731
    SmartHomeAusgabe();
    EXPECT_EQ(Pixel(_x + 252, T() + 15), screentest::kBackground);
    EXPECT_EQ(Pixel(_x + 251, T() + 18), screentest::kBackground);
    _x = 420;  // 670 … 711 fits
    Paint(screentest::kUntouched);
    SmartHomeAusgabe();
    EXPECT_EQ(Pixel(_x + 252, T() + 15), screentest::kPlateRim);
    ExpectValueOnPlate("20.0", screentest::kGreen);
}

}  // namespace
