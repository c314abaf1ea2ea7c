// ReaddevVal: the child elements of a device or group into a record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "devices.h"

namespace {

// A thermostat as a current router describes it: the target's next change
// nested in <nextchange>, battery values also directly in the device.
const char kThermostat[] =
    "<device identifier=\"09995 0335100\" id=\"17\" functionbitmask=\"320\" fwversion=\"05.16\" "
    "manufacturer=\"Ostwerk\" productname=\"Heizregler 301\"><present>1</present>"
    "<txbusy>0</txbusy><name>Bad Heizk\xC3\xB6rper</name><battery>79</battery>"
    "<batterylow>1</batterylow><temperature><celsius>205</celsius><offset>-15</offset>"
    "</temperature><hkr><tist>41</tist><tsoll>44</tsoll><absenk>253</absenk>"
    "<komfort>254</komfort><lock>1</lock><devicelock>1</devicelock><errorcode>4</errorcode>"
    "<windowopenactiv>1</windowopenactiv><windowopenactiveendtime>0</windowopenactiveendtime>"
    "<boostactive>0</boostactive><boostactiveendtime>0</boostactiveendtime>"
    "<batterylow>0</batterylow><battery>80</battery><nextchange><endperiod>1706680800"
    "</endperiod><tchange>32</tchange></nextchange><summeractive>1</summeractive>"
    "<holidayactive>1</holidayactive><adaptiveHeatingActive>1</adaptiveHeatingActive>"
    "<adaptiveHeatingRunning>0</adaptiveHeatingRunning></hkr>";

class ReaddevVal_ : public ::testing::Test {
  protected:
    void SetUp() override { std::memset(_SmartHome, 0, DeviceTableSize); }

