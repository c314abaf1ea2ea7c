// routersim's home-automation service /webservices/homeautoswitch.lua and
// the shipped device list, black-box.
#include <map>
#include <regex>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "harness.h"
#include "testbox.h"

using namespace routersimtest;

namespace {

// Every attribute ("@name") and leaf element ("hkr/nextchange/endperiod")
// of a device element, with its text.
using Flat = std::map<std::string, std::string>;

void flatten(pugi::xml_node node, const std::string& prefix, Flat& flat) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string path = prefix + child.name();
        if (child.first_child().type() == pugi::node_element) flatten(child, path + "/", flat);
        else flat[path] = child.child_value();
    }
}

// The devices and groups of a device list, in order: identifier and values.
std::vector<std::pair<std::string, Flat>> devicesOf(const pugi::xml_document& document) {
    std::vector<std::pair<std::string, Flat>> devices;
    for (pugi::xml_node node : document.child("devicelist").children()) {
        Flat flat;
        flat["kind"] = node.name();
        for (pugi::xml_attribute attribute : node.attributes()) flat["@" + std::string(attribute.name())] = attribute.value();
        flatten(node, "", flat);
        devices.emplace_back(node.attribute("identifier").value(), flat);
    }
    return devices;
}

// The device whose identifier is `ain` in a served list.
Flat deviceIn(const std::string& list, const std::string& ain) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(list.c_str())) << list;
    for (auto& [identifier, flat] : devicesOf(document))
        if (identifier == ain) return flat;
    ADD_FAILURE() << ain << " is not in the list";
    return {};
}

struct Command {
    int status = 0;
    std::string body;
};

Command command(const RouterSim& sim, const std::string& query) {
    auto answer = sim.client().Get((std::string(kSwitchPath) + query).c_str());
    if (!answer) {
        ADD_FAILURE() << query << ": no answer";
        return {};
    }
    return {answer->status, answer->body};
}

// Identifiers in the shipped device list.
const char kTelevision[] = "08761 0453201";     // socket, on
const char kLamp[] = "08761 0601275";           // socket, off
const char kLivingRoom[] = "13077 0241561";     // thermostat
const char kKitchen[] = "13077 0388120";        // thermostat
const char kHeatingGroup[] = "grp5A31C0-3F1B27E94";
const char kSocketGroup[] = "grp5A31C0-3F1B27EA1";

}  // namespace

TEST(DeviceList, IsWellFormedAndHoldsEveryDeviceOfTheFile) {
    RouterSim sim;
    std::string list = sim.deviceList(sim.logIn());
    pugi::xml_document served, file;
    pugi::xml_parse_result parsed = served.load_string(list.c_str());
    ASSERT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
    ASSERT_TRUE(file.load_file(shippedDevicesPath().c_str()));
    EXPECT_STREQ(served.child("devicelist").attribute("version").value(), "1");
    EXPECT_EQ(devicesOf(served), devicesOf(file));
    EXPECT_EQ(list.rfind("<devicelist version=\"1\"", 0), 0u) << list.substr(0, 60);
}

TEST(DeviceList, StartTagsAreWrittenAsTheRouterWritesThem) {
    RouterSim current;
    std::string list = current.deviceList(current.logIn());
    EXPECT_EQ(std::regex_replace(list, std::regex("<device identifier="), "").find("<device "), std::string::npos);
    EXPECT_EQ(std::regex_replace(list, std::regex("<group synchronized=\"1\" identifier="), "").find("<group "),
              std::string::npos);
    EXPECT_NE(list.find("<group synchronized=\"1\" identifier=\""), std::string::npos);

    RouterSim legacy({"--legacy-group-tags"});
    list = legacy.deviceList(legacy.logIn());
    EXPECT_NE(list.find("<group identifier=\""), std::string::npos);
    EXPECT_EQ(list.find("<group synchronized"), std::string::npos);
}

TEST(DeviceList, TextsAreUtf8AndEscaped) {
    RouterSim sim;
    std::string list = sim.deviceList(sim.logIn());
    EXPECT_NE(list.find("<name>K\xc3\xbc" "che Heizk\xc3\xb6rper</name>"), std::string::npos);
    EXPECT_NE(list.find("<name>Lampe Flur &amp; Diele</name>"), std::string::npos);
    EXPECT_NE(list.find("productname=\"HB Steckdose 3 Au\xc3\x9f" "en Pro\""), std::string::npos);
}

