#pragma once
// The icons a file holds (a program, a library, an icon library or an icon file), for choosing one of them.
#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

// How many icons the file holds (ExtractIconExW with index -1); 0 for none or a file that cannot be read.
int fileIconCount(const std::u16string& file);
// The small (16 x 16) icons 0 .. count - 1 of the file, in one ExtractIconExW call; a place stays 0 where
// none came out. The caller owns and destroys every icon that is not 0.
std::vector<IconHandle> extractSmallIcons(const std::u16string& file, int count);

} // namespace platform
