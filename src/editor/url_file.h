#pragma once
// Reading an Internet shortcut in bounded steps: a huge one (50 MB without a line break) froze the editor
// for a minute and took more than a gigabyte when it was read and decoded whole.
#include <cstddef>
#include <string>
#include <string_view>

namespace vorlix {

// Finds, in bytes taken step by step, the first line that begins with "URL=" once leading spaces are
// skipped (a line ends at LF, CR or CR LF), holding at most a bounded part of any line.
class UrlLineFinder {
public:
    // Takes the next bytes of the file; false once the address line has ended and no more are needed.
    bool take(std::string_view bytes);
    // After the last bytes: the address line (the text of the address comes from addressOfUrlFile), or
    // nothing when no line begins with "URL=" or the first such line is too long to give an address.
    std::string finish();

private:
    bool endLine(); // true when the line that ended is the address line
    std::string line_;       // the start of the current line, at most HeldBytes
    bool overlong_ = false;  // the current line is longer than what is held
    bool found_ = false;
};

// The bytes of an Internet shortcut's address line, read in steps from the file opened for reading
// exclusively; empty when it has none (see UrlLineFinder). false when the file cannot be opened.
bool readUrlFileAddressLine(const std::u16string& path, std::string& line);

} // namespace vorlix
