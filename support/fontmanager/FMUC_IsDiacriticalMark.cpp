// FMUC_IsDiacriticalMark: whether a character is drawn as a mark centred
// over the glyph before it, without a width of its own.
//
// Marks: the combining diacritical marks U+0300 … U+036F, the Thai vowel and
// tone marks U+0E34 … U+0E3A and U+0E47 … U+0E4E, and U+00A8, U+00B4,
// U+00B8 (spacing diaeresis, acute, cedilla), U+0384, U+0385 (Greek tonos
// signs) and U+0E31 (Thai MAI HAN-AKAT).
//
// Contract: 1 for a mark, else 0.
#include "support.h"

extern "C" int FMUC_IsDiacriticalMark(uint32_t codePoint) {
    if (codePoint < 0xA8) return 0;  // the common case: ASCII
    return (codePoint >= 0x0300 && codePoint <= 0x036F) ||
           (codePoint >= 0x0E34 && codePoint <= 0x0E3A) ||
           (codePoint >= 0x0E47 && codePoint <= 0x0E4E) || codePoint == 0x00A8 ||
           codePoint == 0x00B4 || codePoint == 0x00B8 || codePoint == 0x0384 ||
           codePoint == 0x0385 || codePoint == 0x0E31;
}
