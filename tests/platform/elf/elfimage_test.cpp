// The ELF reader: sections of both classes, needed libraries and dynamic
// symbols of a real image, and malformed files refused without reading past
// their end.
#include "elfimage.h"

#include <gtest/gtest.h>

#include "elfwriter.h"
#include "testbox.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST(ElfImage, ReadsNamedSectionsOfBothClasses) {
    for (bool is64 : {false, true}) {
        std::string file = elfwriter::build(is64, is64 ? 62 : 8, 3,
                                            {{"._tap_header", elfwriter::tapHeader()},
                                             {"._tap_program_name", std::string("Demo", 4)}});
        elfimage::Image image;
        std::string error;
        ASSERT_TRUE(elfimage::parse(bytesOf(file), &image, &error)) << error;
        EXPECT_EQ(image.is64, is64);
        EXPECT_EQ(image.machine, is64 ? 62 : 8);
        EXPECT_EQ(image.type, 3);
        const elfimage::Section* header = image.find("._tap_header");
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(image.contents(*header), elfwriter::tapHeader());
        ASSERT_NE(image.find("._tap_program_name"), nullptr);
        EXPECT_EQ(image.contents(*image.find("._tap_program_name")), "Demo");
        EXPECT_EQ(image.find("._tap_id"), nullptr);
    }
}

TEST(ElfImage, ListsTheNeededLibrariesAndDynamicSymbolsOfRealObjects) {
    const struct {
        const char* path;
        const char* needed;
        const char* defined;
        const char* undefined;
    } objects[] = {
        {STECKWART_LIBTAP, "libc.so.6", "TAP_Osd_Create", "malloc"},
        {STECKWART_FIXTURE, "libc.so.6", "__TAP_Init_", "TAP_Osd_Create"},
    };
    for (const auto& object : objects) {
        elfimage::Image image;
        std::string error;
        ASSERT_TRUE(elfimage::read(object.path, &image, &error)) << error;
        EXPECT_NE(std::find(image.needed.begin(), image.needed.end(), object.needed),
                  image.needed.end())
            << object.path;
        int defined = 0, undefined = 0;
        for (const auto& symbol : image.dynamicSymbols) {
            if (symbol.name == object.defined) defined += symbol.defined ? 1 : 100;
            if (symbol.name == object.undefined) undefined += symbol.defined ? 100 : 1;
        }
        EXPECT_EQ(defined, 1) << object.path << ": " << object.defined;
        EXPECT_EQ(undefined, 1) << object.path << ": " << object.undefined;
    }
}

TEST(ElfImage, RefusesEveryTruncationOfARealImage) {
    std::string file = testbox::ReadFile(STECKWART_FIXTURE);
    ASSERT_GT(file.size(), 1000u);
    for (size_t length = 0; length < file.size(); ++length) {
        elfimage::Image image;
        std::string error;
        ASSERT_FALSE(elfimage::parse(bytesOf(file.substr(0, length)), &image, &error))
            << "a file cut at " << length << " bytes was taken";
        ASSERT_FALSE(error.empty());
    }
}

TEST(ElfImage, RefusesMalformedFilesWithAReason) {
    const std::string good = elfwriter::build(true, 62, 3, {{"._tap_header", "x"}});
    auto patched = [&good](size_t offset, uint64_t value, int size) {
        std::string file = good;
        elfwriter::put(&file, offset, value, size);
        return file;
    };
    const size_t firstEntry = good.size() - 3 * 64 + 64;  // after the null entry
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "not an ELF file"},
        {"text", "#!/bin/sh\necho hello\n", "not an ELF file"},
        {"unknown class", patched(4, 3, 1), "class is unknown"},
        {"big-endian", patched(5, 2, 1), "big-endian"},
        {"no sections", patched(0x3C, 0, 2), "no section table"},
        {"small entries", patched(0x3A, 16, 2), "too small"},
        {"table beyond the end", patched(0x28, good.size() - 10, 8), "section table lies outside"},
        {"many sections", patched(0x3C, 400, 2), "section table lies outside"},
        {"name table index", patched(0x3E, 9, 2), "name table is missing"},
        {"section beyond the end", patched(firstEntry + 0x18, 1u << 30, 8), "lies outside the file"},
        {"section size too large", patched(firstEntry + 0x20, good.size(), 8),
         "lies outside the file"},
        {"name beyond its table", patched(firstEntry, 5000, 4), "broken name"},
    };
    for (const Case& c : cases) {
        elfimage::Image image;
        std::string error;
        EXPECT_FALSE(elfimage::parse(bytesOf(c.bytes), &image, &error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos)
            << c.name << ": expected \"" << c.reason << "\", got \"" << error << "\"";
    }
    elfimage::Image image;
    std::string error;
    EXPECT_TRUE(elfimage::parse(bytesOf(good), &image, &error)) << "the unpatched file: " << error;
    EXPECT_FALSE(elfimage::read("/no/such/image.so", &image, &error));
    EXPECT_NE(error.find("cannot be opened"), std::string::npos);
}

}  // namespace
