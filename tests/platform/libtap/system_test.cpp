// The host firmware's events: keys posted from any thread reach the event
// handler only inside TAP_SystemProc, on the thread that calls it, in the
// order they were posted.  And the firmware's UTF-8 repair function.
#include <dlfcn.h>

#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tapsim.h"

namespace {

struct Delivered {
    uint32_t event, parameter1, parameter2;
    std::thread::id thread;
};
std::vector<Delivered> delivered;

uint32_t recordEvent(uint32_t event, uint32_t parameter1, uint32_t parameter2) {
    delivered.push_back({event, parameter1, parameter2, std::this_thread::get_id()});
    return parameter1;
}

TEST(Events, ArriveInPostingOrderOnTheThreadThatCallsSystemProc) {
    delivered.clear();
    tapsim_SetEventHandler(recordEvent);
    std::thread poster([] {
        for (uint32_t key = 1; key <= 50; ++key) tapsim_PostEvent(EVT_KEY, KEY_0 + key, key);
        tapsim_PostEvent(EVT_STOP, 0, 0);
    });
    poster.join();
    EXPECT_TRUE(delivered.empty()) << "nothing arrives outside TAP_SystemProc";
    EXPECT_EQ(tapsim_PendingEvents(), 51u);

    uint64_t calls = tapsim_SystemProcCount();
    TAP_SystemProc();
    EXPECT_EQ(tapsim_SystemProcCount(), calls + 1);
    EXPECT_EQ(tapsim_PendingEvents(), 0u);
    ASSERT_EQ(delivered.size(), 51u);
    for (uint32_t i = 0; i < 50; ++i) {
        EXPECT_EQ(delivered[i].event, static_cast<uint32_t>(EVT_KEY));
        EXPECT_EQ(delivered[i].parameter1, KEY_0 + i + 1);
        EXPECT_EQ(delivered[i].parameter2, i + 1);
    }
    EXPECT_EQ(delivered[50].event, static_cast<uint32_t>(EVT_STOP));
    for (const Delivered& d : delivered) EXPECT_EQ(d.thread, std::this_thread::get_id());
    tapsim_SetEventHandler(nullptr);
}

TEST(Events, SystemProcWaitsForTheNextTick) {
    tapsim_SetTickLength(2000);
    uint32_t tick = TAP_GetTick();
    TAP_SystemProc();
    EXPECT_GT(TAP_GetTick(), tick);
    tapsim_SetTickLength(10000);
}

TEST(Firmware, RepairsTextsForUtf8OutputByteByByte) {
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    auto repair = reinterpret_cast<int (*)(unsigned char*, int)>(
        dlsym(self, "_Z26Appl_ConvertToValidUTF8StrPhi"));
    ASSERT_NE(repair, nullptr);
    const struct {
        const char* name;
        const char* text;
        const char* repaired;
        int replaced;
    } cases[] = {
        {"ASCII", "plain", "plain", 0},
        {"UTF-8", "Ger\xC3\xA4t", "Ger\xC3\xA4t", 0},
        {"ISO-8859-1", "Ger\xE4t", "Ger?t", 1},
        {"stray continuation", "a\x80" "b", "a?b", 1},
        {"cut sequence at the end", "ab\xE2\x82", "ab??", 2},
    };
    for (const auto& c : cases) {
        char buffer[32];
        std::strcpy(buffer, c.text);
        EXPECT_EQ(repair(reinterpret_cast<unsigned char*>(buffer), sizeof buffer), c.replaced)
            << c.name;
        EXPECT_STREQ(buffer, c.repaired) << c.name;
    }
    dlclose(self);
}

}  // namespace
