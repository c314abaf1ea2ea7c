// ReadDectXML: the downloaded device list into the device table, with device
// lists shaped like real router answers and with hostile ones.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "devices.h"
#include "settings.h"
#include "testbox.h"

namespace {

const std::string kList = "/tmp/Dect.xml";
const std::string kCopy = "/mnt/hd/ProgramFiles/Settings/Steckwart/Dect.xml";

std::string Device(const std::string& ain, int id, int functions, const std::string& children,
                   const std::string& productname = "Stecker 210") {
    return "<device identifier=\"" + ain + "\" id=\"" + std::to_string(id) +
           "\" functionbitmask=\"" + std::to_string(functions) +
           "\" fwversion=\"04.25\" manufacturer=\"Ostwerk\" productname=\"" + productname + "\">" +
           children + "</device>";
}

// Current routers write synchronized= before identifier=.
std::string Group(const std::string& ain, int id, const std::string& children) {
    return "<group synchronized=\"1\" identifier=\"" + ain + "\" id=\"" + std::to_string(id) +
           "\" functionbitmask=\"6784\" fwversion=\"1.0\" manufacturer=\"Ostwerk\" "
           "productname=\"\">" +
           children + "</group>";
}

std::string Named(const std::string& name, int present = 1) {
    return "<present>" + std::to_string(present) + "</present><txbusy>0</txbusy><name>" + name +
           "</name>";
}

std::string Switch(int state) {
    return "<switch><state>" + std::to_string(state) +
           "</state><mode>manuell</mode><lock>0</lock><devicelock>0</devicelock></switch>"
           "<simpleonoff><state>" +
           std::to_string(state) + "</state></simpleonoff>";
}

std::string Powermeter(int voltage, int power, int energy) {
    return "<powermeter><voltage>" + std::to_string(voltage) + "</voltage><power>" +
           std::to_string(power) + "</power><energy>" + std::to_string(energy) +
           "</energy></powermeter>";
}

std::string Temperature(int celsius) {
    return "<temperature><celsius>" + std::to_string(celsius) +
           "</celsius><offset>0</offset></temperature>";
}

// A thermostat's <hkr> as current routers send it, about 650 bytes.
std::string Hkr(int tsoll) {
    return "<hkr><tist>41</tist><tsoll>" + std::to_string(tsoll) +
           "</tsoll><absenk>32</absenk><komfort>44</komfort><lock>0</lock>"
           "<devicelock>0</devicelock><errorcode>0</errorcode><windowopenactiv>0"
           "</windowopenactiv><windowopenactiveendtime>0</windowopenactiveendtime>"
           "<boostactive>0</boostactive><boostactiveendtime>0</boostactiveendtime>"
           "<batterylow>0</batterylow><battery>80</battery><nextchange><endperiod>1706680800"
           "</endperiod><tchange>32</tchange></nextchange><summeractive>0</summeractive>"
           "<holidayactive>0</holidayactive><adaptiveHeatingActive>1</adaptiveHeatingActive>"
           "<adaptiveHeatingRunning>0</adaptiveHeatingRunning></hkr>";
}

std::string List(const std::string& elements) {
    return "<?xml version=\"1.0\"?>\n<devicelist version=\"1\" fwversion=\"7.57\">" + elements +
           "</devicelist>\n";
}

// A household: devices first, then groups, as the router writes them.
std::string Household() {
    return List(
        Device(
            "11657 0272633", 16, 35712,
            Named("Fernseher") + Switch(1) + Powermeter(229784, 48290, 151234) + Temperature(215)) +
        Device("09995 0335100", 17, 320,
               Named("Bad Heizk\xC3\xB6rper") + "<battery>80</battery><batterylow>0</batterylow>" +
                   Temperature(205) + Hkr(253),
               "Heizregler 301") +
        Device("09995 0335101", 18, 320, Named("Keller", 0) + Hkr(40), "Heizregler 301") +
        Device("22960 0000123", 19, 1024, Named("Repeater Flur"), "Repeater 100") +
        Device("11934 0059978-1", 2000, 8208,
               Named("Fensterkontakt") +
                   "<etsiunitinfo><etsideviceid>406</etsideviceid><unittype>514</unittype>"
                   "<interfaces>256</interfaces></etsiunitinfo><alert><state>1</state></alert>",
               "Melder") +
        Device("11934 0059978-2", 2001, 8200, Named("Taster")) +
        Group("grp2A1B3C-3E9D0F123", 900,
              Named("Wohnzimmer Lampen") + Switch(0) + Powermeter(0, 0, 2000) +
                  "<groupinfo><masterdeviceid>16</masterdeviceid><members>16,18</members>"
                  "</groupinfo>"));
}

// The names of the listed records, up to the end of the list.
std::vector<std::string> Listed() {
    std::vector<std::string> names;
    for (int i = 0; i < DeviceTableRecords && _SmartHome[i].name[0]; i++)
        names.push_back(_SmartHome[i].name);
    return names;
}

using Names = std::vector<std::string>;

class ReadDectXML_ : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders("/mnt/hd/ProgramFiles/Settings/Steckwart");
        std::memset(_SmartHome, 0, DeviceTableSize);
        _savexml = 0;
        _firstdevice = 0;
        _HanFun = 0;
        _Repeater = 0;
    }

    static void Parse(const std::string& list) {
        testbox::WriteFile(kList, list);
        EXPECT_EQ(ReadDectXML(), 0);
    }
};

