// soak: the plug-in image in the box for many main-loop passes against the
// router simulator, its device list changing every poll, keys pressed and
// faults injected at random; afterwards the figures and a verdict.
//
//   soak --image Steckwart.so [--passes N] [--seed S] [--tick-us U]
//
// Runs inside the sandbox (ctest and scripts/soak start it there).  It loads
// the image as the box simulator does (dlopen, __TAP_Init_, TAP_Main on a
// thread of its own) and watches it from inside: this program defines
// TAP_SystemProc, which the image's calls reach before the firmware's (the
// program exports its symbols), and runs its checks there, on the plug-in's
// thread at the start of each pass — between two passes, where no parse or
// key is half done — before handing over to the firmware's TAP_SystemProc.
// The plug-in's globals (_SmartHome, _info, the font handles) are found with
// dlsym.
//
// Checked on every pass: the device table equals what the router served in
// one of its states since the last match (never a list cut short by a fault,
// never an older state again).  Checked at the start, the end and after
// TAP_Main returned: TAP_MemAlloc blocks (less the glyph bitmaps the font
// cache loads on first use), open file descriptors, wget processes.
// Exit status 0 when every check held.
#include <dirent.h>
#include <dlfcn.h>
#include <httplib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "devices.h"
#include "harness.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::string image;
    long passes = 20000;
    unsigned seed = 1;
    uint32_t tickMicroseconds = 1000;
};

// ---- what the plug-in's table must hold ----------------------------------------

// A kept record as the router's list gives it, and which of its fields the
// list supplies (a device the router does not reach keeps its other fields
// from before; a section missing leaves its fields).
struct Expected {
    DeviceRecord record;
    bool sections;  // present: the sections of its bits were read
};

struct RouterState {
    std::vector<Expected> devices;
    std::string xml;
};

int32_t number(pugi::xml_node node) {
    return static_cast<int32_t>(std::strtol(node.text().get(), nullptr, 10));
}

void copyText(char* field, size_t capacity, const char* text) {
    std::snprintf(field, capacity, "%s", text);
}

// The list as the plug-in's settings in this soak read it: groups first,
// alarm sensors kept (hanfun=1), repeaters and plain entries dropped, at most
// 30 elements examined.
RouterState expectedFrom(const std::string& xml) {
    RouterState state;
    state.xml = xml;
    pugi::xml_document document;
    if (!document.load_string(xml.c_str())) return state;
    int examined = 0;
    for (const char* kind : {"group", "device"})
        for (pugi::xml_node element : document.child("devicelist").children(kind)) {
            if (examined++ == DeviceTableRecords) break;
            Expected expected{};
            DeviceRecord& d = expected.record;
            copyText(d.ain, sizeof d.ain, element.attribute("identifier").value());
            d.id = element.attribute("id").as_int();
            d.functionbitmask =
                static_cast<uint16_t>(element.attribute("functionbitmask").as_int());
            copyText(d.fwversion, sizeof d.fwversion, element.attribute("fwversion").value());
            copyText(d.manufacturer, sizeof d.manufacturer,
                     element.attribute("manufacturer").value());
            copyText(d.productname, sizeof d.productname, element.attribute("productname").value());
            d.present = number(element.child("present"));
            copyText(d.name, sizeof d.name, element.child_value("name"));
            const uint16_t f = d.functionbitmask;
            if (!d.name[0] || f == FB_PlainEntry || f == FB_PlainUnit || (f & FB_Repeater))
                continue;
            expected.sections = d.present != 0;
            if (pugi::xml_node hkr = element.child("hkr")) {
                const int32_t tsoll = number(hkr.child("tsoll"));
                d.tsoll = tsoll == TSOLL_RouterOff  ? TSOLL_Off
                          : tsoll == TSOLL_RouterOn ? TSOLL_On
                                                    : tsoll;
                d.battery = static_cast<uint8_t>(number(hkr.child("battery")));
                d.komfort = static_cast<uint8_t>(number(hkr.child("komfort")));
                d.absenk = static_cast<uint8_t>(number(hkr.child("absenk")));
                d.endperiod = number(hkr.child("nextchange").child("endperiod"));
            }
            if (pugi::xml_node meter = element.child("powermeter")) {
                d.power = number(meter.child("power"));
                d.energy = number(meter.child("energy"));
            }
            if (pugi::xml_node sensor = element.child("temperature"))
                d.celsius = number(sensor.child("celsius"));
            if (pugi::xml_node socket = element.child("switch")) {
                d.switchState = static_cast<uint8_t>(number(socket.child("state")));
                copyText(d.mode, sizeof d.mode,
                         socket.child("mode") ? socket.child_value("mode") : "---");
            }
            if (pugi::xml_node alert = element.child("alert"))
                d.alertState = static_cast<uint8_t>(number(alert.child("state")));
            state.devices.push_back(expected);
        }
    return state;
}

