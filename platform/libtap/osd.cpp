// Host firmware: OSD regions and the composed TV screen.
//
// A region is an ARGB8888 buffer; every drawing call is clipped to it.  The
// region table is the exported _osdInfo, indexed by region number, 16 bytes an
// entry with the width at byte 4 and the height at byte 6.  TAP_Osd_Sync
// blends the visible regions, in creation order, over a TV-picture background
// into the 720 x 576 screen the viewer sees.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "firmware.h"
#include "osd.h"
#include "tapsim.h"

namespace {

struct OsdInfoEntry {
    uint16_t x;
    uint16_t y;
    uint16_t width;
    uint16_t height;
    uint16_t flags;
    uint16_t inUse;
    uint32_t creationOrder;
};
static_assert(sizeof(OsdInfoEntry) == 16, "a region table entry is 16 bytes");
static_assert(offsetof(OsdInfoEntry, width) == 4 && offsetof(OsdInfoEntry, height) == 6,
              "width at byte 4, height at byte 6");

constexpr int kRegionCount = 256;  // numbers TAP_FirstRegion … 255 are handed out
// Every 16-bit region number has a table entry (all zero when unused), so
// plug-ins may look any number up.
constexpr int kTableEntries = 0x10000;
constexpr uint32_t kMaxRegionSide = 4096;

std::vector<uint32_t> regionPixels[kRegionCount];
uint32_t nextCreationOrder = 1;
int planeTransparency = -1;

// Image and box calls that reached beyond their region (tapsim.h).
std::atomic<uint64_t> drawsBeyondRegion{0};

void noteBox(uint16_t region, int64_t x, int64_t y, int64_t width, int64_t height) {
    if (x < 0 || y < 0 || x + width > osd::width(region) || y + height > osd::height(region))
        ++drawsBeyondRegion;
}

std::mutex screenMutex;
std::vector<uint32_t> screen;  // composed at the last TAP_Osd_Sync
uint64_t frameNumber = 0;

}  // namespace

extern "C" {
FIRMWARE_INTERNAL OsdInfoEntry _osdInfo[kTableEntries];
}

namespace {

// The picture the OSD lies over: a calm, fixed pattern, so that what the
// plug-in leaves transparent can be seen in snapshots.
uint32_t tvPicture(uint32_t x, uint32_t y) {
    uint32_t blue = 0x30 + (y * 0x40) / TAP_ScreenHeight;
    uint32_t green = 0x20 + (x * 0x30) / TAP_ScreenWidth;
    uint32_t stripe = ((x / 48 + y / 48) % 2) ? 0x08 : 0;
    return 0xFF000000u | ((0x18 + stripe) << 16) | ((green + stripe) << 8) | (blue + stripe);
}

uint32_t blendOver(uint32_t source, uint32_t destination, uint32_t planeAlpha) {
    uint32_t alpha = ((source >> 24) * planeAlpha + 127) / 255;
    if (alpha == 0) return destination;
    if (alpha == 255) return source | 0xFF000000u;
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        uint32_t s = (source >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

bool decodeRun(const uint8_t*& data, const uint8_t* end, uint32_t* out, uint32_t room,
               uint32_t* produced) {
    if (end - data < 2) return false;
    uint16_t control = static_cast<uint16_t>(data[0] | (data[1] << 8));
    data += 2;
    uint32_t count = control & 0x7FFF;
    if (count == 0 || count > room) return false;
    auto word = [](const uint8_t* p) {
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    };
    if (control & 0x8000) {
        if (end - data < 4) return false;
        std::fill(out, out + count, word(data));
        data += 4;
    } else {
        if (static_cast<size_t>(end - data) / 4 < count) return false;
        for (uint32_t i = 0; i < count; ++i, data += 4) out[i] = word(data);
    }
    *produced = count;
    return true;
}

}  // namespace

namespace osd {

bool regionExists(uint16_t region) {
    return region < kRegionCount && _osdInfo[region].inUse;
}

uint32_t* pixels(uint16_t region) { return regionPixels[region].data(); }
uint32_t width(uint16_t region) { return _osdInfo[region].width; }
uint32_t height(uint16_t region) { return _osdInfo[region].height; }

// Decodes a packed image into width x height words; false when malformed.
bool unpack(const TAP_GraphicData* image, std::vector<uint32_t>* out) {
    if (!image || !image->data || image->version != GrData_Version ||
        image->compression != GrData_RunLength || image->pixelFormat != GrData_ARGB8888)
        return false;
    uint64_t total = uint64_t{image->width} * image->height;
    if (total == 0 || total > uint64_t{kMaxRegionSide} * kMaxRegionSide ||
        image->size != total * 4)
        return false;
    out->assign(total, 0);
    // The packed length is not recorded; a run may read at most what the
    // largest possible packing of this many pixels takes.
    const uint8_t* data = image->data;
    const uint8_t* end = data + 2 + static_cast<size_t>(total) * 6;
    for (uint32_t done = 0; done < total;) {
        uint32_t produced = 0;
        if (!decodeRun(data, end, out->data() + done, total - done, &produced)) return false;
        done += produced;
    }
    return true;
}

}  // namespace osd

extern "C" {

int TAP_Osd_Create(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint8_t paletteIndex,
                   int flags) {
    (void)paletteIndex;  // ARGB regions have no palette
    if (width == 0 || height == 0 || width > kMaxRegionSide || height > kMaxRegionSide ||
        x > 0xFFFF || y > 0xFFFF)
        return -1;
    for (int region = TAP_FirstRegion; region < kRegionCount; ++region) {
        if (_osdInfo[region].inUse) continue;
        _osdInfo[region] = {static_cast<uint16_t>(x),      static_cast<uint16_t>(y),
                            static_cast<uint16_t>(width),  static_cast<uint16_t>(height),
                            static_cast<uint16_t>(flags),  1,
                            nextCreationOrder++};
        regionPixels[region].assign(static_cast<size_t>(width) * height, 0);
        return region;
    }
    return -1;
}

int TAP_Osd_Delete(uint16_t region) {
    if (!osd::regionExists(region)) return -1;
    _osdInfo[region] = {};
    std::vector<uint32_t>().swap(regionPixels[region]);
    return 0;
}

int TAP_Osd_FillBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                    uint32_t colour) {
    if (!osd::regionExists(region)) return -1;
    uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    if (x >= regionWidth || y >= regionHeight) return 0;
    uint32_t right = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{x} + width, regionWidth));
    uint32_t bottom =
        static_cast<uint32_t>(std::min<uint64_t>(uint64_t{y} + height, regionHeight));
    uint32_t* base = osd::pixels(region);
    for (uint32_t row = y; row < bottom; ++row)
        std::fill(base + size_t{row} * regionWidth + x, base + size_t{row} * regionWidth + right,
                  colour);
    return 0;
}

