// libtap_nointernals.so: the same firmware without the internals that
// plug-ins look up by name, for their "symbol missing" paths.  The API
// itself still works.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include "tapsim.h"

namespace {

TEST(NoInternals, HidesEveryInternalButKeepsTheApi) {
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr);
    for (const char* name : {"_osdInfo", "_tapTask", "_curTapTask", "_timeInfo",
                             "_Z16Appl_TimeToLocalj", "_Z26Appl_ConvertToValidUTF8StrPhi"}) {
        EXPECT_EQ(dlsym(self, name), nullptr) << name << " is visible";
        EXPECT_NE(dlerror(), nullptr);
    }
    EXPECT_NE(dlsym(self, "TAP_Osd_Create"), nullptr);
    dlclose(self);
    int region = TAP_Osd_Create(0, 0, 10, 10, 0, OSD_Flag_Visible);
    EXPECT_GE(region, TAP_FirstRegion);
    EXPECT_EQ(TAP_Osd_Delete(static_cast<uint16_t>(region)), 0);
}

}  // namespace
