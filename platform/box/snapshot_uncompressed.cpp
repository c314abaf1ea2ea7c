// PNG images of the composed screen without compression, for the box
// flavour's boxsim: the recorder's cross libraries have no libpng or zlib.
// The zlib stream holds the rows in deflate's stored blocks (RFC 1950/1951),
// so any PNG reader shows the same pixels as libpng's smaller files.
#include <algorithm>
#include <array>
#include <vector>

#include "snapshot.h"

namespace boxsim {
namespace {

constexpr size_t kStoredBlockLimit = 65535;  // a stored block's 16-bit length

const std::array<uint32_t, 256>& crcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

uint32_t crc32(const std::string& bytes, size_t start) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = start; i < bytes.size(); ++i)
        c = crcTable()[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& bytes) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(std::string* out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(value >> shift));
}

// Length, type, data and the CRC of type and data.
void appendChunk(std::string* png, const char* type, const std::string& data) {
    putBigEndian(png, static_cast<uint32_t>(data.size()));
    size_t typeStart = png->size();
    png->append(type, 4);
    png->append(data);
    putBigEndian(png, crc32(*png, typeStart));
}

}  // namespace

bool encodePng(const uint32_t* pixels, uint32_t width, uint32_t height, int compression,
               std::string* png) {
    (void)compression;
    png->clear();
    if (width == 0 || height == 0) return false;

    // Each row: filter type 0 (none), then RGB.
    std::vector<uint8_t> rows;
    rows.reserve((size_t{width} * 3 + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t pixel = pixels[size_t{y} * width + x];
            rows.push_back(static_cast<uint8_t>(pixel >> 16));
            rows.push_back(static_cast<uint8_t>(pixel >> 8));
            rows.push_back(static_cast<uint8_t>(pixel));
        }
    }

    // zlib header (deflate, 32K window, no dictionary, check bits), stored
    // blocks, Adler-32 of the rows.
    std::string zlib = "\x78\x01";
    for (size_t at = 0; at < rows.size(); at += kStoredBlockLimit) {
        size_t length = std::min(kStoredBlockLimit, rows.size() - at);
        bool last = at + length == rows.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<char>(length & 0xFF));
        zlib.push_back(static_cast<char>(length >> 8));
        zlib.push_back(static_cast<char>(~length & 0xFF));
        zlib.push_back(static_cast<char>((~length >> 8) & 0xFF));
        zlib.append(reinterpret_cast<const char*>(&rows[at]), length);
    }
    putBigEndian(&zlib, adler32(rows));

    std::string header;
    putBigEndian(&header, width);
    putBigEndian(&header, height);
    // 8 bits per channel, RGB, deflate, filter method 0, no interlace.
    header += std::string("\x08\x02\x00\x00\x00", 5);

    *png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", "");
    return true;
}

}  // namespace boxsim
