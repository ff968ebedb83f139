#pragma once
// A cheap look at the structure of a program or library before the system reads its icons: a truncated one
// (an interrupted copy is enough) crashes the system's icon extraction under Wine.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vorlix {

// Reads the bytes of the file at [offset, offset + count) into bytes: fewer where the file ends. false when
// the file cannot be read at all.
using ReadFileBytes = std::function<bool(std::int64_t offset, std::size_t count, std::string& bytes)>;

enum class ProgramFileVerdict {
    NotProgram, // no "MZ" at its start, or a 16-bit program: not judged here
    Sound,
    Damaged, // its headers, section table or icon resources reach outside the file or make no sense
};

// Judges a file of fileSize bytes through the few reads it asks for: the DOS and PE headers, the section
// table, the resource section's place in the file and, as far as a short walk goes, the entries of the
// resource directory that lead to icons.
ProgramFileVerdict judgeProgramFile(std::int64_t fileSize, const ReadFileBytes& read);

// A program or library (known by its first bytes, whatever its name) of fileSize bytes that the icon
// extraction must not be given. A file that cannot be read is not judged: the extraction finds nothing in
// it either.
bool programFileIsDamaged(const std::u16string& path, std::int64_t fileSize);

} // namespace vorlix
