// Fuzz target: the text functions on arbitrary texts — encoding detection
// and conversion (GetStringEncoding, StrToUTF8) and the editing and
// filtering functions (strlenUC, GetUCPos, InsertAt, DeleteAt,
// StringEndsWith, ValidFileName, MakeValidFileName, LowerCase).
//
// Every buffer is exactly as large as the function's contract asks, so
// that AddressSanitizer sees any write or read past it.  Checks: flags are
// 0 or 1; StrToUTF8 stays within three bytes per source byte; character
// positions lie inside the text; editing gives the lengths it must;
// filtering never lengthens a text and stays within its capacity.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzzing.h"
#include "support.h"

namespace {

// A zero-terminated copy of text in a block of exactly `capacity` bytes.
std::vector<char> Copy(const std::string& text, size_t capacity) {
    std::vector<char> block(capacity, 0);
    std::memcpy(block.data(), text.c_str(), std::strlen(text.c_str()) + 1);
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t table = input.ConsumeIntegral<uint8_t>();
    const uint8_t flags = input.ConsumeIntegral<uint8_t>();
    const int index = input.ConsumeIntegralInRange<int>(-3, 300);
    const int count = input.ConsumeIntegralInRange<int>(-3, 300);
    const uint32_t capacity = input.ConsumeIntegralInRange<uint32_t>(0, 600);
    const std::string insert = input.ConsumeRandomLengthString(40);
    const std::string ending = input.ConsumeRandomLengthString(20);
    const std::string raw = input.ConsumeRemainingBytesAsString();
    const std::string text = raw.c_str();  // up to the first zero byte
    const size_t length = text.size();

    int needsConversion = -1, isUTF8 = -1;
    GetStringEncoding(text.c_str(), &needsConversion, &isUTF8);
    FUZZ_CHECK((needsConversion == 0 || needsConversion == 1) && (isUTF8 == 0 || isUTF8 == 1),
               "GetStringEncoding gave flags %d %d", needsConversion, isUTF8);

    // Three bytes per source byte and the terminator.
    std::vector<char> converted(3 * length + 1, '\x7F');
    const int result = StrToUTF8(text.c_str(), converted.data(), table);
    FUZZ_CHECK(result == 0 || result == 1, "StrToUTF8 gave %d", result);
    FUZZ_CHECK(std::memchr(converted.data(), 0, converted.size()), "StrToUTF8 left no terminator");

    const int characters = strlenUC(text.c_str());
    FUZZ_CHECK(characters >= 0 && static_cast<size_t>(characters) <= length,
               "strlenUC gave %d for %zu bytes", characters, length);
    const char* position = GetUCPos(text.c_str(), index);
    FUZZ_CHECK(position >= text.c_str() && position <= text.c_str() + length,
               "GetUCPos left the text");

    // InsertAt: the caller provides exactly the room of the insert.
    std::vector<char> inserted = Copy(text, length + std::strlen(insert.c_str()) + 1);
    InsertAt(inserted.data(), index, insert.c_str());
    FUZZ_CHECK(std::strlen(inserted.data()) == length + std::strlen(insert.c_str()),
               "InsertAt gave the wrong length");

    std::vector<char> deleted = Copy(text, length + 1);
    DeleteAt(deleted.data(), index, count);
    FUZZ_CHECK(std::strlen(deleted.data()) <= length, "DeleteAt lengthened the text");

    const int ends = StringEndsWith(text.c_str(), ending.c_str());
    FUZZ_CHECK(ends == 0 || ends == 1, "StringEndsWith gave %d", ends);

    std::vector<char> valid(capacity ? capacity : 1, '\x7F');
    char* output = ValidFileName(text.c_str(), flags, capacity ? valid.data() : nullptr, capacity);
    if (capacity) {
        FUZZ_CHECK(output == valid.data(), "ValidFileName returned another buffer");
        FUZZ_CHECK(std::memchr(valid.data(), 0, capacity), "ValidFileName left no terminator");
        FUZZ_CHECK(std::strlen(valid.data()) <= 126 && std::strlen(valid.data()) <= length,
                   "ValidFileName lengthened the text");
    }

    std::vector<char> filtered = Copy(text, length + 1);
    MakeValidFileName(filtered.data(), flags);
    FUZZ_CHECK(std::strlen(filtered.data()) <= length, "MakeValidFileName lengthened the text");

    std::vector<char> lowered = Copy(text, length + 1);
    LowerCase(lowered.data());
    FUZZ_CHECK(std::strlen(lowered.data()) == length, "LowerCase changed the length");
    return 0;
}