TEST(ShippedDevices, CoverEveryKindThePluginShowsWithinItsFirst8KB) {
    pugi::xml_document file;
    ASSERT_TRUE(file.load_file(shippedDevicesPath().c_str()));
    auto all = devicesOf(file);
    auto isKind = [](const char* kind) { return [kind](auto& d) { return d.second.at("kind") == kind; }; };
    EXPECT_GT(std::count_if(all.begin(), all.end(), isKind("device")), 10);
    EXPECT_GE(std::count_if(all.begin(), all.end(), isKind("group")), 1);

    // The recorder reads the first 8191 bytes of the list: the devices
    // complete in there must show every kind.  A current router spends
    // roughly a kilobyte on a thermostat, so the list is longer.
    RouterSim sim;
    std::string list = sim.deviceList(sim.logIn());
    EXPECT_GT(list.size(), 8191u);
    std::string seen = "<devicelist>";
    std::string head = list.substr(0, 8191);
    std::smatch match;
    for (auto it = head.cbegin(); std::regex_search(it, head.cend(), match, std::regex("<device .*?</device>"));
         it = match.suffix().first)
        seen += match.str();
    pugi::xml_document early;
    ASSERT_TRUE(early.load_string((seen + "</devicelist>").c_str()));
    auto devices = devicesOf(early);

    auto count = [&](const std::function<bool(const Flat&)>& test) {
        return std::count_if(devices.begin(), devices.end(), [&](auto& d) { return test(d.second); });
    };
    auto bits = [](const Flat& d) { return std::stoul(d.at("@functionbitmask")); };
    auto has = [](const Flat& d, const char* key) { return d.count(key) > 0; };
    EXPECT_GE(count([&](const Flat& d) { return (bits(d) & 0x40) && d.at("hkr/nextchange/endperiod") != "0"; }), 1);
    EXPECT_GE(count([&](const Flat& d) {
        return (bits(d) & 0x40) && d.at("hkr/nextchange/endperiod") == "0" && d.at("hkr/nextchange/tchange") == "255";
    }), 1);
    EXPECT_GE(count([&](const Flat& d) { return (bits(d) & 0x380) == 0x380 && has(d, "powermeter/energy"); }), 1);
    EXPECT_GE(count([&](const Flat& d) { return bits(d) == 0x100 && has(d, "temperature/celsius"); }), 1);
    EXPECT_GE(count([&](const Flat& d) { return (bits(d) & 0x10) && has(d, "alert/state"); }), 1);
    EXPECT_GE(count([&](const Flat& d) { return (bits(d) & 0x400) != 0; }), 1);
    EXPECT_GE(count([](const Flat& d) { return d.at("present") == "0"; }), 1);
    EXPECT_GE(count([](const Flat& d) { return d.at("name").find("\xc3\xa4") != std::string::npos ||
                                                d.at("name").find("\xc3\xbc") != std::string::npos; }), 1);
}

TEST(SetSwitchToggle, SwitchesOverAndTheNextListShowsIt) {
    RouterSim sim;
    std::string sid = sim.logIn();
    Command off = command(sim, "?ain=08761%200453201&switchcmd=setswitchtoggle&sid=" + sid);
    EXPECT_EQ(off.status, 200);
    EXPECT_EQ(off.body, "0\n");
    Flat television = deviceIn(sim.deviceList(sid), kTelevision);
    EXPECT_EQ(television["switch/state"], "0");
    EXPECT_EQ(television["simpleonoff/state"], "0");

    Finished on = wget({"-q", "-O", "-", sim.url(std::string(kSwitchPath) +
                                                 "?ain=08761 0453201&switchcmd=setswitchtoggle&sid=" + sid)});
    EXPECT_EQ(on.out, "1\n");
    EXPECT_EQ(deviceIn(sim.deviceList(sid), kTelevision)["switch/state"], "1");
}

TEST(SetSwitchToggle, AinMatchesWithSpacesIgnored) {
    RouterSim sim;
    std::string sid = sim.logIn();
    // wget sends spaces as %20 and keeps '+', which means a space in a query.
    const char* spellings[] = {"087610601275", "08761 0601275", "0876+10+601275", " 08761  0601275 "};
    std::string expected = "1\n";
    for (const char* ain : spellings) {
        SCOPED_TRACE(ain);
        Finished toggled = wget({"-q", "-O", "-", sim.url(std::string(kSwitchPath) +
                                                          "?switchcmd=setswitchtoggle&ain=" + ain + "&sid=" + sid)});
        EXPECT_EQ(toggled.status, 0);
        EXPECT_EQ(toggled.out, expected);
        expected = expected == "1\n" ? "0\n" : "1\n";
    }
    EXPECT_EQ(deviceIn(sim.deviceList(sid), kLamp)["switch/state"], "0");
}

TEST(SetHkrTsoll, SetsTheTargetAndTheNextListShowsIt) {
    RouterSim sim;
    std::string sid = sim.logIn();
    for (const char* target : {"44", "16", "56", "253", "254", "040"}) {
        SCOPED_TRACE(target);
        Command set = command(sim, std::string("?ain=13077%200241561&switchcmd=sethkrtsoll&param=") + target +
                                       "&sid=" + sid);
        std::string value = std::to_string(std::stoi(target));
        EXPECT_EQ(set.status, 200);
        EXPECT_EQ(set.body, value + "\n");
        EXPECT_EQ(deviceIn(sim.deviceList(sid), kLivingRoom)["hkr/tsoll"], value);
    }
}