    // Reads element text into slot 0 with the given FunctionBitmask.
    static DeviceRecord& Read(const std::string& element, uint16_t functions) {
        _SmartHome[0].functionbitmask = functions;
        std::string text = element;
        EXPECT_EQ(ReaddevVal(text.data(), 0), 1);
        EXPECT_EQ(text, element) << "the element text is only read";
        return _SmartHome[0];
    }
};

TEST_F(ReaddevVal_, ReadsAThermostatWithItsNestedNextChange) {
    _SmartHome[0].tsollDelta = -2;
    DeviceRecord& d = Read(kThermostat, FB_Thermostat | FB_TemperatureSensor);
    EXPECT_EQ(d.present, 1);
    EXPECT_STREQ(d.name, "Bad Heizk\xC3\xB6rper");
    EXPECT_EQ(d.tsoll, 44);
    EXPECT_EQ(d.absenk, 253) << "economy and comfort keep the router's off and on";
    EXPECT_EQ(d.komfort, 254);
    EXPECT_EQ(d.lock, 1);
    EXPECT_EQ(d.devicelock, 1);
    EXPECT_EQ(d.errorcode, 4);
    EXPECT_EQ(d.batterylow, 0) << "taken from <hkr>, not from the device";
    EXPECT_EQ(d.battery, 80);
    EXPECT_EQ(d.windowopenactiv, 1);
    EXPECT_EQ(d.endperiod, 1706680800);
    EXPECT_EQ(d.tchange, 32);
    EXPECT_EQ(d.summeractive, 1);
    EXPECT_EQ(d.holidayactive, 1);
    EXPECT_EQ(d.celsius, 205);
    EXPECT_EQ(d.offset, -15);
    EXPECT_EQ(d.tsollDelta, -2) << "a pending change survives the refresh";
}

TEST_F(ReaddevVal_, MapsTheRoutersOffAndOnTargets) {
    const struct {
        const char* tsoll;
        int32_t stored;
    } cases[] = {{"253", TSOLL_Off}, {"254", TSOLL_On}, {"44", 44}, {"16", 16}, {"", 0}};
    for (const auto& c : cases) {
        std::string element = std::string("<present>1</present><name>T</name><hkr><tsoll>") +
                              c.tsoll + "</tsoll></hkr>";
        EXPECT_EQ(Read(element, FB_Thermostat).tsoll, c.stored) << c.tsoll;
    }
}

TEST_F(ReaddevVal_, SocketStateComesFromTheSwitchSectionOnly) {
    // <simpleonoff> and <alert> carry a <state> of their own, here before <switch>.
    std::string socket =
        "<device><present>1</present><name>Fernseher</name><alert><state>1</state></alert>"
        "<simpleonoff><state>0</state></simpleonoff><switch><state>1</state>"
        "<mode>manuell</mode><lock>0</lock><devicelock>1</devicelock></switch>"
        "<powermeter><voltage>229784</voltage><power>48290</power><energy>151234</energy>"
        "</powermeter>";
    DeviceRecord& d = Read(socket, FB_SwitchSocket | FB_EnergyMeter);
    EXPECT_EQ(d.switchState, 1);
    EXPECT_STREQ(d.mode, "manuell");
    EXPECT_EQ(d.lock, 0);
    EXPECT_EQ(d.devicelock, 1);
    EXPECT_EQ(d.voltage, 229784);
    EXPECT_EQ(d.power, 48290);
    EXPECT_EQ(d.energy, 151234);
    EXPECT_EQ(d.alertState, 0) << "alarm bit clear: <alert> is not read";
}

TEST_F(ReaddevVal_, AlarmSensorReadsItsUnitAndAlert) {
    std::string sensor =
        "<present>1</present><name>Fensterkontakt</name><switch><state>0</state></switch>"
        "<etsiunitinfo><etsideviceid>406</etsideviceid><unittype>514</unittype>"
        "<interfaces>256</interfaces></etsiunitinfo><alert><state>1</state>"
        "<lastalertchgtimestamp>1706680000</lastalertchgtimestamp></alert>";
    DeviceRecord& d = Read(sensor, FB_AlarmSensor);
    EXPECT_EQ(d.etsideviceid, 406);
    EXPECT_EQ(d.unittype, 514);
    EXPECT_EQ(d.interfaces, 256);
    EXPECT_EQ(d.alertState, 1);
}

TEST_F(ReaddevVal_, SwitchWithoutModeShowsThreeDashes) {
    const struct {
        const char* section;
        const char* mode;
    } cases[] = {{"<switch><state>1</state></switch>", "---"},
                 {"<switch><state>1</state><mode></mode></switch>", ""},
                 {"<switch><mode>auto</mode></switch>", "auto"},
                 {"<switch><state>1</state><mode>manuell</switch>", "---"}};
    for (const auto& c : cases) {
        std::string element = std::string("<present>1</present><name>S</name>") + c.section;
        EXPECT_STREQ(Read(element, FB_SwitchSocket).mode, c.mode) << c.section;
    }
}

TEST_F(ReaddevVal_, MissingElementsInAFoundSectionGiveZero) {
    DeviceRecord& before = _SmartHome[0];
    before.energy = 7;
    before.voltage = 8;
    DeviceRecord& d =
        Read("<present>1</present><name>M</name><powermeter><power>5</power></powermeter>",
             FB_EnergyMeter);
    EXPECT_EQ(d.power, 5);
    EXPECT_EQ(d.energy, 0);
    EXPECT_EQ(d.voltage, 0);
}

TEST_F(ReaddevVal_, ElementsOutsideTheirSectionAreNotRead) {
    _SmartHome[0].celsius = 111;
    _SmartHome[0].tsoll = 40;
    DeviceRecord& d =
        Read("<present>1</present><name>M</name><celsius>999</celsius><tsoll>20</tsoll>",
             FB_TemperatureSensor | FB_Thermostat);
    EXPECT_EQ(d.celsius, 111);
    EXPECT_EQ(d.tsoll, 40);
}

TEST_F(ReaddevVal_, SectionsOfClearBitsAreNotRead) {
    _SmartHome[0].power = 17;
    DeviceRecord& d =
        Read("<present>1</present><name>M</name><powermeter><power>5</power></powermeter>",
             FB_SwitchSocket);
    EXPECT_EQ(d.power, 17);
}

TEST_F(ReaddevVal_, DeviceNotPresentKeepsItsOtherValues) {
    DeviceRecord& before = _SmartHome[0];
    before.tsoll = 40;
    before.battery = 55;
    before.celsius = 190;
    DeviceRecord& d =
        Read("<present>0</present><name>Kinderzimmer</name><hkr><tsoll>30</tsoll></hkr>",
             FB_Thermostat | FB_TemperatureSensor);
    EXPECT_EQ(d.present, 0);
    EXPECT_STREQ(d.name, "Kinderzimmer");
    EXPECT_EQ(d.tsoll, 40);
    EXPECT_EQ(d.battery, 55);
    EXPECT_EQ(d.celsius, 190);
}

TEST_F(ReaddevVal_, MissingPresentAndNameAreZeroAndEmpty) {
    std::strcpy(_SmartHome[0].name, "Old name");
    _SmartHome[0].present = 1;
    DeviceRecord& d = Read("<device identifier=\"1\"><hkr><tsoll>30</tsoll></hkr>", FB_Thermostat);
    EXPECT_EQ(d.present, 0);
    EXPECT_STREQ(d.name, "");
}

TEST_F(ReaddevVal_, EightBitFieldsKeepTheLowByte) {
    DeviceRecord& d = Read(
        "<present>1</present><name>T</name><hkr><battery>300</battery><errorcode>-1</errorcode>"
        "<tsoll>300</tsoll></hkr>",
        FB_Thermostat);
    EXPECT_EQ(d.battery, 300 & 0xFF);
    EXPECT_EQ(d.errorcode, 0xFF);
    EXPECT_EQ(d.tsoll, 300) << "tsoll is 32 bits wide";
}

TEST_F(ReaddevVal_, LongNamesAreCutWithoutBreakingAUtf8Character) {
    const struct {
        const char* label;
        std::string name;
        std::string stored;
    } cases[] = {
        {"sixty-three bytes", std::string(63, 'a'), std::string(63, 'a')},
        {"seventy bytes", std::string(70, 'a'), std::string(63, 'a')},
        {"cut inside a two-byte character", std::string(62, 'a') + "\303\266b",
         std::string(62, 'a')},
        {"cut behind a two-byte character", std::string(61, 'a') + "\303\266b",
         std::string(61, 'a') + "\xC3\xB6"},
        {"cut inside a three-byte character", std::string(61, 'a') + "\xE2\x82\xAC",
         std::string(61, 'a')},
        {"cut inside a four-byte character", std::string(60, 'a') + "\xF0\x9F\x94\x8C",
         std::string(60, 'a')},
    };
    for (const auto& c : cases) {
        std::string element = "<present>1</present><name>" + c.name + "</name>";
        EXPECT_EQ(std::string(Read(element, 0).name), c.stored) << c.label;
    }
}

TEST_F(ReaddevVal_, NamesAndModesAreDecoded) {
    DeviceRecord& d = Read(
        "<present>1</present><name>Lampe Flur &amp; Diele</name><switch><state>1</state>"
        "<mode>&quot;auto&quot;</mode></switch>",
        FB_SwitchSocket);
    EXPECT_STREQ(d.name, "Lampe Flur & Diele");
    EXPECT_STREQ(d.mode, "\"auto\"");
    EXPECT_STREQ(
        Read("<present>1</present><name>K&#252;che &lt;2&gt; &#x2013; &amp;amp;</name>", 0).name,
        "K\xC3\xBC"
        "che <2> \xE2\x80\x93 &amp;");
}

TEST_F(ReaddevVal_, NamesAreCutOnlyWhenLongerOnceDecoded) {
    std::string amps;
    for (int i = 0; i < 5; i++) amps += "&amp;";
    const struct {
        const char* label;
        std::string name;
        std::string stored;
    } cases[] = {
        {"raw 75 bytes, decoded 55", std::string(50, 'a') + amps, std::string(50, 'a') + "&&&&&"},
        {"decoded 65 bytes", std::string(60, 'a') + amps, std::string(60, 'a') + "&&&"},
        {"decoded character at the cut", std::string(62, 'a') + "&#252;", std::string(62, 'a')},
    };
    for (const auto& c : cases) {
        std::string element = "<present>1</present><name>" + c.name + "</name>";
        EXPECT_EQ(std::string(Read(element, 0).name), c.stored) << c.label;
    }
}

TEST_F(ReaddevVal_, OverLongSectionIsReadFromItsFirst1023Bytes) {
    std::string filler(1000, ' ');
    DeviceRecord& d = Read("<present>1</present><name>T</name><hkr><tsoll>40</tsoll>" + filler +
                               "<battery>80</battery></hkr>",
                           FB_Thermostat);
    EXPECT_EQ(d.tsoll, 40);
    EXPECT_EQ(d.battery, 0) << "behind the cut";
}

TEST_F(ReaddevVal_, SlotOutsideTheTableWritesNothing) {
    std::string element = "<present>1</present><name>X</name>";
    EXPECT_EQ(ReaddevVal(element.data(), DeviceTableRecords), 0);
    EXPECT_EQ(ReaddevVal(element.data(), -1), 0);
    EXPECT_STREQ(_SmartHome[DeviceTableRecords - 1].name, "");
}

}  // namespace