// Where the table differs from the state; empty when it matches.
std::string difference(const DeviceRecord* table, const RouterState& state) {
    const size_t count = state.devices.size();
    for (size_t slot = 0; slot < count && slot < DeviceTableRecords; slot++) {
        const DeviceRecord& a = table[slot];
        const DeviceRecord& e = state.devices[slot].record;
        auto differs = [&](const char* field) {
            return "record " + std::to_string(slot) + " ('" + a.name + "'): " + field +
                   " differs from the router's ('" + e.name + "')";
        };
        if (std::strcmp(a.name, e.name)) return differs("name");
        if (std::strcmp(a.ain, e.ain) || a.id != e.id || a.functionbitmask != e.functionbitmask)
            return differs("identity");
        if (std::strcmp(a.fwversion, e.fwversion) || std::strcmp(a.productname, e.productname))
            return differs("attributes");
        if (a.present != e.present) return differs("present");
        if (!state.devices[slot].sections) continue;
        const uint16_t f = e.functionbitmask;
        if ((f & FB_Thermostat) &&
            (a.tsoll != e.tsoll || a.battery != e.battery || a.komfort != e.komfort ||
             a.absenk != e.absenk || a.endperiod != e.endperiod))
            return differs("thermostat");
        if ((f & FB_EnergyMeter) && (a.power != e.power || a.energy != e.energy))
            return differs("energy meter");
        if ((f & FB_TemperatureSensor) && a.celsius != e.celsius) return differs("temperature");
        if ((f & FB_SwitchSocket) &&
            (a.switchState != e.switchState || std::strcmp(a.mode, e.mode)))
            return differs("switch");
        if ((f & FB_AlarmSensor) && a.alertState != e.alertState) return differs("alarm");
    }
    if (count < DeviceTableRecords && table[count].name[0])
        return "the list goes on behind its " + std::to_string(count) + " devices ('" +
               table[count].name + "')";
    return "";
}

// ---- device lists that change every poll ---------------------------------------

const char* const kNames[] = {"Wohnzimmer",
                              "K\xC3\xBC"
                              "che",
                              "B\xC3\xBCro",
                              "Bad",
                              "Flur",
                              "Garage",
                              "Schlafzimmer",
                              "Balkon",
                              "Keller",
                              "Gro\xC3\x9F"
                              "e Diele"};
const char* const kThings[] = {"Heizung", "Lampe", "Fernseher", "Sensor", "Fenster", "Dose"};

