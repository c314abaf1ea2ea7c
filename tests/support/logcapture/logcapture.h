// The support library's warnings, made observable for tests.
//
// The library sends every warning to LogEntrySupLibPrintf, which discards
// it.  A test that links this recorder (an object library, so it is always
// linked in) gets its definition of LogEntrySupLibPrintf instead of the
// library's: the linker takes the library's member only for symbols still
// undefined, so production code and the library stay exactly as they are.
#ifndef STECKWART_TESTS_LOGCAPTURE_H
#define STECKWART_TESTS_LOGCAPTURE_H

#include <string>
#include <vector>

namespace logcapture {

struct Entry {
    int level;
    std::string text;  // the format filled with its values
};

// Every warning since the last Clear(), in order.
const std::vector<Entry>& Entries();
// Only the texts.
std::vector<std::string> Texts();
void Clear();

}  // namespace logcapture

#endif
