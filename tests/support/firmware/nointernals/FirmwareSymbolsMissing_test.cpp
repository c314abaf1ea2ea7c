// On a firmware without its internal symbols every accessor answers null,
// and the functions built on them fall back.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "../firmwaredat.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

TEST(FirmwareSymbolsMissing, EveryAccessorAnswersNull) {
    EXPECT_EQ(FIS_fwAppl_TimeToLocal(), nullptr);
    EXPECT_EQ(FIS_fwAppl_ConvertToValidUTF8Str(), nullptr);
    EXPECT_EQ(FIS_vOsdMap(), nullptr);
    EXPECT_EQ(FIS_vTAPTable(), nullptr);
    EXPECT_EQ(FIS_vCurTapTask(), nullptr);
    EXPECT_EQ(FIS_vFlashBlockTimeInfo(), nullptr);
    EXPECT_EQ(TryResolve("_tapTask"), nullptr);
    EXPECT_EQ(isUTFFirmware(), 0) << "no UTF-8 conversion, so no UTF-8 file names";
    // The firmware API itself is there.
    EXPECT_NE(TryResolve("TAP_GetSystemId"), nullptr);
}

TEST(FirmwareSymbolsMissing, TheTimeZoneIsUnknownOnEveryCallUntilTheSymbolAppears) {
    testbox::Clear();
    testbox::WriteFile(testbox::kSettings + "/Firmware.dat", firmwaredat::Make({{0x5A3C, 5}}));
    tapsim_SetSystemId(0x5A3C);
    ASSERT_EQ(GetSystemType(), 5u);
    for (int call = 0; call < 3; ++call) {
        int16_t offset = 1;
        int32_t daylight = 1;
        EXPECT_EQ(GetCurrentTimeZone(&offset, &daylight), 0);
        EXPECT_EQ(offset, 1);
        EXPECT_EQ(daylight, 1);
    }
    // A library that brings the symbol along: the next call looks again and
    // finds it.
    void* provider = dlopen(TIMEINFO_PROVIDER, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(provider, nullptr) << dlerror();
    int16_t offset = 0;
    int32_t daylight = 0;
    EXPECT_EQ(GetCurrentTimeZone(&offset, &daylight), 1);
    EXPECT_EQ(offset, 60);
    EXPECT_EQ(daylight, 1);
}

}  // namespace
