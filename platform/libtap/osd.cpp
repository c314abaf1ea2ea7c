// Host firmware: OSD regions and the composed TV screen.
//
// A region is an ARGB8888 buffer; every drawing call is clipped to it once
// and then fills or copies whole rows.  The region table is the exported
// _osdInfo, indexed by region number, 16 bytes an entry with the width at
// byte 4 and the height at byte 6.  TAP_Osd_Sync blends the visible regions,
// in creation order, over a TV-picture background into the 720 x 576 screen
// the viewer sees.  It composes only the screen's changed boxes: every call
// that writes a visible region's pixels notes its box (osd::noteChange).
//
// The firmware is as cheap as its calls allow, so that the plug-in's
// benchmarks measure the plug-in: a real firmware draws with the recorder's
// graphics hardware.
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

// Boxes of the screen that changed since the last composition, in screen
// coordinates; boxes that touch are merged, and when there are too many all
// become one.
struct Box {
    uint32_t left, top, right, bottom;  // right and bottom exclusive
};
constexpr int kMaxChanges = 16;
Box changes[kMaxChanges];
int changeCount = 0;
bool everythingChanged = true;  // nothing composed yet

bool touch(const Box& a, const Box& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

Box unite(const Box& a, const Box& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void noteScreenChange(Box box) {
    box.right = std::min<uint32_t>(box.right, TAP_ScreenWidth);
    box.bottom = std::min<uint32_t>(box.bottom, TAP_ScreenHeight);
    if (everythingChanged || box.left >= box.right || box.top >= box.bottom) return;
    for (int i = 0; i < changeCount; ++i)
        if (touch(changes[i], box)) {
            changes[i] = unite(changes[i], box);
            return;
        }
    if (changeCount < kMaxChanges) {
        changes[changeCount++] = box;
        return;
    }
    for (int i = 1; i < changeCount; ++i) box = unite(box, changes[i]);
    changes[0] = unite(changes[0], box);
    changeCount = 1;
}

// ARGB words are filled and copied a row at a time, in doublewords (two
// pixels) where source and destination are aligned alike.
#if defined(__mips__) && defined(__mips_hard_float)
// The recorder's processor moves a word with its integer registers and a
// doubleword with its floating-point ones; loads and stores pass the bits
// through unchanged and never trap.
typedef double __attribute__((may_alias)) Doubleword;
#else
typedef uint64_t __attribute__((may_alias)) Doubleword;
#endif
static_assert(sizeof(Doubleword) == 2 * sizeof(uint32_t), "a doubleword is two pixels");

bool isDoublewordAligned(const void* at) { return (reinterpret_cast<uintptr_t>(at) & 7) == 0; }

void fillRow(uint32_t* to, size_t count, uint32_t colour) {
    uint32_t* const end = to + count;
    if (count >= 8) {
        if (!isDoublewordAligned(to)) *to++ = colour;
        const uint64_t pair = uint64_t{colour} << 32 | colour;
        Doubleword twice;
        std::memcpy(&twice, &pair, sizeof twice);
        auto* at = reinterpret_cast<Doubleword*>(to);
        for (auto* stop = at + size_t(end - to) / 8 * 4; at != stop; at += 4)
            at[0] = at[1] = at[2] = at[3] = twice;
        to = reinterpret_cast<uint32_t*>(at);
    }
    while (to != end) *to++ = colour;
}

#if defined(__mips__)
// Copies count words eight at a time (all loads before the stores, so the
// compiler need not fear aliasing), the rest one by one; advances both.
template <typename Word>
void copyWords(Word*& to, const Word*& from, size_t count) {
    for (Word* stop = to + count / 8 * 8; to != stop; to += 8, from += 8) {
        const Word a = from[0], b = from[1], c = from[2], d = from[3];
        const Word e = from[4], f = from[5], g = from[6], h = from[7];
        to[0] = a;
        to[1] = b;
        to[2] = c;
        to[3] = d;
        to[4] = e;
        to[5] = f;
        to[6] = g;
        to[7] = h;
    }
    for (Word* stop = to + count % 8; to != stop;) *to++ = *from++;
}

void copyRow(uint32_t* to, const uint32_t* from, size_t count) {
    uint32_t* const end = to + count;
    if (count >= 8 && isDoublewordAligned(to) == isDoublewordAligned(from)) {
        if (!isDoublewordAligned(to)) *to++ = *from++;
        auto* at = reinterpret_cast<Doubleword*>(to);
        auto* source = reinterpret_cast<const Doubleword*>(from);
        copyWords(at, source, size_t(end - to) / 2);
        to = reinterpret_cast<uint32_t*>(at);
        from = reinterpret_cast<const uint32_t*>(source);
    }
    copyWords(to, from, size_t(end - to));
}
#else
// The PC's memcpy moves wider words than any loop here.
void copyRow(uint32_t* to, const uint32_t* from, size_t count) {
    std::memcpy(to, from, count * sizeof(uint32_t));
}
#endif

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

void noteChange(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    const OsdInfoEntry& info = _osdInfo[region];
    if ((info.flags & OSD_Flag_OffScreen) || width == 0 || height == 0) return;
    noteScreenChange({info.x + x, info.y + y, info.x + x + width, info.y + y + height});
}

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
        osd::noteChange(static_cast<uint16_t>(region), 0, 0, width, height);
        return region;
    }
    return -1;
}

