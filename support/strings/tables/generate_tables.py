#!/usr/bin/env python3
"""Generates the character tables of the text conversion.

    python3 support/strings/tables/generate_tables.py           write the tables
    python3 support/strings/tables/generate_tables.py --check   compare, write nothing

Sources:
  ISO 8859 parts and ISO 6937  the C library's character maps
                               (/usr/share/i18n/charmaps, Debian package locales)
  Big5                         Python's 'big5' codec (the 1984 standard's codes)
The tests cross-check every entry against other converters (Python's ISO 8859
codecs, iconv's ISO_6937 and BIG5 modules).

Deliberate choices, kept here and nowhere else:
  - ISO 8859-7 without the characters added in 2003 (0xA4, 0xA5, 0xAA);
  - ISO 6937 as broadcast texts use it (the broadcast standard's table 00):
    the euro sign at 0xA4 (none in the C library's map), the horizontal bar
    at 0xD0 (the map's em dash) and the capital D with stroke at 0xE2 (the
    map's capital eth); 0xF3 as U+03B4; its non-spacing diacritics map to the
    combining characters;
  - Big5: the seven ambiguous codes map to U+FFFD.
"""
import gzip
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
CHARMAPS = "/usr/share/i18n/charmaps"
COMMAND = "python3 support/strings/tables/generate_tables.py"

ISO8859_PARTS = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16]
ISO8859_7_ADDED_2003 = [0xA4, 0xA5, 0xAA]
ISO6937_CHANGES = {
    0xA4: 0x20AC,  # euro sign
    0xD0: 0x2015,  # horizontal bar
    0xE2: 0x0110,  # capital D with stroke, the capital of 0xF2
    0xF3: 0x03B4,  # small delta in place of the small eth
}
BIG5_AMBIGUOUS = [0xA15A, 0xA1C3, 0xA1C5, 0xA1FE, 0xA240, 0xA2CC, 0xA2CE]
BIG5_CODES = 13710


def read_charmap(name):
    """Byte sequence -> code point, from a charmap of the C library."""
    mapping = {}
    entry = re.compile(r"<U([0-9A-Fa-f]{4,8})>\s+((?:/x[0-9A-Fa-f]{2})+)")
    with gzip.open(os.path.join(CHARMAPS, name + ".gz"), "rt", encoding="latin-1") as f:
        inside = False
        for line in f:
            if line.startswith("CHARMAP"):
                inside = True
            elif line.startswith("END CHARMAP"):
                break
            elif inside:
                m = entry.match(line)
                if m:
                    key = bytes(int(x, 16) for x in m.group(2).split("/x")[1:])
                    mapping.setdefault(key, int(m.group(1), 16))
    return mapping


def header(source):
    return ("// generated — do not edit — regenerate with " + COMMAND + "\n"
            "// source: " + source + "\n")


def row_comment(code):
    if code == 0:
        return "undefined"
    return unicodedata.name(chr(code), "U+%04X" % code).lower()


def table_lines(values):
    lines = []
    for i, code in enumerate(values):
        lines.append("    0x%04X,  // %02X %s" % (code, 0xA0 + i, row_comment(code)))
    return lines


def iso8859_file():
    out = [header("the C library's character maps ISO-8859-1 … ISO-8859-16 "
                  "(" + CHARMAPS + ")"),
           "// Code points for the bytes 0xA0 … 0xFF of each part; 0 where the part",
           "// leaves a byte undefined.  ISO 8859-7 without the characters added in 2003.",
           '#include "support.h"', "", 'extern "C" {']
    for part in ISO8859_PARTS:
        charmap = read_charmap("ISO-8859-%d" % part)
        values = [charmap.get(bytes([b]), 0) for b in range(0xA0, 0x100)]
        if part == 7:
            for b in ISO8859_7_ADDED_2003:
                values[b - 0xA0] = 0
        out.append("")
        out.append("const uint16_t UTFLookupISO8859_%d[96] = {" % part)
        out += table_lines(values)
        out.append("};")
    out.append("")
    out.append('}  // extern "C"')
    return "\n".join(out) + "\n"


