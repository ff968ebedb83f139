#pragma once
// A small but complete 64-bit library for the tests of the icon sources: DOS and PE headers, two sections,
// and a resource section holding one icon and its group, each as type, name and language directories.
#include <cstdint>
#include <string>

namespace testing_support {

namespace library {
constexpr std::size_t PeHeader = 0x40;
constexpr std::size_t SectionTable = 0x148; // after the 240-byte optional header
constexpr std::size_t ResourceSection = 0x400;
constexpr std::size_t Size = 0x600;
// In the resource section: the root directory, then a name and a language directory per type, then the
// two data descriptions and the data.
constexpr std::size_t IconTypeEntry = 0x10;
constexpr std::size_t IconDataEntry = 0x80;
} // namespace library

// GCC 12 follows these writes, inlined, into a copy of a short string and warns of an overflow that cannot
// happen (the string has grown by then); the writes are bounds-checked all the same.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overflow"
inline void putNumber(std::string& bytes, std::size_t at, std::uint32_t value, int count = 4) {
    for (int i = 0; i < count; ++i) bytes.at(at + static_cast<std::size_t>(i)) = static_cast<char>(value >> (8 * i) & 0xFF);
}
#pragma GCC diagnostic pop

inline std::string libraryFile() {
    using namespace library;
    std::string b(Size, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    putNumber(b, 0x3C, PeHeader);
    b.replace(PeHeader, 4, std::string("PE\0\0", 4));
    putNumber(b, PeHeader + 4, 0x8664, 2); // x64
    putNumber(b, PeHeader + 6, 2, 2);      // sections
    putNumber(b, PeHeader + 20, 240, 2);   // optional header bytes
    const std::size_t optional = PeHeader + 24;
    putNumber(b, optional, 0x20B, 2);
    putNumber(b, optional + 108, 16); // data directories
    putNumber(b, optional + 112 + 2 * 8, 0x2000);
    putNumber(b, optional + 112 + 2 * 8 + 4, 0xE4);
    const std::uint32_t sections[2][3] = {{0x1000, 0x200, 0x200}, {0x2000, 0x200, ResourceSection}};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t at = SectionTable + 40 * i;
        b.replace(at, 5, i == 0 ? ".text" : ".rsrc");
        putNumber(b, at + 8, sections[i][1]);  // size when loaded
        putNumber(b, at + 12, sections[i][0]); // address
        putNumber(b, at + 16, sections[i][1]); // size in the file
        putNumber(b, at + 20, sections[i][2]); // place in the file
    }
    const std::size_t r = ResourceSection;
    const std::uint32_t Sub = 0x80000000;
    putNumber(b, r + 14, 2, 2); // root: two types by number
    putNumber(b, r + 0x10, 3);  // icons
    putNumber(b, r + 0x14, Sub | 0x20);
    putNumber(b, r + 0x18, 14); // icon groups
    putNumber(b, r + 0x1C, Sub | 0x38);
    const std::uint32_t directories[4][3] = {{0x20, 1, Sub | 0x50}, {0x38, 1, Sub | 0x68}, {0x50, 0x409, 0x80}, {0x68, 0x409, 0x90}};
    for (const auto& d : directories) {
        putNumber(b, r + d[0] + 14, 1, 2);
        putNumber(b, r + d[0] + 16, d[1]);
        putNumber(b, r + d[0] + 20, d[2]);
    }
    putNumber(b, r + 0x80, 0x20A0); // the icon's image: a 40-byte bitmap header
    putNumber(b, r + 0x84, 40);
    putNumber(b, r + 0x90, 0x20D0); // the group: header and one 14-byte entry
    putNumber(b, r + 0x94, 20);
    putNumber(b, r + 0xA0, 40);
    putNumber(b, r + 0xD2, 1, 2);
    putNumber(b, r + 0xD4, 1, 2);
    return b;
}

} // namespace testing_support
