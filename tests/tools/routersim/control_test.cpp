// routersim's control interface (/__control/…), which tests use to restart
// the router's sessions, change devices and read the simulator's state.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "harness.h"
#include "testbox.h"

using namespace routersimtest;

namespace {

// Runs Python on a JSON document: a check that it parses, and the repr of
// an expression over it (`d`).
std::string python(const std::string& json, const std::string& expression) {
    testbox::WriteFile("/tmp/state.json", json);
    Finished finished = run({"/usr/bin/python3", "-c",
                             "import json; d = json.load(open('/tmp/state.json')); print(repr((" + expression + ")))"});
    EXPECT_EQ(finished.status, 0) << finished.err;
    return finished.out;
}

}  // namespace

TEST(Control, DroppingSessionsEndsEveryOne) {
    RouterSim sim;
    std::string first = sim.logIn(), second = sim.logIn();
    ASSERT_NE(first, kZeroSid);
    ASSERT_NE(second, first);
    sim.control("sessions/drop");
    EXPECT_EQ(element(sim.loginSid("?sid=" + first), "SID"), kZeroSid);
    auto list = sim.client().Get((std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + second).c_str());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 403);
    EXPECT_NE(sim.logIn(), kZeroSid);
}

TEST(Control, DeviceValuesChangeAndTheListFollows) {
    RouterSim sim;
    std::string sid = sim.logIn();
    auto unknown = sim.client().Get("/__control/device?ain=085610453201&present=0");
    EXPECT_EQ(unknown->status, 404);

    sim.control("device?ain=08761%200453201&present=0&powermeter/power=1234&name=Neuer%20Fernseher%20%C3%9C"
                "&@fwversion=9.99&alert/state=1");
    sim.control("device?ain=130770241561&hkr/nextchange/endperiod=0&hkr/nextchange/tchange=255"
                "&name=B%FCro");  // ISO-8859-1
    std::string list = sim.deviceList(sid);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(list.c_str()));
    pugi::xml_node television = document.child("devicelist").find_child_by_attribute("identifier", "08761 0453201");
    EXPECT_STREQ(television.child_value("present"), "0");
    EXPECT_STREQ(television.child("powermeter").child_value("power"), "1234");
    EXPECT_STREQ(television.child_value("name"), "Neuer Fernseher \xc3\x9c");
    EXPECT_STREQ(television.attribute("fwversion").value(), "9.99");
    EXPECT_STREQ(television.child("alert").child_value("state"), "1");
    // Attributes keep their place: identifier= still first.
    EXPECT_NE(list.find("<device identifier=\"08761 0453201\" id=\"20\""), std::string::npos);
    pugi::xml_node thermostat = document.child("devicelist").find_child_by_attribute("identifier", "13077 0241561");
    EXPECT_STREQ(thermostat.child("hkr").child("nextchange").child_value("endperiod"), "0");
    EXPECT_STREQ(thermostat.child("hkr").child("nextchange").child_value("tchange"), "255");
    EXPECT_STREQ(thermostat.child_value("name"), "B\xc3\xbcro");
}

TEST(Control, MalformedDeviceChangesAreRefusedWhole) {
    RouterSim sim;
    std::string sid = sim.logIn();
    std::string before = sim.deviceList(sid);
    struct Case {
        const char* query;
        int status;
    };
    const Case cases[] = {
        {"device?present=0", 400},
        {"device?ain=nothing&present=0", 404},
        {"device?ain=087610453201&present=0&hkr//tsoll=40", 400},
        {"device?ain=087610453201&present=0&@identifier=1", 400},
        {"device?ain=087610453201&present=0&hkr/@x/y=1", 400},
        {"device?ain=087610453201&present=0&hkr/=1", 400},
        {"device?ain=087610453201&present=0&na%20me=1", 400},
        {"device?ain=087610453201&present=0&%3Cx%3E=1", 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        auto answer = sim.client().Get((std::string("/__control/") + c.query).c_str());
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, c.status);
        EXPECT_EQ(answer->body.rfind("{\"error\":\"", 0), 0u) << answer->body;
    }
    EXPECT_EQ(sim.deviceList(sid), before);
}

TEST(Control, StateReportsSessionsFaultsAndDevices) {
    RouterSim sim;
    std::string sid = sim.logIn();
    sim.control("fault?kind=delay&ms=5&path=/login_sid.lua&count=3");
    std::string state = sim.control("state");
    EXPECT_EQ(python(state, "[s['sid'] for s in d['login']['sessions']]"), "['" + sid + "']\n");
    EXPECT_EQ(python(state, "d['login']['idle_time_ms'], d['login']['block_time']"), "(1200000, 0)\n");
    EXPECT_EQ(python(state, "[(f['kind'], f['path'], f['remaining'], f['ms']) for f in d['faults']]"),
              "[('delay', '/login_sid.lua', 3, 5)]\n");
    EXPECT_EQ(python(state, "len(d['devices']), d['devices'][0]['values']['hkr/tsoll']"), "(19, '44')\n");
    EXPECT_EQ(python(state, "[x['values']['name'] for x in d['devices'] if x['attributes']['id'] == '18']"),
              "['K\xc3\xbc" "che Heizk\xc3\xb6rper']\n");
}

TEST(Control, AnUploadedDeviceListReplacesTheDevices) {
    RouterSim sim;
    std::string sid = sim.logIn();
    const char* single = "<devicelist version=\"1\"><device id=\"7\" identifier=\"1 2 3\" functionbitmask=\"256\">"
                         "<present>1</present><name>Einzeln</name><temperature><celsius>200</celsius>"
                         "<offset>0</offset></temperature></device></devicelist>";
    auto answer = sim.client().Post("/__control/devices", single, "text/xml");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "{\"devices\":1}\n");
    std::string list = sim.deviceList(sid);
    EXPECT_EQ(list, "<devicelist version=\"1\"><device identifier=\"1 2 3\" id=\"7\" functionbitmask=\"256\">"
                    "<present>1</present><name>Einzeln</name><temperature><celsius>200</celsius>"
                    "<offset>0</offset></temperature></device></devicelist>\n");
    EXPECT_EQ(sim.client().Get("/__control/devices")->body, list);

    answer = sim.client().Post("/__control/devices", "<devicelist>\n<device identifier=\"x\">\n</devicelist>", "text/xml");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 400);
    EXPECT_NE(answer->body.find("uploaded device list:3:"), std::string::npos) << answer->body;
    EXPECT_EQ(sim.deviceList(sid), list);
}

TEST(Control, UnknownControlPathsAnswer404) {
    RouterSim sim;
    auto answer = sim.client().Get("/__control/reboot");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 404);
    EXPECT_TRUE(sim.logLines().empty());  // control requests are not logged
}
