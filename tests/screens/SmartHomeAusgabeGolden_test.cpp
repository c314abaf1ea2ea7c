// Whole screens compared pixel for pixel with reviewed golden images
// (tests/golden/screens/): the list with scrolling, the detail panel of each
// kind of device, a device that is not connected, the second colour scheme,
// and the anchors at both ends of their range.  The time is fixed (15
// January 2026, Europe/Berlin).  Regenerate with scripts/update-goldens.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "golden.h"
#include "plugin.h"
#include "router.h"
#include "screens.h"
#include "screentest.h"
#include "settings.h"

namespace {

class SmartHomeAusgabeGolden : public screentest::ScreenTest {
protected:
    // A household of twelve devices as the router names them (UTF-8).
    void AddHousehold() {
        DeviceRecord* device = &AddDevice("Wohnzimmer Heizk\xC3\xB6rper", FB_Thermostat | FB_TemperatureSensor);
        device->tsoll = 44;
        device->battery = 80;
        device->celsius = 215;
        device->komfort = 44;
        device->absenk = 32;
        device->endperiod = 1768500000;  // 2026-01-15 18:00 UTC
        device->tchange = 32;
        SetTexts(device, "Heimbit", "HB Thermo 2", "05.16");

        device = &AddDevice("Schlafzimmer", FB_Thermostat | FB_TemperatureSensor);
        device->tsoll = 36;
        device->tsollDelta = 2;
        device->battery = 40;
        device->celsius = 178;
        device->windowopenactiv = 1;

        device = &AddDevice("Fernseher", FB_SwitchSocket | FB_EnergyMeter | FB_TemperatureSensor);
        device->switchState = 1;
        device->power = 65432;
        device->celsius = 224;
        device->energy = 123456;
        device->voltage = 230123;
        std::strcpy(device->mode, "manuell");
        SetTexts(device, "Heimbit", "HB Steckdose", "04.25");

        device = &AddDevice("Waschmaschine", FB_SwitchSocket | FB_EnergyMeter);
        device->switchState = 0;
        device->power = 0;

        device = &AddDevice("Rauchmelder Flur", FB_AlarmSensor);
        device->alertState = 1;
        device->etsideviceid = 406;
        device->unittype = 516;
        device->interfaces = 256;
        SetTexts(device, "Funkwerk", "Rauchmelder R3", "1.0");

        device = &AddDevice("Garage", FB_SwitchSocket);
        device->present = 0;
        device->switchState = 1;

        device = &AddDevice("Bad Heizung", FB_Thermostat);
        device->tsoll = 57;
        device->battery = 100;
        device->lock = 1;

        device = &AddDevice("K\xC3\xBC" "che Thermometer", FB_TemperatureSensor);
        device->celsius = -35;

        device = &AddDevice("Aquarium", FB_SwitchSocket);
        device->switchState = 1;
        device->lock = 1;

        device = &AddDevice("Keller Heizung", FB_Thermostat);
        device->tsoll = 15;
        device->battery = 10;

        device = &AddDevice("Terrasse", FB_SwitchSocket | FB_EnergyMeter);
        device->switchState = 2;
        device->power = 1500;

        device = &AddDevice("Stra\xC3\x9F" "enlaterne mit einem recht langen Namen", FB_SwitchSocket);
        device->switchState = 0;
    }
    static void SetTexts(DeviceRecord* device, const char* maker, const char* product,
                         const char* firmware) {
        std::strcpy(device->manufacturer, maker);
        std::strcpy(device->productname, product);
        std::strcpy(device->fwversion, firmware);
    }
};

TEST_F(SmartHomeAusgabeGolden, MatchesTheReviewedScreens) {
    struct Case {
        const char* golden;  // below tests/golden/, without ".png"
        std::function<void()> setUp;
    };
    const Case cases[] = {
        {"screens/list", [] { _aktDev = 2; }},
        {"screens/list-scrolled", [] { _aktDev = 12; }},
        {"screens/list-colour-scheme-1", [] { _color = 1; _aktDev = 3; }},
        {"screens/panel-thermostat", [] { _aktDev = 1; _info = 1; }},
        {"screens/panel-thermostat-without-change",
         [] {
             _SmartHome[0].endperiod = 0;
             _aktDev = 1;
             _info = 1;
         }},
        {"screens/panel-socket-energy-meter", [] { _aktDev = 3; _info = 1; }},
        {"screens/panel-alarm-sensor", [] { _aktDev = 5; _info = 1; }},
        {"screens/panel-not-connected", [] { _aktDev = 6; _info = 1; }},
        {"screens/anchor-top-left",
         [] {
             _x = 0;
             _y = 0;
             _showsid = 1;
             std::strcpy(_Sid, "9944c95f2d4a31b0");
             _info = 1;
             _aktDev = 1;
         }},
        {"screens/anchor-500",
         [] {
             _x = 500;
             _y = 500;
             _info = 1;
             _aktDev = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        AddHousehold();
        _x = 20;
        _y = 20;
        _color = 0;
        _info = 0;
        _showsid = 0;
        _Versatz = 0;
        c.setUp();
        Paint(0);
        SmartHomeAusgabe();
        golden::ExpectMatches(c.golden, Region());
    }
}

}  // namespace
