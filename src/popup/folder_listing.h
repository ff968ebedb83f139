#pragma once
#include <string>
#include <string_view>

namespace vorlix {

// Lists folder with patterns into app.folderItems, sorted; true when "/noext" asks for names without
// their extensions.
bool listFolder(std::u16string_view folder, std::u16string_view patterns);
// Display form of a listed name under "/noext".
std::u16string nameWithoutExtension(std::u16string_view name);

} // namespace vorlix
