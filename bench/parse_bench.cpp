// parse_bench: how fast ReadDectXML reads a device list of 8 or 16 KB into
// the device table, against pugixml (a general XML parser) reading the same
// file into the same table: the same elements in the same order (groups
// first), the same attributes and child elements, the same filters.
//
//   parse_bench [Google Benchmark options]   times per parse
//   parse_bench --instructions               for callgrind or qemu with our
//                                            plugin: one count per list and
//                                            parser ("ours <n>", "alternative
//                                            <n>"; counting.h)
//   parse_bench --smoke                      parses each list with both; exit
//                                            0 when both tables are equal
//
// Runs in the sandbox: the list is written to /tmp/Dect.xml, where the
// download leaves it; both parsers read it from there on every parse.  The
// lists are the router simulator's default list, cut behind the last whole
// device that fits into 8192 bytes and closed, and the whole default list
// (with a Zigbee device, an entity and groups) with devices of it again (new
// ids) before its groups, as a household with more devices has, within 16384
// bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "counting.h"
#include "devices.h"
#include "settings.h"

namespace {

struct List {
    const char* label;
    size_t bytes;
};
const List kLists[] = {{"8 KB list", 8192}, {"16 KB list", 16384}};

DeviceTable reference;

// ---- pugixml ----------------------------------------------------------------

// A text into a field: copied whole when it fits, else stored empty, as the
// plug-in stores attribute texts.
void attributeText(char* field, size_t capacity, const char* text) {
    size_t length = std::strlen(text);
    if (length >= capacity) length = 0;
    std::memcpy(field, text, length);
    field[length] = 0;
}

// A child element's text, cut to fit (never inside a UTF-8 sequence).
void childText(char* field, size_t capacity, const char* text) {
    size_t length = std::strlen(text);
    if (length >= capacity) {
        length = capacity - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) length--;
    }
    std::memcpy(field, text, length);
    field[length] = 0;
}

int32_t number(pugi::xml_node node) {
    return static_cast<int32_t>(std::strtol(node.text().get(), nullptr, 10));
}

void readElement(pugi::xml_node element, DeviceRecord* device) {
    // Another device in the slot starts from zero, but for the pending
    // target, which is the key handling's.
    if (std::strcmp(element.attribute("identifier").value(), device->ain) != 0) {
        const int32_t pending = device->tsollDelta;
        std::memset(device, 0, sizeof *device);
        device->tsollDelta = pending;
    }
    attributeText(device->ain, sizeof device->ain, element.attribute("identifier").value());
    device->id = element.attribute("id").as_int();
    device->functionbitmask = static_cast<uint16_t>(element.attribute("functionbitmask").as_int());
    attributeText(device->fwversion, sizeof device->fwversion,
                  element.attribute("fwversion").value());
    attributeText(device->manufacturer, sizeof device->manufacturer,
                  element.attribute("manufacturer").value());
    attributeText(device->productname, sizeof device->productname,
                  element.attribute("productname").value());
    device->present = number(element.child("present"));
    childText(device->name, sizeof device->name, element.child("name").text().get());
    if (!device->present) return;
    const uint16_t functions = device->functionbitmask;
    if (functions & FB_AlarmSensor) {
        if (pugi::xml_node unit = element.child("etsiunitinfo")) {
            device->etsideviceid = number(unit.child("etsideviceid"));
            device->unittype = number(unit.child("unittype"));
            device->interfaces = number(unit.child("interfaces"));
        }
        if (pugi::xml_node alert = element.child("alert"))
            device->alertState = static_cast<uint8_t>(number(alert.child("state")));
    }
    if (pugi::xml_node hkr = element.child("hkr"); hkr && (functions & FB_Thermostat)) {
        int32_t tsoll = number(hkr.child("tsoll"));
        device->tsoll = tsoll == TSOLL_RouterOff  ? TSOLL_Off
                        : tsoll == TSOLL_RouterOn ? TSOLL_On
                                                  : tsoll;
        device->absenk = static_cast<uint8_t>(number(hkr.child("absenk")));
        device->komfort = static_cast<uint8_t>(number(hkr.child("komfort")));
        device->lock = static_cast<uint8_t>(number(hkr.child("lock")));
        device->devicelock = static_cast<uint8_t>(number(hkr.child("devicelock")));
        device->errorcode = static_cast<uint8_t>(number(hkr.child("errorcode")));
        device->batterylow = static_cast<uint8_t>(number(hkr.child("batterylow")));
        device->battery = static_cast<uint8_t>(number(hkr.child("battery")));
        device->windowopenactiv = static_cast<uint8_t>(number(hkr.child("windowopenactiv")));
        device->endperiod = number(hkr.child("nextchange").child("endperiod"));
        device->tchange = static_cast<uint8_t>(number(hkr.child("nextchange").child("tchange")));
        device->summeractive = static_cast<uint8_t>(number(hkr.child("summeractive")));
        device->holidayactive = static_cast<uint8_t>(number(hkr.child("holidayactive")));
    }
    if (pugi::xml_node meter = element.child("powermeter"); meter && (functions & FB_EnergyMeter)) {
        device->power = number(meter.child("power"));
        device->energy = number(meter.child("energy"));
        device->voltage = number(meter.child("voltage"));
    }
    if (pugi::xml_node sensor = element.child("temperature");
        sensor && (functions & FB_TemperatureSensor)) {
        device->celsius = number(sensor.child("celsius"));
        device->offset = number(sensor.child("offset"));
    }
    if (pugi::xml_node socket = element.child("switch"); socket && (functions & FB_SwitchSocket)) {
        device->switchState = static_cast<uint8_t>(number(socket.child("state")));
        pugi::xml_node mode = socket.child("mode");
        childText(device->mode, sizeof device->mode, mode ? mode.text().get() : "---");
        device->lock = static_cast<uint8_t>(number(socket.child("lock")));
        device->devicelock = static_cast<uint8_t>(number(socket.child("devicelock")));
    }
}

