// Checks a plug-in image (path in STECKWART_IMAGE) the way the recorder
// needs it: a shared object for this flavour's processor (in the box
// flavour: ELF32, little-endian, MIPS), the six identification sections with
// their sizes and a valid header, only libc (and libdl) needed, and no
// undefined symbol that is not firmware API, libc or libdl.
// tests/platform/tests.cmake runs it for each image (steckwart_add_image_test).
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "elfimage.h"
#include "tap.h"

namespace {

elfimage::Image loadImage() {
    const char* path = std::getenv("STECKWART_IMAGE");
    elfimage::Image image;
    if (!path) {
        ADD_FAILURE() << "STECKWART_IMAGE names no image";
        return image;
    }
    std::string error;
    EXPECT_TRUE(elfimage::read(path, &image, &error)) << path << ": " << error;
    return image;
}

bool isSanitizeFlavour() { return std::strcmp(STECKWART_FLAVOUR, "sanitize") == 0; }

TEST(PluginImage, IsASharedObjectForThisFlavoursProcessor) {
    elfimage::Image image = loadImage();
    EXPECT_EQ(image.type, elfimage::kTypeShared);
#if defined(__mips__)
    EXPECT_FALSE(image.is64) << "the recorder takes ELF32 images";
    EXPECT_EQ(image.machine, elfimage::kMachineMips);
    EXPECT_EQ(image.bytes.at(5), 1) << "little-endian";
#elif defined(__x86_64__)
    EXPECT_TRUE(image.is64);
    EXPECT_EQ(image.machine, elfimage::kMachineX86_64);
#endif
}

TEST(PluginImage, CarriesTheIdentificationSectionsWithTheirSizes) {
    elfimage::Image image = loadImage();
    const struct {
        const char* name;
        uint64_t size;
    } sections[] = {{TAP_SECTION_HEADER, 32},       {TAP_SECTION_ID, 4},
                    {TAP_SECTION_PROGRAM_NAME, 64}, {TAP_SECTION_DESCRIPTION, 128},
                    {TAP_SECTION_ETCINFO, 64},      {TAP_SECTION_AUTHOR_NAME, 64}};
    for (const auto& expected : sections) {
        const elfimage::Section* section = image.find(expected.name);
        ASSERT_NE(section, nullptr) << expected.name;
        EXPECT_EQ(section->size, expected.size) << expected.name;
    }
    std::string header = image.contents(*image.find(TAP_SECTION_HEADER));
    EXPECT_EQ(header, std::string("TFAPMIPS\x10", 9) + std::string(23, '\0'));
}

TEST(PluginImage, NeedsNoLibraryButLibc) {
    elfimage::Image image = loadImage();
    for (const std::string& library : image.needed) {
        bool sanitizerRuntime = isSanitizeFlavour() && (library.rfind("libasan.so", 0) == 0 ||
                                                        library.rfind("libubsan.so", 0) == 0);
        EXPECT_TRUE(library == "libc.so.6" || library == "libdl.so.2" || sanitizerRuntime)
            << "needs " << library;
    }
}

TEST(PluginImage, LeavesOnlyFirmwareApiLibcAndLibdlSymbolsUndefined) {
    elfimage::Image image = loadImage();
    void* firmware = dlopen(STECKWART_LIBTAP, RTLD_NOW | RTLD_LOCAL);
    void* libc = dlopen("libc.so.6", RTLD_NOW | RTLD_LOCAL);
    void* libdl = dlopen("libdl.so.2", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(firmware, nullptr) << dlerror();
    ASSERT_NE(libc, nullptr) << dlerror();
    // References of the C run-time's start files that may stay unresolved.
    const char* const optional[] = {"__gmon_start__", "_ITM_deregisterTMCloneTable",
                                    "_ITM_registerTMCloneTable", "_Jv_RegisterClasses"};
    int undefined = 0;
    for (const elfimage::Symbol& symbol : image.dynamicSymbols) {
        if (symbol.defined || symbol.name.empty()) continue;
        ++undefined;
        const char* name = symbol.name.c_str();
        const char* source = nullptr;
        if (symbol.name.rfind("TAP_", 0) == 0 && dlsym(firmware, name)) source = "firmware API";
        else if (dlsym(libc, name)) source = "libc";
        else if (libdl && dlsym(libdl, name)) source = "libdl";
        else if (isSanitizeFlavour() && (symbol.name.rfind("__asan_", 0) == 0 ||
                                         symbol.name.rfind("__ubsan_", 0) == 0 ||
                                         symbol.name.rfind("__sanitizer_", 0) == 0))
            source = "sanitizer run-time";
        for (const char* allowed : optional)
            if (symbol.weak && symbol.name == allowed) source = "start files (weak)";
        std::printf("  undefined %-40s %s\n", name, source ? source : "NOT ALLOWED");
        EXPECT_NE(source, nullptr) << name << " is neither firmware API nor libc nor libdl";
    }
    EXPECT_GT(undefined, 0) << "an image calls the firmware";
    dlclose(firmware);
    dlclose(libc);
    if (libdl) dlclose(libdl);
}

}  // namespace
