// boxsim, black-box: it loads the fixture plug-in like the firmware, feeds it
// keys from a script, sends the stop event, writes snapshots, prepares the box
// folder and explains every image and situation it cannot handle.
// Runs outside the sandbox: boxsim makes its own.
#include <png.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "../elf/elfwriter.h"
#include "process.h"
#include "tap.h"

namespace {

using process::Result;

const std::string kBoxsim = STECKWART_BOXSIM;
const std::string kFixture = STECKWART_FIXTURE;

struct BoxsimRun {
    std::string folder;  // holds box/ and the snapshots
    Result result;
};

std::vector<std::string> boxsimCommand(const std::string& folder, const std::string& image,
                                       const std::vector<std::string>& extra) {
    std::vector<std::string> command = {kBoxsim, "--box", folder + "/box", "--snapshots", folder,
                                        "--router", "127.0.0.1:9"};
    command.insert(command.end(), extra.begin(), extra.end());
    command.push_back(image);
    return command;
}

BoxsimRun runBoxsim(const std::string& name, const std::vector<std::string>& extra,
              const std::string& image = kFixture) {
    BoxsimRun run;
    run.folder = process::freshFolder("boxsim/" + name);
    run.result = process::run(boxsimCommand(run.folder, image, extra));
    return run;
}

// Asserts that the texts occur in err in this order.
void expectInOrder(const std::string& text, const std::vector<std::string>& parts) {
    size_t at = 0;
    for (const std::string& part : parts) {
        size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << part << "\nin:\n"
                                            << text;
        at = found + part.size();
    }
}

std::vector<uint32_t> readPng(const std::string& path, uint32_t* width, uint32_t* height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    std::vector<uint32_t> pixels;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_BGRA;  // in memory: ARGB words on a little-endian machine
    pixels.resize(size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) pixels.clear();
    *width = image.width;
    *height = image.height;
    return pixels;
}

TEST(Boxsim, ReadsTheIdentificationSectionsAndCallsTheEntryPoints) {
    BoxsimRun run = runBoxsim("sections", {"--script", "stop"});
    EXPECT_EQ(run.result.exitCode, 7) << run.result.err;
    EXPECT_NE(run.result.out.find("plug-in \"Fixture\": \"Box simulator test plug-in\", id "
                                  "0x0F1E7001, built \"Jan 1 2025\", by \"Steckwart tests\""),
              std::string::npos)
        << run.result.out;
    expectInOrder(run.result.err, {"fixture: init", "fixture: main", "fixture: stop",
                                   "fixture: end"});
    EXPECT_NE(run.result.out.find("TAP_Main returned 7"), std::string::npos);
}

TEST(Boxsim, DeliversScriptedKeysInOrderAndEndsOnTheStopEvent) {
    BoxsimRun run = runBoxsim("keys", {"--script", "down; 5 ;0x10050\nkey 65 # a raw code\nup; stop"});
    EXPECT_EQ(run.result.exitCode, 7) << run.result.err;
    expectInOrder(run.result.err, {"fixture: main", "fixture: key 0x1001D", "fixture: key 0x10005",
                                   "fixture: key 0x10050", "fixture: key 0x41",
                                   "fixture: key 0x10012", "fixture: stop", "fixture: end"});
}

TEST(Boxsim, EndsWithThePlugInWhenItEndsByItself) {
    BoxsimRun run = runBoxsim("exitkey", {"--script", "exit; wait end; down"});
    EXPECT_EQ(run.result.exitCode, 7) << run.result.err;
    EXPECT_EQ(run.result.err.find("fixture: stop"), std::string::npos);
    EXPECT_EQ(run.result.out.find("sending the stop event"), std::string::npos);
    EXPECT_NE(run.result.out.find("1 script step(s) not played"), std::string::npos)
        << run.result.out;
}

TEST(Boxsim, SnapshotHoldsExactlyWhatThePlugInDrew) {
    BoxsimRun run = runBoxsim("snapshot", {"--script", "down; snap shots/after-down.png; stop"});
    ASSERT_EQ(run.result.exitCode, 7) << run.result.err;
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> screen = readPng(run.folder + "/shots/after-down.png", &width, &height);
    ASSERT_EQ(width, 720u);
    ASSERT_EQ(height, 576u);

    // The fixture's region lies at 60,40; its text line at 10…189, 70…91.
    auto expected = [](uint32_t x, uint32_t y) -> uint32_t {
        if (x >= 5 && x < 15 && y >= 5 && y < 15) return 0xFFFFFFFF;
        if (x >= 5 && x < 25 && y >= 30 && y < 50) return 0xFF01001D;  // the key "down"
        return 0xFF204080;
    };
    int textPixels = 0;
    for (uint32_t y = 0; y < 100; ++y)
        for (uint32_t x = 0; x < 200; ++x) {
            uint32_t actual = screen[(40 + y) * 720 + 60 + x];
            if (x >= 10 && x < 190 && y >= 70 && y < 92) {
                // Text: white blended over the region's blue, channel by channel.
                bool between = ((actual >> 16) & 0xFF) >= 0x20 && ((actual >> 8) & 0xFF) >= 0x40 &&
                               (actual & 0xFF) >= 0x80;
                ASSERT_TRUE(between) << "text pixel " << x << "," << y << " is " << std::hex
                                     << actual;
                textPixels += actual != 0xFF204080;
                continue;
            }
            ASSERT_EQ(actual, expected(x, y)) << "first differing pixel at region " << x << ","
                                              << y;
        }
    EXPECT_GT(textPixels, 50) << "the text was not drawn";
    EXPECT_NE(screen[0], 0xFF204080u) << "outside the region the TV picture shows";
}

// Snapshots named below the PC's /tmp landed in the sandbox's private /tmp
// and were lost with it: a snapshot goes where the user asked.
TEST(Boxsim, SnapshotsBelowTmpLandOnThePcsOwnFileSystem) {
    std::string name = "steckwart-snapshot-" + std::to_string(getpid());
    std::string direct = "/tmp/" + name + ".png", folder = "/tmp/" + name;
    BoxsimRun run = runBoxsim("tmp", {"--snapshots", folder, "--script",
                                      "snap " + direct + "; snap relative.png; stop"});
    uint32_t width = 0, height = 0;
    size_t directPixels = readPng(direct, &width, &height).size();
    size_t relativePixels = readPng(folder + "/relative.png", &width, &height).size();
    std::remove(direct.c_str());
    std::remove((folder + "/relative.png").c_str());
    rmdir(folder.c_str());
    ASSERT_EQ(run.result.exitCode, 7) << run.result.err;
    EXPECT_NE(run.result.out.find("snapshot " + direct), std::string::npos) << run.result.out;
    EXPECT_EQ(directPixels, 720u * 576u) << direct;
    EXPECT_EQ(relativePixels, 720u * 576u) << folder << "/relative.png";
}

TEST(Boxsim, SetsTheClockTimeZoneAndSystemIdAndGivesTheSameSnapshotEveryRun) {
    std::vector<std::string> options = {"--clock", "2024-03-01T12:00:00", "--timezone",
                                        "Europe/Berlin", "--tick", "5ms", "--system-id", "0x5A77",
                                        "--script", "down; snap same.png; stop"};
    BoxsimRun first = runBoxsim("reproducible1", options);
    BoxsimRun second = runBoxsim("reproducible2", options);
    ASSERT_EQ(first.result.exitCode, 7) << first.result.err;
    ASSERT_EQ(second.result.exitCode, 7) << second.result.err;
    // 2024-03-01 is day 60370; noon UTC is 13:00 in Berlin in winter.
    EXPECT_NE(first.result.err.find("fixture: system id 0x5A77, day 60370 13:00"),
              std::string::npos)
        << first.result.err;
    std::string png = process::readFile(first.folder + "/same.png");
    EXPECT_GT(png.size(), 1000u);
    EXPECT_EQ(png, process::readFile(second.folder + "/same.png"));
}

TEST(Boxsim, PreparesTheBoxFolderOnFirstUseAndUpdatesOnlyTheRouterLater) {
    BoxsimRun run = runBoxsim("boxfolder", {"--script", "stop", "--system-id", "0x12345A3C"});
    ASSERT_EQ(run.result.exitCode, 7) << run.result.err;
    const std::string box = run.folder + "/box/ProgramFiles";
    for (const char* size : {"10", "12", "16", "18"}) {
        std::string name = std::string("Calibri_") + size + ".ufnt";
        EXPECT_EQ(process::readFile(box + "/Settings/Fonts/" + name),
                  process::readFile(std::string(STECKWART_FONT_DIR) + "/" + name))
            << name;
    }
    struct stat wget;
    ASSERT_EQ(stat((box + "/wget").c_str(), &wget), 0);
    EXPECT_TRUE(wget.st_mode & S_IXUSR);
    EXPECT_EQ(process::readFile(box + "/wget"), process::readFile("/usr/bin/wget"));

    std::string data = process::readFile(box + "/Settings/Firmware.dat");
    auto word = [&data](size_t at, int size) {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(data[at + i]);
        return value;
    };
    ASSERT_GE(data.size(), 20u);
    EXPECT_EQ(word(0, 4), 0x12345678u);
    EXPECT_EQ(word(8, 4), 0u);
    uint32_t records = word(12, 4);
    ASSERT_GE(records, 2u);
    ASSERT_EQ(data.size(), 20 + records * 348);
    int matches = 0;
    for (uint32_t i = 0; i < records; ++i)
        if (word(20 + i * 348, 2) == 0x5A3C) {
            ++matches;
            EXPECT_EQ(word(20 + i * 348 + 292, 4), 5u);
        }
    EXPECT_EQ(matches, 1) << "one record for the simulated box (low 16 bits of its id)";

    const std::string ini = box + "/Settings/Steckwart/Steckwart.ini";
    std::string settings = process::readFile(ini);
    EXPECT_NE(settings.find("ip=127.0.0.1:9\r\n"), std::string::npos) << settings;
    for (const char* key : {"user=", "pwd=", "x=", "y=", "hanfun=", "repeater="})
        EXPECT_NE(settings.find(key), std::string::npos) << key;

    // A later run with another router changes that line and nothing else.
    std::string edited = settings + "; a note of the user\r\n";
    process::writeFile(ini, edited);
    Result again = process::run({kBoxsim, "--box", run.folder + "/box", "--router",
                                 "127.0.0.2:8081", "--script", "stop", kFixture});
    ASSERT_EQ(again.exitCode, 7) << again.err;
    std::string expected = edited;
    expected.replace(expected.find("127.0.0.1:9"), 11, "127.0.0.2:8081");
    EXPECT_EQ(process::readFile(ini), expected);
}

TEST(Boxsim, RefusesImagesItCannotRunWithAClearMessage) {
    std::string folder = process::freshFolder("boxsim/images");
    using elfwriter::tapHeader;
    struct Case {
        const char* name;
        std::string bytes;  // empty: no file at all
        const char* message;
    } cases[] = {
        {"missing", "", "cannot be opened"},
        {"text", "just some text, not a program\n", "not an ELF file"},
        {"recorder", elfwriter::build(false, 8, 3, {{"._tap_header", tapHeader()}}),
         "is a recorder image (MIPS, 32-bit)"},
        {"arm", elfwriter::build(true, 183, 3, {{"._tap_header", tapHeader()}}),
         "built for AArch64"},
        {"executable", elfwriter::build(true, 62, 2, {{"._tap_header", tapHeader()}}),
         "not a shared object"},
        {"noheader", elfwriter::build(true, 62, 3, {{".data", "x"}}), "no ._tap_header section"},
        {"shortheader", elfwriter::build(true, 62, 3, {{"._tap_header", "TFAPMIPS"}}),
         "holds 8 bytes instead of 32"},
        {"badmagic", elfwriter::build(true, 62, 3, {{"._tap_header", tapHeader("TFAPX86\x01")}}),
         "starts with \"TFAPX86\\x01\" instead of \"TFAPMIPS\""},
        {"version", elfwriter::build(true, 62, 3, {{"._tap_header", tapHeader("TFAPMIPS", 17)}}),
         "gives version 17 instead of 16"},
        {"truncated", elfwriter::build(true, 62, 3, {{"._tap_header", tapHeader()}}).substr(0, 90),
         "outside the file"},
        {"unloadable", elfwriter::build(true, 62, 3, {{"._tap_header", tapHeader()}}),
         "cannot load"},
    };
    for (const Case& c : cases) {
        std::string image = folder + "/" + c.name + ".so";
        if (!c.bytes.empty()) process::writeFile(image, c.bytes);
        Result result = process::run(boxsimCommand(folder, image, {"--script", "stop"}));
        EXPECT_EQ(result.exitCode, 1) << c.name << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos)
            << c.name << ": expected \"" << c.message << "\" in:\n" << result.err;
        EXPECT_EQ(result.err.find("fixture:"), std::string::npos);
    }
    // The host firmware itself is a shared object, but no plug-in.
    Result library = process::run(boxsimCommand(folder, STECKWART_LIBTAP, {}));
    EXPECT_EQ(library.exitCode, 1);
    EXPECT_NE(library.err.find("no ._tap_header section"), std::string::npos) << library.err;
}

