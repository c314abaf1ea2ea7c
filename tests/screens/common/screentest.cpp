#include "screentest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "plugin.h"
#include "router.h"
#include "screens.h"
#include "settings.h"
#include "tapsim.h"
#include "testbox.h"

// The plug-in image names itself here; the font manager's message about a
// missing font carries it.
extern "C" {
extern const char __tap_program_name__[64];
const char __tap_program_name__[64] = "Steckwart-Test";
}

namespace screentest {
namespace {

FontDataUC* const kFonts[] = {&Calibri_10_FontDataUC, &Calibri_12_FontDataUC,
                              &Calibri_16_FontDataUC, &Calibri_18_FontDataUC};
const char* const kFontFiles[] = {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt",
                                  "Calibri_18.ufnt"};

}  // namespace

void ScreenTest::SetUp() {
    testbox::Clear();
    testbox::InstallFonts();
    for (size_t i = 0; i < 4; ++i) ASSERT_EQ(FMUC_LoadFontFile(kFontFiles[i], kFonts[i]), 1);
    int region = TAP_Osd_Create(0, 0, 720, 540, 0, 0);
    ASSERT_GE(region, TAP_FirstRegion);
    _rgn = static_cast<uint16_t>(region);
    Paint(kUntouched);

    std::memset(_SmartHome, 0, sizeof _SmartHome);
    _aktDev = 1;
    _Versatz = 0;
    _info = 0;
    _Tapon = 1;
    DoNotReenter = 0;
    _x = _y = 0;
    _color = _showsid = 0;
    _Sid[0] = 0;
    _ip[0] = 0;

    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    tapsim_SetClock(kFixedClock);
    tapsim_SetTimeSettings(60, 0);
    DST_SetDSTRule(DSTRULE_Firmware);
}

void ScreenTest::TearDown() {
    TAP_Osd_Delete(_rgn);
    for (FontDataUC* font : kFonts) FMUC_FreeFontFile(font);
    tapsim_SetClock(0);
}

DeviceRecord& ScreenTest::AddDevice(const char* name, uint16_t functions) {
    int slot = CountDevices();
    EXPECT_LT(slot, DeviceTableRecords);
    DeviceRecord& device = _SmartHome[slot];
    std::memset(&device, 0, sizeof device);
    std::strncpy(device.name, name, sizeof device.name - 1);
    std::snprintf(device.ain, sizeof device.ain, "08761 %07u", 1000u + unsigned(slot % 100));
    device.id = 16 + slot;
    device.functionbitmask = functions;
    device.present = 1;
    return device;
}

uint32_t ScreenTest::Pixel(int32_t x, int32_t y) const {
    uint32_t width = 0, height = 0;
    const uint32_t* pixels = tapsim_RegionPixels(_rgn, &width, &height);
    if (!pixels || x < 0 || y < 0 || uint32_t(x) >= width || uint32_t(y) >= height) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the region";
        return 0;
    }
    return pixels[size_t(y) * width + size_t(x)];
}

void ScreenTest::Paint(uint32_t colour) {
    TAP_Osd_FillBox(_rgn, 0, 0, 720, 540, colour);
    InvalidateScreen();
}

golden::Image ScreenTest::Region() const {
    golden::Image image;
    const uint32_t* pixels = tapsim_RegionPixels(_rgn, &image.width, &image.height);
    if (pixels) image.pixels.assign(pixels, pixels + size_t(image.width) * image.height);
    return image;
}

uint32_t LineHeight(FontDataUC* font) {
    return FMUC_GetStringHeight("A", font);
}

void ExpectText(const Text& element, uint32_t base, bool plate, int32_t plateX, int32_t plateY) {
    SCOPED_TRACE("text '" + element.text + "' at (" + std::to_string(element.x) + ", " +
                 std::to_string(element.y) + ")");
    int scratch = TAP_Osd_Create(0, 0, 720, 540, 0, OSD_Flag_OffScreen);
    ASSERT_GE(scratch, TAP_FirstRegion);
    TAP_Osd_FillBox(scratch, 0, 0, 720, 540, base);
    if (plate) TAP_Osd_PutGd(scratch, plateX, plateY, &_leerGd, 1);
    FMUC_PutString(scratch, element.x, element.y, element.maxX, element.text.c_str(),
                   element.colour, 0, element.font, CUT_End, element.align);

    uint32_t width = 0, height = 0;
    const uint32_t* expected = tapsim_RegionPixels(scratch, &width, &height);
    const uint32_t* actual = tapsim_RegionPixels(_rgn, nullptr, nullptr);
    // The box's last column (maxX) never takes ink; neighbours may use it.
    const int32_t right = std::min<int32_t>(element.maxX, 720) - 1;
    const int32_t bottom = std::min<int32_t>(element.y + LineHeight(element.font), 539);
    bool inked = false;
    for (int32_t y = element.y; y <= bottom; ++y)
        for (int32_t x = element.x; x <= right; ++x) {
            const size_t at = size_t(y) * width + size_t(x);
            inked = inked || expected[at] != base;
            if (actual[at] != expected[at]) {
                ADD_FAILURE() << "first difference at (" << x << ", " << y << "): expected "
                              << std::hex << expected[at] << ", region " << actual[at];
                TAP_Osd_Delete(scratch);
                return;
            }
        }
    EXPECT_TRUE(inked || element.text.empty()) << "the reference drew nothing";
    TAP_Osd_Delete(scratch);
}

}  // namespace screentest