TEST(GroupCommands, ReachThePresentMembers) {
    RouterSim sim;
    std::string sid = sim.logIn();
    Command toggled = command(sim, "?ain=grp5A31C0-3F1B27EA1&switchcmd=setswitchtoggle&sid=" + sid);
    EXPECT_EQ(toggled.body, "0\n");
    std::string list = sim.deviceList(sid);
    EXPECT_EQ(deviceIn(list, kSocketGroup)["switch/state"], "0");
    EXPECT_EQ(deviceIn(list, kTelevision)["switch/state"], "0");
    EXPECT_EQ(deviceIn(list, kLamp)["switch/state"], "0");

    EXPECT_EQ(command(sim, "?ain=grp5A31C0-3F1B27E94&switchcmd=sethkrtsoll&param=38&sid=" + sid).body, "38\n");
    list = sim.deviceList(sid);
    EXPECT_EQ(deviceIn(list, kHeatingGroup)["hkr/tsoll"], "38");
    EXPECT_EQ(deviceIn(list, kLivingRoom)["hkr/tsoll"], "38");
    EXPECT_EQ(deviceIn(list, kKitchen)["hkr/tsoll"], "38");
    EXPECT_EQ(deviceIn(list, "13077 0241578")["hkr/tsoll"], "253");  // not a member
}

TEST(HomeAutoSwitch, BadRequestsAnswer400AndChangeNothing) {
    RouterSim sim;
    std::string sid = sim.logIn();
    std::string before = sim.deviceList(sid);
    struct Case {
        const char* name;
        const char* query;
    };
    const Case cases[] = {
        {"command missing", "?"},
        {"unknown command", "?switchcmd=setswitchon&ain=087610453201"},
        {"toggle without ain", "?switchcmd=setswitchtoggle"},
        {"toggle of an unknown ain", "?switchcmd=setswitchtoggle&ain=087610453299"},
        {"toggle with an empty ain", "?switchcmd=setswitchtoggle&ain="},
        {"toggle of a thermostat", "?switchcmd=setswitchtoggle&ain=130770241561"},
        {"toggle of a device not present", "?switchcmd=setswitchtoggle&ain=087610519951"},
        {"target without ain", "?switchcmd=sethkrtsoll&param=40"},
        {"target without param", "?switchcmd=sethkrtsoll&ain=130770241561"},
        {"target below the range", "?switchcmd=sethkrtsoll&ain=130770241561&param=15"},
        {"target above the range", "?switchcmd=sethkrtsoll&ain=130770241561&param=57"},
        {"target between range and codes", "?switchcmd=sethkrtsoll&ain=130770241561&param=252"},
        {"target not a number", "?switchcmd=sethkrtsoll&ain=130770241561&param=4x"},
        {"target negative", "?switchcmd=sethkrtsoll&ain=130770241561&param=-40"},
        {"target empty", "?switchcmd=sethkrtsoll&ain=130770241561&param="},
        {"target of a socket", "?switchcmd=sethkrtsoll&ain=087610453201&param=40"},
        {"target of a sensor", "?switchcmd=sethkrtsoll&ain=099950114414&param=40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Command answer = command(sim, c.query + std::string("&sid=") + sid);
        EXPECT_EQ(answer.status, 400);
        EXPECT_EQ(answer.body.back(), '\n');
    }
    EXPECT_EQ(sim.deviceList(sid), before);
}

TEST(HomeAutoSwitch, WithoutAValidSessionAnswers403WithAnEmptyBody) {
    RouterSim sim;
    std::string sid = sim.logIn();
    std::string before = sim.deviceList(sid);
    for (const std::string& session : {std::string(""), std::string("&sid="), std::string("&sid=") + kZeroSid,
                                       std::string("&sid=0123456789abcdef"), "&sid=" + sid.substr(1)}) {
        for (const char* query : {"?switchcmd=getdevicelistinfos", "?switchcmd=setswitchtoggle&ain=087610453201",
                                  "?switchcmd=sethkrtsoll&ain=130770241561&param=40", "?switchcmd=nonsense"}) {
            SCOPED_TRACE(query + session);
            Command answer = command(sim, query + session);
            EXPECT_EQ(answer.status, 403);
            EXPECT_EQ(answer.body, "");
        }
    }
    Finished refused = wget({"-O", "-", "-t1", sim.url(std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + kZeroSid)});
    EXPECT_NE(refused.err.find("ERROR 403: Forbidden."), std::string::npos) << refused.err;
    EXPECT_EQ(sim.deviceList(sid), before);
}

TEST(HomeAutoSwitch, WorksThroughAPostBody) {
    RouterSim sim;
    std::string sid = sim.logIn();
    auto answer = sim.client().Post(kSwitchPath, "switchcmd=setswitchtoggle&ain=08761+0453201&sid=" + sid,
                                    "application/x-www-form-urlencoded");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->body, "0\n");
}

TEST(HomeAutoSwitch, UnknownPathsAnswer404) {
    RouterSim sim;
    auto answer = sim.client().Get("/webservices/other.lua");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 404);
}