std::string generateList(std::mt19937& randomness, int generation) {
    auto pick = [&](int n) { return static_cast<int>(randomness() % static_cast<unsigned>(n)); };
    std::string xml = "<devicelist version=\"1\" fwversion=\"8.02\">\n";
    const int count = 1 + pick(16);
    char line[512];
    for (int i = 0; i < count; i++) {
        const int kind = pick(8);
        static const int kBits[] = {320, 2944, 256, 48, 1024, 1, 320, 2944};
        const int bits = kBits[kind];
        const bool group = kind == 6;
        const int present = pick(8) != 0;
        std::snprintf(
            line, sizeof line,
            "<%s identifier=\"%s%05d %d\" id=\"%d\" functionbitmask=\"%d\" fwversion=\"%d.%02d\" "
            "manufacturer=\"Heimbit\" productname=\"HB %s\">"
            "<present>%d</present><name>%s %s %d</name>",
            group ? "group" : "device", group ? "grp" : "", 10000 + i, generation % 1000, 100 + i,
            bits, pick(9), pick(100), kThings[pick(6)], present, kNames[pick(10)], kThings[pick(6)],
            generation);
        xml += line;
        if (bits & FB_AlarmSensor) {
            std::snprintf(
                line, sizeof line,
                "<etsiunitinfo><etsideviceid>%d</etsideviceid><unittype>514</unittype>"
                "<interfaces>256</interfaces></etsiunitinfo><alert><state>%d</state></alert>",
                400 + i, pick(2));
            xml += line;
        }
        if (bits & FB_Thermostat) {
            const int targets[] = {16 + pick(41), 253, 254};
            std::snprintf(line, sizeof line,
                          "<hkr><tist>40</tist><tsoll>%d</tsoll><absenk>%d</absenk>"
                          "<komfort>%d</komfort><lock>0</lock><devicelock>0</"
                          "devicelock><errorcode>%d</errorcode>"
                          "<batterylow>0</batterylow><battery>%d</battery><windowopenactiv>%d</"
                          "windowopenactiv>"
                          "<nextchange><endperiod>%d</endperiod><tchange>32</tchange></nextchange>"
                          "<summeractive>0</summeractive><holidayactive>0</holidayactive></hkr>",
                          targets[pick(3)], 30 + pick(10), 40 + pick(10), pick(8), pick(101),
                          pick(2), pick(2) ? 1798783200 + pick(100000) : 0);
            xml += line;
        }
        if (bits & FB_SwitchSocket) {
            std::snprintf(
                line, sizeof line,
                "<switch><state>%d</state>%s<lock>0</lock><devicelock>0</devicelock></switch>",
                pick(2), pick(3) ? "<mode>manuell</mode>" : "");
            xml += line;
        }
        if (bits & FB_EnergyMeter) {
            std::snprintf(line, sizeof line,
                          "<powermeter><voltage>%d</voltage><power>%d</power><energy>%d</energy></"
                          "powermeter>",
                          225000 + pick(10000), pick(2500000), pick(10000000));
            xml += line;
        }
        if (bits & FB_TemperatureSensor) {
            std::snprintf(line, sizeof line,
                          "<temperature><celsius>%d</celsius><offset>0</offset></temperature>",
                          pick(400) - 100);
            xml += line;
        }
        if (group)
            xml += "<groupinfo><masterdeviceid>0</masterdeviceid><members></members></groupinfo>";
        xml += group ? "</group>\n" : "</device>\n";
    }
    return xml + "</devicelist>\n";
}

// ---- the soak --------------------------------------------------------------------

struct Figures {
    long passes = 0;
    long checks = 0;
    long mismatches = 0;
    long lists = 0;  // lists the router was given
    long taken = 0;  // states the plug-in's table moved on to
    long keys = 0;
    std::map<std::string, long> faults;
    uint32_t blocksStart = 0, blocksEnd = 0, blocksMost = 0, blocksAfter = 0, glyphsEnd = 0;
    int fdsStart = 0, fdsEnd = 0, fdsMost = 0, fdsAfter = 0;
    int wgetMost = 0, wgetAfter = 0;
    std::string firstMismatch;
};

Options options;
Figures figures;
std::mt19937 randomness;
std::unique_ptr<routersimtest::RouterSim> router;
std::vector<RouterState> states;
size_t matched = 0;       // the state the table matched last
long settledPasses = -1;  // passes after the last fault, when the end is near

DeviceRecord* table = nullptr;
int32_t* info = nullptr;
FontDataUC* fonts[4] = {};
void (*firmwareSystemProc)() = nullptr;

int countFds() {
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(folder))
            if (entry->d_name[0] != '.') count++;
        closedir(folder);
    }
    return count - 1;  // the folder itself
}

