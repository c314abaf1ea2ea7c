// Fuzz target: path classification and conversion (GetPathType,
// ConvertPathType, HDD_Exist) and the splitting of file names
// (SeparateFileNameComponents, HDD_isRecFileName, MakeUniqueFileName) on
// arbitrary paths, in a box with a few real folders and files so that both
// the found and the not-found branches run.
//
// Checks: kinds are 0 to 4; a conversion stays within its 512 bytes and a
// folder result ends in "/"; the components stay within their capacities
// (exact-sized blocks); the working directory is unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzzing.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"

namespace {

const char kFolder[] = "/ProgramFiles/Settings";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::RequireSandbox("paths_fuzz");
    fuzzing::MakeFolders("/mnt/hd/ProgramFiles/Settings/Steckwart");
    fuzzing::MakeFolders("/mnt/hd/DataFiles");
    for (const char* file :
         {"/mnt/hd/ProgramFiles/Steckwart.ini",
          "/mnt/hd/ProgramFiles/Settings/Steckwart/Steckwart.ini", "/mnt/hd/DataFiles/film.rec",
          "/mnt/hd/DataFiles/film-2.rec", "/mnt/hd/DataFiles/film.rec.inf", "/tmp/x.ts"})
        fuzzing::WriteFile(file, "x", 1);
    if (!TAP_Hdd_ChangeDir(kFolder)) fuzzing::Fail("cannot change to %s", kFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int wanted = input.ConsumeIntegralInRange<int>(0, 5);
    const std::string raw = input.ConsumeRemainingBytesAsString();
    const std::string path = raw.c_str();

    const int kind = GetPathType(path.c_str());
    FUZZ_CHECK(kind >= PATH_Name && kind <= PATH_LibcFile, "GetPathType gave %d", kind);

    std::vector<char> converted(PATH_Capacity, '\x7F');
    ConvertPathType(path.c_str(), converted.data(), wanted);
    if (wanted <= PATH_LibcFile) {
        FUZZ_CHECK(std::memchr(converted.data(), 0, converted.size()),
                   "ConvertPathType left no terminator");
        const size_t length = std::strlen(converted.data());
        if (length && (wanted == PATH_FirmwareFolder || wanted == PATH_LibcFolder))
            FUZZ_CHECK(converted[length - 1] == '/', "a folder result lacks its final /");
    } else {
        FUZZ_CHECK(converted[0] == '\x7F', "kind %d wrote something", wanted);
    }

    const int exists = HDD_Exist(path.c_str());
    FUZZ_CHECK(exists == 0 || exists == 1, "HDD_Exist gave %d", exists);
    const int recording = HDD_isRecFileName(path.c_str());
    FUZZ_CHECK(recording == 0 || recording == 1, "HDD_isRecFileName gave %d", recording);

    std::vector<char> folder(PATH_Capacity), name(NAME_Capacity), extension(NAME_Capacity);
    uint8_t number = 0xEE;
    int isRecording = -1, isDeleted = -1;
    SeparateFileNameComponents(path.c_str(), folder.data(), name.data(), extension.data(), &number,
                               &isRecording, &isDeleted);
    if (isRecording != -1) {
        FUZZ_CHECK(number <= 9 && (isRecording == 0 || isRecording == 1) &&
                       (isDeleted == 0 || isDeleted == 1),
                   "components: number %u, recording %d, deleted %d", number, isRecording,
                   isDeleted);
        FUZZ_CHECK(std::memchr(folder.data(), 0, folder.size()) &&
                       std::memchr(name.data(), 0, name.size()) &&
                       std::memchr(extension.data(), 0, extension.size()),
                   "a component is not terminated");
    }

    if (path.size() < PATH_Capacity) {
        std::vector<char> unique(PATH_Capacity, 0);
        std::memcpy(unique.data(), path.c_str(), path.size() + 1);
        MakeUniqueFileName(unique.data());
        FUZZ_CHECK(std::memchr(unique.data(), 0, unique.size()),
                   "MakeUniqueFileName left no terminator");
    }
    FUZZ_CHECK(std::strcmp(tapsim_WorkingDirectory(), kFolder) == 0,
               "the working directory moved to %s", tapsim_WorkingDirectory());
    return 0;
}
