// SmartHomeAusgabe draws only what changed: after every call the region
// must hold exactly what a redraw of everything from the same state leaves.
// A long random sequence of what happens while the plug-in runs (the list
// and its values changing, keys, the panel opened and closed, scrolling,
// settings, the session id, the empty list's reason, the clock and the time
// zone, other writers over the region) runs against the plug-in's region.
// A second region sees the same writes from others, and after each step
// the same state is drawn whole into it, with everything forgotten first
// (InvalidateScreen); what the screens remember (ScreenShown) is kept
// aside meanwhile, so that the reference never disturbs it.  The two
// regions are compared pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "plugin.h"
#include "router.h"
#include "screens.h"
#include "screens_private.h"
#include "screentest.h"
#include "settings.h"
#include "tap.h"
#include "tapsim.h"

namespace {

const char* const kNames[] = {
    "Wohnzimmer Heizk\xC3\xB6rper", "Bad", "Fernseher", "K\xC3\xBC" "che Thermometer",
    "Lampe Flur & Diele", "Ger\xC3\xA4t mit einem sehr langen Namen, der nicht passt",
};
const char* const kTexts[] = {"Heimbit", "HB Thermo 2", "04.25", "manuell", "", "13077 0241561"};
const uint16_t kKinds[] = {
    FB_Thermostat | FB_TemperatureSensor, FB_SwitchSocket | FB_EnergyMeter | FB_TemperatureSensor,
    FB_AlarmSensor, FB_TemperatureSensor, FB_SwitchSocket, FB_Thermostat, FB_Repeater | FB_NoiseSensor,
    FB_AlarmSensor | FB_Thermostat | FB_EnergyMeter | FB_TemperatureSensor | FB_SwitchSocket,
};

class IncrementalRedraw : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // Both off the screen: publishing composes nothing, which keeps the
        // many steps quick.
        visible = _rgn;
        incremental = OffScreenRegion();
        full = OffScreenRegion();
        _rgn = incremental;
    }
    void TearDown() override {
        TAP_Osd_Delete(incremental);
        TAP_Osd_Delete(full);
        _rgn = visible;
        ScreenTest::TearDown();
    }

    uint16_t OffScreenRegion() {
        const int created = TAP_Osd_Create(0, 0, 720, 540, 0, OSD_Flag_OffScreen);
        EXPECT_GE(created, TAP_FirstRegion);
        TAP_Osd_FillBox(created, 0, 0, 720, 540, screentest::kUntouched);
        InvalidateScreen();
        return static_cast<uint16_t>(created);
    }

    static constexpr int32_t kPixels = 720 * 540;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    int32_t Between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    }
    template <typename T, size_t N>
    const T& OneOf(const T (&items)[N]) {
        return items[Pick(int(N))];
    }

    void FillDevice(DeviceRecord& device) {
        std::memset(&device, 0, sizeof device);
        std::strcpy(device.name, OneOf(kNames));
        device.functionbitmask = OneOf(kKinds);
        device.present = Pick(8) != 0;
        device.tsoll = Between(15, 57);
        device.battery = static_cast<uint8_t>(Between(0, 100));
        device.celsius = Between(-100, 350);
        device.power = Between(0, 3000000);
        device.switchState = static_cast<uint8_t>(Pick(3));
        device.endperiod = Pick(3) ? 1768500000 + Between(0, 30000000) : 0;
        std::strcpy(device.manufacturer, "Heimbit");
        std::strcpy(device.mode, "auto");
    }

    // One field of a device, any the screens read and one they do not.
    std::string ChangeField(DeviceRecord& d) {
        switch (Pick(24)) {
        case 0: std::strcpy(d.name, OneOf(kNames)); return "name";
        case 1: d.present = !d.present; return "present";
        case 2: d.functionbitmask = OneOf(kKinds); return "functionbitmask";
        case 3: d.alertState = static_cast<uint8_t>(Pick(3)); return "alertState";
        case 4: {
            static const int32_t special[] = {TSOLL_Off, TSOLL_On, 253};
            d.tsoll = Pick(4) ? Between(16, 56) : OneOf(special);
            return "tsoll";
        }
        case 5: d.tsollDelta = Between(-3, 3); return "tsollDelta";
        case 6: d.lock = !d.lock; return "lock";
        case 7: d.devicelock = !d.devicelock; return "devicelock";
        case 8: d.battery = static_cast<uint8_t>(Between(0, 100)); return "battery";
        case 9: d.windowopenactiv = !d.windowopenactiv; return "windowopenactiv";
        case 10: d.power = Between(0, 3000000); return "power";
        case 11: d.celsius += Pick(2) ? Between(1, 3) : -Between(1, 3); return "celsius";
        case 12: d.switchState = static_cast<uint8_t>(Pick(3)); return "switchState";
        case 13: std::strcpy(d.manufacturer, OneOf(kTexts)); return "manufacturer";
        case 14: std::strcpy(d.productname, OneOf(kTexts)); return "productname";
        case 15: std::strcpy(d.fwversion, OneOf(kTexts)); return "fwversion";
        case 16: std::strcpy(d.ain, OneOf(kTexts)); return "ain";
        case 17: std::strcpy(d.mode, OneOf(kTexts)); return "mode";
        case 18: d.id = Between(0, 1000); return "id";
        case 19:
            d.etsideviceid = Between(0, 999);
            d.unittype = Between(0, 999);
            d.interfaces = Between(0, 999);
            return "alarm unit";
        case 20:
            d.errorcode = static_cast<uint8_t>(Between(0, 8));
            d.komfort = static_cast<uint8_t>(Between(30, 50));
            d.absenk = static_cast<uint8_t>(Between(30, 50));
            return "thermostat settings";
        case 21:
            d.endperiod = Pick(3) ? 1768500000 + Between(0, 30000000) : 0;
            d.tchange = static_cast<uint8_t>(Between(30, 50));
            d.summeractive = static_cast<uint8_t>(Pick(2));
            d.holidayactive = static_cast<uint8_t>(Pick(2));
            return "next change";
        case 22:
            d.energy = Between(0, 999999);
            d.voltage = Between(220000, 240000);
            d.offset = Between(-20, 20);
            return "meter";
        default: d.batterylow = !d.batterylow; return "batterylow (not shown)";
        }
    }

    // Something else writes a box of the region, as the key handling's
    // column clear does; both regions see it.
    std::string Overwrite() {
        const int32_t x = Between(0, 700), y = Between(0, 530);
        const int32_t width = Between(1, 200), height = Between(1, 200);
        const uint32_t colour = 0xFF000000u | uint32_t(Between(0, 0xFFFFFF));
        TAP_Osd_FillBox(incremental, x, y, width, height, colour);
        TAP_Osd_FillBox(full, x, y, width, height, colour);
        InvalidateScreenBox(x, y, width, height);
        return "overwrite " + std::to_string(x) + "," + std::to_string(y) + " " +
               std::to_string(width) + "x" + std::to_string(height);
    }

    // A key for the key handling, which changes the state and redraws;
    // 0 when the key would do nothing here.
    std::string PickKey() {
        static const uint32_t keys[] = {KEY_Next, KEY_Previous, KEY_Info, KEY_Exit, KEY_Raise,
                                        KEY_Lower};
        key = OneOf(keys);
        const DeviceRecord* selected = SelectedListDevice();
        // Switch sockets would send commands: only thermostats change here.
        if ((key == KEY_Raise || key == KEY_Lower) &&
            (!selected || !(selected->functionbitmask & FB_Thermostat)))
            key = 0;
        return key ? "key " + std::to_string(key) : "";
    }

    // The step's drawing: the key handling (which clears the panel's
    // column when it closes the panel), or the main loop's pass.
    void Draw() {
        if (key) {
            TAP_EventHandler(EVT_KEY, key, 0);
            _Tapon = 1;
        } else {
            SmartHomeAusgabe();
        }
    }

    // The step drawn into the second region with everything forgotten
    // first, the screens' memory kept aside.  The state the step leaves is
    // the step's own: its redraw is drawn again whole.
    void DrawWhole(int32_t panelBefore) {
        const ScreenMemory kept = ScreenShown;
        _rgn = full;
        if (panelBefore && !_info) ClearInfoPanel();
        InvalidateScreen();
        SmartHomeAusgabe();
        _rgn = incremental;
        ScreenShown = kept;
    }

    // Changes the state for one step; returns what it did (empty: nothing
    // to draw).
    std::string Step() {
        key = 0;
        const int count = CountDevices();
        // Keys and value changes most often, so that the panel is often
        // closed and opened again on an unchanged device.
        const int choice = Pick(32);
        if (choice < 12) return PickKey();
        if (choice < 20) {
            if (count == 0) return "";
            // Mostly a device in view, whose row is drawn.
            const int slot = Pick(4) ? std::min(count - 1, _Versatz + Pick(ListRows)) : Pick(count);
            return "device " + std::to_string(slot + 1) + ": " + ChangeField(_SmartHome[slot]);
        }
        switch (choice) {
        case 20:
        case 21:
            if (count == DeviceTableRecords) return "";
            FillDevice(_SmartHome[count]);
            return "device added";
        case 22:
            if (count == 0) return "";
            _SmartHome[Pick(8) ? count - 1 : Pick(count)].name[0] = 0;
            return "list cut";
        case 23:
            if (Pick(8)) {
                _LinkState = Pick(5);
                return "link state " + std::to_string(_LinkState);
            }
            for (DeviceRecord& device : _SmartHome) device.name[0] = 0;
            return "list emptied";
        case 24:
            _showsid = !_showsid;
            std::snprintf(_Sid, SidSize, "%016x", unsigned(Pick(4)));
            return "session id";
        case 25: _color = !_color; return "colour scheme";
        case 26:
            _x = Between(0, 60);
            _y = Between(0, 40);
            return "anchors";
        case 27:
            _aktDev = static_cast<uint8_t>(Between(0, count + 1));
            return "selection " + std::to_string(_aktDev);
        case 28:
            tapsim_SetClock(screentest::kFixedClock + Between(0, 400) * 86400);
            tapsim_SetTimeSettings(static_cast<int16_t>(Pick(2) ? 60 : 120), 0);
            return "clock and time zone";
        case 29: return Overwrite();
        default: return "nothing";
        }
    }

    std::mt19937 random{20261208};
    uint32_t key = 0;
    uint16_t visible = 0;
    uint16_t incremental = 0;
    uint16_t full = 0;
};

