// Helpers shared by the font manager's files (not part of the library's
// interface).
#ifndef STECKWART_SUPPORT_FONTMANAGER_PRIVATE_H
#define STECKWART_SUPPORT_FONTMANAGER_PRIVATE_H

#include <errno.h>
#include <unistd.h>

#include "support.h"

// The tags the font manager hands the allocation wrappers.
#define TAG_FONTDEF "FMUC_LoadFontFile FontDef"
#define TAG_GLYPHCACHE "FMUC_LoadFontFile GlyphCache"
#define TAG_GLYPHDATA "FMUC_GetGlyphData GlyphData"
#define TAG_FREE "FMUC_FreeFontFile"

// Reads exactly size bytes from the file's current position.  Returns 1, or
// 0 when the file ends early or cannot be read.
static inline int ReadExactly(int file, void* buffer, uint32_t size) {
    uint8_t* to = (uint8_t*)buffer;
    while (size > 0) {
        ssize_t got = read(file, to, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        to += got;
        size -= (uint32_t)got;
    }
    return 1;
}

#endif
