// The detail panel: its row count and frame for each kind of device, every
// line in its place and order, the number formats, the next switching time
// in local time with its cut-off date, the clearing of its column, and an
// empty list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin.h"
#include "screens.h"
#include "screentest.h"
#include "settings.h"
#include "tapsim.h"

namespace {

using screentest::ExpectText;

class InfoAusgabeTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        _x = 30;
        _y = 20;
    }
    // A device selected alone in the list, with the texts every panel shows.
    DeviceRecord& Selected(uint16_t functions) {
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        DeviceRecord& device = AddDevice("Ger\xC3\xA4t", functions);
        std::strcpy(device.manufacturer, "Heimbit");
        std::strcpy(device.productname, "HB Thermo 2");
        std::strcpy(device.fwversion, "05.16");
        std::strcpy(device.ain, "13077 0241561");
        device.id = 16;
        _aktDev = 1;
        return device;
    }
    void Draw() {
        Paint(screentest::kUntouched);
        InfoAusgabe();
    }
    // Expects exactly these lines from line 0 on, and nothing below them.
    void ExpectLines(const std::vector<std::string>& lines) {
        for (size_t k = 0; k < lines.size(); ++k) {
            SCOPED_TRACE("line " + std::to_string(k));
            ExpectText({_x + 320, _y + 10 + 20 * int32_t(k), _x + 600, lines[k],
                        &Calibri_10_FontDataUC, screentest::kWhite, ALIGN_Left},
                       screentest::kBackground);
        }
        const int32_t below = _y + 10 + 20 * int32_t(lines.size());
        for (int32_t y = below; y < below + 20 && y < 540; ++y)
            for (int32_t x = _x + 312; x < _x + 612; ++x) {
                const uint32_t pixel = Pixel(x, y);
                ASSERT_TRUE(pixel == screentest::kBackground || pixel == screentest::kWhite || pixel == 0)
                    << "ink below the last line at (" << x << ", " << y << ")";
            }
    }
    static std::vector<std::string> Common(const char* connection = "Verbindung ok") {
        return {"Hersteller: Heimbit", "Produktname: HB Thermo 2", "13077 0241561", "ID: 16",
                "Firmware: 05.16", connection};
    }
    static std::vector<std::string> Join(std::vector<std::string> lines,
                                         const std::vector<std::string>& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
};

TEST_F(InfoAusgabeTest, FrameHeightFollowsTheRowsOfEveryKind) {
    struct {
        const char* name;
        uint16_t functions;
        int rows;
    } const cases[] = {
        {"no kind", 0, 7},
        {"switch socket", FB_SwitchSocket, 11},
        {"alarm sensor", FB_AlarmSensor, 11},
        {"thermostat", FB_Thermostat, 17},
        {"energy meter", FB_EnergyMeter, 10},
        {"temperature sensor", FB_TemperatureSensor, 9},
        {"repeater", FB_Repeater, 8},
        {"noise sensor", FB_NoiseSensor, 8},
        {"thermostat with temperature sensor", FB_Thermostat | FB_TemperatureSensor, 19},
        {"socket with meter and sensor", FB_SwitchSocket | FB_EnergyMeter | FB_TemperatureSensor, 16},
        {"every kind", 0xFFFF, 32},
    };
    _y = 2;  // the largest frame, 644 lines, still shows its top
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Selected(c.functions);
        Draw();
        const int32_t left = _x + 310, top = _y - 2;
        const int32_t bottom = top + 20 * c.rows + 3;  // the frame's last line
        for (int32_t y : {top, top + 1, bottom - 1, bottom}) {
            if (y >= 540) continue;
            EXPECT_EQ(Pixel(left, y), screentest::kWhite) << "line " << y;
            EXPECT_EQ(Pixel(left + 303, y), screentest::kWhite) << "line " << y;
        }
        for (int32_t y : {_y, _y + 20 * c.rows - 1}) {
            if (y >= 540) continue;
            EXPECT_EQ(Pixel(left + 1, y), screentest::kWhite);
            EXPECT_EQ(Pixel(left + 2, y), screentest::kBackground);
            EXPECT_EQ(Pixel(left + 301, y), screentest::kBackground);
            EXPECT_EQ(Pixel(left + 302, y), screentest::kWhite);
        }
        if (bottom + 1 < 540) {
            EXPECT_EQ(Pixel(left, bottom + 1), 0u);  // the cleared column
        }
        EXPECT_EQ(Pixel(left - 1, _y), screentest::kUntouched);
        EXPECT_EQ(Pixel(left + 304, _y), screentest::kUntouched);
    }
}