int TAP_Osd_Delete(uint16_t region) {
    if (!osd::regionExists(region)) return -1;
    osd::noteChange(region, 0, 0, osd::width(region), osd::height(region));
    _osdInfo[region] = {};
    std::vector<uint32_t>().swap(regionPixels[region]);
    return 0;
}

int TAP_Osd_FillBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                    uint32_t colour) {
    if (!osd::regionExists(region)) return -1;
    uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    if (x >= regionWidth || y >= regionHeight) return 0;
    const uint32_t w = std::min(width, regionWidth - x), h = std::min(height, regionHeight - y);
    uint32_t* row = osd::pixels(region) + size_t{y} * regionWidth + x;
    for (uint32_t i = 0; i < h; ++i, row += regionWidth) fillRow(row, w, colour);
    osd::noteChange(region, x, y, w, h);
    return 0;
}

void TAP_Osd_Sync(void) {
    int visible[kRegionCount];
    int count = 0;
    for (int region = TAP_FirstRegion; region < kRegionCount; ++region)
        if (_osdInfo[region].inUse && !(_osdInfo[region].flags & OSD_Flag_OffScreen))
            visible[count++] = region;
    std::sort(visible, visible + count, [](int a, int b) {
        return _osdInfo[a].creationOrder < _osdInfo[b].creationOrder;
    });
    const uint32_t planeAlpha =
        planeTransparency < 0 ? 255 : static_cast<uint32_t>(planeTransparency);
    static std::vector<uint32_t> picture;  // the TV picture, made once
    if (picture.empty()) {
        picture.resize(size_t{TAP_ScreenWidth} * TAP_ScreenHeight);
        for (uint32_t y = 0; y < TAP_ScreenHeight; ++y)
            for (uint32_t x = 0; x < TAP_ScreenWidth; ++x)
                picture[size_t{y} * TAP_ScreenWidth + x] = tvPicture(x, y);
    }

    std::lock_guard<std::mutex> lock(screenMutex);
    if (everythingChanged) {
        screen.resize(picture.size());
        changes[0] = {0, 0, TAP_ScreenWidth, TAP_ScreenHeight};
        changeCount = 1;
        everythingChanged = false;
    }
    // Each changed box anew: the picture, then the regions over it.
    for (int c = 0; c < changeCount; ++c) {
        const Box& box = changes[c];
        for (uint32_t y = box.top; y < box.bottom; ++y)
            copyRow(&screen[size_t{y} * TAP_ScreenWidth + box.left],
                    &picture[size_t{y} * TAP_ScreenWidth + box.left], box.right - box.left);
        for (int v = 0; v < count; ++v) {
            const OsdInfoEntry& info = _osdInfo[visible[v]];
            const uint32_t left = std::max<uint32_t>(box.left, info.x);
            const uint32_t right = std::min<uint32_t>(box.right, info.x + info.width);
            const uint32_t top = std::max<uint32_t>(box.top, info.y);
            const uint32_t bottom = std::min<uint32_t>(box.bottom, info.y + info.height);
            const uint32_t* source = regionPixels[visible[v]].data();
            for (uint32_t y = top; y < bottom; ++y) {
                const uint32_t* from = source + size_t{y - info.y} * info.width + (left - info.x);
                uint32_t* to = &screen[size_t{y} * TAP_ScreenWidth];
                for (uint32_t x = left; x < right; ++x, ++from) {
                    // An opaque pixel of an opaque plane covers, a clear one
                    // leaves what is under it: the plug-in's usual pixels.
                    const uint32_t alpha = *from >> 24;
                    if (planeAlpha == 255 && (alpha == 255 || alpha == 0)) {
                        if (alpha) to[x] = *from;
                        continue;
                    }
                    to[x] = blendOver(*from, to[x], planeAlpha);
                }
            }
        }
    }
    changeCount = 0;
    ++frameNumber;
}

int TAP_Osd_SetTransparency(int plane, int level) {
    if (plane != 2) return -1;
    const int transparency = level < 0 ? -1 : std::min(level, 255);
    if (transparency != planeTransparency) everythingChanged = true;
    planeTransparency = transparency;
    return 0;
}

