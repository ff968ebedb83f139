#pragma once
// File services used by the reader, the read-only test, the icon loader and the launcher.
// Writing the menu file has its own header (file_write.h).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The largest file read whole. A menu of 100,000 entries is about 4 MB; a file of gigabytes, read,
// decoded and split into entries, would take the machine's memory and freeze the program, so it is
// treated as a file that cannot be read.
constexpr std::int64_t MaxWholeReadBytes = std::int64_t{64} << 20;

// Opens for reading without sharing (fails while another process holds the file open) and reads the
// whole file. false when the open fails, the path is not a file on disk (a device such as COM1 or NUL
// is never opened for reading), the file is larger than MaxWholeReadBytes or a read fails on the way:
// part of a menu is no menu, and an editor that saved it would cut the file short.
bool readFileExclusive(std::u16string_view path, std::string& bytes);
// Opens like readFileExclusive and hands the file's bytes to take in steps of at most 64 KB, until its end
// or until take answers false, so a huge file is never held whole. false when the open fails.
bool readFileExclusiveInSteps(std::u16string_view path, const std::function<bool(std::string_view)>& take);

// Reads at most count bytes from the start of a file on disk, sharing it with every other user. false when
// it cannot be opened or is not a file on disk.
bool readFileStart(std::u16string_view path, std::size_t count, std::string& bytes);
// The same from offset on: fewer than count bytes where the file ends, none from past its end.
bool readFileAt(std::u16string_view path, std::int64_t offset, std::size_t count, std::string& bytes);

// Size of an existing file on disk, or one of these for anything else.
constexpr std::int64_t PathMissing = -1;
constexpr std::int64_t PathIsFolder = -2;
constexpr std::int64_t PathIsDevice = -3; // COM1.lst, \\.\NUL, a pipe: nothing to read or write a menu in
std::int64_t pathSizeOrKind(std::u16string_view path);

constexpr std::uint32_t AttributeReadOnly = 0x1;
constexpr std::uint32_t AttributeHidden = 0x2;
constexpr std::uint32_t AttributeSystem = 0x4;
constexpr std::uint32_t AttributeDirectory = 0x10;
constexpr std::uint32_t AttributeArchive = 0x20;
constexpr std::uint32_t AttributeReparsePoint = 0x400;
bool fileAttributes(std::u16string_view path, std::uint32_t& attributes);

// The volume named by the first two characters of path reports FILE_READ_ONLY_VOLUME.
bool volumeIsReadOnly(std::u16string_view path);

// Text in the system's ANSI code page.
std::u16string ansiToUtf16(std::string_view bytes);
// A character that the code page lacks becomes the system's default character.
std::string utf16ToAnsi(std::u16string_view text);

} // namespace platform
