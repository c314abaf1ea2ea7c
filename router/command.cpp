// Building the router link's shell commands and URLs: appends into fixed
// buffers that refuse what does not fit, shell quoting, percent-encoding of
// query values, the router address check.  Contracts in command.h.
#include <string.h>

#include "command.h"

enum { LongestAddress = 63 };

static void addByte(CommandText* command, char c) {
    if (command->length + 1 >= command->capacity) {
        command->overflow = 1;
        return;
    }
    command->text[command->length++] = c;
    command->text[command->length] = 0;
}

extern "C" void CommandStart(CommandText* command, char* buffer, uint32_t capacity) {
    command->text = buffer;
    command->capacity = capacity;
    command->length = 0;
    command->overflow = capacity == 0;
    if (capacity > 0) buffer[0] = 0;
}

extern "C" void CommandAdd(CommandText* command, const char* text) {
    for (; *text && !command->overflow; text++) addByte(command, *text);
}

static int isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~';
}

extern "C" void CommandAddQueryValue(CommandText* command, const char* text) {
    static const char hex[] = "0123456789ABCDEF";
    for (; *text && !command->overflow; text++) {
        unsigned char c = (unsigned char)*text;
        if (isUnreserved(c)) {
            addByte(command, (char)c);
        } else {
            // All three or none: a cut escape would change the value.
            if (command->length + 4 > command->capacity) {
                command->overflow = 1;
                return;
            }
            addByte(command, '%');
            addByte(command, hex[c >> 4]);
            addByte(command, hex[c & 15]);
        }
    }
}

extern "C" void CommandAddQuoted(CommandText* command, const char* text) {
    addByte(command, '\'');
    for (; *text && !command->overflow; text++) {
        if (*text == '\'')
            CommandAdd(command, "'\\''");
        else
            addByte(command, *text);
    }
    addByte(command, '\'');
}

extern "C" int isCommandComplete(const CommandText* command) { return !command->overflow; }

extern "C" int isRouterAddress(const char* address) {
    if (!address || !address[0]) return 0;
    size_t length = 0;
    for (const char* at = address; *at; at++, length++) {
        char c = *at;
        int allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
        if (!allowed || length >= LongestAddress) return 0;
    }
    return 1;
}

extern "C" int RouterUrlStart(CommandText* url, char* buffer, uint32_t capacity,
                              const char* address, const char* path) {
    CommandStart(url, buffer, capacity);
    if (!isRouterAddress(address)) return 0;
    CommandAdd(url, "http://");
    CommandAdd(url, address);
    CommandAdd(url, path);
    return 1;
}