TEST_F(ReadDectXML_, ListsDevicesBeforeGroupsWhenAsked) {
    _firstdevice = 1;
    Parse(Household());
    EXPECT_EQ(Listed(),
              (Names{"Fernseher", "Bad Heizk\xC3\xB6rper", "Keller", "Wohnzimmer Lampen"}));

    const DeviceRecord& socket = _SmartHome[0];
    EXPECT_STREQ(socket.ain, "11657 0272633");
    EXPECT_EQ(socket.id, 16);
    EXPECT_EQ(socket.functionbitmask, 35712);
    EXPECT_EQ(socket.switchState, 1);
    EXPECT_EQ(socket.power, 48290);
    EXPECT_EQ(socket.celsius, 215);

    const DeviceRecord& thermostat = _SmartHome[1];
    EXPECT_EQ(thermostat.tsoll, TSOLL_Off);
    EXPECT_EQ(thermostat.endperiod, 1706680800);
    EXPECT_EQ(thermostat.tchange, 32);
    EXPECT_STREQ(thermostat.productname, "Heizregler 301");

    const DeviceRecord& group = _SmartHome[3];
    EXPECT_STREQ(group.ain, "grp2A1B3C-3E9D0F123");
    EXPECT_EQ(group.id, 900);
    EXPECT_EQ(group.switchState, 0);
    EXPECT_EQ(group.energy, 2000);
    EXPECT_STREQ(_SmartHome[4].name, "");
}

TEST_F(ReadDectXML_, ListsGroupsFirstByDefault) {
    Parse(Household());
    EXPECT_EQ(Listed(),
              (Names{"Wohnzimmer Lampen", "Fernseher", "Bad Heizk\xC3\xB6rper", "Keller"}));
}

TEST_F(ReadDectXML_, AlarmSensorsAndRepeatersAreListedOnlyWhenAsked) {
    _firstdevice = 1;
    _HanFun = 1;
    _Repeater = 1;
    Parse(Household());
    EXPECT_EQ(Listed(), (Names{"Fernseher", "Bad Heizk\xC3\xB6rper", "Keller", "Repeater Flur",
                               "Fensterkontakt", "Wohnzimmer Lampen"}));
    EXPECT_EQ(_SmartHome[4].alertState, 1);
    EXPECT_EQ(_SmartHome[4].unittype, 514);
}

TEST_F(ReadDectXML_, DropsEntriesByTheirFunctionBitmask) {
    const struct {
        int functions;
        int hanfun;
        int repeater;
        bool listed;
    } cases[] = {
        {1, 1, 1, false},      {8200, 1, 1, false},  {0x10, 0, 1, false}, {0x10, 1, 0, true},
        {0x2010, 0, 0, false}, {0x400, 1, 0, false}, {0x400, 0, 1, true}, {0x410, 1, 1, true},
        {0x410, 0, 1, false},  {0, 0, 0, true},      {3, 0, 0, true},     {0x800, 0, 0, true},
    };
    for (const auto& c : cases) {
        _HanFun = c.hanfun;
        _Repeater = c.repeater;
        Parse(List(Device("1", 1, c.functions, Named("Probe")) +
                   Device("2", 2, 0x200, Named("Last"))));
        Names expected = c.listed ? Names{"Probe", "Last"} : Names{"Last"};
        EXPECT_EQ(Listed(), expected) << "functionbitmask " << c.functions << " hanfun " << c.hanfun
                                      << " repeater " << c.repeater;
    }
}