TEST_F(InfoAusgabeTest, PlainSwitchSocketHasTenLines) {
    DeviceRecord& device = Selected(FB_SwitchSocket);
    std::strcpy(device.mode, "auto");
    device.present = 1;
    Draw();
    ExpectLines(Join(Common(), {"Schaltsteckdose", "Mode: auto",
                                "Manuelles Schalten per APP am Ger\xE4t ja",
                                "Manuelles Schalten per Taster am Ger\xE4t ja"}));
    EXPECT_EQ(Pixel(_x + 310, _y + 221), screentest::kWhite);  // 304 x 224 frame
    EXPECT_EQ(Pixel(_x + 310, _y + 222), 0u);
}

TEST_F(InfoAusgabeTest, ThermostatShowsItsNextSwitchingTimeInLocalTime) {
    struct {
        const char* name;
        int32_t endperiod;
        const char* line;  // null: "nächste Umschaltung ---" and no temperature line
    } const cases[] = {
        {"winter: one hour ahead", 1768500000, "n\xE4" "chste Umschaltung 15.01.2026  19:00 Uhr"},
        {"summer: two hours ahead", 1783342800, "n\xE4" "chste Umschaltung 06.07.2026  15:00 Uhr"},
        {"local midnight of 2 January 2016", 1451689200,
         "n\xE4" "chste Umschaltung 02.01.2016  00:00 Uhr"},
        {"last minute of 1 January 2016", 1451689140, nullptr},
        {"local midnight of 1 January 2016", 1451602800, nullptr},
        {"none", 0, nullptr},
        {"before 1970", -86400, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = Selected(FB_Thermostat | FB_TemperatureSensor);
        device.errorcode = 0;
        device.komfort = 42;
        device.absenk = 33;
        device.endperiod = c.endperiod;
        device.tchange = 34;
        device.lock = 1;
        device.devicelock = 0;
        device.offset = -15;
        Draw();
        std::vector<std::string> lines = Common();
        lines = Join(lines, {"Heizkostenregler", "keine Fehler", "Komforttemperatur 21.0\xB0" "C",
                             "Spartemperatur 16.5\xB0" "C",
                             "Manuelles Schalten per APP am Ger\xE4t nein",
                             "Manuelles Schalten per Taster am Ger\xE4t ja"});
        if (c.line)
            lines = Join(lines, {c.line, "Umschaltungs Teperatur 17.0\xB0" "C"});
        else
            lines = Join(lines, {"n\xE4" "chste Umschaltung ---"});
        lines = Join(lines, {"Heizung an > Wintermodus", "Urlaubsmodus aus", "Temperatursensor",
                             "Temperatur Offset -1.5\xB0" "C"});
        ExpectLines(lines);
        // 19 rows either way.
        EXPECT_EQ(Pixel(_x + 310, _y + 20 * 19 + 1), screentest::kWhite);
        EXPECT_EQ(Pixel(_x + 310, _y + 20 * 19 + 2), 0u);
    }
}

TEST_F(InfoAusgabeTest, ThermostatErrorsAndModes) {
    const char* const errors[] = {
        "keine Fehler",
        "Keine Adaptierung m\xF6glich. Ger\xE4t korrekt am Heizk\xF6rper montiert?",
        "Ventilhub zu kurz oder Batterieleistung zu schwach. Ventilst\xF6\xDF" "el per Hand mehrmals "
        "\xF6" "fnen und schlie\xDF" "en oder neue Batterien einsetzen.",
        "Keine Ventilbewegung m\xF6glich. Ventilst\xF6\xDF" "el frei?",
        "Die Installation wird gerade vorbereitet",
        "Der Heizk\xF6rperregler ist im Installationsmodus und kann auf das Heizungsventil montiert",
        "Der Heizk\xF6rperregler passt sich nun an den Hub des Heizungsventils an",
        "sonstiger Error",
        "sonstiger Error",
    };
    const uint8_t codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 255};
    for (size_t i = 0; i < sizeof codes; ++i) {
        SCOPED_TRACE("error code " + std::to_string(codes[i]));
        DeviceRecord& device = Selected(FB_Thermostat);
        device.errorcode = codes[i];
        device.komfort = 254;  // unmapped: the router's "on"
        device.absenk = 253;
        device.lock = 0;
        device.devicelock = 1;
        device.summeractive = i % 2;
        device.holidayactive = i % 2;
        device.present = 0;
        Draw();
        ExpectLines(Join(Common("keine Verbindung"),
                         {"Heizkostenregler", errors[i], "Komforttemperatur 127.0\xB0" "C",
                          "Spartemperatur 126.5\xB0" "C", "Manuelles Schalten per APP am Ger\xE4t ja",
                          "Manuelles Schalten per Taster am Ger\xE4t nein",
                          "n\xE4" "chste Umschaltung ---",
                          i % 2 ? "Heizung aus > Sommermodus" : "Heizung an > Wintermodus",
                          i % 2 ? "Urlaubsmodus an" : "Urlaubsmodus aus"}));
    }
}

