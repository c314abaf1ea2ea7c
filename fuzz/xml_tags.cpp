// Fuzz target: getXMLTagText and getXMLTagVal on arbitrary answers, element
// names and destination capacities; decodeXMLText on the same answer and
// capacity.
//
// Checks: the search text is unchanged after every call; a found element's
// copy is terminated within the capacity; the result points at the closing
// tag inside the text; a missing element leaves an empty destination.  The
// decoded text is terminated within the capacity, never longer than the
// raw text, and the raw text itself when it holds no "&".
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "devices.h"
#include "fuzzing.h"
#include "parsing.h"

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

    if (capacity > 0) {
        // Exactly the capacity, so that a write past it is caught.
        std::vector<char> field(capacity, '\x7F');
        const int whole = decodeXMLText(rest.data(), rest.size(), field.data(), capacity);
        const char* end = static_cast<const char*>(std::memchr(field.data(), 0, capacity));
        FUZZ_CHECK(end, "the decoded text is not terminated within its capacity");
        const size_t length = static_cast<size_t>(end - field.data());
        FUZZ_CHECK(length <= rest.size(), "the decoded text is longer than the raw one");
        if (rest.find('&') == std::string::npos && rest.find('\0') == std::string::npos) {
            FUZZ_CHECK(rest.compare(0, length, field.data(), length) == 0,
                       "a text without references changed");
            FUZZ_CHECK(whole == (length == rest.size()), "the result does not say whether it fit");
        }
    }
    return 0;
}