TEST_F(ReadDectXML_, EmptyPlaceholderFirstDoesNotHideTheDevices) {
    // Some routers put an element without a name and bitmask 0 first.
    Parse(
        List("<device identifier=\"\" id=\"\" functionbitmask=\"0\" fwversion=\"\" "
             "manufacturer=\"\" productname=\"\"><present>0</present><name></name></device>" +
             Device("1", 1, 0x200, Named("Lampe")) + Device("2", 2, 0x200, Named("Radio"))));
    EXPECT_EQ(Listed(), (Names{"Lampe", "Radio"}));
}

TEST_F(ReadDectXML_, DeviceWithoutNameIsNotListed) {
    Parse(List(Device("1", 1, 0x200, "<present>1</present>" + Switch(1)) +
               Device("2", 2, 0x200, Named("Radio"))));
    EXPECT_EQ(Listed(), (Names{"Radio"}));
}

TEST_F(ReadDectXML_, DroppedLastElementEndsTheListBeforeIt) {
    _SmartHome[2] = {};
    std::strcpy(_SmartHome[1].name, "from an earlier parse");
    Parse(List(Device("1", 1, 0x200, Named("Lampe")) + Device("2", 2, 1, Named("Basis"))));
    EXPECT_EQ(Listed(), (Names{"Lampe"}));
    EXPECT_STREQ(_SmartHome[1].name, "");
}

TEST_F(ReadDectXML_, ThirtyElementsAreExaminedInBothPassesTogether) {
    // 25 devices, 10 of them dropped, then 8 groups: 15 devices and 5 groups.
    std::string elements;
    for (int i = 0; i < 25; i++)
        elements +=
            Device(std::to_string(i), i, i % 5 < 2 ? 1 : 0x200, Named("D" + std::to_string(i)));
    for (int i = 0; i < 8; i++)
        elements += Group("grp" + std::to_string(i), 900 + i, Named("G" + std::to_string(i)));
    _firstdevice = 1;
    Parse(List(elements));
    Names expected;
    for (int i = 0; i < 25; i++)
        if (i % 5 >= 2) expected.push_back("D" + std::to_string(i));
    for (int i = 0; i < 5; i++) expected.push_back("G" + std::to_string(i));
    EXPECT_EQ(Listed(), expected);
    EXPECT_STREQ(_SmartHome[20].name, "");
}

TEST_F(ReadDectXML_, FirstPassReachingTheLimitSkipsTheSecond) {
    std::string elements = Group("grp1", 900, Named("Gruppe"));
    for (int i = 0; i < 35; i++)
        elements += Device(std::to_string(i), i, 0x200, Named("D" + std::to_string(i)));
    _firstdevice = 1;
    Parse(List(elements));
    Names listed = Listed();
    ASSERT_EQ(listed.size(), 30u);
    EXPECT_EQ(listed.front(), "D0");
    EXPECT_EQ(listed.back(), "D29");
}

TEST_F(ReadDectXML_, DroppedThirtiethElementEndsTheListBehindTheLastKept) {
    std::string elements;
    for (int i = 0; i < 29; i++)
        elements += Device(std::to_string(i), i, 0x200, Named("D" + std::to_string(i)));
    elements += Device("r", 99, 0x400, Named("Repeater"));
    elements += Device("x", 100, 0x200, Named("Behind the limit"));
    std::strcpy(_SmartHome[29].name, "from an earlier parse");
    _firstdevice = 1;
    Parse(List(elements));
    EXPECT_EQ(Listed().size(), 29u);
    EXPECT_STREQ(_SmartHome[29].name, "");
}

TEST_F(ReadDectXML_, SixteenDevicesOfAKilobyteEachAreAllListed) {
    // A current router describes a thermostat in about a kilobyte.
    std::string elements;
    for (int i = 0; i < 16; i++)
        elements += Device("09995 03351" + std::to_string(10 + i), 20 + i, 320,
                           Named("Heizung " + std::to_string(i)) +
                               "<battery>80</battery><batterylow>0</batterylow>" +
                               Temperature(200 + i) + Hkr(36 + i),
                           "Heizregler 301");
    std::string list = List(elements);
    ASSERT_GT(list.size(), 12000u);
    _firstdevice = 1;
    Parse(list);
    ASSERT_EQ(Listed().size(), 16u);
    EXPECT_EQ(_SmartHome[15].tsoll, 51);
    EXPECT_EQ(_SmartHome[15].celsius, 215);
}