TEST_F(InfoAusgabeTest, LongLinesEndAtTheRightLimit) {
    Selected(FB_Thermostat).errorcode = 2;
    Draw();
    const int32_t line = _y + 10 + 20 * 7;
    bool inked = false;
    for (int32_t y = line; y < line + 18; ++y) {
        for (int32_t x = _x + 320; x < _x + 600; ++x) inked = inked || Pixel(x, y) != screentest::kBackground;
        for (int32_t x = _x + 601; x < _x + 612; ++x)
            ASSERT_EQ(Pixel(x, y), screentest::kBackground) << "(" << x << ", " << y << ")";
    }
    EXPECT_TRUE(inked);
}

TEST_F(InfoAusgabeTest, BlocksComeInTheirFixedOrder) {
    DeviceRecord& device =
        Selected(FB_NoiseSensor | FB_SwitchSocket | FB_TemperatureSensor | FB_EnergyMeter);
    device.energy = 1234;
    device.voltage = 230123;
    device.offset = 5;
    std::strcpy(device.mode, "---");
    device.lock = 1;
    device.devicelock = 1;
    Draw();
    ExpectLines(Join(Common(), {"Energie Messger\xE4t", "Verbrauch 1.2 KWh", "Spannung 230.1 Volt",
                                "Temperatursensor", "Temperatur Offset 0.5\xB0" "C",
                                "Schaltsteckdose", "Mode: ---",
                                "Manuelles Schalten per APP am Ger\xE4t nein",
                                "Manuelles Schalten per Taster am Ger\xE4t nein",
                                "Ger\xE4usch" "sensor"}));
}

TEST_F(InfoAusgabeTest, AlarmSensorAndRepeater) {
    DeviceRecord& device = Selected(FB_AlarmSensor | FB_Repeater);
    device.etsideviceid = 406;
    device.unittype = 516;
    device.interfaces = 256;
    Draw();
    ExpectLines(Join(Common(), {"Sensor", "etsi device id: 406", "unit type: 516", "interfaces: 256",
                                "DECT Repeater"}));
}

TEST_F(InfoAusgabeTest, NumbersAreScaledInSinglePrecision) {
    struct {
        const char* name;
        int32_t energy;
        int32_t voltage;
        const char* consumption;
        const char* tension;
    } const cases[] = {
        {"kilo and volt", 1234, 230123, "Verbrauch 1.2 KWh", "Spannung 230.1 Volt"},
        {"nothing measured", 0, 0, "Verbrauch 0.0 KWh", "Spannung 0.0 Volt"},
        {"small voltage keeps its width", 250, 5000, "Verbrauch 0.2 KWh", "Spannung 5.0 Volt"},
        // 0.45 and 1.45 lie just below and just above the halfway point as
        // floats, the other way round as doubles.
        {"halfway rounded as a float", 450, 1450, "Verbrauch 0.4 KWh", "Spannung 1.5 Volt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRecord& device = Selected(FB_EnergyMeter);
        device.energy = c.energy;
        device.voltage = c.voltage;
        Draw();
        ExpectLines(Join(Common(), {"Energie Messger\xE4t", c.consumption, c.tension}));
    }
}

// A longer panel of the previous device must not remain below a shorter one.
TEST_F(InfoAusgabeTest, ClearsItsWholeColumnFirst) {
    Paint(0xFF204060);
    Selected(FB_Repeater);
    InfoAusgabe();
    for (int32_t y : {0, _y - 3, _y + 20 * 8 + 2, 300, 539}) {
        EXPECT_EQ(Pixel(_x + 310, y), 0u) << y;
        EXPECT_EQ(Pixel(_x + 613, y), 0u) << y;
        EXPECT_EQ(Pixel(_x + 309, y), 0xFF204060u) << y;
        EXPECT_EQ(Pixel(_x + 614, y), 0xFF204060u) << y;
    }
}

// With no device in the list the selection points at no record; the panel
// reads none (the record behind the list's end holds a stale device).
TEST_F(InfoAusgabeTest, EmptyListOnlyClearsTheColumn) {
    for (int selection : {0, 1, 2}) {
        SCOPED_TRACE("selection " + std::to_string(selection));
        DeviceRecord& stale = Selected(FB_Thermostat);
        stale.name[0] = 0;
        _aktDev = static_cast<uint8_t>(selection);
        Paint(0xFF204060);
        InfoAusgabe();
        for (int32_t y = 0; y < 540; y += 7)
            for (int32_t x = _x + 310; x < _x + 614; x += 3) ASSERT_EQ(Pixel(x, y), 0u);
    }
}

TEST_F(InfoAusgabeTest, SelectionBeyondTheListShowsNothing) {
    Selected(FB_SwitchSocket);
    AddDevice("Zweites", FB_SwitchSocket);
    _aktDev = 3;
    Draw();
    EXPECT_EQ(Pixel(_x + 310, _y), 0u);
    _aktDev = 2;
    Draw();
    EXPECT_EQ(Pixel(_x + 310, _y), screentest::kWhite);
}

}  // namespace