TEST(Boxsim, ReportsABoxFolderWhoseParentIsMissing) {
    std::string folder = process::freshFolder("boxsim/nobox");
    Result result = process::run({kBoxsim, "--box", folder + "/no/such/box", kFixture});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("the folder " + folder + "/no/such does not exist"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("fixture:"), std::string::npos);
}

TEST(Boxsim, RejectsAKeyScriptItCannotUnderstand) {
    BoxsimRun run = runBoxsim("badscript", {"--script", "down;\nwait 3 s; ok"});
    EXPECT_EQ(run.result.exitCode, 2);
    EXPECT_NE(run.result.err.find("line 2: cannot understand 'wait 3 s'"), std::string::npos)
        << run.result.err;
    EXPECT_EQ(run.result.err.find("fixture:"), std::string::npos);
}

TEST(Boxsim, GivesUpOnAPlugInThatDoesNotEndAfterTheStopEvent) {
    // Key 9 makes the fixture ignore the stop event.
    BoxsimRun run = runBoxsim("stubborn", {"--script", "9; stop", "--stop-timeout", "500ms"});
    EXPECT_EQ(run.result.exitCode, 124);
    EXPECT_NE(run.result.err.find("did not end within 500 ms after the stop event"),
              std::string::npos)
        << run.result.err;
    EXPECT_NE(run.result.err.find("fixture: stop"), std::string::npos);
}

TEST(Boxsim, SendsTheStopEventOnSigterm) {
    std::string folder = process::freshFolder("boxsim/sigterm");
    process::Running boxsim(boxsimCommand(folder, kFixture, {"--front-end", "scripted"}));
    ASSERT_TRUE(process::eventually(30, [&] {
        return boxsim.errSoFar().find("fixture: main") != std::string::npos;
    })) << boxsim.errSoFar();
    boxsim.signal(SIGTERM);
    Result result = boxsim.wait(30);
    EXPECT_EQ(result.exitCode, 7) << result.err;
    expectInOrder(result.err, {"fixture: main", "fixture: stop", "fixture: end"});
}

TEST(Boxsim, ReportsMissingNamespacesAndNeverRunsThePlugInOutside) {
    std::string folder = process::freshFolder("boxsim/nonamespaces");
    std::vector<std::string> command = boxsimCommand(folder, kFixture, {"--script", "stop"});
    command.insert(command.begin(), STECKWART_NONAMESPACES);
    Result result = process::run(command);
    EXPECT_EQ(result.exitCode, 125);
    EXPECT_NE(result.err.find("cannot create private namespaces"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("fixture:"), std::string::npos);
}

}  // namespace
