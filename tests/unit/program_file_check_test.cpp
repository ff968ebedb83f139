#include <gtest/gtest.h>

#include "library_file.h"
#include "popup/program_file_check.h"

using namespace vorlix;
using testing_support::libraryFile;
namespace lib = testing_support::library;

namespace {

struct Judged {
    ProgramFileVerdict verdict;
    std::size_t bytesRead = 0;
};

Judged judge(const std::string& file) {
    Judged j{};
    j.verdict = judgeProgramFile(static_cast<std::int64_t>(file.size()),
                                 [&](std::int64_t offset, std::size_t count, std::string& bytes) {
                                     const auto at = static_cast<std::size_t>(offset);
                                     bytes = at < file.size() ? file.substr(at, count) : "";
                                     j.bytesRead += bytes.size();
                                     return true;
                                 });
    return j;
}

std::string with(std::string bytes, std::size_t at, std::uint32_t value, int count = 4) {
    testing_support::putNumber(bytes, at, value, count);
    return bytes;
}

} // namespace

TEST(ProgramFileCheck, TruncatedOrInconsistentLibrariesAreDamaged) {
    using enum ProgramFileVerdict;
    const std::string good = libraryFile();
    const std::size_t iconData = lib::ResourceSection + lib::IconDataEntry;
    struct Row {
        const char* name;
        std::string bytes;
        ProgramFileVerdict verdict;
    };
    const Row rows[] = {
        {"a valid library", good, Sound},
        {"with more after its sections", good + std::string(5000, 'x'), Sound},
        {"no resources at all", with(good, lib::PeHeader + 24 + 112 + 16, 0), Sound},
        {"the first two bytes", good.substr(0, 2), Damaged},
        {"inside the DOS header", good.substr(0, 40), Damaged},
        {"before the PE header", good.substr(0, lib::PeHeader), Damaged},
        {"inside the optional header", good.substr(0, lib::PeHeader + 100), Damaged},
        {"inside the section table", good.substr(0, lib::SectionTable + 50), Damaged},
        {"the first kilobyte", good.substr(0, 1024), Damaged},
        {"inside the resources", good.substr(0, lib::ResourceSection + 0x90), Damaged},
        {"the last byte missing", good.substr(0, lib::Size - 1), Damaged},
        {"an icon's data past the end", with(good, iconData + 4, 0x1000), Damaged},
        {"an icon's data outside every section", with(good, iconData, 0x9000), Damaged},
        {"a directory past its section", with(good, lib::ResourceSection + lib::IconTypeEntry + 4, 0x80000000 | 0x1F8),
         Damaged},
        {"a type that holds data, not names", with(good, lib::ResourceSection + lib::IconTypeEntry + 4, 0x80), Damaged},
        {"a resource directory outside the sections", with(good, lib::PeHeader + 24 + 112 + 16, 0x7000), Damaged},
        {"thousands of sections claimed", with(good, lib::PeHeader + 6, 0xFFFF, 2), Damaged},
        {"not a PE optional header", with(good, lib::PeHeader + 24, 0x1234, 2), Damaged},
        {"a 16-bit program", with(good, lib::PeHeader, 'N' | 'E' << 8, 2), NotProgram},
        {"an icon file", std::string("\0\0\1\0\1\0", 6), NotProgram},
        {"a text file", "MY NOTES", NotProgram},
    };
    for (const Row& r : rows) EXPECT_EQ(judge(r.bytes).verdict, r.verdict) << r.name;
}

TEST(ProgramFileCheck, AHugeLibraryIsNotReadWhole) {
    std::string big = libraryFile();
    const std::size_t rsrcHeader = lib::SectionTable + 40;
    const std::uint32_t huge = 50u << 20;
    big = with(with(big, rsrcHeader + 8, huge), rsrcHeader + 16, huge);
    big.resize(lib::ResourceSection + huge, '\0');
    const Judged j = judge(big);
    EXPECT_EQ(j.verdict, ProgramFileVerdict::Sound);
    EXPECT_LE(j.bytesRead, 80u * 1024) << "the headers and a short walk of the resources";
}