void TAP_Osd_Sync(void) {
    std::vector<int> visible;
    for (int region = TAP_FirstRegion; region < kRegionCount; ++region)
        if (_osdInfo[region].inUse && !(_osdInfo[region].flags & OSD_Flag_OffScreen))
            visible.push_back(region);
    std::sort(visible.begin(), visible.end(), [](int a, int b) {
        return _osdInfo[a].creationOrder < _osdInfo[b].creationOrder;
    });
    uint32_t planeAlpha = planeTransparency < 0 ? 255 : static_cast<uint32_t>(planeTransparency);

    std::vector<uint32_t> composed(size_t{TAP_ScreenWidth} * TAP_ScreenHeight);
    for (uint32_t y = 0; y < TAP_ScreenHeight; ++y)
        for (uint32_t x = 0; x < TAP_ScreenWidth; ++x)
            composed[size_t{y} * TAP_ScreenWidth + x] = tvPicture(x, y);
    for (int region : visible) {
        const OsdInfoEntry& info = _osdInfo[region];
        const uint32_t* source = regionPixels[region].data();
        for (uint32_t row = 0; row < info.height && info.y + row < TAP_ScreenHeight; ++row)
            for (uint32_t column = 0; column < info.width && info.x + column < TAP_ScreenWidth;
                 ++column) {
                uint32_t& target = composed[size_t{info.y + row} * TAP_ScreenWidth + info.x + column];
                target = blendOver(source[size_t{row} * info.width + column], target, planeAlpha);
            }
    }
    std::lock_guard<std::mutex> lock(screenMutex);
    screen.swap(composed);
    ++frameNumber;
}

int TAP_Osd_SetTransparency(int plane, int level) {
    if (plane != 2) return -1;
    planeTransparency = level < 0 ? -1 : std::min(level, 255);
    return 0;
}

