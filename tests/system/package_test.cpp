// The package as a recorder owner gets it: both archives hold the
// recorder's disk from ProgramFiles/ down; unpacked into an empty box folder,
// with the settings' three lines filled in, it runs in the box flavour's
// boxsim (the packed image and the packed wget, under qemu-mipsel) against
// the router simulator, and the list appears as in the screenshots.
//
// Run by the box flavour's CTest after cpack (STECKWART_PACKAGE: the
// archives' path without .zip or .tar.gz), in the sandbox like every test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "golden.h"
#include "harness.h"
#include "systemrun.h"
#include "testbox.h"

namespace {

using routersimtest::Finished;
using routersimtest::RouterSim;

const char* const kPackedFiles[] = {
    "ProgramFiles/Steckwart.so",
    "ProgramFiles/Steckwart-Installation.txt",
    "ProgramFiles/wget",
    "ProgramFiles/wget-licence/COPYING",
    "ProgramFiles/wget-licence/COPYING.LIB",
    "ProgramFiles/wget-licence/SOURCE.txt",
    "ProgramFiles/Settings/Fonts/Calibri_10.ufnt",
    "ProgramFiles/Settings/Fonts/Calibri_12.ufnt",
    "ProgramFiles/Settings/Fonts/Calibri_16.ufnt",
    "ProgramFiles/Settings/Fonts/Calibri_18.ufnt",
    "ProgramFiles/Settings/Fonts/Fonts-licence.txt",
    "ProgramFiles/Settings/Steckwart/Steckwart.ini",
};

std::string Package() {
    const char* package = std::getenv("STECKWART_PACKAGE");
    return package ? package : "";
}

// The files in an archive (folders left out), sorted.
std::vector<std::string> ListArchive(const std::string& archive) {
    Finished listing = routersimtest::run({STECKWART_CMAKE, "-E", "tar", "tf", archive});
    EXPECT_EQ(listing.status, 0) << listing.err;
    std::vector<std::string> files;
    std::istringstream lines(listing.out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.back() != '/') files.push_back(line);
    std::sort(files.begin(), files.end());
    return files;
}

// Sets the value of the line "key=…" as a user would in a text editor.
void SetLine(std::string* settings, const std::string& key, const std::string& value) {
    size_t line = settings->find("\n" + key + "=");
    ASSERT_NE(line, std::string::npos) << "no line for " << key;
    size_t start = line + key.size() + 2;
    settings->replace(start, settings->find('\n', start) - start, value);
}

TEST(Package, BothArchivesHoldTheRecordersDiskFromProgramFilesDown) {
    ASSERT_FALSE(Package().empty()) << "STECKWART_PACKAGE names no package";
    std::vector<std::string> expected(std::begin(kPackedFiles), std::end(kPackedFiles));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListArchive(Package() + ".zip"), expected);
    EXPECT_EQ(ListArchive(Package() + ".tar.gz"), expected);
}

TEST(Package, UnpackedOntoAnEmptyDiskItShowsTheList) {
    ASSERT_FALSE(Package().empty()) << "STECKWART_PACKAGE names no package";
    testbox::Clear();
    RouterSim router({"--devices", testbox::SourcePath("tests/system/devices.xml")});
    std::string box = testbox::kDisk + "/box";
    testbox::MakeFolders(box);
    Finished unpack = routersimtest::run({STECKWART_CMAKE, "-E", "chdir", box, STECKWART_CMAKE,
                                          "-E", "tar", "xf", Package() + ".zip"});
    ASSERT_EQ(unpack.status, 0) << unpack.err;

    // The three lines every owner fills in, and the screen settings of the
    // golden list.
    std::string ini = box + "/ProgramFiles/Settings/Steckwart/Steckwart.ini";
    std::string settings = testbox::ReadFile(ini);
    SetLine(&settings, "ip", "127.0.0.1:" + std::to_string(router.port()));
    SetLine(&settings, "user", routersimtest::kUser);
    SetLine(&settings, "pwd", routersimtest::kPassword);
    for (const auto& [key, value] : {std::pair{"x", "40"}, {"y", "20"}, {"hanfun", "1"},
                                     {"repeater", "1"}})
        SetLine(&settings, key, value);
    testbox::WriteFile(ini, settings);

    std::string snapshots = systemrun::FreshOutput("package-snapshots");
    std::vector<std::string> command = systemrun::Boxsim();
    command.insert(command.end(),
                   {"--box", box, "--clock", "2026-12-07T17:00:00", "--timezone", "Europe/Berlin",
                    "--snapshots", snapshots, "--script", "wait 3s; snap list.png; exit; wait end",
                    box + "/ProgramFiles/Steckwart.so"});
    Finished run = routersimtest::run(command, 120000);
    ASSERT_EQ(run.status, 0) << run.out << run.err;

    golden::Image image;
    ASSERT_TRUE(systemrun::ReadSnapshot(snapshots + "/list.png", &image));
    golden::ExpectMatches("system/list", image);
    // The list came through the packed wget, a MIPS program.
    std::string wget = testbox::ReadFile(box + "/ProgramFiles/wget");
    ASSERT_GE(wget.size(), 20u);
    EXPECT_EQ(wget.substr(0, 4), "\x7f" "ELF");
    EXPECT_EQ(wget[18], 8) << "e_machine: MIPS";
}

}  // namespace
