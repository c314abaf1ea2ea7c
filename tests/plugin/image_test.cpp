// The plug-in image as the recorder's loader sees it: the identification
// sections byte for byte, __TAP_Init_ filling the entry record, and the
// run-time stand-bys.  Reads the image built for this flavour (under qemu in
// the box flavour).
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>

#include "elfimage.h"
#include "tap.h"
#include "tapsim.h"

namespace {

std::string Section(const elfimage::Image& image, const char* name) {
    const elfimage::Section* section = image.find(name);
    return section ? image.contents(*section) : std::string();
}

std::string Padded(const std::string& text, size_t size) {
    return text + std::string(size - text.size(), '\0');
}

TEST(Image, CarriesItsIdentificationByteForByte) {
    elfimage::Image image;
    std::string error;
    ASSERT_TRUE(elfimage::read(STECKWART_IMAGE, &image, &error)) << error;
    EXPECT_EQ(Section(image, TAP_SECTION_HEADER),
              Padded(std::string("TFAPMIPS\x10\0\0\0", 12), 32));
    EXPECT_EQ(Section(image, TAP_SECTION_ID), std::string("\xA4\xE7\x52\x81", 4));
    EXPECT_EQ(Section(image, TAP_SECTION_PROGRAM_NAME), Padded("Steckwart", 64));
    EXPECT_EQ(Section(image, TAP_SECTION_DESCRIPTION), Padded("Steckwart 1.3", 128));
    EXPECT_EQ(Section(image, TAP_SECTION_AUTHOR_NAME), Padded("Steckwart developers", 64));

    std::string date = Section(image, TAP_SECTION_ETCINFO);
    ASSERT_EQ(date.size(), 64u);
    std::string text = date.c_str();
    EXPECT_EQ(date, Padded(text, 64));
    EXPECT_TRUE(std::regex_match(
        text, std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [1-9][0-9]? 20[0-9]{2}")))
        << "'" << text << "'";
}

class LoadedImage : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen(STECKWART_IMAGE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle_) dlclose(handle_);
    }
    template <typename Function>
    Function Find(const char* name) {
        return reinterpret_cast<Function>(dlsym(handle_, name));
    }
    void* handle_ = nullptr;
};

TEST_F(LoadedImage, InitHandsTheFirmwareBothEntryPoints) {
    auto init = Find<int (*)(TAP_EntryRecord*)>("__TAP_Init_");
    ASSERT_NE(init, nullptr);
    TAP_EntryRecord entry = {nullptr, nullptr};
    EXPECT_EQ(init(&entry), 0);
    EXPECT_EQ(reinterpret_cast<void*>(entry.main), dlsym(handle_, "TAP_Main"));
    EXPECT_EQ(reinterpret_cast<void*>(entry.eventHandler), dlsym(handle_, "TAP_EventHandler"));
    EXPECT_NE(entry.main, nullptr);
    EXPECT_NE(entry.eventHandler, nullptr);
}

TEST_F(LoadedImage, BuiltinNewReportsTheSizeAndTakesFirmwareMemory) {
    auto builtinNew = Find<void* (*)(int)>("__builtin_new");
    ASSERT_NE(builtinNew, nullptr);
    FILE* sink = tmpfile();
    tapsim_SetPrintSink(sink);
    uint32_t before = 0, after = 0;
    tapsim_MemoryInUse(&before, nullptr);
    void* block = builtinNew(100);
    tapsim_MemoryInUse(&after, nullptr);
    tapsim_SetPrintSink(nullptr);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(after, before + 1);
    TAP_MemFree(block);

    char printed[64] = {};
    rewind(sink);
    fread(printed, 1, sizeof printed - 1, sink);
    fclose(sink);
    EXPECT_STREQ(printed, "__builtin_new. size=100\n");

    tapsim_FailAllocationsAfter(0);
    EXPECT_EQ(builtinNew(8), nullptr) << "a failed allocation is passed on";
    tapsim_FailAllocationsAfter(-1);
}

TEST_F(LoadedImage, InitAndFinitDoNothing) {
    auto init = Find<void (*)()>("_init");
    auto finit = Find<void (*)()>("_finit");
    ASSERT_NE(init, nullptr);
    ASSERT_NE(finit, nullptr);
    init();
    finit();
}

TEST_F(LoadedImage, AbortNeverReturnsButSleepsInTheFirmware) {
    auto abortStandBy = Find<void (*)()>("abort");
    ASSERT_NE(abortStandBy, nullptr);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        tapsim_SetTickLength(100);
        abortStandBy();
        _exit(0);  // never reached
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, WNOHANG), 0) << "abort returned or ended the process";
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
}

}  // namespace
