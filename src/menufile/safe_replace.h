#pragma once
// Replacing a file's content on disk so that a crash at any moment leaves the old or the new bytes.
#include <string>
#include <string_view>

namespace vorlix {

// Makes bytes the content of the file at path, creating it when it is missing. The file is replaced in one
// step (a temporary beside it, written, flushed, closed and renamed over it, retried briefly while another
// program holds it); its hidden, system and not-indexed flags are kept. A symbolic link stays a link: the
// file that it finally leads to is replaced so, beside itself. A file with several names (hard links) is
// written in place, which is not atomic; when writing there fails, the old bytes are written back. A
// read-only file or a folder is refused. false when the bytes could not be written.
bool replaceFileContent(const std::u16string& path, std::string_view bytes);

} // namespace vorlix
