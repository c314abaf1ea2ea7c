#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs (the files beside this script).

    fuzz/seeds/make-seeds.py

Each seed is a real-shaped input laid out the way the target reads it with
libFuzzer's FuzzedDataProvider: numbers from the end of the input, texts
from the front ("\\" followed by another byte ends a text of random
length), the rest as the main text.  Rerun it after changing the order in
which a target reads its input.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


class Seed:
    def __init__(self):
        self.front = b""
        self.back = []  # bytes in the order the provider takes them

    def text(self, value):
        """ConsumeRandomLengthString: the text, then its end mark."""
        self.front += value.replace(b"\\", b"\\\\") + b"\\x"
        return self

    def number(self, value, low, high):
        """ConsumeIntegralInRange(low, high), also ConsumeIntegral/ConsumeBool."""
        span, used, result = high - low, 0, value - low
        while used < 64 and (span >> used) > 0:
            used += 8
        for shift in range(used - 8, -8, -8):
            self.back.append((result >> shift) & 0xFF)
        return self

    def bytes(self, rest):
        return self.front + rest + bytes(reversed(self.back))


def write(target, name, data):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


U16, I32 = (0, 0xFFFF), (-2**31, 2**31 - 1)
U8, U32 = (0, 255), (0, 2**32 - 1)

# ---- xml_tags: capacity, name, answer --------------------------------------
check = (b'<?xml version="1.0" encoding="utf-8"?><SessionInfo><SID>0000000000000000</SID>'
         b'<Challenge>2a0b6f31</Challenge><BlockTime>0</BlockTime></SessionInfo>')
login = b"<SessionInfo>\n<SID>4c2c7e5d0a1f9b3e</SID>\n<Challenge>2a0b6f31</Challenge>\n</SessionInfo>\n"
write("xml_tags", "challenge", Seed().number(32, 0, 600).text(b"Challenge").bytes(check))
write("xml_tags", "sid", Seed().number(17, 0, 600).text(b"SID").bytes(login))
write("xml_tags", "nested", Seed().number(8, 0, 600).text(b"b").bytes(b"<a><b>1</b><b>2</b></a>"))
write("xml_tags", "empty", Seed().number(32, 0, 600).text(b"tsoll").bytes(b"<tsoll></tsoll>"))

# ---- device_list: settings byte, list ---------------------------------------
with open(os.path.join(ROOT, "tools", "routersim", "devices.xml"), "rb") as f:
    devices = f.read()
write("device_list", "router-8k", bytes([0]) + devices[:8192])
write("device_list", "router-all-kinds", bytes([0x0F]) + devices)
write("device_list", "groups", bytes([0x04]) + b'<devicelist version="1">'
      b'<device identifier="08761 0000434" id="17" functionbitmask="35712" fwversion="04.25" '
      b'manufacturer="Musterwerk" productname="MW Dose 200"><present>1</present>'
      b'<name>Stehlampe</name><switch><state>1</state><mode>manuell</mode><lock>0</lock>'
      b'<devicelock>1</devicelock></switch><powermeter><power>1500</power><energy>1234</energy>'
      b'<voltage>230123</voltage></powermeter><temperature><celsius>215</celsius>'
      b'<offset>0</offset></temperature></device>'
      b'<group identifier="grp12-345" id="900" functionbitmask="4160" fwversion="1.0" '
      b'manufacturer="Musterwerk" productname=""><present>1</present><name>B\xc3\xbcro</name>'
      b'<hkr><tsoll>253</tsoll><lock>1</lock></hkr><groupinfo><members>16</members></groupinfo>'
      b'</group></devicelist>\n')

# ---- ini: key, length, default, minimum, maximum, file ----------------------
settings = (b"ip=192.168.178.1\r\nuser=anna\r\npwd=geheim\r\nshowsid=1\r\nsavexml=0\r\n"
            b"farbe=1\r\nx=40\r\ny=30\r\nhanfun=1\r\nrepeater=1\r\nfirstdevice=1\r\n")
write("ini", "settings", Seed().text(b"ip").number(64, 0, 200).number(0, *I32)
      .number(0, *I32).number(500, *I32).bytes(settings))
write("ini", "disabled-keys", Seed().text(b"x").number(64, 0, 200).number(7, *I32)
      .number(0, *I32).number(500, *I32)
      .bytes(b"#ip=a\nip=b\nindex=3\nx=600\r;savexml=1\r# savexml=1\ny=000000000042"))
write("ini", "dst", Seed().text(b"Rule").number(100, 0, 200).number(0, *I32).number(0, *I32)
      .number(3, *I32).bytes(b"[DST]\nRule=2\nStart=lastSun Mar 02:00\nEnd=lastSun Oct 03:00\n"))

# ---- strings: table, flags, index, count, capacity, insert, ending, text ----
def strings(text, table=9, flags=3, index=1, count=2, capacity=128, insert=b"...", ending=b".rec"):
    return (Seed().number(table, *U8).number(flags, *U8).number(index, -3, 300)
            .number(count, -3, 300).number(capacity, 0, 600).text(insert).text(ending).bytes(text))