int countWget() {
    int count = 0;
    if (DIR* folder = opendir("/proc")) {
        while (dirent* entry = readdir(folder)) {
            if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
            char path[300], name[32] = "";
            std::snprintf(path, sizeof path, "/proc/%s/comm", entry->d_name);
            if (FILE* comm = std::fopen(path, "r")) {
                if (std::fgets(name, sizeof name, comm) && std::strncmp(name, "wget", 4) == 0)
                    count++;
                std::fclose(comm);
            }
        }
        closedir(folder);
    }
    return count;
}

// Blocks from TAP_MemAlloc, less the glyph bitmaps loaded so far: those stay
// until the fonts are released, one per character ever drawn.
uint32_t blocksBesideGlyphs(uint32_t* glyphs = nullptr) {
    uint32_t blocks = 0, loaded = 0;
    uint64_t bytes = 0;
    tapsim_MemoryInUse(&blocks, &bytes);
    for (FontDataUC* font : fonts) loaded += font->GlyphCacheCount;
    if (glyphs) *glyphs = loaded;
    return blocks - loaded;
}

httplib::Client control() {
    httplib::Client client("127.0.0.1", router->port());
    client.set_read_timeout(10);
    return client;
}

void addState(const std::string& xml) {
    if (!states.empty() && states.back().xml == xml) return;
    states.push_back(expectedFrom(xml));
}

std::string routerList() {
    auto answer = control().Get("/__control/devices");
    return answer && answer->status == 200 ? answer->body : "";
}

void giveRouterNewList() {
    auto answer =
        control().Post("/__control/devices",
                       generateList(randomness, static_cast<int>(states.size())), "text/xml");
    if (!answer || answer->status != 200) {
        std::fprintf(stderr, "soak: the router refused a device list\n");
        std::exit(1);
    }
    figures.lists++;
    addState(routerList());
}

void injectFault() {
    static const char* const kKinds[] = {
        "error", "drop",          "truncate-body", "truncate-connection", "delay",
        "stall", "sessions/drop", "restart",       "login-error"};
    const std::string kind = kKinds[randomness() % 9];
    const char* path = "/webservices/homeautoswitch.lua";
    std::string command;
    if (kind == "error") command = "fault?kind=error&status=500&count=1&path=" + std::string(path);
    if (kind == "drop") command = "fault?kind=drop&count=1&path=" + std::string(path);
    if (kind == "truncate-body") command = "fault?kind=truncate&count=1&path=" + std::string(path);
    if (kind == "truncate-connection")
        command = "fault?kind=truncate&mode=connection&count=1&path=" + std::string(path);
    if (kind == "delay") command = "fault?kind=delay&ms=300&count=1&path=" + std::string(path);
    if (kind == "stall") command = "fault?kind=stall&count=1&path=" + std::string(path);
    if (kind == "sessions/drop" || kind == "restart") command = kind;
    if (kind == "login-error") command = "fault?kind=error&status=503&count=1&path=/login_sid.lua";
    auto answer = control().Get(("/__control/" + command).c_str());
    if (answer && answer->status == 200) figures.faults[kind]++;
}

// A key that may have sent a command: the router's list may have changed.
bool commandSent = false;

void pressRandomKey() {
    static const uint32_t kKeys[] = {KEY_Next,  KEY_Next,  KEY_Previous, KEY_Info, KEY_Ok,
                                     KEY_Raise, KEY_Lower, KEY_0 + 5,    0x10040};
    uint32_t key = kKeys[randomness() % 9];
    // Exit would end the plug-in; with the panel open it closes the panel.
    if (*info && randomness() % 4 == 0) key = KEY_Exit;
    tapsim_PostEvent(EVT_KEY, key, 0);
    figures.keys++;
    commandSent = key == KEY_Ok || key == KEY_Raise || key == KEY_Lower;
}

