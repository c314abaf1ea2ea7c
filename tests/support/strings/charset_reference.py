#!/usr/bin/env python3
"""Writes the reference the character-table test compares with.

    python3 charset_reference.py OUTPUT

Made with converters other than the tables' own sources: Python's ISO 8859
codecs, and the C library's iconv modules ISO_6937 and BIG5 (its compiled
converters, not the character maps the tables come from).  The ISO 6937
lines are the broadcast character table 00: iconv's values with the
corrections in BROADCAST_TABLE_00 below.  Lines:
    8859 PART BYTE CODE     CODE 0: the part leaves BYTE undefined
    6937 BYTE CODE          a diacritic BYTE gives its combining character
    6937pair B1 B2 CODE     a diacritic and a letter forming one character
    big5 BIG5CODE CODE      CODE 0: not assigned
all numbers in hexadecimal.
"""
import ctypes
import ctypes.util
import sys
import unicodedata

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p),
                       ctypes.POINTER(ctypes.c_size_t), ctypes.POINTER(ctypes.c_char_p),
                       ctypes.POINTER(ctypes.c_size_t)]

# Where the broadcast standard's table 00 (its figure of the Latin table)
# differs from ISO 6937 as iconv converts it, with iconv's value and the
# standard's.  The standard puts the euro sign at 0xA4, which ISO 6937 leaves
# unused; its 0xD0 is the horizontal bar, and its 0xE2 the capital D with
# stroke (whose small letter is 0xF2), where iconv has the em dash and the
# capital eth.  iconv's value is checked, so that a change there is seen.
BROADCAST_TABLE_00 = {
    0xA4: (0x0000, 0x20AC),
    0xD0: (0x2014, 0x2015),
    0xE2: (0x00D0, 0x0110),
}


class Iconv:
    def __init__(self, encoding):
        self.handle = libc.iconv_open(b"UTF-32LE", encoding.encode())
        if self.handle in (None, ctypes.c_void_p(-1).value):
            sys.exit("iconv cannot convert from " + encoding)

    def decode(self, data):
        """The text data converts to, or None when it does not convert whole."""
        libc.iconv(self.handle, None, None, None, None)
        source = ctypes.create_string_buffer(data, len(data))
        target = ctypes.create_string_buffer(64)
        source_pointer = ctypes.c_char_p(ctypes.addressof(source))
        target_pointer = ctypes.c_char_p(ctypes.addressof(target))
        source_left = ctypes.c_size_t(len(data))
        target_left = ctypes.c_size_t(64)
        result = libc.iconv(self.handle, ctypes.byref(source_pointer), ctypes.byref(source_left),
                            ctypes.byref(target_pointer), ctypes.byref(target_left))
        if result == ctypes.c_size_t(-1).value or source_left.value != 0:
            return None
        # Flush a character the converter may still hold back.
        libc.iconv(self.handle, None, None, ctypes.byref(target_pointer), ctypes.byref(target_left))
        return target.raw[:64 - target_left.value].decode("utf-32-le")


def single(text):
    return ord(text) if text is not None and len(text) == 1 else 0


def main():
    lines = []
    for part in [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16]:
        for byte in range(0xA0, 0x100):
            try:
                code = single(bytes([byte]).decode("iso8859_%d" % part))
            except UnicodeDecodeError:
                code = 0
            lines.append("8859 %d %02X %04X" % (part, byte, code))

    iso6937 = Iconv("ISO_6937")
    letters = [c for c in range(0x41, 0x7B) if chr(c).isalpha()]
    for byte in range(0xA0, 0x100):
        code = single(iso6937.decode(bytes([byte])))
        if 0xC1 <= byte <= 0xCF:
            # A diacritic alone does not convert: its combining character is
            # what it adds to the letters it forms characters with.
            for letter in letters:
                composed = single(iso6937.decode(bytes([byte, letter])))
                if composed:
                    decomposed = unicodedata.normalize("NFD", chr(composed))
                    if len(decomposed) == 2 and decomposed[0] == chr(letter):
                        code = ord(decomposed[1])
                        break
                    code = 0
        if byte in BROADCAST_TABLE_00:
            iconv_code, broadcast_code = BROADCAST_TABLE_00[byte]
            if code != iconv_code:
                sys.exit("iconv's ISO_6937 gives U+%04X for %02X, not U+%04X: review "
                         "BROADCAST_TABLE_00" % (code, byte, iconv_code))
            code = broadcast_code
        lines.append("6937 %02X %04X" % (byte, code))
    for byte in range(0xC0, 0xD0):
        for letter in letters:
            code = single(iso6937.decode(bytes([byte, letter])))
            if code:
                lines.append("6937pair %02X %02X %04X" % (byte, letter, code))

    big5 = Iconv("BIG5")
    for lead in list(range(0xA1, 0xC8)) + list(range(0xC9, 0xFA)):
        for trail in list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)):
            code = single(big5.decode(bytes([lead, trail])))
            lines.append("big5 %04X %04X" % (lead << 8 | trail, code))

    with open(sys.argv[1], "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
