// LowerCase: lower-cases a text in place, character by character.
//
// A UTF-8 capital of À … Þ (UTF8Upper) becomes its small letter; other
// multi-byte sequences stay.  A single byte that is an ISO-8859-1 capital
// À … Ý (AnsiUpper) becomes its small letter; any other byte goes through the
// C library's lower-case table (A … Z).  So Þ is lowered in UTF-8 but not as
// the single byte 0xDE.
//
// Contract: the length never changes; nothing for a null text.
#include <ctype.h>
#include <string.h>

#include "support.h"

extern "C" void LowerCase(char* text) {
    if (!text) return;
    char* position = text;
    while (*position) {
        uint8_t length = 1;
        if (isUTF8Char(position, &length)) {
            if (length == 2) {
                // The case tables hold 2-byte letters at even offsets.
                for (size_t offset = 0; UTF8Upper[offset]; offset += 2) {
                    if (UTF8Upper[offset] == position[0] && UTF8Upper[offset + 1] == position[1]) {
                        position[0] = UTF8Lower[offset];
                        position[1] = UTF8Lower[offset + 1];
                        break;
                    }
                }
            }
            position += length;
            continue;
        }
        const char* capital = strchr(AnsiUpper, *position);
        if (capital)
            *position = AnsiLower[capital - AnsiUpper];
        else
            *position = (char)tolower((unsigned char)*position);
        ++position;
    }
}
