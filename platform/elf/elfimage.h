// Reads what the recorder's loader and our checks need from an ELF file:
// the header (class, byte order, machine, type), the sections by name, the
// needed libraries and the dynamic symbols.
//
// Both classes (ELF32 for the recorder's MIPS images, ELF64 for host images)
// and little-endian files only.  Every offset and size in the file is checked
// against the file's length before it is used, so a truncated or malformed
// file gives an error text, never a read past the end.
#ifndef STECKWART_ELFIMAGE_H
#define STECKWART_ELFIMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace elfimage {

enum : uint16_t {
    kTypeShared = 3,   // ET_DYN
    kMachineMips = 8,  // EM_MIPS
    kMachineX86_64 = 62,
};

struct Section {
    std::string name;
    uint32_t type = 0;
    uint64_t offset = 0;  // in the file; 0 and size 0 for sections without file data
    uint64_t size = 0;
};

struct Symbol {
    std::string name;
    bool defined = false;
    bool weak = false;
};

struct Image {
    bool is64 = false;
    uint16_t type = 0;
    uint16_t machine = 0;
    std::vector<Section> sections;
    std::vector<std::string> needed;         // DT_NEEDED entries, in order
    std::vector<Symbol> dynamicSymbols;      // .dynsym without its null entry
    std::vector<uint8_t> bytes;              // the whole file

    const Section* find(const std::string& name) const;
    // The bytes of a section with file data; empty when there is none.
    std::string contents(const Section& section) const;
};

// Reads the file at path.  On failure returns false and sets error to a
// sentence that names what is wrong; image is then unspecified.
bool read(const std::string& path, Image* image, std::string* error);
// The same for bytes already in memory.
bool parse(std::vector<uint8_t> bytes, Image* image, std::string* error);

// A readable name of a machine number ("MIPS", "x86-64", "machine 40").
std::string machineName(uint16_t machine);

}  // namespace elfimage

#endif
