// Fuzz target: the INI reader on arbitrary settings files — the plug-in's
// own reading of "Steckwart.ini" (ReadSettings), then INIGetString and
// INIGetInt with arbitrary keys, capacities and ranges.
//
// Checks: every text setting is terminated within its 64 bytes; every
// integer setting lies in its range; a string look-up writes nothing past
// its capacity (guard bytes) and terminates what it writes; an integer
// look-up with minimum <= maximum gives a value in that range or the
// default; the working directory is the same afterwards; the reader holds
// no memory once closed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzzing.h"
#include "settings.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"

namespace {

const char kFolder[] = "/ProgramFiles/Settings/Steckwart";

bool isTerminated(const char* text, size_t capacity) { return std::memchr(text, 0, capacity); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::RequireSandbox("ini_fuzz");
    fuzzing::MakeFolders(SETTINGS_FOLDER);
    if (!TAP_Hdd_ChangeDir(kFolder)) fuzzing::Fail("cannot change to %s", kFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string key = input.ConsumeRandomLengthString(100);
    const uint32_t length = input.ConsumeIntegralInRange<uint32_t>(0, 200);
    const int32_t fallback = input.ConsumeIntegral<int32_t>();
    const int32_t minimum = input.ConsumeIntegral<int32_t>();
    const int32_t maximum = input.ConsumeIntegral<int32_t>();
    const std::string file = input.ConsumeRemainingBytesAsString();
    fuzzing::WriteFile(std::string(SETTINGS_FOLDER) + "/Steckwart.ini", file.data(), file.size());
    const uint32_t blocks = fuzzing::MemoryBlocks();

    ReadSettings();
    FUZZ_CHECK(isTerminated(_ip, sizeof _ip) && isTerminated(_routeruser, sizeof _routeruser) &&
                   isTerminated(_routerpwd, sizeof _routerpwd),
               "a text setting is not terminated");
    for (int32_t flag : {_showsid, _savexml, _color, _HanFun, _Repeater, _firstdevice})
        FUZZ_CHECK(flag == 0 || flag == 1, "a flag setting is %d", flag);
    FUZZ_CHECK(_x >= 0 && _x <= 500 && _y >= 0 && _y <= 500, "x %d or y %d out of range", _x, _y);
    FUZZ_CHECK(std::strcmp(tapsim_WorkingDirectory(), kFolder) == 0,
               "the working directory moved to %s", tapsim_WorkingDirectory());
    FUZZ_CHECK(fuzzing::MemoryBlocks() == blocks, "the closed reader holds memory");

    INIOpenFile("Steckwart.ini", "Steckwart");
    const size_t guard = 16;
    std::vector<char> text(length + guard, '\x5A');
    const int written = INIGetString(key.c_str(), text.data(), "default", length);
    for (size_t i = length; i < text.size(); i++)
        FUZZ_CHECK(text[i] == '\x5A', "INIGetString wrote past its capacity %u", length);
    if (written) FUZZ_CHECK(isTerminated(text.data(), length), "INIGetString left no terminator");
    const int32_t value = INIGetInt(key.c_str(), fallback, minimum, maximum);
    if (minimum <= maximum)
        FUZZ_CHECK(value == fallback || (value >= minimum && value <= maximum),
                   "INIGetInt gave %d outside %d..%d (default %d)", value, minimum, maximum,
                   fallback);
    INICloseFile();
    FUZZ_CHECK(fuzzing::MemoryBlocks() == blocks, "the closed reader holds memory");
    FUZZ_CHECK(std::strcmp(tapsim_WorkingDirectory(), kFolder) == 0,
               "the working directory moved to %s", tapsim_WorkingDirectory());
    return 0;
}
