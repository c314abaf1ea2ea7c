// redraw_bench: how long the plug-in's screen takes to draw —
// SmartHomeAusgabe with ten rows and the detail panel open, glyph cache
// warm — against the same screen code drawing its texts with FreeType and
// its glyph cache instead (freetype_text.h): the same boxes, badges and
// texts at the same places, only the text renderer differs.  Three cases:
//
//   full redraw        the screen drawn from scratch (after InvalidateScreen,
//                      as when something else wrote the region)
//   idle pass          the call again with nothing changed, as the main loop
//                      makes it on every pass
//   one value changed  one visible value (a temperature in the list) differs
//                      from the call before
//
//   redraw_bench [Google Benchmark options]   times per call
//   redraw_bench --instructions               for callgrind or qemu with our
//                                             plugin: one count per case and
//                                             side ("ours <n>", "alternative
//                                             <n>"; counting.h)
//   redraw_bench --smoke                      draws once each way; exit 0
//                                             when both drew every text
//
// The executable is linked with --wrap=FMUC_PutString, so that the screens'
// calls reach FMUC_PutString or FreeType as the side being measured asks.
// Runs in the sandbox (it installs the plug-in's fonts into the box).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "counting.h"
#include "devices.h"
#include "freetype_text.h"
#include "plugin.h"
#include "screens.h"
#include "settings.h"
#include "support.h"
#include "tapsim.h"

extern "C" {
extern const char __tap_program_name__[64];
const char __tap_program_name__[64] = "redraw_bench";

void __real_FMUC_PutString(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                           uint32_t foreground, uint32_t background, FontDataUC* font,
                           uint8_t cutMode, uint8_t align);
void __wrap_FMUC_PutString(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                           uint32_t foreground, uint32_t background, FontDataUC* font,
                           uint8_t cutMode, uint8_t align);
}

namespace {

bool withFreeType = false;
int texts = 0;  // texts drawn since the counter was reset

}  // namespace

void __wrap_FMUC_PutString(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                           uint32_t foreground, uint32_t background, FontDataUC* font,
                           uint8_t cutMode, uint8_t align) {
    texts++;
    if (!withFreeType) {
        __real_FMUC_PutString(region, x, y, maxX, text, foreground, background, font, cutMode,
                              align);
        return;
    }
    const int points = font == &Calibri_10_FontDataUC   ? 10
                       : font == &Calibri_12_FontDataUC ? 12
                       : font == &Calibri_16_FontDataUC ? 16
                                                        : 18;
    bench::DrawWithFreeType(region, x, y, maxX, text, foreground, points, align);
}