TEST_F(ReadDectXML_, ListLongerThanTheBufferIsCutThere) {
    std::string head = List(Device("1", 1, 0x200, Named("Vorne")));
    head.resize(head.size() - std::string("</devicelist>\n").size());
    std::string padding(DeviceListMaxBytes - head.size() - 40, ' ');
    std::string crossing = Device("2", 2, 0x200, Named("Hinten") + Switch(1));
    std::string list = head + padding + crossing + Device("3", 3, 0x200, Named("Weit hinten"));
    ASSERT_LT(head.size() + padding.size() + 30, static_cast<size_t>(DeviceListMaxBytes));
    ASSERT_GT(head.size() + padding.size() + crossing.size(),
              static_cast<size_t>(DeviceListMaxBytes));
    _firstdevice = 1;
    Parse(list);
    EXPECT_EQ(Listed(), (Names{"Vorne"}));
}

TEST_F(ReadDectXML_, ElementsBehindTheFourThousandthTagAreReadAlike) {
    // The searches list the first 4096 "<" of the list; behind them they
    // read the text, and must find the same.
    std::string filler;
    for (int i = 0; i < 4200; i++) filler += "<x/>";
    std::string late = Device(
        "2", 2, 0x2C0, Named("Sp&#228;t") + Switch(1) + Powermeter(230000, 1500, 77) + Hkr(44));
    _firstdevice = 1;
    Parse(List(Device("1", 1, 0x200, Named("Fr\xC3\xBCh") + filler) + late));
    ASSERT_EQ(Listed(), (Names{"Fr\xC3\xBCh", "Sp\xC3\xA4t"}));
    EXPECT_EQ(_SmartHome[1].switchState, 1);
    EXPECT_STREQ(_SmartHome[1].mode, "manuell");
    EXPECT_EQ(_SmartHome[1].energy, 77);
    EXPECT_EQ(_SmartHome[1].tsoll, 44);
    EXPECT_EQ(_SmartHome[1].endperiod, 1706680800);
}

TEST_F(ReadDectXML_, ZeroByteEndsTheList) {
    std::string list = List(Device("1", 1, 0x200, Named("Vorne") + Switch(1)) + std::string(1, 0) +
                            Device("2", 2, 0x200, Named("Hinten")));
    _firstdevice = 1;
    Parse(list);
    EXPECT_EQ(Listed(), (Names{"Vorne"}));
    EXPECT_EQ(_SmartHome[0].switchState, 1);
}

TEST_F(ReadDectXML_, AttributesBehindManyOthersAreFound) {
    // Sixteen "=" of a start tag are listed at once; the rest are searched.
    std::string others;
    for (int i = 0; i < 20; i++) others += " extra" + std::to_string(i) + "=\"a=b\"";
    _firstdevice = 1;
    Parse(List("<device" + others +
               " identifier=\"7\" id=\"-12\" functionbitmask=\"512\" productname=\"Ende\">" +
               Named("Viele") + "</device>"));
    ASSERT_EQ(Listed(), (Names{"Viele"}));
    EXPECT_STREQ(_SmartHome[0].ain, "7");
    EXPECT_EQ(_SmartHome[0].id, -12);
    EXPECT_STREQ(_SmartHome[0].productname, "Ende");
}

TEST_F(ReadDectXML_, ListCutInsideAStartTagEndsThePass) {
    Parse(List(Device("1", 1, 0x200, Named("Lampe"))) + "<device identifier=\"2\" id=\"2");
    EXPECT_EQ(Listed(), (Names{"Lampe"}));
}

TEST_F(ReadDectXML_, ElementWithoutClosingTagEndsAtTheNextElement) {
    // Nothing of the second device may land in the first one's record.
    std::string unclosed = "<device identifier=\"1\" id=\"1\" functionbitmask=\"512\">" +
                           Named("Offen") + "<powermeter><power>7</power></powermeter>";
    _firstdevice = 1;
    Parse(List(unclosed + Device("2", 2, 0x200, Named("Radio") + Switch(1))));
    EXPECT_EQ(Listed(), (Names{"Offen", "Radio"}));
    EXPECT_EQ(_SmartHome[0].switchState, 0);
    EXPECT_STREQ(_SmartHome[0].mode, "");
    EXPECT_EQ(_SmartHome[1].switchState, 1);
}