write("strings", "latin1", strings(b"Ger\xe4t 21.5\xb0C"))
write("strings", "utf8", strings("Gärten Heizkörper Büro".encode()))
write("strings", "prefix-8859-2", strings(b"\x10\x00\x02Zlut\xfd k\xf9\xf2"))
write("strings", "prefix-8859-9", strings(b"\x05\xd0\xdd\xde"))
write("strings", "big5", strings(b"\x14\xa4\x40\xa3\xc0\xa1\xc3A"))
write("strings", "iso6937", strings(b"\xc8a\xcfS\xc2e", table=0))
write("strings", "controls", strings(b"a\nb\tc\x7f\x85:x*?.rec", flags=7))
write("strings", "utf8-prefix", strings("\x15Zürich".encode(), flags=4))

# ---- paths: wanted kind, path -----------------------------------------------
for name, kind, path in [("libc-folder", 1, b"/mnt/hd/ProgramFiles/Settings/Steckwart"),
                         ("firmware-file", 4, b"/ProgramFiles/Steckwart.ini"),
                         ("name", 3, b"Steckwart.ini"),
                         ("recording", 0, b"/a/film-3.rec.del"),
                         ("numbered", 2, b"/mnt/hd/DataFiles/film-12.rec"),
                         ("companion", 4, b"/mnt/hd/DataFiles/film.rec.inf"),
                         ("outside", 3, b"/tmp/x.ts"),
                         ("relative", 2, b"./Steckwart/../Fonts/")]:
    write("paths", name, Seed().number(kind, 0, 5).bytes(path))

# ---- putstring: x, y, maxX, colours, font, cut, alignment, intensity, text --
def putstring(text, x, y, max_x, font, align, foreground=0xFFFFFFFF, background=None, cut=0,
              intensity=None):
    seed = Seed().number(x, 0, 760).number(y, 0, 560).number(max_x, 0, 800)
    seed.number(foreground, *U32)
    seed.number(1 if background is None else 0, 0, 1)
    if background is not None:
        seed.number(background, *U32)
    seed.number(font, 0, 3).number(cut, *U8).number(align, *U8)
    seed.number(0 if intensity is None else 1, 0, 1)
    if intensity is not None:
        seed.number(struct.unpack("<I", struct.pack("<f", intensity))[0], *U32)
    return seed.bytes(text)

write("putstring", "title", putstring(b"Smart Home", 10, 0, 300, 3, 0))
write("putstring", "name-umlaut", putstring("Heizkörper Büro".encode(), 10, 50, 250, 2, 0))
write("putstring", "temperature-right", putstring(b"21.5\xb0C", 120, 80, 160, 0, 2))
write("putstring", "switch-centred", putstring(b"An", 250, 67, 290, 1, 1, 0xFF008000))
write("putstring", "error-cut", putstring(
    b"Ventilhub zu kurz oder Batterieleistung zu schwach. Ventilst\xf6\xdfel per Hand", 320, 110,
    600, 0, 0, cut=1))
write("putstring", "start-cut-opaque", putstring(b"N\xe4chste \xc4nderung: 24.12.2025", 600, 300,
                                                 700, 0, 0, background=0xFF192952, cut=2,
                                                 intensity=0.5))
write("putstring", "mark", putstring("e\u0301 at the edge".encode(), 700, 530, 800, 2, 1))

# ---- wget_log: running flag, log --------------------------------------------
head = (b"--2026-01-02 21:03:17--  http://127.0.0.1:8080/webservices/homeautoswitch.lua?"
        b"switchcmd=getdevicelistinfos&sid=4c2c7e5d0a1f9b3e\nConnecting to 127.0.0.1:8080... ")
write("wget_log", "saved", b"\x00" + head + b"connected.\nHTTP request sent, awaiting response... "
      b"200 OK\nLength: 812 [text/xml]\nSaving to: '/tmp/Dect.xml.part'\n\n"
      b"     0K                                                       100% 12.1M=0s\n\n"
      b"2026-01-02 21:03:17 (12.1 MB/s) - '/tmp/Dect.xml.part' saved [812/812]\n\n")
write("wget_log", "refused", b"\x01" + head + b"failed: Connection refused.\n")
write("wget_log", "forbidden", b"\x00" + head + b"connected.\nHTTP request sent, awaiting "
      b"response... 403 Forbidden\n2026-01-02 21:03:17 ERROR 403: Forbidden.\n\n")
write("wget_log", "no-ipv6", b"\x01--2026-01-02 21:03:17--  http://router.home/x\nResolving "
      b"router.home (router.home)... fd00::1, 192.168.178.1\nConnecting to router.home "
      b"(router.home)|fd00::1|:80... failed: Address family not supported by protocol.\n"
      b"Connecting to router.home (router.home)|192.168.178.1|:80... ")
write("wget_log", "timeout", b"\x00" + head + b"connected.\nHTTP request sent, awaiting "
      b"response... Read error (Connection timed out) in headers.\nGiving up.\n\n")
