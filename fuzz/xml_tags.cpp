// Fuzz target: getXMLTagText and getXMLTagVal on arbitrary answers, element
// names and destination capacities.
//
// Checks: the search text is unchanged after every call; a found element's
// copy is terminated within the capacity; the result points at the closing
// tag inside the text; a missing element leaves an empty destination.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "devices.h"
#include "fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint16_t capacity = input.ConsumeIntegralInRange<uint16_t>(0, 600);
    const std::string name = input.ConsumeRandomLengthString(80);
    const std::string rest = input.ConsumeRemainingBytesAsString();

    // Exactly as long as the text, so that any read past it is caught.
    std::vector<char> text(rest.c_str(), rest.c_str() + rest.size() + 1);
    const std::vector<char> original = text;
    std::vector<char> destination(capacity ? capacity : 1, '\x7F');

    char* end =
        getXMLTagText(name.c_str(), text.data(), capacity ? destination.data() : nullptr, capacity);
    FUZZ_CHECK(text == original, "getXMLTagText changed the search text");
    const size_t nameLength = std::strlen(name.c_str());
    if (end) {
        FUZZ_CHECK(capacity > 0 && std::memchr(destination.data(), 0, capacity),
                   "the copy is not terminated within its capacity");
        FUZZ_CHECK(end >= text.data() && end < text.data() + text.size(),
                   "the closing tag lies outside the text");
        const std::string closing = "</" + std::string(name.c_str()) + ">";
        FUZZ_CHECK(std::strncmp(end, closing.c_str(), closing.size()) == 0,
                   "the result is not the closing tag");
    } else if (capacity > 0 && nameLength < 60) {
        FUZZ_CHECK(destination[0] == 0, "a missing element left the destination non-empty");
    }

    getXMLTagVal(name.c_str(), text.data());
    FUZZ_CHECK(text == original, "getXMLTagVal changed the search text");
    return 0;
}
