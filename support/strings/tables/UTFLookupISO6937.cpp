// generated — do not edit — regenerate with python3 support/strings/tables/generate_tables.py
// source: the C library's character map ISO_6937 (/usr/share/i18n/charmaps)

// The broadcast character table 00: ISO 6937 as the map has it, but with
// the euro sign at 0xA4 (none in the map), the horizontal bar at 0xD0 (the
// em dash) and the capital D with stroke at 0xE2 (the capital eth), and
// 0xF3 as U+03B4.  Its non-spacing diacritics map to the combining
// characters; the pair texts spell the accented Latin-1 letters.
#include "support.h"

extern "C" {

const uint16_t UTFLookupISO6937[96] = {
    0x00A0,  // A0 no-break space
    0x00A1,  // A1 inverted exclamation mark
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x20AC,  // A4 euro sign
    0x00A5,  // A5 yen sign
    0x0000,  // A6 undefined
    0x00A7,  // A7 section sign
    0x00A4,  // A8 currency sign
    0x2018,  // A9 left single quotation mark
    0x201C,  // AA left double quotation mark
    0x00AB,  // AB left-pointing double angle quotation mark
    0x2190,  // AC leftwards arrow
    0x2191,  // AD upwards arrow
    0x2192,  // AE rightwards arrow
    0x2193,  // AF downwards arrow
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x00D7,  // B4 multiplication sign
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x00F7,  // B8 division sign
    0x2019,  // B9 right single quotation mark
    0x201D,  // BA right double quotation mark
    0x00BB,  // BB right-pointing double angle quotation mark
    0x00BC,  // BC vulgar fraction one quarter
    0x00BD,  // BD vulgar fraction one half
    0x00BE,  // BE vulgar fraction three quarters
    0x00BF,  // BF inverted question mark
    0x0000,  // C0 undefined
    0x0300,  // C1 combining grave accent
    0x0301,  // C2 combining acute accent
    0x0302,  // C3 combining circumflex accent
    0x0303,  // C4 combining tilde
    0x0304,  // C5 combining macron
    0x0306,  // C6 combining breve
    0x0307,  // C7 combining dot above
    0x0308,  // C8 combining diaeresis
    0x0000,  // C9 undefined
    0x030A,  // CA combining ring above
    0x0327,  // CB combining cedilla
    0x0000,  // CC undefined
    0x030B,  // CD combining double acute accent
    0x0328,  // CE combining ogonek
    0x030C,  // CF combining caron
    0x2015,  // D0 horizontal bar
    0x00B9,  // D1 superscript one
    0x00AE,  // D2 registered sign
    0x00A9,  // D3 copyright sign
    0x2122,  // D4 trade mark sign
    0x266A,  // D5 eighth note
    0x00AC,  // D6 not sign
    0x00A6,  // D7 broken bar
    0x0000,  // D8 undefined
    0x0000,  // D9 undefined
    0x0000,  // DA undefined
    0x0000,  // DB undefined
    0x215B,  // DC vulgar fraction one eighth
    0x215C,  // DD vulgar fraction three eighths
    0x215D,  // DE vulgar fraction five eighths
    0x215E,  // DF vulgar fraction seven eighths
    0x2126,  // E0 ohm sign
    0x00C6,  // E1 latin capital letter ae
    0x0110,  // E2 latin capital letter d with stroke
    0x00AA,  // E3 feminine ordinal indicator
    0x0126,  // E4 latin capital letter h with stroke
    0x0000,  // E5 undefined
    0x0132,  // E6 latin capital ligature ij
    0x013F,  // E7 latin capital letter l with middle dot
    0x0141,  // E8 latin capital letter l with stroke
    0x00D8,  // E9 latin capital letter o with stroke
    0x0152,  // EA latin capital ligature oe
    0x00BA,  // EB masculine ordinal indicator
    0x00DE,  // EC latin capital letter thorn
    0x0166,  // ED latin capital letter t with stroke
    0x014A,  // EE latin capital letter eng
    0x0149,  // EF latin small letter n preceded by apostrophe
    0x0138,  // F0 latin small letter kra
    0x00E6,  // F1 latin small letter ae
    0x0111,  // F2 latin small letter d with stroke
    0x03B4,  // F3 greek small letter delta
    0x0127,  // F4 latin small letter h with stroke
    0x0131,  // F5 latin small letter dotless i
    0x0133,  // F6 latin small ligature ij
    0x0140,  // F7 latin small letter l with middle dot
    0x0142,  // F8 latin small letter l with stroke
    0x00F8,  // F9 latin small letter o with stroke
    0x0153,  // FA latin small ligature oe
    0x00DF,  // FB latin small letter sharp s
    0x00FE,  // FC latin small letter thorn
    0x0167,  // FD latin small letter t with stroke
    0x014B,  // FE latin small letter eng
    0x00AD,  // FF soft hyphen
};

// 53 pairs: a diacritic byte and a base letter, each followed by a space.
const char ISO6937DiacriticPairs[] =
    "\xC1" "A" " "  // À
    "\xC1" "E" " "  // È
    "\xC1" "I" " "  // Ì
    "\xC1" "O" " "  // Ò
    "\xC1" "U" " "  // Ù
    "\xC1" "a" " "  // à
    "\xC1" "e" " "  // è
    "\xC1" "i" " "  // ì
    "\xC1" "o" " "  // ò
    "\xC1" "u" " "  // ù
    "\xC2" "A" " "  // Á
    "\xC2" "E" " "  // É
    "\xC2" "I" " "  // Í
    "\xC2" "O" " "  // Ó
    "\xC2" "U" " "  // Ú
    "\xC2" "Y" " "  // Ý
    "\xC2" "a" " "  // á
    "\xC2" "e" " "  // é
    "\xC2" "i" " "  // í
    "\xC2" "o" " "  // ó
    "\xC2" "u" " "  // ú
    "\xC2" "y" " "  // ý
    "\xC3" "A" " "  // Â
    "\xC3" "E" " "  // Ê
    "\xC3" "I" " "  // Î
    "\xC3" "O" " "  // Ô
    "\xC3" "U" " "  // Û
    "\xC3" "a" " "  // â
    "\xC3" "e" " "  // ê
    "\xC3" "i" " "  // î
    "\xC3" "o" " "  // ô
    "\xC3" "u" " "  // û
    "\xC4" "A" " "  // Ã
    "\xC4" "N" " "  // Ñ
    "\xC4" "O" " "  // Õ
    "\xC4" "a" " "  // ã
    "\xC4" "n" " "  // ñ
    "\xC4" "o" " "  // õ
    "\xC8" "A" " "  // Ä
    "\xC8" "E" " "  // Ë
    "\xC8" "I" " "  // Ï
    "\xC8" "O" " "  // Ö
    "\xC8" "U" " "  // Ü
    "\xC8" "a" " "  // ä
    "\xC8" "e" " "  // ë
    "\xC8" "i" " "  // ï
    "\xC8" "o" " "  // ö
    "\xC8" "u" " "  // ü
    "\xC8" "y" " "  // ÿ
    "\xCA" "A" " "  // Å
    "\xCA" "a" " "  // å
    "\xCB" "C" " "  // Ç
    "\xCB" "c" " "  // ç
    ;
// The letters as UTF-8, at the same offsets.
const char ISO6937DiacriticUTF8[] =
    "\xC3\x80" " "  // À
    "\xC3\x88" " "  // È
    "\xC3\x8C" " "  // Ì
    "\xC3\x92" " "  // Ò
    "\xC3\x99" " "  // Ù
    "\xC3\xA0" " "  // à
    "\xC3\xA8" " "  // è
    "\xC3\xAC" " "  // ì
    "\xC3\xB2" " "  // ò
    "\xC3\xB9" " "  // ù
    "\xC3\x81" " "  // Á
    "\xC3\x89" " "  // É
    "\xC3\x8D" " "  // Í
    "\xC3\x93" " "  // Ó
    "\xC3\x9A" " "  // Ú
    "\xC3\x9D" " "  // Ý
    "\xC3\xA1" " "  // á
    "\xC3\xA9" " "  // é
    "\xC3\xAD" " "  // í
    "\xC3\xB3" " "  // ó
    "\xC3\xBA" " "  // ú
    "\xC3\xBD" " "  // ý
    "\xC3\x82" " "  // Â
    "\xC3\x8A" " "  // Ê
    "\xC3\x8E" " "  // Î
    "\xC3\x94" " "  // Ô
    "\xC3\x9B" " "  // Û
    "\xC3\xA2" " "  // â
    "\xC3\xAA" " "  // ê
    "\xC3\xAE" " "  // î
    "\xC3\xB4" " "  // ô
    "\xC3\xBB" " "  // û
    "\xC3\x83" " "  // Ã
    "\xC3\x91" " "  // Ñ
    "\xC3\x95" " "  // Õ
    "\xC3\xA3" " "  // ã
    "\xC3\xB1" " "  // ñ
    "\xC3\xB5" " "  // õ
    "\xC3\x84" " "  // Ä
    "\xC3\x8B" " "  // Ë
    "\xC3\x8F" " "  // Ï
    "\xC3\x96" " "  // Ö
    "\xC3\x9C" " "  // Ü
    "\xC3\xA4" " "  // ä
    "\xC3\xAB" " "  // ë
    "\xC3\xAF" " "  // ï
    "\xC3\xB6" " "  // ö
    "\xC3\xBC" " "  // ü
    "\xC3\xBF" " "  // ÿ
    "\xC3\x85" " "  // Å
    "\xC3\xA5" " "  // å
    "\xC3\x87" " "  // Ç
    "\xC3\xA7" " "  // ç
    ;

}  // extern "C"