namespace {

DeviceRecord& addDevice(int slot, const char* name, uint16_t functions) {
    DeviceRecord& device = _SmartHome[slot];
    std::snprintf(device.ain, sizeof device.ain, "08761 04532%02d", slot);
    std::strcpy(device.name, name);
    std::strcpy(device.manufacturer, "Heimbit");
    std::strcpy(device.productname, "HB Dose 3");
    std::strcpy(device.fwversion, "04.26");
    device.id = 16 + slot;
    device.present = 1;
    device.functionbitmask = functions;
    return device;
}

// Twelve devices of every kind the list shows; the selected one, a
// thermostat with temperature sensor and a next switching time, has the
// panel of 19 rows.
void fillTable() {
    std::memset(_SmartHome, 0, sizeof _SmartHome);
    DeviceRecord& thermostat = addDevice(0, "Wohnzimmer Heizung", 0x0140);
    thermostat.tsoll = 44;
    thermostat.tsollDelta = 1;
    thermostat.battery = 80;
    thermostat.komfort = 44;
    thermostat.absenk = 32;
    thermostat.endperiod = 1798783200;
    thermostat.tchange = 32;
    thermostat.celsius = 215;
    thermostat.offset = -5;
    DeviceRecord& socket = addDevice(1, "Fernseher Wohnzimmer", 0x0B80);
    socket.switchState = 1;
    socket.power = 61250;
    socket.energy = 123456;
    socket.voltage = 230123;
    socket.celsius = 225;
    std::strcpy(socket.mode, "manuell");
    addDevice(2,
              "K\xC3\xBC"
              "che Temperatur",
              0x0100)
        .celsius = 198;
    DeviceRecord& window = addDevice(3, "Fenster B\xC3\xBCro", 0x0010);
    window.alertState = 1;
    DeviceRecord& bath = addDevice(4, "Bad Heizk\xC3\xB6rper", 0x0140);
    bath.tsoll = 57;
    bath.battery = 100;
    bath.windowopenactiv = 1;
    bath.celsius = 231;
    DeviceRecord& lamp = addDevice(5, "Stehlampe", 0x0A80);
    lamp.switchState = 0;
    lamp.lock = 1;
    lamp.power = 0;
    addDevice(6, "Kinderzimmer Heizung", 0x0140).tsoll = 15;
    DeviceRecord& offline = addDevice(7, "Garage Steckdose", 0x0A80);
    offline.present = 0;
    DeviceRecord& washer = addDevice(8, "Waschmaschine", 0x0A80);
    washer.switchState = 1;
    washer.power = 1850000;
    addDevice(9, "Schlafzimmer Heizung", 0x0140).tsoll = 38;
    addDevice(10, "Balkon Temperatur", 0x0100).celsius = -42;
    addDevice(11, "Flur Heizung", 0x0140).tsoll = 40;
    _aktDev = 1;
    _Versatz = 0;
    _info = 1;
}

// Draws the screen from scratch: as after anything else wrote the region.
void fullRedraw() {
    InvalidateScreen();
    SmartHomeAusgabe();
}

bool setUp() {
    namespace fs = std::filesystem;
    const fs::path folder = "/mnt/hd/ProgramFiles/Settings/Fonts";
    std::error_code error;
    fs::create_directories(folder, error);
    FontDataUC* handles[4] = {&Calibri_10_FontDataUC, &Calibri_12_FontDataUC,
                              &Calibri_16_FontDataUC, &Calibri_18_FontDataUC};
    const char* names[4] = {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt",
                            "Calibri_18.ufnt"};
    for (int i = 0; i < 4; i++) {
        fs::copy_file(fs::path(STECKWART_FONT_DIR) / names[i], folder / names[i],
                      fs::copy_options::overwrite_existing, error);
        if (!FMUC_LoadFontFile(names[i], handles[i])) {
            std::fprintf(stderr, "redraw_bench: cannot load %s (run it in the sandbox)\n",
                         names[i]);
            return false;
        }
    }
    if (!bench::StartFreeType(STECKWART_CARLITO)) return false;
    tapsim_SetClock(1768478400);  // 2026-01-15 12:00 UTC
    _rgn = static_cast<uint16_t>(TAP_Osd_Create(0, 0, RegionWidth, RegionHeight, 0, 0));
    _x = 40;
    _y = 30;
    fillTable();
    // Steady state: every glyph cached by both.
    for (int round = 0; round < 3; round++)
        for (bool freeType : {false, true}) {
            withFreeType = freeType;
            fullRedraw();
        }
    withFreeType = false;
    return true;
}

// The value the one-value case changes: the kitchen's temperature, shown in
// its list row only.
int32_t& changingValue() { return _SmartHome[2].celsius; }

void idlePass() { SmartHomeAusgabe(); }

void oneValueChanged() {
    changingValue() = changingValue() == 198 ? 199 : 198;
    SmartHomeAusgabe();
}

struct Case {
    const char* label;
    void (*pass)();
};
const Case kCases[] = {
    {"full redraw", fullRedraw},
    {"idle pass", idlePass},
    {"one value changed", oneValueChanged},
};

int smoke() {
    for (bool freeType : {false, true}) {
        withFreeType = freeType;
        texts = 0;
        const unsigned long allocations = bench::FreeTypeAllocations();
        fullRedraw();
        // Ten rows of two to four texts, the title and the panel's 19 lines.
        if (texts < 45) {
            std::fprintf(stderr, "redraw_bench: only %d texts with %s\n", texts,
                         freeType ? "FreeType" : "FMUC_PutString");
            return 1;
        }
        // The warm loops' premise: every glyph comes from FreeType's cache.
        if (bench::FreeTypeAllocations() != allocations) {
            std::fprintf(stderr, "redraw_bench: FreeType's cache rendered glyphs again\n");
            return 1;
        }
    }
    // The one-value case changes what the screen shows.
    withFreeType = false;
    uint32_t width = 0, height = 0;
    const uint32_t* pixels = tapsim_RegionPixels(_rgn, &width, &height);
    const std::vector<uint32_t> before(pixels, pixels + size_t{width} * height);
    oneValueChanged();
    pixels = tapsim_RegionPixels(_rgn, nullptr, nullptr);
    if (std::equal(before.begin(), before.end(), pixels)) {
        std::fprintf(stderr, "redraw_bench: the changed value left the screen as it was\n");
        return 1;
    }
    std::printf("redraw_bench: both drew the screen with %d texts\n", texts);
    return 0;
}

int instructions() {
    const int repeats = 20;
    int n = 0;
    for (const Case& c : kCases) {
        for (bool freeType : {false, true}) {
            withFreeType = freeType;
            fullRedraw();  // the state the case starts from, drawn by this side
            const unsigned long allocations = bench::FreeTypeAllocations();
            bench::CountStart();
            for (int i = 0; i < repeats; ++i) c.pass();
            bench::CountDump(freeType ? "alternative" : "ours", n);
            if (bench::FreeTypeAllocations() != allocations) {
                std::fprintf(stderr, "redraw_bench: FreeType rendered glyphs again (%s)\n",
                             c.label);
                return 1;
            }
        }
        ++n;
    }
    withFreeType = false;
    std::printf("repeats %d\nbenchmark redraw SmartHomeAusgabe FreeType\n", repeats);
    for (const Case& c : kCases) std::printf("case %s\n", c.label);
    return 0;
}

void BM_SmartHomeAusgabe(benchmark::State& state, const Case* c, bool freeType) {
    withFreeType = freeType;
    fullRedraw();
    const unsigned long allocations = bench::FreeTypeAllocations();
    for (auto _ : state) c->pass();
    if (bench::FreeTypeAllocations() != allocations)
        state.SkipWithError("FreeType rendered glyphs again: its cache is not warm");
    withFreeType = false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!setUp()) return 1;
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return smoke();
    if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) return instructions();
    for (const Case& c : kCases)
        for (bool freeType : {false, true})
            benchmark::RegisterBenchmark(
                (std::string(freeType ? "FreeType/" : "SmartHomeAusgabe/") + c.label).c_str(),
                BM_SmartHomeAusgabe, &c, freeType)
                ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
