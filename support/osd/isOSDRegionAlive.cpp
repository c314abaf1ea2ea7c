// isOSDRegionAlive: whether a region exists, judged by its size in the
// firmware's region table.
//
// Contract: 1 when both width and height are non-zero, else 0 (also when the
// table cannot be found).  The height is not asked when the width is 0.
#include "support.h"

extern "C" int isOSDRegionAlive(uint32_t region) {
    return GetOSDRegionWidth(region) != 0 && GetOSDRegionHeight(region) != 0;
}