int TAP_Osd_PutGd(uint16_t region, int x, int y, const TAP_GraphicData* image, int sprite) {
    if (!osd::regionExists(region)) return -1;
    std::vector<uint32_t> unpacked;
    if (!osd::unpack(image, &unpacked)) return -1;
    noteBox(region, x, y, image->width, image->height);
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + image->width, osd::width(region));
    const int64_t bottom = std::min<int64_t>(int64_t{y} + image->height, osd::height(region));
    if (left >= right || top >= bottom) return 0;
    const uint32_t regionWidth = osd::width(region);
    for (int64_t ty = top; ty < bottom; ++ty) {
        const uint32_t* from = &unpacked[size_t(ty - y) * image->width + size_t(left - x)];
        uint32_t* to = osd::pixels(region) + ty * regionWidth + left;
        if (!sprite) {
            copyRow(to, from, size_t(right - left));
            continue;
        }
        for (int64_t tx = left; tx < right; ++tx, ++from, ++to)
            if (*from >> 24) *to = *from;
    }
    osd::noteChange(region, uint32_t(left), uint32_t(top), uint32_t(right - left),
                    uint32_t(bottom - top));
    return 0;
}

void* TAP_Osd_SaveBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    if (!osd::regionExists(region) || width == 0 || height == 0 || width > kMaxRegionSide ||
        height > kMaxRegionSide)
        return nullptr;
    const uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    // The block's rows start aligned as the region's, where they can.
    const uint32_t* corner = osd::pixels(region) + (y < regionHeight ? size_t{y} * regionWidth : 0) +
                             (x < regionWidth ? x : 0);
    auto* block = static_cast<uint32_t*>(firmware::allocateAlignedLike(width * height * 4, corner));
    if (!block) return nullptr;
    noteBox(region, x, y, width, height);
    // What lies outside the region reads as 0.
    const uint32_t inside = x < regionWidth ? std::min(width, regionWidth - x) : 0;
    const uint32_t rows = y < regionHeight ? std::min(height, regionHeight - y) : 0;
    uint32_t* to = block;
    for (uint32_t row = 0; row < height; ++row, to += width) {
        const uint32_t copied = row < rows ? inside : 0;
        if (copied) copyRow(to, osd::pixels(region) + size_t{y + row} * regionWidth + x, copied);
        if (copied < width) fillRow(to + copied, width - copied, 0);
    }
    return block;
}

void TAP_Osd_RestoreBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                        const void* block) {
    if (!osd::regionExists(region) || !block) return;
    noteBox(region, x, y, width, height);
    const uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    if (x >= regionWidth || y >= regionHeight) return;
    const uint32_t w = std::min(width, regionWidth - x), h = std::min(height, regionHeight - y);
    const auto* from = static_cast<const uint32_t*>(block);
    uint32_t* to = osd::pixels(region) + size_t{y} * regionWidth + x;
    for (uint32_t row = 0; row < h; ++row, from += width, to += regionWidth) copyRow(to, from, w);
    osd::noteChange(region, x, y, w, h);
}

int TAP_Osd_Copy(uint16_t source, uint16_t destination, uint32_t x, uint32_t y, uint32_t width,
                 uint32_t height, uint32_t destinationX, uint32_t destinationY, int sprite) {
    if (!osd::regionExists(source) || !osd::regionExists(destination)) return -1;
    uint32_t sw = osd::width(source), sh = osd::height(source);
    uint32_t dw = osd::width(destination), dh = osd::height(destination);
    if (x >= sw || y >= sh || destinationX >= dw || destinationY >= dh) return 0;
    uint32_t w = std::min({width, sw - x, dw - destinationX});
    uint32_t h = std::min({height, sh - y, dh - destinationY});
    const uint32_t* from = osd::pixels(source) + size_t{y} * sw + x;
    uint32_t* to = osd::pixels(destination) + size_t{destinationY} * dw + destinationX;
    // Overlapping boxes of one region come out as if copied through a
    // buffer: rows are taken in the order that reads each before it is
    // overwritten (and memmove within a row), or, for a sprite, through one.
    std::vector<uint32_t> buffer;
    if (source == destination && sprite) {
        buffer.resize(size_t{w} * h);
        for (uint32_t row = 0; row < h; ++row)
            copyRow(&buffer[size_t{row} * w], from + size_t{row} * sw, w);
        from = buffer.data();
        sw = w;
    }
    const bool overlap = source == destination && !sprite;
    const bool upwards = overlap && destinationY > y;
    for (uint32_t i = 0; i < h; ++i) {
        const uint32_t row = upwards ? h - 1 - i : i;
        const uint32_t* in = from + size_t{row} * sw;
        uint32_t* out = to + size_t{row} * dw;
        if (overlap) {
            std::memmove(out, in, size_t{w} * sizeof(uint32_t));
            continue;
        }
        if (!sprite) {
            copyRow(out, in, w);
            continue;
        }
        for (uint32_t column = 0; column < w; ++column)
            if (in[column] >> 24) out[column] = in[column];
    }
    osd::noteChange(destination, destinationX, destinationY, w, h);
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
    // The caller may write the pixels.
    osd::noteChange(region, 0, 0, osd::width(region), osd::height(region));
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
