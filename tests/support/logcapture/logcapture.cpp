// A recording LogEntrySupLibPrintf for tests (see logcapture.h).
#include "logcapture.h"

#include <cstdarg>
#include <cstdio>

namespace logcapture {
namespace {

std::vector<Entry>& store() {
    static std::vector<Entry> entries;
    return entries;
}

}  // namespace

const std::vector<Entry>& Entries() { return store(); }

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const Entry& entry : store()) texts.push_back(entry.text);
    return texts;
}

void Clear() { store().clear(); }

}  // namespace logcapture

extern "C" void LogEntrySupLibPrintf(int level, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    va_end(arguments);
    logcapture::store().push_back({level, text});
}