def iso6937_file():
    charmap = read_charmap("ISO_6937")
    values = []
    combining = {}
    pairs = []
    for (key, code) in sorted(charmap.items()):
        if len(key) == 2 and 0xC0 <= key[0] <= 0xCF and 0x41 <= key[1] <= 0x7A:
            # The combining character of a diacritic byte is what the canonical
            # decomposition of its letters adds to the base letter.
            decomposition = unicodedata.normalize("NFD", chr(code))
            if len(decomposition) == 2 and decomposition[0] == chr(key[1]):
                combining.setdefault(key[0], ord(decomposition[1]))
            if 0xC0 <= code <= 0xFF:
                pairs.append((key, code))
    for b in range(0xA0, 0x100):
        if b in ISO6937_CHANGES:
            values.append(ISO6937_CHANGES[b])
        elif b in combining:
            values.append(combining[b])
        else:
            code = charmap.get(bytes([b]), 0)
            # The map holds the diacritics without pairs as private-use codes.
            values.append(0 if 0xE000 <= code <= 0xF8FF else code)
    out = [header("the C library's character map ISO_6937 (" + CHARMAPS + ")"),
           "// The broadcast character table 00: ISO 6937 as the map has it, but with",
           "// the euro sign at 0xA4 (none in the map), the horizontal bar at 0xD0 (the",
           "// em dash) and the capital D with stroke at 0xE2 (the capital eth), and",
           "// 0xF3 as U+03B4.  Its non-spacing diacritics map to the combining",
           "// characters; the pair texts spell the accented Latin-1 letters.",
           '#include "support.h"', "", 'extern "C" {', "",
           "const uint16_t UTFLookupISO6937[96] = {"]
    out += table_lines(values)
    out.append("};")
    out.append("")
    out.append("// %d pairs: a diacritic byte and a base letter, each followed by a space." % len(pairs))
    out.append("const char ISO6937DiacriticPairs[] =")
    for key, code in pairs:
        out.append('    "\\x%02X" "%c" " "  // %s' % (key[0], key[1], chr(code)))
    out.append("    ;")
    out.append("// The letters as UTF-8, at the same offsets.")
    out.append("const char ISO6937DiacriticUTF8[] =")
    for key, code in pairs:
        utf8 = chr(code).encode("utf-8")
        out.append('    "\\x%02X\\x%02X" " "  // %s' % (utf8[0], utf8[1], chr(code)))
    out.append("    ;")
    out.append("")
    out.append('}  // extern "C"')
    return "\n".join(out) + "\n"


def big5_file():
    pairs = []
    for lead in list(range(0xA1, 0xC8)) + list(range(0xC9, 0xFA)):
        for trail in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)):
            try:
                text = bytes([lead, trail]).decode("big5")
            except UnicodeDecodeError:
                continue
            code = lead << 8 | trail
            pairs.append((code, 0xFFFD if code in BIG5_AMBIGUOUS else ord(text)))
    if len(pairs) != BIG5_CODES:
        sys.exit("big5: %d codes instead of %d" % (len(pairs), BIG5_CODES))
    out = [header("Python's big5 codec, the codes with lead byte 0xA1 … 0xC7 or 0xC9 … 0xF9 "
                  "and trail byte 0x40 … 0x7E or 0xA1 … 0xFE"),
           "// Big5 code (lead byte high) and code point, ascending, ended by (0, 0).",
           "// The seven ambiguous codes " + ", ".join("0x%04X" % c for c in BIG5_AMBIGUOUS)
           + " map to U+FFFD.",
           '#include "support.h"', "", 'extern "C" {', "",
           "const Big5Pair Big5Translation[Big5Codes + 1] = {"]
    for i in range(0, len(pairs), 4):
        out.append("    " + " ".join("{0x%04X, 0x%04X}," % p for p in pairs[i:i + 4]))
    out.append("    {0x0000, 0x0000},")
    out.append("};")
    out.append("")
    out.append('}  // extern "C"')
    return "\n".join(out) + "\n"


FILES = {
    "UTFLookupISO8859.cpp": iso8859_file,
    "UTFLookupISO6937.cpp": iso6937_file,
    "Big5Translation.cpp": big5_file,
}


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for name, make in FILES.items():
        path = os.path.join(HERE, name)
        text = make()
        if check:
            try:
                with open(path, encoding="utf-8") as f:
                    if f.read() != text:
                        stale.append(name)
            except FileNotFoundError:
                stale.append(name)
        else:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
    if stale:
        sys.exit("out of date (regenerate with %s): %s" % (COMMAND, ", ".join(stale)))


if __name__ == "__main__":
    main()
