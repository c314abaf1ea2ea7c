// Helpers of the screens' and the key handling's tests: the plug-in's region
// and fonts as TAP_Main sets them up, device records, a fixed clock and time
// zone, and exact comparison of a text element with the same text drawn
// alone on a scratch region.
#ifndef STECKWART_TESTS_SCREENTEST_H
#define STECKWART_TESTS_SCREENTEST_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "devices.h"
#include "golden.h"
#include "support.h"

namespace screentest {

// Painted over the whole region before a test draws: pixels that keep it
// were not drawn.
inline constexpr uint32_t kUntouched = 0xFF5A2D7E;

// Colours of the screens.
inline constexpr uint32_t kWhite = 0xFFFFFFFF;
inline constexpr uint32_t kBackground = 0xFF010101;
inline constexpr uint32_t kHighlight = 0xFF3C3C3C;
inline constexpr uint32_t kSessionId = 0xFF646464;
inline constexpr uint32_t kGreen = 0xFF008000;
inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGrey = 0xFF808080;
// The value plate's rim and face.
inline constexpr uint32_t kPlateRim = 0xFF8C8C8C;
inline constexpr uint32_t kPlateFace = 0xFF000000;

// 2026-01-15 12:00 UTC.
inline constexpr int64_t kFixedClock = 1768478400;

// The plug-in as it runs: fonts installed and loaded into the four font
// globals, its 720 x 540 region in _rgn (painted kUntouched), an empty
// device table with _aktDev 1, _Versatz 0, every setting and flag at its
// default, the clock at kFixedClock, local time Europe/Berlin (TZ and the
// firmware's time settings) with the firmware's conversion.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A record appended to the list (present, with an identifier); returns it
    // for the test to fill in.
    DeviceRecord& AddDevice(const char* name, uint16_t functions);

    uint32_t Pixel(int32_t x, int32_t y) const;
    // Paints the whole region (and tells the screens, which draw all anew).
    void Paint(uint32_t colour);
    golden::Image Region() const;
};

// A text element: the text and how the screens draw it.
struct Text {
    int32_t x;
    int32_t y;
    int32_t maxX;
    std::string text;  // as drawn: ISO-8859-1 for the screens' own texts
    FontDataUC* font;
    uint32_t colour;
    uint8_t align;
};

// Expects the region to show exactly the text element over a plain base
// colour (and the value plate at (plateX, plateY) when plate is set): the
// element is drawn alone on a scratch region over that base, and the box
// x … maxX, y … y + the font's line height is compared pixel by pixel.
void ExpectText(const Text& element, uint32_t base, bool plate = false, int32_t plateX = 0,
                int32_t plateY = 0);

// The height of a font's line (its glyphs' height).
uint32_t LineHeight(FontDataUC* font);

}  // namespace screentest

#endif
