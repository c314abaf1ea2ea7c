// generated — do not edit — regenerate with python3 support/strings/tables/generate_tables.py
// source: the C library's character maps ISO-8859-1 … ISO-8859-16 (/usr/share/i18n/charmaps)

// Code points for the bytes 0xA0 … 0xFF of each part; 0 where the part
// leaves a byte undefined.  ISO 8859-7 without the characters added in 2003.
#include "support.h"

extern "C" {

const uint16_t UTFLookupISO8859_1[96] = {
    0x00A0,  // A0 no-break space
    0x00A1,  // A1 inverted exclamation mark
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x00A4,  // A4 currency sign
    0x00A5,  // A5 yen sign
    0x00A6,  // A6 broken bar
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x00A9,  // A9 copyright sign
    0x00AA,  // AA feminine ordinal indicator
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x00AF,  // AF macron
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x00B4,  // B4 acute accent
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x00B8,  // B8 cedilla
    0x00B9,  // B9 superscript one
    0x00BA,  // BA masculine ordinal indicator
    0x00BB,  // BB right-pointing double angle quotation mark
    0x00BC,  // BC vulgar fraction one quarter
    0x00BD,  // BD vulgar fraction one half
    0x00BE,  // BE vulgar fraction three quarters
    0x00BF,  // BF inverted question mark
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x00D0,  // D0 latin capital letter eth
    0x00D1,  // D1 latin capital letter n with tilde
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x00D8,  // D8 latin capital letter o with stroke
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x00DD,  // DD latin capital letter y with acute
    0x00DE,  // DE latin capital letter thorn
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x00F0,  // F0 latin small letter eth
    0x00F1,  // F1 latin small letter n with tilde
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x00F8,  // F8 latin small letter o with stroke
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x00FD,  // FD latin small letter y with acute
    0x00FE,  // FE latin small letter thorn
    0x00FF,  // FF latin small letter y with diaeresis
};

const uint16_t UTFLookupISO8859_2[96] = {
    0x00A0,  // A0 no-break space
    0x0104,  // A1 latin capital letter a with ogonek
    0x02D8,  // A2 breve
    0x0141,  // A3 latin capital letter l with stroke
    0x00A4,  // A4 currency sign
    0x013D,  // A5 latin capital letter l with caron
    0x015A,  // A6 latin capital letter s with acute
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x0160,  // A9 latin capital letter s with caron
    0x015E,  // AA latin capital letter s with cedilla
    0x0164,  // AB latin capital letter t with caron
    0x0179,  // AC latin capital letter z with acute
    0x00AD,  // AD soft hyphen
    0x017D,  // AE latin capital letter z with caron
    0x017B,  // AF latin capital letter z with dot above
    0x00B0,  // B0 degree sign
    0x0105,  // B1 latin small letter a with ogonek
    0x02DB,  // B2 ogonek
    0x0142,  // B3 latin small letter l with stroke
    0x00B4,  // B4 acute accent
    0x013E,  // B5 latin small letter l with caron
    0x015B,  // B6 latin small letter s with acute
    0x02C7,  // B7 caron
    0x00B8,  // B8 cedilla
    0x0161,  // B9 latin small letter s with caron
    0x015F,  // BA latin small letter s with cedilla
    0x0165,  // BB latin small letter t with caron
    0x017A,  // BC latin small letter z with acute
    0x02DD,  // BD double acute accent
    0x017E,  // BE latin small letter z with caron
    0x017C,  // BF latin small letter z with dot above
    0x0154,  // C0 latin capital letter r with acute
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x0102,  // C3 latin capital letter a with breve
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x0139,  // C5 latin capital letter l with acute
    0x0106,  // C6 latin capital letter c with acute
    0x00C7,  // C7 latin capital letter c with cedilla
    0x010C,  // C8 latin capital letter c with caron
    0x00C9,  // C9 latin capital letter e with acute
    0x0118,  // CA latin capital letter e with ogonek
    0x00CB,  // CB latin capital letter e with diaeresis
    0x011A,  // CC latin capital letter e with caron
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x010E,  // CF latin capital letter d with caron
    0x0110,  // D0 latin capital letter d with stroke
    0x0143,  // D1 latin capital letter n with acute
    0x0147,  // D2 latin capital letter n with caron
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x0150,  // D5 latin capital letter o with double acute
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x0158,  // D8 latin capital letter r with caron
    0x016E,  // D9 latin capital letter u with ring above
    0x00DA,  // DA latin capital letter u with acute
    0x0170,  // DB latin capital letter u with double acute
    0x00DC,  // DC latin capital letter u with diaeresis
    0x00DD,  // DD latin capital letter y with acute
    0x0162,  // DE latin capital letter t with cedilla
    0x00DF,  // DF latin small letter sharp s
    0x0155,  // E0 latin small letter r with acute
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x0103,  // E3 latin small letter a with breve
    0x00E4,  // E4 latin small letter a with diaeresis
    0x013A,  // E5 latin small letter l with acute
    0x0107,  // E6 latin small letter c with acute
    0x00E7,  // E7 latin small letter c with cedilla
    0x010D,  // E8 latin small letter c with caron
    0x00E9,  // E9 latin small letter e with acute
    0x0119,  // EA latin small letter e with ogonek
    0x00EB,  // EB latin small letter e with diaeresis
    0x011B,  // EC latin small letter e with caron
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x010F,  // EF latin small letter d with caron
    0x0111,  // F0 latin small letter d with stroke
    0x0144,  // F1 latin small letter n with acute
    0x0148,  // F2 latin small letter n with caron
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x0151,  // F5 latin small letter o with double acute
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x0159,  // F8 latin small letter r with caron
    0x016F,  // F9 latin small letter u with ring above
    0x00FA,  // FA latin small letter u with acute
    0x0171,  // FB latin small letter u with double acute
    0x00FC,  // FC latin small letter u with diaeresis
    0x00FD,  // FD latin small letter y with acute
    0x0163,  // FE latin small letter t with cedilla
    0x02D9,  // FF dot above
};

const uint16_t UTFLookupISO8859_3[96] = {
    0x00A0,  // A0 no-break space
    0x0126,  // A1 latin capital letter h with stroke
    0x02D8,  // A2 breve
    0x00A3,  // A3 pound sign
    0x00A4,  // A4 currency sign
    0x0000,  // A5 undefined
    0x0124,  // A6 latin capital letter h with circumflex
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x0130,  // A9 latin capital letter i with dot above
    0x015E,  // AA latin capital letter s with cedilla
    0x011E,  // AB latin capital letter g with breve
    0x0134,  // AC latin capital letter j with circumflex
    0x00AD,  // AD soft hyphen
    0x0000,  // AE undefined
    0x017B,  // AF latin capital letter z with dot above
    0x00B0,  // B0 degree sign
    0x0127,  // B1 latin small letter h with stroke
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x00B4,  // B4 acute accent
    0x00B5,  // B5 micro sign
    0x0125,  // B6 latin small letter h with circumflex
    0x00B7,  // B7 middle dot
    0x00B8,  // B8 cedilla
    0x0131,  // B9 latin small letter dotless i
    0x015F,  // BA latin small letter s with cedilla
    0x011F,  // BB latin small letter g with breve
    0x0135,  // BC latin small letter j with circumflex
    0x00BD,  // BD vulgar fraction one half
    0x0000,  // BE undefined
    0x017C,  // BF latin small letter z with dot above
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x0000,  // C3 undefined
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x010A,  // C5 latin capital letter c with dot above
    0x0108,  // C6 latin capital letter c with circumflex
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x0000,  // D0 undefined
    0x00D1,  // D1 latin capital letter n with tilde
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x0120,  // D5 latin capital letter g with dot above
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x011C,  // D8 latin capital letter g with circumflex
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x016C,  // DD latin capital letter u with breve
    0x015C,  // DE latin capital letter s with circumflex
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x0000,  // E3 undefined
    0x00E4,  // E4 latin small letter a with diaeresis
    0x010B,  // E5 latin small letter c with dot above
    0x0109,  // E6 latin small letter c with circumflex
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x0000,  // F0 undefined
    0x00F1,  // F1 latin small letter n with tilde
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x0121,  // F5 latin small letter g with dot above
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x011D,  // F8 latin small letter g with circumflex
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x016D,  // FD latin small letter u with breve
    0x015D,  // FE latin small letter s with circumflex
    0x02D9,  // FF dot above
};

const uint16_t UTFLookupISO8859_4[96] = {
    0x00A0,  // A0 no-break space
    0x0104,  // A1 latin capital letter a with ogonek
    0x0138,  // A2 latin small letter kra
    0x0156,  // A3 latin capital letter r with cedilla
    0x00A4,  // A4 currency sign
    0x0128,  // A5 latin capital letter i with tilde
    0x013B,  // A6 latin capital letter l with cedilla
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x0160,  // A9 latin capital letter s with caron
    0x0112,  // AA latin capital letter e with macron
    0x0122,  // AB latin capital letter g with cedilla
    0x0166,  // AC latin capital letter t with stroke
    0x00AD,  // AD soft hyphen
    0x017D,  // AE latin capital letter z with caron
    0x00AF,  // AF macron
    0x00B0,  // B0 degree sign
    0x0105,  // B1 latin small letter a with ogonek
    0x02DB,  // B2 ogonek
    0x0157,  // B3 latin small letter r with cedilla
    0x00B4,  // B4 acute accent
    0x0129,  // B5 latin small letter i with tilde
    0x013C,  // B6 latin small letter l with cedilla
    0x02C7,  // B7 caron
    0x00B8,  // B8 cedilla
    0x0161,  // B9 latin small letter s with caron
    0x0113,  // BA latin small letter e with macron
    0x0123,  // BB latin small letter g with cedilla
    0x0167,  // BC latin small letter t with stroke
    0x014A,  // BD latin capital letter eng
    0x017E,  // BE latin small letter z with caron
    0x014B,  // BF latin small letter eng
    0x0100,  // C0 latin capital letter a with macron
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x012E,  // C7 latin capital letter i with ogonek
    0x010C,  // C8 latin capital letter c with caron
    0x00C9,  // C9 latin capital letter e with acute
    0x0118,  // CA latin capital letter e with ogonek
    0x00CB,  // CB latin capital letter e with diaeresis
    0x0116,  // CC latin capital letter e with dot above
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x012A,  // CF latin capital letter i with macron
    0x0110,  // D0 latin capital letter d with stroke
    0x0145,  // D1 latin capital letter n with cedilla
    0x014C,  // D2 latin capital letter o with macron
    0x0136,  // D3 latin capital letter k with cedilla
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x00D8,  // D8 latin capital letter o with stroke
    0x0172,  // D9 latin capital letter u with ogonek
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x0168,  // DD latin capital letter u with tilde
    0x016A,  // DE latin capital letter u with macron
    0x00DF,  // DF latin small letter sharp s
    0x0101,  // E0 latin small letter a with macron
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x012F,  // E7 latin small letter i with ogonek
    0x010D,  // E8 latin small letter c with caron
    0x00E9,  // E9 latin small letter e with acute
    0x0119,  // EA latin small letter e with ogonek
    0x00EB,  // EB latin small letter e with diaeresis
    0x0117,  // EC latin small letter e with dot above
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x012B,  // EF latin small letter i with macron
    0x0111,  // F0 latin small letter d with stroke
    0x0146,  // F1 latin small letter n with cedilla
    0x014D,  // F2 latin small letter o with macron
    0x0137,  // F3 latin small letter k with cedilla
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x00F8,  // F8 latin small letter o with stroke
    0x0173,  // F9 latin small letter u with ogonek
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x0169,  // FD latin small letter u with tilde
    0x016B,  // FE latin small letter u with macron
    0x02D9,  // FF dot above
};

const uint16_t UTFLookupISO8859_5[96] = {
    0x00A0,  // A0 no-break space
    0x0401,  // A1 cyrillic capital letter io
    0x0402,  // A2 cyrillic capital letter dje
    0x0403,  // A3 cyrillic capital letter gje
    0x0404,  // A4 cyrillic capital letter ukrainian ie
    0x0405,  // A5 cyrillic capital letter dze
    0x0406,  // A6 cyrillic capital letter byelorussian-ukrainian i
    0x0407,  // A7 cyrillic capital letter yi
    0x0408,  // A8 cyrillic capital letter je
    0x0409,  // A9 cyrillic capital letter lje
    0x040A,  // AA cyrillic capital letter nje
    0x040B,  // AB cyrillic capital letter tshe
    0x040C,  // AC cyrillic capital letter kje
    0x00AD,  // AD soft hyphen
    0x040E,  // AE cyrillic capital letter short u
    0x040F,  // AF cyrillic capital letter dzhe
    0x0410,  // B0 cyrillic capital letter a
    0x0411,  // B1 cyrillic capital letter be
    0x0412,  // B2 cyrillic capital letter ve
    0x0413,  // B3 cyrillic capital letter ghe
    0x0414,  // B4 cyrillic capital letter de
    0x0415,  // B5 cyrillic capital letter ie
    0x0416,  // B6 cyrillic capital letter zhe
    0x0417,  // B7 cyrillic capital letter ze
    0x0418,  // B8 cyrillic capital letter i
    0x0419,  // B9 cyrillic capital letter short i
    0x041A,  // BA cyrillic capital letter ka
    0x041B,  // BB cyrillic capital letter el
    0x041C,  // BC cyrillic capital letter em
    0x041D,  // BD cyrillic capital letter en
    0x041E,  // BE cyrillic capital letter o
    0x041F,  // BF cyrillic capital letter pe
    0x0420,  // C0 cyrillic capital letter er
    0x0421,  // C1 cyrillic capital letter es
    0x0422,  // C2 cyrillic capital letter te
    0x0423,  // C3 cyrillic capital letter u
    0x0424,  // C4 cyrillic capital letter ef
    0x0425,  // C5 cyrillic capital letter ha
    0x0426,  // C6 cyrillic capital letter tse
    0x0427,  // C7 cyrillic capital letter che
    0x0428,  // C8 cyrillic capital letter sha
    0x0429,  // C9 cyrillic capital letter shcha
    0x042A,  // CA cyrillic capital letter hard sign
    0x042B,  // CB cyrillic capital letter yeru
    0x042C,  // CC cyrillic capital letter soft sign
    0x042D,  // CD cyrillic capital letter e
    0x042E,  // CE cyrillic capital letter yu
    0x042F,  // CF cyrillic capital letter ya
    0x0430,  // D0 cyrillic small letter a
    0x0431,  // D1 cyrillic small letter be
    0x0432,  // D2 cyrillic small letter ve
    0x0433,  // D3 cyrillic small letter ghe
    0x0434,  // D4 cyrillic small letter de
    0x0435,  // D5 cyrillic small letter ie
    0x0436,  // D6 cyrillic small letter zhe
    0x0437,  // D7 cyrillic small letter ze
    0x0438,  // D8 cyrillic small letter i
    0x0439,  // D9 cyrillic small letter short i
    0x043A,  // DA cyrillic small letter ka
    0x043B,  // DB cyrillic small letter el
    0x043C,  // DC cyrillic small letter em
    0x043D,  // DD cyrillic small letter en
    0x043E,  // DE cyrillic small letter o
    0x043F,  // DF cyrillic small letter pe
    0x0440,  // E0 cyrillic small letter er
    0x0441,  // E1 cyrillic small letter es
    0x0442,  // E2 cyrillic small letter te
    0x0443,  // E3 cyrillic small letter u
    0x0444,  // E4 cyrillic small letter ef
    0x0445,  // E5 cyrillic small letter ha
    0x0446,  // E6 cyrillic small letter tse
    0x0447,  // E7 cyrillic small letter che
    0x0448,  // E8 cyrillic small letter sha
    0x0449,  // E9 cyrillic small letter shcha
    0x044A,  // EA cyrillic small letter hard sign
    0x044B,  // EB cyrillic small letter yeru
    0x044C,  // EC cyrillic small letter soft sign
    0x044D,  // ED cyrillic small letter e
    0x044E,  // EE cyrillic small letter yu
    0x044F,  // EF cyrillic small letter ya
    0x2116,  // F0 numero sign
    0x0451,  // F1 cyrillic small letter io
    0x0452,  // F2 cyrillic small letter dje
    0x0453,  // F3 cyrillic small letter gje
    0x0454,  // F4 cyrillic small letter ukrainian ie
    0x0455,  // F5 cyrillic small letter dze
    0x0456,  // F6 cyrillic small letter byelorussian-ukrainian i
    0x0457,  // F7 cyrillic small letter yi
    0x0458,  // F8 cyrillic small letter je
    0x0459,  // F9 cyrillic small letter lje
    0x045A,  // FA cyrillic small letter nje
    0x045B,  // FB cyrillic small letter tshe
    0x045C,  // FC cyrillic small letter kje
    0x00A7,  // FD section sign
    0x045E,  // FE cyrillic small letter short u
    0x045F,  // FF cyrillic small letter dzhe
};

const uint16_t UTFLookupISO8859_6[96] = {
    0x00A0,  // A0 no-break space
    0x0000,  // A1 undefined
    0x0000,  // A2 undefined
    0x0000,  // A3 undefined
    0x00A4,  // A4 currency sign
    0x0000,  // A5 undefined
    0x0000,  // A6 undefined
    0x0000,  // A7 undefined
    0x0000,  // A8 undefined
    0x0000,  // A9 undefined
    0x0000,  // AA undefined
    0x0000,  // AB undefined
    0x060C,  // AC arabic comma
    0x00AD,  // AD soft hyphen
    0x0000,  // AE undefined
    0x0000,  // AF undefined
    0x0000,  // B0 undefined
    0x0000,  // B1 undefined
    0x0000,  // B2 undefined
    0x0000,  // B3 undefined
    0x0000,  // B4 undefined
    0x0000,  // B5 undefined
    0x0000,  // B6 undefined
    0x0000,  // B7 undefined
    0x0000,  // B8 undefined
    0x0000,  // B9 undefined
    0x0000,  // BA undefined
    0x061B,  // BB arabic semicolon
    0x0000,  // BC undefined
    0x0000,  // BD undefined
    0x0000,  // BE undefined
    0x061F,  // BF arabic question mark
    0x0000,  // C0 undefined
    0x0621,  // C1 arabic letter hamza
    0x0622,  // C2 arabic letter alef with madda above
    0x0623,  // C3 arabic letter alef with hamza above
    0x0624,  // C4 arabic letter waw with hamza above
    0x0625,  // C5 arabic letter alef with hamza below
    0x0626,  // C6 arabic letter yeh with hamza above
    0x0627,  // C7 arabic letter alef
    0x0628,  // C8 arabic letter beh
    0x0629,  // C9 arabic letter teh marbuta
    0x062A,  // CA arabic letter teh
    0x062B,  // CB arabic letter theh
    0x062C,  // CC arabic letter jeem
    0x062D,  // CD arabic letter hah
    0x062E,  // CE arabic letter khah
    0x062F,  // CF arabic letter dal
    0x0630,  // D0 arabic letter thal
    0x0631,  // D1 arabic letter reh
    0x0632,  // D2 arabic letter zain
    0x0633,  // D3 arabic letter seen
    0x0634,  // D4 arabic letter sheen
    0x0635,  // D5 arabic letter sad
    0x0636,  // D6 arabic letter dad
    0x0637,  // D7 arabic letter tah
    0x0638,  // D8 arabic letter zah
    0x0639,  // D9 arabic letter ain
    0x063A,  // DA arabic letter ghain
    0x0000,  // DB undefined
    0x0000,  // DC undefined
    0x0000,  // DD undefined
    0x0000,  // DE undefined
    0x0000,  // DF undefined
    0x0640,  // E0 arabic tatweel
    0x0641,  // E1 arabic letter feh
    0x0642,  // E2 arabic letter qaf
    0x0643,  // E3 arabic letter kaf
    0x0644,  // E4 arabic letter lam
    0x0645,  // E5 arabic letter meem
    0x0646,  // E6 arabic letter noon
    0x0647,  // E7 arabic letter heh
    0x0648,  // E8 arabic letter waw
    0x0649,  // E9 arabic letter alef maksura
    0x064A,  // EA arabic letter yeh
    0x064B,  // EB arabic fathatan
    0x064C,  // EC arabic dammatan
    0x064D,  // ED arabic kasratan
    0x064E,  // EE arabic fatha
    0x064F,  // EF arabic damma
    0x0650,  // F0 arabic kasra
    0x0651,  // F1 arabic shadda
    0x0652,  // F2 arabic sukun
    0x0000,  // F3 undefined
    0x0000,  // F4 undefined
    0x0000,  // F5 undefined
    0x0000,  // F6 undefined
    0x0000,  // F7 undefined
    0x0000,  // F8 undefined
    0x0000,  // F9 undefined
    0x0000,  // FA undefined
    0x0000,  // FB undefined
    0x0000,  // FC undefined
    0x0000,  // FD undefined
    0x0000,  // FE undefined
    0x0000,  // FF undefined
};

const uint16_t UTFLookupISO8859_7[96] = {
    0x00A0,  // A0 no-break space
    0x2018,  // A1 left single quotation mark
    0x2019,  // A2 right single quotation mark
    0x00A3,  // A3 pound sign
    0x0000,  // A4 undefined
    0x0000,  // A5 undefined
    0x00A6,  // A6 broken bar
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x00A9,  // A9 copyright sign
    0x0000,  // AA undefined
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x0000,  // AE undefined
    0x2015,  // AF horizontal bar
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x0384,  // B4 greek tonos
    0x0385,  // B5 greek dialytika tonos
    0x0386,  // B6 greek capital letter alpha with tonos
    0x00B7,  // B7 middle dot
    0x0388,  // B8 greek capital letter epsilon with tonos
    0x0389,  // B9 greek capital letter eta with tonos
    0x038A,  // BA greek capital letter iota with tonos
    0x00BB,  // BB right-pointing double angle quotation mark
    0x038C,  // BC greek capital letter omicron with tonos
    0x00BD,  // BD vulgar fraction one half
    0x038E,  // BE greek capital letter upsilon with tonos
    0x038F,  // BF greek capital letter omega with tonos
    0x0390,  // C0 greek small letter iota with dialytika and tonos
    0x0391,  // C1 greek capital letter alpha
    0x0392,  // C2 greek capital letter beta
    0x0393,  // C3 greek capital letter gamma
    0x0394,  // C4 greek capital letter delta
    0x0395,  // C5 greek capital letter epsilon
    0x0396,  // C6 greek capital letter zeta
    0x0397,  // C7 greek capital letter eta
    0x0398,  // C8 greek capital letter theta
    0x0399,  // C9 greek capital letter iota
    0x039A,  // CA greek capital letter kappa
    0x039B,  // CB greek capital letter lamda
    0x039C,  // CC greek capital letter mu
    0x039D,  // CD greek capital letter nu
    0x039E,  // CE greek capital letter xi
    0x039F,  // CF greek capital letter omicron
    0x03A0,  // D0 greek capital letter pi
    0x03A1,  // D1 greek capital letter rho
    0x0000,  // D2 undefined
    0x03A3,  // D3 greek capital letter sigma
    0x03A4,  // D4 greek capital letter tau
    0x03A5,  // D5 greek capital letter upsilon
    0x03A6,  // D6 greek capital letter phi
    0x03A7,  // D7 greek capital letter chi
    0x03A8,  // D8 greek capital letter psi
    0x03A9,  // D9 greek capital letter omega
    0x03AA,  // DA greek capital letter iota with dialytika
    0x03AB,  // DB greek capital letter upsilon with dialytika
    0x03AC,  // DC greek small letter alpha with tonos
    0x03AD,  // DD greek small letter epsilon with tonos
    0x03AE,  // DE greek small letter eta with tonos
    0x03AF,  // DF greek small letter iota with tonos
    0x03B0,  // E0 greek small letter upsilon with dialytika and tonos
    0x03B1,  // E1 greek small letter alpha
    0x03B2,  // E2 greek small letter beta
    0x03B3,  // E3 greek small letter gamma
    0x03B4,  // E4 greek small letter delta
    0x03B5,  // E5 greek small letter epsilon
    0x03B6,  // E6 greek small letter zeta
    0x03B7,  // E7 greek small letter eta
    0x03B8,  // E8 greek small letter theta
    0x03B9,  // E9 greek small letter iota
    0x03BA,  // EA greek small letter kappa
    0x03BB,  // EB greek small letter lamda
    0x03BC,  // EC greek small letter mu
    0x03BD,  // ED greek small letter nu
    0x03BE,  // EE greek small letter xi
    0x03BF,  // EF greek small letter omicron
    0x03C0,  // F0 greek small letter pi
    0x03C1,  // F1 greek small letter rho
    0x03C2,  // F2 greek small letter final sigma
    0x03C3,  // F3 greek small letter sigma
    0x03C4,  // F4 greek small letter tau
    0x03C5,  // F5 greek small letter upsilon
    0x03C6,  // F6 greek small letter phi
    0x03C7,  // F7 greek small letter chi
    0x03C8,  // F8 greek small letter psi
    0x03C9,  // F9 greek small letter omega
    0x03CA,  // FA greek small letter iota with dialytika
    0x03CB,  // FB greek small letter upsilon with dialytika
    0x03CC,  // FC greek small letter omicron with tonos
    0x03CD,  // FD greek small letter upsilon with tonos
    0x03CE,  // FE greek small letter omega with tonos
    0x0000,  // FF undefined
};

const uint16_t UTFLookupISO8859_8[96] = {
    0x00A0,  // A0 no-break space
    0x0000,  // A1 undefined
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x00A4,  // A4 currency sign
    0x00A5,  // A5 yen sign
    0x00A6,  // A6 broken bar
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x00A9,  // A9 copyright sign
    0x00D7,  // AA multiplication sign
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x00AF,  // AF macron
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x00B4,  // B4 acute accent
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x00B8,  // B8 cedilla
    0x00B9,  // B9 superscript one
    0x00F7,  // BA division sign
    0x00BB,  // BB right-pointing double angle quotation mark
    0x00BC,  // BC vulgar fraction one quarter
    0x00BD,  // BD vulgar fraction one half
    0x00BE,  // BE vulgar fraction three quarters
    0x0000,  // BF undefined
    0x0000,  // C0 undefined
    0x0000,  // C1 undefined
    0x0000,  // C2 undefined
    0x0000,  // C3 undefined
    0x0000,  // C4 undefined
    0x0000,  // C5 undefined
    0x0000,  // C6 undefined
    0x0000,  // C7 undefined
    0x0000,  // C8 undefined
    0x0000,  // C9 undefined
    0x0000,  // CA undefined
    0x0000,  // CB undefined
    0x0000,  // CC undefined
    0x0000,  // CD undefined
    0x0000,  // CE undefined
    0x0000,  // CF undefined
    0x0000,  // D0 undefined
    0x0000,  // D1 undefined
    0x0000,  // D2 undefined
    0x0000,  // D3 undefined
    0x0000,  // D4 undefined
    0x0000,  // D5 undefined
    0x0000,  // D6 undefined
    0x0000,  // D7 undefined
    0x0000,  // D8 undefined
    0x0000,  // D9 undefined
    0x0000,  // DA undefined
    0x0000,  // DB undefined
    0x0000,  // DC undefined
    0x0000,  // DD undefined
    0x0000,  // DE undefined
    0x2017,  // DF double low line
    0x05D0,  // E0 hebrew letter alef
    0x05D1,  // E1 hebrew letter bet
    0x05D2,  // E2 hebrew letter gimel
    0x05D3,  // E3 hebrew letter dalet
    0x05D4,  // E4 hebrew letter he
    0x05D5,  // E5 hebrew letter vav
    0x05D6,  // E6 hebrew letter zayin
    0x05D7,  // E7 hebrew letter het
    0x05D8,  // E8 hebrew letter tet
    0x05D9,  // E9 hebrew letter yod
    0x05DA,  // EA hebrew letter final kaf
    0x05DB,  // EB hebrew letter kaf
    0x05DC,  // EC hebrew letter lamed
    0x05DD,  // ED hebrew letter final mem
    0x05DE,  // EE hebrew letter mem
    0x05DF,  // EF hebrew letter final nun
    0x05E0,  // F0 hebrew letter nun
    0x05E1,  // F1 hebrew letter samekh
    0x05E2,  // F2 hebrew letter ayin
    0x05E3,  // F3 hebrew letter final pe
    0x05E4,  // F4 hebrew letter pe
    0x05E5,  // F5 hebrew letter final tsadi
    0x05E6,  // F6 hebrew letter tsadi
    0x05E7,  // F7 hebrew letter qof
    0x05E8,  // F8 hebrew letter resh
    0x05E9,  // F9 hebrew letter shin
    0x05EA,  // FA hebrew letter tav
    0x0000,  // FB undefined
    0x0000,  // FC undefined
    0x200E,  // FD left-to-right mark
    0x200F,  // FE right-to-left mark
    0x0000,  // FF undefined
};

const uint16_t UTFLookupISO8859_9[96] = {
    0x00A0,  // A0 no-break space
    0x00A1,  // A1 inverted exclamation mark
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x00A4,  // A4 currency sign
    0x00A5,  // A5 yen sign
    0x00A6,  // A6 broken bar
    0x00A7,  // A7 section sign
    0x00A8,  // A8 diaeresis
    0x00A9,  // A9 copyright sign
    0x00AA,  // AA feminine ordinal indicator
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x00AF,  // AF macron
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x00B4,  // B4 acute accent
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x00B8,  // B8 cedilla
    0x00B9,  // B9 superscript one
    0x00BA,  // BA masculine ordinal indicator
    0x00BB,  // BB right-pointing double angle quotation mark
    0x00BC,  // BC vulgar fraction one quarter
    0x00BD,  // BD vulgar fraction one half
    0x00BE,  // BE vulgar fraction three quarters
    0x00BF,  // BF inverted question mark
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x011E,  // D0 latin capital letter g with breve
    0x00D1,  // D1 latin capital letter n with tilde
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x00D8,  // D8 latin capital letter o with stroke
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x0130,  // DD latin capital letter i with dot above
    0x015E,  // DE latin capital letter s with cedilla
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x011F,  // F0 latin small letter g with breve
    0x00F1,  // F1 latin small letter n with tilde
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x00F8,  // F8 latin small letter o with stroke
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x0131,  // FD latin small letter dotless i
    0x015F,  // FE latin small letter s with cedilla
    0x00FF,  // FF latin small letter y with diaeresis
};

const uint16_t UTFLookupISO8859_10[96] = {
    0x00A0,  // A0 no-break space
    0x0104,  // A1 latin capital letter a with ogonek
    0x0112,  // A2 latin capital letter e with macron
    0x0122,  // A3 latin capital letter g with cedilla
    0x012A,  // A4 latin capital letter i with macron
    0x0128,  // A5 latin capital letter i with tilde
    0x0136,  // A6 latin capital letter k with cedilla
    0x00A7,  // A7 section sign
    0x013B,  // A8 latin capital letter l with cedilla
    0x0110,  // A9 latin capital letter d with stroke
    0x0160,  // AA latin capital letter s with caron
    0x0166,  // AB latin capital letter t with stroke
    0x017D,  // AC latin capital letter z with caron
    0x00AD,  // AD soft hyphen
    0x016A,  // AE latin capital letter u with macron
    0x014A,  // AF latin capital letter eng
    0x00B0,  // B0 degree sign
    0x0105,  // B1 latin small letter a with ogonek
    0x0113,  // B2 latin small letter e with macron
    0x0123,  // B3 latin small letter g with cedilla
    0x012B,  // B4 latin small letter i with macron
    0x0129,  // B5 latin small letter i with tilde
    0x0137,  // B6 latin small letter k with cedilla
    0x00B7,  // B7 middle dot
    0x013C,  // B8 latin small letter l with cedilla
    0x0111,  // B9 latin small letter d with stroke
    0x0161,  // BA latin small letter s with caron
    0x0167,  // BB latin small letter t with stroke
    0x017E,  // BC latin small letter z with caron
    0x2015,  // BD horizontal bar
    0x016B,  // BE latin small letter u with macron
    0x014B,  // BF latin small letter eng
    0x0100,  // C0 latin capital letter a with macron
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x012E,  // C7 latin capital letter i with ogonek
    0x010C,  // C8 latin capital letter c with caron
    0x00C9,  // C9 latin capital letter e with acute
    0x0118,  // CA latin capital letter e with ogonek
    0x00CB,  // CB latin capital letter e with diaeresis
    0x0116,  // CC latin capital letter e with dot above
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x00D0,  // D0 latin capital letter eth
    0x0145,  // D1 latin capital letter n with cedilla
    0x014C,  // D2 latin capital letter o with macron
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x0168,  // D7 latin capital letter u with tilde
    0x00D8,  // D8 latin capital letter o with stroke
    0x0172,  // D9 latin capital letter u with ogonek
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x00DD,  // DD latin capital letter y with acute
    0x00DE,  // DE latin capital letter thorn
    0x00DF,  // DF latin small letter sharp s
    0x0101,  // E0 latin small letter a with macron
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x012F,  // E7 latin small letter i with ogonek
    0x010D,  // E8 latin small letter c with caron
    0x00E9,  // E9 latin small letter e with acute
    0x0119,  // EA latin small letter e with ogonek
    0x00EB,  // EB latin small letter e with diaeresis
    0x0117,  // EC latin small letter e with dot above
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x00F0,  // F0 latin small letter eth
    0x0146,  // F1 latin small letter n with cedilla
    0x014D,  // F2 latin small letter o with macron
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x0169,  // F7 latin small letter u with tilde
    0x00F8,  // F8 latin small letter o with stroke
    0x0173,  // F9 latin small letter u with ogonek
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x00FD,  // FD latin small letter y with acute
    0x00FE,  // FE latin small letter thorn
    0x0138,  // FF latin small letter kra
};

const uint16_t UTFLookupISO8859_11[96] = {
    0x00A0,  // A0 no-break space
    0x0E01,  // A1 thai character ko kai
    0x0E02,  // A2 thai character kho khai
    0x0E03,  // A3 thai character kho khuat
    0x0E04,  // A4 thai character kho khwai
    0x0E05,  // A5 thai character kho khon
    0x0E06,  // A6 thai character kho rakhang
    0x0E07,  // A7 thai character ngo ngu
    0x0E08,  // A8 thai character cho chan
    0x0E09,  // A9 thai character cho ching
    0x0E0A,  // AA thai character cho chang
    0x0E0B,  // AB thai character so so
    0x0E0C,  // AC thai character cho choe
    0x0E0D,  // AD thai character yo ying
    0x0E0E,  // AE thai character do chada
    0x0E0F,  // AF thai character to patak
    0x0E10,  // B0 thai character tho than
    0x0E11,  // B1 thai character tho nangmontho
    0x0E12,  // B2 thai character tho phuthao
    0x0E13,  // B3 thai character no nen
    0x0E14,  // B4 thai character do dek
    0x0E15,  // B5 thai character to tao
    0x0E16,  // B6 thai character tho thung
    0x0E17,  // B7 thai character tho thahan
    0x0E18,  // B8 thai character tho thong
    0x0E19,  // B9 thai character no nu
    0x0E1A,  // BA thai character bo baimai
    0x0E1B,  // BB thai character po pla
    0x0E1C,  // BC thai character pho phung
    0x0E1D,  // BD thai character fo fa
    0x0E1E,  // BE thai character pho phan
    0x0E1F,  // BF thai character fo fan
    0x0E20,  // C0 thai character pho samphao
    0x0E21,  // C1 thai character mo ma
    0x0E22,  // C2 thai character yo yak
    0x0E23,  // C3 thai character ro rua
    0x0E24,  // C4 thai character ru
    0x0E25,  // C5 thai character lo ling
    0x0E26,  // C6 thai character lu
    0x0E27,  // C7 thai character wo waen
    0x0E28,  // C8 thai character so sala
    0x0E29,  // C9 thai character so rusi
    0x0E2A,  // CA thai character so sua
    0x0E2B,  // CB thai character ho hip
    0x0E2C,  // CC thai character lo chula
    0x0E2D,  // CD thai character o ang
    0x0E2E,  // CE thai character ho nokhuk
    0x0E2F,  // CF thai character paiyannoi
    0x0E30,  // D0 thai character sara a
    0x0E31,  // D1 thai character mai han-akat
    0x0E32,  // D2 thai character sara aa
    0x0E33,  // D3 thai character sara am
    0x0E34,  // D4 thai character sara i
    0x0E35,  // D5 thai character sara ii
    0x0E36,  // D6 thai character sara ue
    0x0E37,  // D7 thai character sara uee
    0x0E38,  // D8 thai character sara u
    0x0E39,  // D9 thai character sara uu
    0x0E3A,  // DA thai character phinthu
    0x0000,  // DB undefined
    0x0000,  // DC undefined
    0x0000,  // DD undefined
    0x0000,  // DE undefined
    0x0E3F,  // DF thai currency symbol baht
    0x0E40,  // E0 thai character sara e
    0x0E41,  // E1 thai character sara ae
    0x0E42,  // E2 thai character sara o
    0x0E43,  // E3 thai character sara ai maimuan
    0x0E44,  // E4 thai character sara ai maimalai
    0x0E45,  // E5 thai character lakkhangyao
    0x0E46,  // E6 thai character maiyamok
    0x0E47,  // E7 thai character maitaikhu
    0x0E48,  // E8 thai character mai ek
    0x0E49,  // E9 thai character mai tho
    0x0E4A,  // EA thai character mai tri
    0x0E4B,  // EB thai character mai chattawa
    0x0E4C,  // EC thai character thanthakhat
    0x0E4D,  // ED thai character nikhahit
    0x0E4E,  // EE thai character yamakkan
    0x0E4F,  // EF thai character fongman
    0x0E50,  // F0 thai digit zero
    0x0E51,  // F1 thai digit one
    0x0E52,  // F2 thai digit two
    0x0E53,  // F3 thai digit three
    0x0E54,  // F4 thai digit four
    0x0E55,  // F5 thai digit five
    0x0E56,  // F6 thai digit six
    0x0E57,  // F7 thai digit seven
    0x0E58,  // F8 thai digit eight
    0x0E59,  // F9 thai digit nine
    0x0E5A,  // FA thai character angkhankhu
    0x0E5B,  // FB thai character khomut
    0x0000,  // FC undefined
    0x0000,  // FD undefined
    0x0000,  // FE undefined
    0x0000,  // FF undefined
};

const uint16_t UTFLookupISO8859_13[96] = {
    0x00A0,  // A0 no-break space
    0x201D,  // A1 right double quotation mark
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x00A4,  // A4 currency sign
    0x201E,  // A5 double low-9 quotation mark
    0x00A6,  // A6 broken bar
    0x00A7,  // A7 section sign
    0x00D8,  // A8 latin capital letter o with stroke
    0x00A9,  // A9 copyright sign
    0x0156,  // AA latin capital letter r with cedilla
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x00C6,  // AF latin capital letter ae
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x201C,  // B4 left double quotation mark
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x00F8,  // B8 latin small letter o with stroke
    0x00B9,  // B9 superscript one
    0x0157,  // BA latin small letter r with cedilla
    0x00BB,  // BB right-pointing double angle quotation mark
    0x00BC,  // BC vulgar fraction one quarter
    0x00BD,  // BD vulgar fraction one half
    0x00BE,  // BE vulgar fraction three quarters
    0x00E6,  // BF latin small letter ae
    0x0104,  // C0 latin capital letter a with ogonek
    0x012E,  // C1 latin capital letter i with ogonek
    0x0100,  // C2 latin capital letter a with macron
    0x0106,  // C3 latin capital letter c with acute
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x0118,  // C6 latin capital letter e with ogonek
    0x0112,  // C7 latin capital letter e with macron
    0x010C,  // C8 latin capital letter c with caron
    0x00C9,  // C9 latin capital letter e with acute
    0x0179,  // CA latin capital letter z with acute
    0x0116,  // CB latin capital letter e with dot above
    0x0122,  // CC latin capital letter g with cedilla
    0x0136,  // CD latin capital letter k with cedilla
    0x012A,  // CE latin capital letter i with macron
    0x013B,  // CF latin capital letter l with cedilla
    0x0160,  // D0 latin capital letter s with caron
    0x0143,  // D1 latin capital letter n with acute
    0x0145,  // D2 latin capital letter n with cedilla
    0x00D3,  // D3 latin capital letter o with acute
    0x014C,  // D4 latin capital letter o with macron
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x0172,  // D8 latin capital letter u with ogonek
    0x0141,  // D9 latin capital letter l with stroke
    0x015A,  // DA latin capital letter s with acute
    0x016A,  // DB latin capital letter u with macron
    0x00DC,  // DC latin capital letter u with diaeresis
    0x017B,  // DD latin capital letter z with dot above
    0x017D,  // DE latin capital letter z with caron
    0x00DF,  // DF latin small letter sharp s
    0x0105,  // E0 latin small letter a with ogonek
    0x012F,  // E1 latin small letter i with ogonek
    0x0101,  // E2 latin small letter a with macron
    0x0107,  // E3 latin small letter c with acute
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x0119,  // E6 latin small letter e with ogonek
    0x0113,  // E7 latin small letter e with macron
    0x010D,  // E8 latin small letter c with caron
    0x00E9,  // E9 latin small letter e with acute
    0x017A,  // EA latin small letter z with acute
    0x0117,  // EB latin small letter e with dot above
    0x0123,  // EC latin small letter g with cedilla
    0x0137,  // ED latin small letter k with cedilla
    0x012B,  // EE latin small letter i with macron
    0x013C,  // EF latin small letter l with cedilla
    0x0161,  // F0 latin small letter s with caron
    0x0144,  // F1 latin small letter n with acute
    0x0146,  // F2 latin small letter n with cedilla
    0x00F3,  // F3 latin small letter o with acute
    0x014D,  // F4 latin small letter o with macron
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x0173,  // F8 latin small letter u with ogonek
    0x0142,  // F9 latin small letter l with stroke
    0x015B,  // FA latin small letter s with acute
    0x016B,  // FB latin small letter u with macron
    0x00FC,  // FC latin small letter u with diaeresis
    0x017C,  // FD latin small letter z with dot above
    0x017E,  // FE latin small letter z with caron
    0x2019,  // FF right single quotation mark
};

const uint16_t UTFLookupISO8859_14[96] = {
    0x00A0,  // A0 no-break space
    0x1E02,  // A1 latin capital letter b with dot above
    0x1E03,  // A2 latin small letter b with dot above
    0x00A3,  // A3 pound sign
    0x010A,  // A4 latin capital letter c with dot above
    0x010B,  // A5 latin small letter c with dot above
    0x1E0A,  // A6 latin capital letter d with dot above
    0x00A7,  // A7 section sign
    0x1E80,  // A8 latin capital letter w with grave
    0x00A9,  // A9 copyright sign
    0x1E82,  // AA latin capital letter w with acute
    0x1E0B,  // AB latin small letter d with dot above
    0x1EF2,  // AC latin capital letter y with grave
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x0178,  // AF latin capital letter y with diaeresis
    0x1E1E,  // B0 latin capital letter f with dot above
    0x1E1F,  // B1 latin small letter f with dot above
    0x0120,  // B2 latin capital letter g with dot above
    0x0121,  // B3 latin small letter g with dot above
    0x1E40,  // B4 latin capital letter m with dot above
    0x1E41,  // B5 latin small letter m with dot above
    0x00B6,  // B6 pilcrow sign
    0x1E56,  // B7 latin capital letter p with dot above
    0x1E81,  // B8 latin small letter w with grave
    0x1E57,  // B9 latin small letter p with dot above
    0x1E83,  // BA latin small letter w with acute
    0x1E60,  // BB latin capital letter s with dot above
    0x1EF3,  // BC latin small letter y with grave
    0x1E84,  // BD latin capital letter w with diaeresis
    0x1E85,  // BE latin small letter w with diaeresis
    0x1E61,  // BF latin small letter s with dot above
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x0174,  // D0 latin capital letter w with circumflex
    0x00D1,  // D1 latin capital letter n with tilde
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x1E6A,  // D7 latin capital letter t with dot above
    0x00D8,  // D8 latin capital letter o with stroke
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x00DD,  // DD latin capital letter y with acute
    0x0176,  // DE latin capital letter y with circumflex
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x0175,  // F0 latin small letter w with circumflex
    0x00F1,  // F1 latin small letter n with tilde
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x1E6B,  // F7 latin small letter t with dot above
    0x00F8,  // F8 latin small letter o with stroke
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x00FD,  // FD latin small letter y with acute
    0x0177,  // FE latin small letter y with circumflex
    0x00FF,  // FF latin small letter y with diaeresis
};

const uint16_t UTFLookupISO8859_15[96] = {
    0x00A0,  // A0 no-break space
    0x00A1,  // A1 inverted exclamation mark
    0x00A2,  // A2 cent sign
    0x00A3,  // A3 pound sign
    0x20AC,  // A4 euro sign
    0x00A5,  // A5 yen sign
    0x0160,  // A6 latin capital letter s with caron
    0x00A7,  // A7 section sign
    0x0161,  // A8 latin small letter s with caron
    0x00A9,  // A9 copyright sign
    0x00AA,  // AA feminine ordinal indicator
    0x00AB,  // AB left-pointing double angle quotation mark
    0x00AC,  // AC not sign
    0x00AD,  // AD soft hyphen
    0x00AE,  // AE registered sign
    0x00AF,  // AF macron
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x00B2,  // B2 superscript two
    0x00B3,  // B3 superscript three
    0x017D,  // B4 latin capital letter z with caron
    0x00B5,  // B5 micro sign
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x017E,  // B8 latin small letter z with caron
    0x00B9,  // B9 superscript one
    0x00BA,  // BA masculine ordinal indicator
    0x00BB,  // BB right-pointing double angle quotation mark
    0x0152,  // BC latin capital ligature oe
    0x0153,  // BD latin small ligature oe
    0x0178,  // BE latin capital letter y with diaeresis
    0x00BF,  // BF inverted question mark
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x00C3,  // C3 latin capital letter a with tilde
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x00C5,  // C5 latin capital letter a with ring above
    0x00C6,  // C6 latin capital letter ae
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x00D0,  // D0 latin capital letter eth
    0x00D1,  // D1 latin capital letter n with tilde
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x00D5,  // D5 latin capital letter o with tilde
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x00D7,  // D7 multiplication sign
    0x00D8,  // D8 latin capital letter o with stroke
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x00DD,  // DD latin capital letter y with acute
    0x00DE,  // DE latin capital letter thorn
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x00E3,  // E3 latin small letter a with tilde
    0x00E4,  // E4 latin small letter a with diaeresis
    0x00E5,  // E5 latin small letter a with ring above
    0x00E6,  // E6 latin small letter ae
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x00F0,  // F0 latin small letter eth
    0x00F1,  // F1 latin small letter n with tilde
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x00F5,  // F5 latin small letter o with tilde
    0x00F6,  // F6 latin small letter o with diaeresis
    0x00F7,  // F7 division sign
    0x00F8,  // F8 latin small letter o with stroke
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x00FD,  // FD latin small letter y with acute
    0x00FE,  // FE latin small letter thorn
    0x00FF,  // FF latin small letter y with diaeresis
};

const uint16_t UTFLookupISO8859_16[96] = {
    0x00A0,  // A0 no-break space
    0x0104,  // A1 latin capital letter a with ogonek
    0x0105,  // A2 latin small letter a with ogonek
    0x0141,  // A3 latin capital letter l with stroke
    0x20AC,  // A4 euro sign
    0x201E,  // A5 double low-9 quotation mark
    0x0160,  // A6 latin capital letter s with caron
    0x00A7,  // A7 section sign
    0x0161,  // A8 latin small letter s with caron
    0x00A9,  // A9 copyright sign
    0x0218,  // AA latin capital letter s with comma below
    0x00AB,  // AB left-pointing double angle quotation mark
    0x0179,  // AC latin capital letter z with acute
    0x00AD,  // AD soft hyphen
    0x017A,  // AE latin small letter z with acute
    0x017B,  // AF latin capital letter z with dot above
    0x00B0,  // B0 degree sign
    0x00B1,  // B1 plus-minus sign
    0x010C,  // B2 latin capital letter c with caron
    0x0142,  // B3 latin small letter l with stroke
    0x017D,  // B4 latin capital letter z with caron
    0x201D,  // B5 right double quotation mark
    0x00B6,  // B6 pilcrow sign
    0x00B7,  // B7 middle dot
    0x017E,  // B8 latin small letter z with caron
    0x010D,  // B9 latin small letter c with caron
    0x0219,  // BA latin small letter s with comma below
    0x00BB,  // BB right-pointing double angle quotation mark
    0x0152,  // BC latin capital ligature oe
    0x0153,  // BD latin small ligature oe
    0x0178,  // BE latin capital letter y with diaeresis
    0x017C,  // BF latin small letter z with dot above
    0x00C0,  // C0 latin capital letter a with grave
    0x00C1,  // C1 latin capital letter a with acute
    0x00C2,  // C2 latin capital letter a with circumflex
    0x0102,  // C3 latin capital letter a with breve
    0x00C4,  // C4 latin capital letter a with diaeresis
    0x0106,  // C5 latin capital letter c with acute
    0x00C6,  // C6 latin capital letter ae
    0x00C7,  // C7 latin capital letter c with cedilla
    0x00C8,  // C8 latin capital letter e with grave
    0x00C9,  // C9 latin capital letter e with acute
    0x00CA,  // CA latin capital letter e with circumflex
    0x00CB,  // CB latin capital letter e with diaeresis
    0x00CC,  // CC latin capital letter i with grave
    0x00CD,  // CD latin capital letter i with acute
    0x00CE,  // CE latin capital letter i with circumflex
    0x00CF,  // CF latin capital letter i with diaeresis
    0x0110,  // D0 latin capital letter d with stroke
    0x0143,  // D1 latin capital letter n with acute
    0x00D2,  // D2 latin capital letter o with grave
    0x00D3,  // D3 latin capital letter o with acute
    0x00D4,  // D4 latin capital letter o with circumflex
    0x0150,  // D5 latin capital letter o with double acute
    0x00D6,  // D6 latin capital letter o with diaeresis
    0x015A,  // D7 latin capital letter s with acute
    0x0170,  // D8 latin capital letter u with double acute
    0x00D9,  // D9 latin capital letter u with grave
    0x00DA,  // DA latin capital letter u with acute
    0x00DB,  // DB latin capital letter u with circumflex
    0x00DC,  // DC latin capital letter u with diaeresis
    0x0118,  // DD latin capital letter e with ogonek
    0x021A,  // DE latin capital letter t with comma below
    0x00DF,  // DF latin small letter sharp s
    0x00E0,  // E0 latin small letter a with grave
    0x00E1,  // E1 latin small letter a with acute
    0x00E2,  // E2 latin small letter a with circumflex
    0x0103,  // E3 latin small letter a with breve
    0x00E4,  // E4 latin small letter a with diaeresis
    0x0107,  // E5 latin small letter c with acute
    0x00E6,  // E6 latin small letter ae
    0x00E7,  // E7 latin small letter c with cedilla
    0x00E8,  // E8 latin small letter e with grave
    0x00E9,  // E9 latin small letter e with acute
    0x00EA,  // EA latin small letter e with circumflex
    0x00EB,  // EB latin small letter e with diaeresis
    0x00EC,  // EC latin small letter i with grave
    0x00ED,  // ED latin small letter i with acute
    0x00EE,  // EE latin small letter i with circumflex
    0x00EF,  // EF latin small letter i with diaeresis
    0x0111,  // F0 latin small letter d with stroke
    0x0144,  // F1 latin small letter n with acute
    0x00F2,  // F2 latin small letter o with grave
    0x00F3,  // F3 latin small letter o with acute
    0x00F4,  // F4 latin small letter o with circumflex
    0x0151,  // F5 latin small letter o with double acute
    0x00F6,  // F6 latin small letter o with diaeresis
    0x015B,  // F7 latin small letter s with acute
    0x0171,  // F8 latin small letter u with double acute
    0x00F9,  // F9 latin small letter u with grave
    0x00FA,  // FA latin small letter u with acute
    0x00FB,  // FB latin small letter u with circumflex
    0x00FC,  // FC latin small letter u with diaeresis
    0x0119,  // FD latin small letter e with ogonek
    0x021B,  // FE latin small letter t with comma below
    0x00FF,  // FF latin small letter y with diaeresis
};

}  // extern "C"