bool isListed(const DeviceRecord& device) {
    const uint16_t functions = device.functionbitmask;
    return device.name[0] && functions != FB_PlainEntry && functions != FB_PlainUnit &&
           (_HanFun || !(functions & FB_AlarmSensor)) && (_Repeater || !(functions & FB_Repeater));
}

void readWithPugixml(DeviceRecord* table) {
    pugi::xml_document document;
    if (!document.load_file(DEVICE_LIST_FILE)) return;
    pugi::xml_node list = document.child("devicelist");
    int kept = 0, examined = 0;
    for (const char* kind :
         {_firstdevice ? "device" : "group", _firstdevice ? "group" : "device"}) {
        for (pugi::xml_node element = list.child(kind); element;
             element = element.next_sibling(kind)) {
            table[kept].name[0] = 0;
            readElement(element, &table[kept]);
            examined++;
            if (isListed(table[kept])) kept++;
            if (examined == DeviceTableRecords) break;
        }
        if (examined == DeviceTableRecords) break;
    }
    if (kept < DeviceTableRecords) table[kept].name[0] = 0;
}

// ---- set-up -----------------------------------------------------------------

// The device elements of a list, each from its start tag to its closing tag.
std::vector<std::string> devicesOf(const std::string& all) {
    std::vector<std::string> devices;
    for (size_t at = all.find("<device "); at != std::string::npos;
         at = all.find("<device ", at + 1)) {
        const size_t end = all.find("</device>", at);
        if (end == std::string::npos) break;
        devices.push_back(all.substr(at, end + 9 - at));
    }
    return devices;
}

// A device element again, with its id raised by `by`.
std::string withNewId(std::string device, int by) {
    const size_t at = device.find(" id=\"");
    if (at == std::string::npos) return device;
    const size_t end = device.find('"', at + 5);
    const int id = std::atoi(device.c_str() + at + 5);
    return device.replace(at + 5, end - at - 5, std::to_string(id + by));
}

// The text up to the end of the last whole device within `bytes`, once
// the closing tag is added; empty when there is none.
std::string cutBehindLastDevice(const std::string& text, size_t bytes, const std::string& close) {
    size_t end = 0;
    for (size_t at = text.find("</device>"); at != std::string::npos;
         at = text.find("</device>", at + 1))
        if (at + 9 + close.size() <= bytes) end = at + 9;
    return text.substr(0, end);
}

