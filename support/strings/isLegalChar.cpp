// isLegalChar: whether the byte at a position is allowed under a set of
// LEGAL_ flags.
//
//   LEGAL_NoControlChars  bytes below 0x20 but the line feed; and, unless the
//                         byte starts a well-formed UTF-8 sequence, 0x7F and
//                         the C1 bytes 0x81 … 0x9F but 0x8A, 0x91 and 0x92
//   LEGAL_NoLineFeeds     0x0A and 0x8A
//   LEGAL_NoFileNameChars " * / : < > ? \ |
//   LEGAL_PrintableASCII  everything outside 0x20 … 0x7E
//
// Contract: 1 when no set flag rejects the byte, else 0; 0 for null.
#include "support.h"

extern "C" int isLegalChar(const char* position, uint32_t flags) {
    if (!position) return 0;
    uint8_t byte = (uint8_t)*position;
    if (flags & LEGAL_NoControlChars) {
        if (byte < 0x20 && byte != 0x0A) return 0;
        if (!isUTF8Char(position, 0) &&
            (byte == 0x7F || (byte >= 0x81 && byte <= 0x89) || (byte >= 0x8B && byte <= 0x90) ||
             (byte >= 0x93 && byte <= 0x9F)))
            return 0;
    }
    if ((flags & LEGAL_NoLineFeeds) && (byte == 0x0A || byte == 0x8A)) return 0;
    if (flags & LEGAL_NoFileNameChars) {
        switch (byte) {
        case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
            return 0;
        default:
            break;
        }
    }
    if ((flags & LEGAL_PrintableASCII) && (byte < 0x20 || byte > 0x7E)) return 0;
    return 1;
}
