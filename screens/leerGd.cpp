// The value plate: the 42 x 22 image behind a thermostat's target and a
// switch's state on the list screen, in the firmware's packed ARGB format
// (run-length words, tap.h), written out row by row.
//
// A black face inside a one-pixel grey rim with cut corners.  Black gives
// every value colour of the list its best contrast (green 0xFF008000 about
// 4:1, red and grey above 5:1); the rim shows the plate on the list's
// near-black background, and the transparent corners keep the row beneath
// (plain or highlighted), since the plate is drawn as a sprite.
#include "screens.h"

namespace {

const uint32_t Clear = 0x00000000;  // alpha 0: skipped by the sprite mode
const uint32_t Rim = 0xFF8C8C8C;
const uint32_t Face = 0xFF000000;

}  // namespace

// A run of n pixels of one colour: the 16-bit control word 0x8000 | n, then
// the colour, both little-endian.
#define RUN(n, colour)                                                              \
    (uint8_t)((n) & 0xFF), (uint8_t)(0x80 | ((n) >> 8)), (uint8_t)((colour) & 0xFF), \
        (uint8_t)(((colour) >> 8) & 0xFF), (uint8_t)(((colour) >> 16) & 0xFF),     \
        (uint8_t)((colour) >> 24)

#define TOP_ROW RUN(2, Clear), RUN(38, Rim), RUN(2, Clear)
#define CORNER_ROW RUN(1, Clear), RUN(1, Rim), RUN(38, Face), RUN(1, Rim), RUN(1, Clear)
#define FACE_ROW RUN(1, Rim), RUN(40, Face), RUN(1, Rim)

extern "C" {

extern const uint8_t _leerCpm[LeerCpmSize] = {
    TOP_ROW,     // row 0
    CORNER_ROW,  // row 1
    FACE_ROW,    // rows 2 … 19
    FACE_ROW,    FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW,
    FACE_ROW,    FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW, FACE_ROW,
    FACE_ROW,
    CORNER_ROW,  // row 20
    TOP_ROW,     // row 21
};

extern const TAP_GraphicData _leerGd = {
    GrData_Version, 0, GrData_RunLength, GrData_ARGB8888, _leerCpm,
    LeerWidth * LeerHeight * 4, LeerWidth, LeerHeight,
};
}

#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(TAP_GraphicData) == 16, "the image descriptor is 16 bytes on the recorder");
#endif
