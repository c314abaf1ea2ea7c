// ELF reader for plug-in images: header, sections, needed libraries and
// dynamic symbols, with every access checked against the file's length.
#include "elfimage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace elfimage {
namespace {

constexpr uint32_t kSectionDynamicSymbols = 11;  // SHT_DYNSYM
constexpr uint32_t kSectionDynamic = 6;          // SHT_DYNAMIC
constexpr uint32_t kSectionNoBits = 8;           // SHT_NOBITS: no file data
constexpr uint64_t kTagNeeded = 1;               // DT_NEEDED

// Bounds-checked little-endian reads from the file.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool has(uint64_t offset, uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    uint64_t word(uint64_t offset, int size) const {
        uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes_[offset + i];
        return value;
    }
    // A zero-terminated string that must end inside [begin, end).
    bool string(uint64_t begin, uint64_t end, uint64_t at, std::string* out) const {
        if (end > bytes_.size() || at < begin || at >= end) return false;
        const void* zero = std::memchr(&bytes_[at], 0, end - at);
        if (!zero) return false;
        out->assign(reinterpret_cast<const char*>(&bytes_[at]),
                    static_cast<const uint8_t*>(zero) - &bytes_[at]);
        return true;
    }

private:
    const std::vector<uint8_t>& bytes_;
};

bool fail(std::string* error, const std::string& text) {
    *error = text;
    return false;
}

bool readSections(const Reader& file, Image* image, std::string* error) {
    const bool is64 = image->is64;
    uint64_t tableOffset = file.word(is64 ? 0x28 : 0x20, is64 ? 8 : 4);
    uint64_t entrySize = file.word(is64 ? 0x3A : 0x2E, 2);
    uint64_t count = file.word(is64 ? 0x3C : 0x30, 2);
    uint64_t namesIndex = file.word(is64 ? 0x3E : 0x32, 2);
    if (count == 0) return fail(error, "it has no section table");
    if (entrySize < (is64 ? 64u : 40u)) return fail(error, "its section table entries are too small");
    if (!file.has(tableOffset, count * entrySize))
        return fail(error, "its section table lies outside the file (truncated?)");
    if (namesIndex >= count) return fail(error, "its section name table is missing");

    struct Raw {
        uint32_t name, type;
        uint64_t offset, size, link;
    };
    std::vector<Raw> raw;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t at = tableOffset + i * entrySize;
        Raw entry;
        entry.name = static_cast<uint32_t>(file.word(at, 4));
        entry.type = static_cast<uint32_t>(file.word(at + 4, 4));
        entry.offset = file.word(at + (is64 ? 0x18 : 0x10), is64 ? 8 : 4);
        entry.size = file.word(at + (is64 ? 0x20 : 0x14), is64 ? 8 : 4);
        entry.link = file.word(at + (is64 ? 0x28 : 0x18), 4);
        if (entry.type == kSectionNoBits || entry.type == 0) {
            entry.offset = 0;
            entry.size = 0;
        } else if (!file.has(entry.offset, entry.size)) {
            return fail(error, "section " + std::to_string(i) + " lies outside the file (truncated?)");
        }
        raw.push_back(entry);
    }
    const Raw& names = raw[namesIndex];
    for (uint64_t i = 0; i < count; ++i) {
        Section section;
        if (!file.string(names.offset, names.offset + names.size, names.offset + raw[i].name,
                         &section.name))
            return fail(error, "section " + std::to_string(i) + " has a broken name");
        section.type = raw[i].type;
        section.offset = raw[i].offset;
        section.size = raw[i].size;
        image->sections.push_back(section);
    }

    // Dynamic symbols and needed libraries, each with the string table its
    // section links to.
    for (const Raw& section : raw) {
        if (section.type != kSectionDynamicSymbols && section.type != kSectionDynamic) continue;
        if (section.link >= count) return fail(error, "a dynamic section links to no string table");
        const Raw& strings = raw[section.link];
        uint64_t stringsEnd = strings.offset + strings.size;
        if (section.type == kSectionDynamicSymbols) {
            uint64_t size = is64 ? 24 : 16;
            for (uint64_t at = section.offset + size; at + size <= section.offset + section.size;
                 at += size) {
                Symbol symbol;
                uint64_t info = file.word(at + (is64 ? 4 : 12), 1);
                uint64_t sectionIndex = file.word(at + (is64 ? 6 : 14), 2);
                if (!file.string(strings.offset, stringsEnd, strings.offset + file.word(at, 4),
                                 &symbol.name))
                    return fail(error, "a dynamic symbol has a broken name");
                symbol.defined = sectionIndex != 0;
                symbol.weak = (info >> 4) == 2;
                image->dynamicSymbols.push_back(symbol);
            }
        } else {
            uint64_t size = is64 ? 16 : 8;
            for (uint64_t at = section.offset; at + size <= section.offset + section.size;
                 at += size) {
                uint64_t tag = file.word(at, is64 ? 8 : 4);
                if (tag == 0) break;
                if (tag != kTagNeeded) continue;
                std::string name;
                uint64_t value = file.word(at + size / 2, is64 ? 8 : 4);
                if (!file.string(strings.offset, stringsEnd, strings.offset + value, &name))
                    return fail(error, "a needed library has a broken name");
                image->needed.push_back(name);
            }
        }
    }
    return true;
}

}  // namespace

const Section* Image::find(const std::string& name) const {
    for (const Section& section : sections)
        if (section.name == name) return &section;
    return nullptr;
}

std::string Image::contents(const Section& section) const {
    if (section.size == 0) return std::string();
    return std::string(reinterpret_cast<const char*>(bytes.data() + section.offset), section.size);
}

bool parse(std::vector<uint8_t> bytes, Image* image, std::string* error) {
    *image = Image();
    image->bytes = std::move(bytes);
    Reader file(image->bytes);
    if (!file.has(0, 16) || std::memcmp(image->bytes.data(), "\x7F" "ELF", 4) != 0)
        return fail(error, "it is not an ELF file");
    uint8_t elfClass = image->bytes[4], order = image->bytes[5];
    if (elfClass != 1 && elfClass != 2) return fail(error, "its ELF class is unknown");
    if (order != 1) return fail(error, "it is a big-endian ELF file");
    image->is64 = elfClass == 2;
    if (!file.has(0, image->is64 ? 64 : 52)) return fail(error, "its ELF header is truncated");
    image->type = static_cast<uint16_t>(file.word(16, 2));
    image->machine = static_cast<uint16_t>(file.word(18, 2));
    return readSections(file, image, error);
}

bool read(const std::string& path, Image* image, std::string* error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail(error, "it cannot be opened: " + std::string(std::strerror(errno)));
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool failed = std::ferror(file);
    std::fclose(file);
    if (failed) return fail(error, "it cannot be read");
    return parse(std::move(bytes), image, error);
}

std::string machineName(uint16_t machine) {
    switch (machine) {
    case kMachineMips: return "MIPS";
    case kMachineX86_64: return "x86-64";
    case 3: return "i386";
    case 40: return "ARM";
    case 183: return "AArch64";
    default: return "machine " + std::to_string(machine);
    }
}

}  // namespace elfimage
