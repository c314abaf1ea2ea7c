// Builds small ELF files for tests: a header and named sections with the
// given bytes, in either class, for any machine.
#ifndef STECKWART_TESTS_ELFWRITER_H
#define STECKWART_TESTS_ELFWRITER_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace elfwriter {

struct Section {
    std::string name;
    std::string bytes;
    uint32_t type = 1;  // SHT_PROGBITS
};

inline void put(std::string* out, size_t offset, uint64_t value, int size) {
    if (out->size() < offset + size) out->resize(offset + size, '\0');
    for (int i = 0; i < size; ++i) (*out)[offset + i] = static_cast<char>(value >> (8 * i));
}

// An ELF file of the given class (64-bit or not), machine and type with the
// sections in order after the null section; the name table comes last.
inline std::string build(bool is64, uint16_t machine, uint16_t type,
                         std::vector<Section> sections) {
    const size_t headerSize = is64 ? 64 : 52, entrySize = is64 ? 64 : 40;
    std::string names(1, '\0');
    std::vector<uint32_t> nameOffsets;
    sections.push_back({".shstrtab", "", 3});
    for (const Section& section : sections) {
        nameOffsets.push_back(static_cast<uint32_t>(names.size()));
        names += section.name + '\0';
    }
    sections.back().bytes = names;

    std::string file(headerSize, '\0');
    std::vector<uint64_t> offsets;
    for (const Section& section : sections) {
        offsets.push_back(file.size());
        file += section.bytes;
    }
    while (file.size() % 8) file += '\0';
    uint64_t tableOffset = file.size();
    size_t count = sections.size() + 1;
    file.resize(tableOffset + count * entrySize, '\0');
    for (size_t i = 0; i < sections.size(); ++i) {
        size_t at = tableOffset + (i + 1) * entrySize;
        put(&file, at, nameOffsets[i], 4);
        put(&file, at + 4, sections[i].type, 4);
        put(&file, at + (is64 ? 0x18 : 0x10), offsets[i], is64 ? 8 : 4);
        put(&file, at + (is64 ? 0x20 : 0x14), sections[i].bytes.size(), is64 ? 8 : 4);
    }
    file.replace(0, 4, "\x7F" "ELF");
    file[4] = is64 ? 2 : 1;
    file[5] = 1;  // little-endian
    file[6] = 1;
    put(&file, 16, type, 2);
    put(&file, 18, machine, 2);
    put(&file, 20, 1, 4);
    put(&file, is64 ? 0x28 : 0x20, tableOffset, is64 ? 8 : 4);
    put(&file, is64 ? 0x34 : 0x28, headerSize, 2);
    put(&file, is64 ? 0x3A : 0x2E, entrySize, 2);
    put(&file, is64 ? 0x3C : 0x30, count, 2);
    put(&file, is64 ? 0x3E : 0x32, count - 1, 2);
    return file;
}

// A valid 32-byte identification header, or one with the given magic and
// version.
inline std::string tapHeader(const std::string& magic = "TFAPMIPS", uint32_t version = 16) {
    std::string header(32, '\0');
    header.replace(0, magic.size(), magic);
    put(&header, 8, version, 4);
    return header;
}

}  // namespace elfwriter

#endif