// The newest state since the last match that the table equals: two states
// may look alike to the table (a list whose devices are all dropped).
void checkTable() {
    figures.checks++;
    for (size_t state = states.size(); state-- > matched;)
        if (difference(table, states[state]).empty()) {
            if (state != matched) figures.taken++;
            matched = state;
            return;
        }
    figures.mismatches++;
    if (figures.firstMismatch.empty())
        figures.firstMismatch = "pass " + std::to_string(figures.passes) + ": " +
                                difference(table, states.back()) + " (newest state), " +
                                difference(table, states[matched]) + " (last matched)";
}

void beforePass() {
    figures.passes++;
    // The key of the last pass ran its command to the end before that pass
    // went on; a download may have fetched the list since.
    if (commandSent) addState(routerList());
    commandSent = false;
    checkTable();
    uint32_t glyphs = 0;
    const uint32_t blocks = blocksBesideGlyphs(&glyphs);
    const int fds = countFds();
    if (figures.passes == 1) {
        figures.blocksStart = blocks;
        figures.fdsStart = fds;
    }
    figures.blocksEnd = blocks;
    figures.glyphsEnd = glyphs;
    figures.fdsEnd = fds;
    figures.blocksMost = std::max(figures.blocksMost, blocks);
    figures.fdsMost = std::max(figures.fdsMost, fds);
    figures.wgetMost = std::max(figures.wgetMost, countWget());

    if (figures.passes < options.passes) {
        // The plug-in shows the router's newest list: the router changes it.
        if (matched + 1 == states.size() && matched > 0) giveRouterNewList();
        if (randomness() % 150 == 0) injectFault();
        if (randomness() % 40 == 0) pressRandomKey();
        return;
    }
    // The end: no more faults; once the table shows the router's newest
    // list (or after a bounded wait), the firmware's stop event.  Faults
    // late in a short run can leave the plug-in waiting out a login back-off
    // or a time-out: the router gets another list until two were taken.
    if (settledPasses < 0) {
        control().Get("/__control/fault/clear");
        settledPasses = 0;
    }
    const bool newest = matched + 1 == states.size();
    if (newest && matched > 0 && figures.taken < 2) giveRouterNewList();
    if ((newest && figures.taken >= 2 && settledPasses > 0) || ++settledPasses > 20000) {
        if (!newest) {
            figures.mismatches++;
            figures.firstMismatch += " [the router's newest list never reached the table]";
        }
        static bool stopped = false;
        if (!stopped) tapsim_PostEvent(EVT_STOP, 0, 0);
        stopped = true;
    }
}

template <typename T>
T* symbol(void* image, const char* name) {
    void* found = dlsym(image, name);
    if (!found) {
        std::fprintf(stderr, "soak: the image has no %s\n", name);
        std::exit(1);
    }
    return static_cast<T*>(found);
}

int parseOptions(int argc, char** argv) {
    for (int i = 1; i < argc; i++) {
        std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) return 0;
        if (option == "--image")
            options.image = value;
        else if (option == "--passes")
            options.passes = std::atol(value);
        else if (option == "--seed")
            options.seed = static_cast<unsigned>(std::atol(value));
        else if (option == "--tick-us")
            options.tickMicroseconds = static_cast<uint32_t>(std::atol(value));
        else
            return 0;
        i++;
    }
    return !options.image.empty() && options.passes > 0;
}

}  // namespace

// The image's TAP_SystemProc: the soak's checks, then the firmware's.
extern "C" void TAP_SystemProc(void) {
    beforePass();
    firmwareSystemProc();
}