// The 16 KB list: the whole default list (devices, a Zigbee device and its
// unit, a name with an entity, groups) with devices of it again, new ids,
// behind its own, each that still keeps it within `bytes`.
std::string realSizedList(const std::string& all, size_t bytes) {
    const size_t groups = all.find("<group ");
    if (groups == std::string::npos) return std::string();
    const size_t insert = all.rfind("</device>", groups);
    if (insert == std::string::npos) return std::string();
    std::string head = all.substr(0, insert + 9);
    const std::string tail = all.substr(insert + 9);
    const std::vector<std::string> devices = devicesOf(head);
    for (size_t i = 0; i < devices.size(); ++i) {
        const std::string more = "\n  " + withNewId(devices[i], 100);
        if (head.size() + more.size() + tail.size() <= bytes) head += more;
    }
    return head + tail;
}

// Writes list n to DEVICE_LIST_FILE.  Returns its size, 0 when it cannot.
size_t writeList(int n) {
    std::ifstream in(STECKWART_DEVICE_LIST, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string close = "\n</devicelist>\n";
    std::string list = n == 0 ? cutBehindLastDevice(text.str(), kLists[0].bytes, close) + close
                              : realSizedList(text.str(), kLists[n].bytes);
    if (list.size() < kLists[n].bytes / 2) return 0;
    FILE* file = std::fopen(DEVICE_LIST_FILE, "wb");
    if (!file) {
        std::fprintf(stderr, "parse_bench: cannot write %s (run it in the sandbox)\n",
                     DEVICE_LIST_FILE);
        return 0;
    }
    std::fwrite(list.data(), 1, list.size(), file);
    std::fclose(file);
    return list.size();
}

int smoke() {
    for (int n = 0; n < 2; ++n) {
        const size_t bytes = writeList(n);
        if (!bytes) return 1;
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        std::memset(reference, 0, sizeof reference);
        ReadDectXML();
        readWithPugixml(reference);
        int devices = 0;
        while (devices < DeviceTableRecords && _SmartHome[devices].name[0]) devices++;
        if (devices < 5 || std::memcmp(_SmartHome, reference, sizeof reference) != 0) {
            for (int slot = 0; slot < DeviceTableRecords; slot++)
                if (std::memcmp(&_SmartHome[slot], &reference[slot], sizeof reference[slot]))
                    std::fprintf(stderr, "parse_bench: record %d differs ('%s', '%s')\n", slot,
                                 _SmartHome[slot].name, reference[slot].name);
            std::fprintf(stderr, "parse_bench: the parsers disagree on the %s (%d devices)\n",
                         kLists[n].label, devices);
            return 1;
        }
        std::printf("parse_bench: both parsers read the same %d devices from the %s (%zu bytes)\n",
                    devices, kLists[n].label, bytes);
    }
    return 0;
}

int instructions() {
    const int repeats = 100;
    for (int n = 0; n < 2; ++n) {
        if (!writeList(n)) return 1;
        bench::CountStart();
        for (int i = 0; i < repeats; ++i) ReadDectXML();
        bench::CountDump("ours", n);
        bench::CountStart();
        for (int i = 0; i < repeats; ++i) readWithPugixml(reference);
        bench::CountDump("alternative", n);
    }
    std::printf("repeats %d\nbenchmark parse ReadDectXML pugixml\n", repeats);
    for (const List& list : kLists) std::printf("case %s\n", list.label);
    return 0;
}

void BM_ReadDectXML(benchmark::State& state, int n) {
    if (!writeList(n)) state.SkipWithError("cannot write the list");
    for (auto _ : state) ReadDectXML();
}

void BM_pugixml(benchmark::State& state, int n) {
    if (!writeList(n)) state.SkipWithError("cannot write the list");
    for (auto _ : state) readWithPugixml(reference);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return smoke();
    if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) return instructions();
    for (int n = 0; n < 2; ++n) {
        benchmark::RegisterBenchmark((std::string("ReadDectXML/") + kLists[n].label).c_str(),
                                     BM_ReadDectXML, n);
        benchmark::RegisterBenchmark((std::string("pugixml/") + kLists[n].label).c_str(),
                                     BM_pugixml, n);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