TEST_F(ReadDectXML_, ListWithoutClosingTagsLosesOnlyItsLastElement) {
    Parse(
        "<devicelist><device identifier=\"1\" functionbitmask=\"512\"><present>1</present>"
        "<name>A</name><device identifier=\"2\" functionbitmask=\"512\"><present>1</present>"
        "<name>B</name>");
    EXPECT_EQ(Listed(), (Names{"A"}));
}

TEST_F(ReadDectXML_, SelfClosingElementHasNoChildren) {
    _firstdevice = 1;
    Parse(List("<device identifier=\"1\" id=\"1\" functionbitmask=\"512\"/>" +
               Device("2", 2, 0x200, Named("Radio"))));
    EXPECT_EQ(Listed(), (Names{"Radio"}));
    EXPECT_STREQ(_SmartHome[0].ain, "2");
}

TEST_F(ReadDectXML_, ListAndGroupInfoAreNotTakenForElements) {
    _firstdevice = 1;
    Parse(List(Group("grp1", 900,
                     Named("Gruppe") + "<groupinfo><masterdeviceid>0</masterdeviceid>"
                                       "<members>16</members></groupinfo>") +
               "<groupinfo><name>Verirrt</name></groupinfo>"));
    EXPECT_EQ(Listed(), (Names{"Gruppe"}));
}

TEST_F(ReadDectXML_, AttributesWithoutQuotesAreNotTakenFromTheirNeighbours) {
    Parse(List("<device identifier=11657 id=\"5\" functionbitmask=\"512\" productname=\"P\">" +
               Named("Lampe") + "</device>"));
    EXPECT_STREQ(_SmartHome[0].ain, "");
    EXPECT_EQ(_SmartHome[0].id, 5);
}

// A current router's list: a group of sockets and a Zigbee socket, listed
// as a device (never shown) and its unit, product names of up to 31
// characters, texts with the references the router writes.
std::string CurrentRouter() {
    return List(
        Device("08761 0601275", 29, 896,
               Named("Lampe Flur &amp; Diele") + Switch(0) + Powermeter(230112, 0, 9871),
               "HB Steckdose 3 Au\xC3\x9F"
               "en Pro") +
        Device("Z3A5F09C21D0E4B71", 410, 1, Named("Stehlampe &#8222;Lese&#8220;"),
               "Nordlicht Smart Plug EU 16A Pro") +
        Device("Z3A5F09C21D0E4B710B", 411, 41600,
               Named("Stehlampe &#8222;Lese&#8220;") + Switch(1) + Powermeter(229870, 7400, 1520),
               "Nordlicht Smart Plug EU 16A Pro") +
        Group("grp5A31C0-3F1B27EA1", 901,
              Named("Steckdosen &lt;Wohnzimmer&gt;") + Switch(1) +
                  "<groupinfo><masterdeviceid>0</masterdeviceid><members>29,411</members>"
                  "</groupinfo>"));
}

TEST_F(ReadDectXML_, CurrentRoutersDevicesKeepTheirWholeIdentifiersAndTexts) {
    Parse(CurrentRouter());
    EXPECT_EQ(Listed(), (Names{"Steckdosen <Wohnzimmer>", "Lampe Flur & Diele",
                               "Stehlampe \xE2\x80\x9ELese\xE2\x80\x9C"}));
    EXPECT_STREQ(_SmartHome[0].ain, "grp5A31C0-3F1B27EA1");
    EXPECT_EQ(_SmartHome[0].switchState, 1);
    EXPECT_STREQ(_SmartHome[1].ain, "08761 0601275");
    EXPECT_STREQ(_SmartHome[1].productname,
                 "HB Steckdose 3 Au\xC3\x9F"
                 "en Pro");
    const DeviceRecord& unit = _SmartHome[2];
    EXPECT_STREQ(unit.ain, "Z3A5F09C21D0E4B710B");
    EXPECT_EQ(unit.id, 411);
    EXPECT_STREQ(unit.productname, "Nordlicht Smart Plug EU 16A Pro");
    EXPECT_EQ(unit.power, 7400);
}