int main(int argc, char** argv) {
    if (!parseOptions(argc, argv)) {
        std::fprintf(stderr,
                     "usage: soak --image Steckwart.so [--passes N] [--seed S] [--tick-us U]\n");
        return 2;
    }
    firmwareSystemProc = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "TAP_SystemProc"));
    if (!firmwareSystemProc) {
        std::fprintf(stderr, "soak: the firmware's TAP_SystemProc is missing\n");
        return 1;
    }
    randomness.seed(options.seed);

    // The box: fonts, wget, and settings for the router simulator.
    testbox::InstallFonts();
    testbox::InstallWget();
    router = std::make_unique<routersimtest::RouterSim>();
    testbox::WriteFile(
        testbox::kSettings + "/Steckwart/Steckwart.ini",
        "ip=127.0.0.1:" + std::to_string(router->port()) +
            "\r\nuser=steckwart\r\npwd=steckwart\r\nshowsid=1\r\nhanfun=1\r\nrepeater=0\r\n"
            "x=20\r\ny=10\r\n");
    states.push_back(RouterState{});  // the table before the first list: empty
    giveRouterNewList();
    tapsim_SetTickLength(options.tickMicroseconds);
    const int fdsBefore = countFds();

    void* image = dlopen(options.image.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!image) {
        std::fprintf(stderr, "soak: cannot load %s: %s\n", options.image.c_str(), dlerror());
        return 1;
    }
    table = *symbol<DeviceTable>(image, "_SmartHome");
    info = symbol<int32_t>(image, "_info");
    const char* fontNames[4] = {"Calibri_10_FontDataUC", "Calibri_12_FontDataUC",
                                "Calibri_16_FontDataUC", "Calibri_18_FontDataUC"};
    for (int i = 0; i < 4; i++) fonts[i] = symbol<FontDataUC>(image, fontNames[i]);
    TAP_EntryRecord entry{};
    auto* init = reinterpret_cast<int (*)(TAP_EntryRecord*)>(dlsym(image, "__TAP_Init_"));
    if (!init || init(&entry) != 0 || !entry.main || !entry.eventHandler) {
        std::fprintf(stderr, "soak: the image's __TAP_Init_ failed\n");
        return 1;
    }
    tapsim_SetEventHandler(entry.eventHandler);

    const auto start = Clock::now();
    int result = -1;
    std::thread plugin([&] { result = entry.main(); });
    plugin.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    uint64_t bytes = 0;
    tapsim_MemoryInUse(&figures.blocksAfter, &bytes);
    for (int wait = 0; wait < 50 && (figures.wgetAfter = countWget()) > 0; wait++)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    figures.fdsAfter = countFds();
    router.reset();

    long faults = 0;
    std::string faultList;
    for (const auto& [kind, count] : figures.faults) {
        faults += count;
        faultList += " " + kind + " " + std::to_string(count);
    }
    std::printf("soak: %ld passes in %.1f s (tick %u us, seed %u), TAP_Main returned %d\n",
                figures.passes, seconds, options.tickMicroseconds, options.seed, result);
    std::printf(
        "soak: %ld lists given to the router, %ld taken into the table, %ld keys, %ld faults:%s\n",
        figures.lists, figures.taken, figures.keys, faults, faultList.c_str());
    std::printf("soak: table checks %ld, mismatches %ld%s%s\n", figures.checks, figures.mismatches,
                figures.firstMismatch.empty() ? "" : ", first: ", figures.firstMismatch.c_str());
    std::printf(
        "soak: memory blocks besides glyphs: %u at the first pass, %u at the last, at most %u; "
        "%u glyphs loaded; %u blocks after TAP_Main\n",
        figures.blocksStart, figures.blocksEnd, figures.blocksMost, figures.glyphsEnd,
        figures.blocksAfter);
    std::printf(
        "soak: file descriptors: %d before loading, %d at the first pass, %d at the last, at most "
        "%d, "
        "%d after TAP_Main\n",
        fdsBefore, figures.fdsStart, figures.fdsEnd, figures.fdsMost, figures.fdsAfter);
    std::printf("soak: wget processes: at most %d during the run, %d after TAP_Main\n",
                figures.wgetMost, figures.wgetAfter);

    bool ok = result == 0 && figures.mismatches == 0 && figures.blocksEnd == figures.blocksStart &&
              figures.blocksMost == figures.blocksStart && figures.blocksAfter == 0 &&
              figures.fdsEnd == figures.fdsStart && figures.fdsAfter <= fdsBefore &&
              figures.wgetAfter == 0 && figures.taken >= 2;
    std::printf("soak: %s\n", ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}
