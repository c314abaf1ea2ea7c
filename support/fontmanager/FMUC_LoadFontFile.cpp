// FMUC_LoadFontFile: opens a UFNT font file from the font folder and loads
// its FontDef table into a font handle; glyph bitmaps are read later, on
// first use (FMUC_GetGlyphData).
//
// UFNT (little-endian): "UFNT", the glyph count N (32 bits), N FontDef
// entries of 12 bytes (code point, absolute bitmap offset, width, height),
// the bitmaps anywhere after.
//
// The name is reduced to its bare file name (ConvertPathType, kind 0) and
// looked up in FONT_FOLDER.  A file that cannot be opened is reported to the
// user in the message window, titled with the plug-in's program name; every
// other failure only goes to the log.  A file whose table does not fit in
// it (a count that is negative or larger than the file or Unicode can hold,
// or a table cut short) counts as an invalid header.  Names whose bare file name is
// longer than 104 bytes are refused (the message would not fit its line).
//
// Contract: 1 when loaded: the file stays open in File, FontDef holds the
// table, GlyphCache room for N entries, GlyphCacheCount is 0.  0 on any
// failure.  The handle is cleared first (a font it held is not released);
// after a failure it holds whatever was acquired up to the failing step,
// which FMUC_FreeFontFile releases.  Nothing is done for a null handle or
// a null or empty name.
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fontmanager_private.h"

namespace {

enum {
    NameLimit = 104,  // "failed to load " and the name fit 119 characters
    HeaderSize = 8,
    MostGlyphs = 0x110000,  // one per Unicode code point
};

// Opens the file read-only, never as descriptor 0 (which the handle reads
// as "no file"), and closed in programs the plug-in starts.
int OpenFontFile(const char* path) {
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file == 0) {
        int other = fcntl(file, F_DUPFD_CLOEXEC, 1);
        close(file);
        file = other;
    }
    return file;
}

}  // namespace

extern "C" int FMUC_LoadFontFile(const char* fontName, FontDataUC* font) {
    if (font) memset(font, 0, sizeof *font);
    if (!fontName || !*fontName || !font) return 0;

    char name[PATH_Capacity];
    name[0] = 0;
    ConvertPathType(fontName, name, PATH_Name);
    if (!name[0] || strlen(name) > NameLimit) {
        LogEntrySupLibPrintf(1, "FontManager UC: '%.40s' is no usable font file name", fontName);
        return 0;
    }
    char path[PATH_Capacity];
    TAP_SPrint(path, "%s%s", FONT_FOLDER, name);

    int file = OpenFontFile(path);
    if (file < 0) {
        char message[120];
        TAP_SPrint(message, "failed to load %s", name);
        LogEntrySupLibPrintf(1, "FontManager UC: %s", message);
        ShowMessageWin(__tap_program_name__, message, "Please install the font", 300);
        return 0;
    }
    font->File = file;

    uint8_t header[HeaderSize];
    struct stat info;
    int32_t count = 0;
    int valid = ReadExactly(file, header, HeaderSize) && memcmp(header, "UFNT", 4) == 0 &&
                fstat(file, &info) == 0;
    if (valid) {
        memcpy(&count, header + 4, 4);
        valid = count >= 0 && count <= MostGlyphs &&
                (uint64_t)count <= ((uint64_t)info.st_size - HeaderSize) / sizeof(FontDefEntry);
    }
    if (!valid) {
        LogEntrySupLibPrintf(1, "FontManager UC: '%s' has invalid header", name);
        close(file);
        font->File = 0;
        return 0;
    }
    font->FontDefCount = count;

    const uint32_t tableSize = (uint32_t)count * sizeof(FontDefEntry);
    font->FontDef = (FontDefEntry*)FMUC_ReserveMemory(TAG_FONTDEF, tableSize);
    if (!font->FontDef) {
        LogEntrySupLibPrintf(
            1, "FontManager UC: failed to allocate %d bytes for the FontDef table of '%s'",
            (int)tableSize, name);
        close(file);
        font->File = 0;
        return 0;
    }
    if (!ReadExactly(file, font->FontDef, tableSize)) {
        LogEntrySupLibPrintf(1, "FontManager UC: '%s' has invalid header", name);
        return 0;
    }
    font->GlyphCacheCount = 0;

    const uint32_t cacheSize = (uint32_t)count * sizeof(GlyphCacheEntry);
    font->GlyphCache = (GlyphCacheEntry*)FMUC_ReserveMemory(TAG_GLYPHCACHE, cacheSize);
    if (!font->GlyphCache) {
        LogEntrySupLibPrintf(
            1, "FontManager UC: failed to allocate %d bytes for the FontCache table of '%s'",
            (int)cacheSize, name);
        return 0;
    }
    return 1;
}
