// On a firmware whose region table the support library cannot find, the
// text output learns no region width and cuts nothing at the region's right
// edge: the screens must cut their texts themselves.
#include <gtest/gtest.h>

#include "plugin.h"
#include "screens.h"
#include "screentest.h"
#include "settings.h"
#include "tapsim.h"

namespace {

class DrawingWithoutRegionTable : public screentest::ScreenTest {};

TEST_F(DrawingWithoutRegionTable, KeepsEveryTextInsideTheRegion) {
    ASSERT_EQ(GetOSDRegionWidth(_rgn), 0u);
    for (int i = 0; i < 3; ++i)
        AddDevice("Ger\xC3\xA4t mit einem sehr langen Namen, der nicht passt", FB_Thermostat).errorcode = 2;
    _info = 1;
    const uint64_t before = tapsim_DrawsBeyondRegion();
    for (int32_t x : {0, 200, 400, 500}) {
        _x = x;
        SmartHomeAusgabe();
        EXPECT_EQ(tapsim_DrawsBeyondRegion(), before) << "anchor " << x;
    }
}

}  // namespace