TEST_F(ReadDectXML_, ReorderedListShowsNoValueOfAnotherDevice) {
    // A device that is not reached keeps its values only in its own slot.
    _firstdevice = 1;
    Parse(List(Device("08761 0453201", 20, 0x380,
                      Named("Fernseher") + Switch(1) + Powermeter(231204, 78230, 58213) +
                          Temperature(236)) +
               Device("13077 0241561", 16, 320, Named("Heizung") + Temperature(215) + Hkr(44))));
    _SmartHome[0].tsollDelta = 2;
    ASSERT_EQ(_SmartHome[0].power, 78230);

    Parse(List(Device("13077 0241561", 16, 320, Named("Heizung", 0) + Hkr(40)) +
               Device("08761 0453201", 20, 0x380, Named("Fernseher", 0))));

    const DeviceRecord& thermostat = _SmartHome[0];
    EXPECT_STREQ(thermostat.name, "Heizung");
    EXPECT_EQ(thermostat.present, 0);
    EXPECT_EQ(thermostat.switchState, 0);
    EXPECT_EQ(thermostat.power, 0);
    EXPECT_EQ(thermostat.celsius, 0) << "not the socket's temperature";
    EXPECT_STREQ(thermostat.mode, "");
    EXPECT_STREQ(thermostat.productname, "Stecker 210");
    EXPECT_EQ(thermostat.tsollDelta, 2) << "the key handling's alone";
    const DeviceRecord& socket = _SmartHome[1];
    EXPECT_EQ(socket.present, 0);
    EXPECT_EQ(socket.tsoll, 0) << "not the thermostat's target";
    EXPECT_EQ(socket.battery, 0);

    // The same order again: the absent devices keep what they have.
    _SmartHome[0].tsoll = 40;
    Parse(List(Device("13077 0241561", 16, 320, Named("Heizung", 0)) +
               Device("08761 0453201", 20, 0x380, Named("Fernseher", 0))));
    EXPECT_EQ(_SmartHome[0].tsoll, 40);
}

TEST_F(ReadDectXML_, RefreshKeepsPendingTargetsAndAbsentDevicesValues) {
    _firstdevice = 1;
    Parse(List(Device("1", 1, 320, Named("Bad") + Temperature(205) + Hkr(40))));
    _SmartHome[0].tsollDelta = 3;
    Parse(List(Device("1", 1, 320, Named("Bad", 0) + Temperature(150) + Hkr(30))));
    EXPECT_EQ(_SmartHome[0].present, 0);
    EXPECT_EQ(_SmartHome[0].tsoll, 40);
    EXPECT_EQ(_SmartHome[0].celsius, 205);
    EXPECT_EQ(_SmartHome[0].tsollDelta, 3);
}

TEST_F(ReadDectXML_, MissingFileChangesNothing) {
    std::strcpy(_SmartHome[0].name, "Lampe");
    _SmartHome[0].id = 7;
    EXPECT_EQ(ReadDectXML(), 0);
    EXPECT_STREQ(_SmartHome[0].name, "Lampe");
    EXPECT_EQ(_SmartHome[0].id, 7);
}

TEST_F(ReadDectXML_, UnreadableFileChangesNothing) {
    testbox::MakeFolders(kList);  // a folder opens, but does not read
    std::strcpy(_SmartHome[0].name, "Lampe");
    EXPECT_EQ(ReadDectXML(), 0);
    EXPECT_STREQ(_SmartHome[0].name, "Lampe");
}

TEST_F(ReadDectXML_, EmptyListEmptiesTheTable) {
    std::strcpy(_SmartHome[0].name, "Lampe");
    Parse(List(""));
    EXPECT_EQ(Listed(), Names{});
}

TEST_F(ReadDectXML_, SavedCopyIsTheTextReadWithOneNewline) {
    _savexml = 1;
    const std::string cases[] = {Household(), "not a device list", "", std::string("a\0b", 3)};
    for (const auto& text : cases) {
        Parse(text);
        EXPECT_EQ(testbox::ReadFile(kCopy), text + "\n");
    }
}

TEST_F(ReadDectXML_, SavedCopyOfALongListIsCutLikeTheParse) {
    _savexml = 1;
    std::string text(DeviceListMaxBytes + 100, 'x');
    Parse(text);
    EXPECT_EQ(testbox::ReadFile(kCopy), std::string(DeviceListMaxBytes, 'x') + "\n");
}

TEST_F(ReadDectXML_, NoCopyUnlessAsked) {
    Parse(Household());
    EXPECT_FALSE(testbox::Exists(kCopy));
}

TEST_F(ReadDectXML_, MissingSettingsFolderOnlyCostsTheCopy) {
    testbox::Clear();
    _savexml = 1;
    Parse(Household());
    EXPECT_FALSE(testbox::Exists(kCopy));
    EXPECT_EQ(Listed().size(), 4u);
}

}  // namespace