TEST_F(IncrementalRedraw, EveryCallLeavesWhatAFullRedrawLeaves) {
    for (int i = 0; i < 14; ++i) FillDevice(_SmartHome[i]);
    _x = 20;
    _y = 20;
    std::string history;
    for (int step = 0; step < 3000; ++step) {
        std::string action = Step();
        if (action.empty()) continue;
        history += std::to_string(step) + " " + action + "\n";
        const int32_t panelBefore = _info;
        Draw();
        DrawWhole(panelBefore);

        const uint32_t* drawn = tapsim_RegionPixels(incremental, nullptr, nullptr);
        const uint32_t* whole = tapsim_RegionPixels(full, nullptr, nullptr);
        for (int32_t at = 0; at < kPixels; ++at)
            if (drawn[at] != whole[at]) {
                FAIL() << "step " << step << " (" << action << "): first difference at ("
                       << at % 720 << ", " << at / 720 << "): " << std::hex << drawn[at]
                       << " instead of " << whole[at] << "\nsteps:\n"
                       << history;
            }
    }
}

// The key handling clears the panel's column when it closes the panel:
// opened again on the same device, the panel is drawn again.
TEST_F(IncrementalRedraw, APanelClosedAndOpenedAgainIsDrawnAgain) {
    for (int i = 0; i < 3; ++i) FillDevice(_SmartHome[i]);
    _x = _y = 20;
    for (uint32_t close : {KEY_Info, KEY_Exit}) {
        TAP_EventHandler(EVT_KEY, KEY_Info, 0);
        ASSERT_EQ(Pixel(_x + PanelOffset, _y), screentest::kWhite);
        TAP_EventHandler(EVT_KEY, close, 0);
        ASSERT_EQ(Pixel(_x + PanelOffset, _y), 0u);
        TAP_EventHandler(EVT_KEY, KEY_Info, 0);
        EXPECT_EQ(Pixel(_x + PanelOffset, _y), screentest::kWhite) << "closed with " << close;
        TAP_EventHandler(EVT_KEY, KEY_Info, 0);
    }
}

// A pass with nothing changed draws nothing: the region's pixels and the
// firmware's drawing calls stay as they are, only the publishing happens.
TEST_F(IncrementalRedraw, APassWithNothingChangedDrawsNothing) {
    for (int i = 0; i < 12; ++i) FillDevice(_SmartHome[i]);
    _info = 1;
    SmartHomeAusgabe();
    const uint64_t frame = tapsim_CopyScreen(nullptr);
    TAP_Osd_FillBox(_rgn, 0, 0, 720, 540, 0xFF123456);  // not told: stays
    SmartHomeAusgabe();
    EXPECT_EQ(Pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(Pixel(100, 100), 0xFF123456u);
    EXPECT_EQ(tapsim_CopyScreen(nullptr), frame + 1);
    InvalidateScreenBox(_x + PanelOffset + 10, 0, 10, 10);  // in the panel's column only
    SmartHomeAusgabe();
    EXPECT_EQ(Pixel(100, 100), 0xFF123456u);
    EXPECT_NE(Pixel(_x + 320, _y + 5), 0xFF123456u);
}

}  // namespace