int TAP_Osd_PutGd(uint16_t region, int x, int y, const TAP_GraphicData* image, int sprite) {
    if (!osd::regionExists(region)) return -1;
    std::vector<uint32_t> unpacked;
    if (!osd::unpack(image, &unpacked)) return -1;
    noteBox(region, x, y, image->width, image->height);
    int64_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    uint32_t* base = osd::pixels(region);
    for (int row = 0; row < image->height; ++row) {
        int64_t targetY = int64_t{y} + row;
        if (targetY < 0 || targetY >= regionHeight) continue;
        for (int column = 0; column < image->width; ++column) {
            int64_t targetX = int64_t{x} + column;
            if (targetX < 0 || targetX >= regionWidth) continue;
            uint32_t pixel = unpacked[size_t(row) * image->width + column];
            if (sprite && (pixel >> 24) == 0) continue;
            base[targetY * regionWidth + targetX] = pixel;
        }
    }
    return 0;
}

void* TAP_Osd_SaveBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    if (!osd::regionExists(region) || width == 0 || height == 0 || width > kMaxRegionSide ||
        height > kMaxRegionSide)
        return nullptr;
    auto* block = static_cast<uint32_t*>(TAP_MemAlloc(width * height * 4));
    if (!block) return nullptr;
    noteBox(region, x, y, width, height);
    uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    const uint32_t* base = osd::pixels(region);
    for (uint32_t row = 0; row < height; ++row)
        for (uint32_t column = 0; column < width; ++column) {
            uint64_t sx = uint64_t{x} + column, sy = uint64_t{y} + row;
            block[size_t{row} * width + column] =
                sx < regionWidth && sy < regionHeight ? base[sy * regionWidth + sx] : 0;
        }
    return block;
}

void TAP_Osd_RestoreBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                        const void* block) {
    if (!osd::regionExists(region) || !block) return;
    noteBox(region, x, y, width, height);
    const auto* source = static_cast<const uint32_t*>(block);
    uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    uint32_t* base = osd::pixels(region);
    for (uint32_t row = 0; row < height; ++row) {
        uint64_t ty = uint64_t{y} + row;
        if (ty >= regionHeight) break;
        for (uint32_t column = 0; column < width; ++column) {
            uint64_t tx = uint64_t{x} + column;
            if (tx >= regionWidth) break;
            base[ty * regionWidth + tx] = source[size_t{row} * width + column];
        }
    }
}

int TAP_Osd_Copy(uint16_t source, uint16_t destination, uint32_t x, uint32_t y, uint32_t width,
                 uint32_t height, uint32_t destinationX, uint32_t destinationY, int sprite) {
    if (!osd::regionExists(source) || !osd::regionExists(destination)) return -1;
    uint32_t sw = osd::width(source), sh = osd::height(source);
    uint32_t dw = osd::width(destination), dh = osd::height(destination);
    if (x >= sw || y >= sh || destinationX >= dw || destinationY >= dh) return 0;
    uint32_t w = std::min({width, sw - x, dw - destinationX});
    uint32_t h = std::min({height, sh - y, dh - destinationY});
    // Through a copy, so that overlapping boxes of one region come out right.
    std::vector<uint32_t> box(size_t{w} * h);
    const uint32_t* from = osd::pixels(source);
    for (uint32_t row = 0; row < h; ++row)
        std::copy_n(from + size_t{y + row} * sw + x, w, box.data() + size_t{row} * w);
    uint32_t* to = osd::pixels(destination);
    for (uint32_t row = 0; row < h; ++row)
        for (uint32_t column = 0; column < w; ++column) {
            uint32_t pixel = box[size_t{row} * w + column];
            if (sprite && (pixel >> 24) == 0) continue;
            to[size_t{destinationY + row} * dw + destinationX + column] = pixel;
        }
    return 0;
}

uint64_t tapsim_CopyScreen(uint32_t* pixels) {
    std::lock_guard<std::mutex> lock(screenMutex);
    if (pixels) {
        if (screen.empty())
            std::memset(pixels, 0, sizeof(uint32_t) * TAP_ScreenWidth * TAP_ScreenHeight);
        else
            std::memcpy(pixels, screen.data(), screen.size() * sizeof(uint32_t));
    }
    return frameNumber;
}

uint32_t* tapsim_RegionPixels(uint16_t region, uint32_t* width, uint32_t* height) {
    if (!osd::regionExists(region)) return nullptr;
    if (width) *width = osd::width(region);
    if (height) *height = osd::height(region);
    return osd::pixels(region);
}

int tapsim_RegionCount(void) {
    int count = 0;
    for (int region = TAP_FirstRegion; region < kRegionCount; ++region)
        count += _osdInfo[region].inUse ? 1 : 0;
    return count;
}

int tapsim_Transparency(void) { return planeTransparency; }

uint64_t tapsim_DrawsBeyondRegion(void) { return drawsBeyondRegion; }

}  // extern "C"
