#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

// Lists folder with patterns into app.folderItems, sorted; true when "/noext" asks for names without
// their extensions.
bool listFolder(std::u16string_view folder, std::u16string_view patterns);
// Display form of a listed name under "/noext".
std::u16string nameWithoutExtension(std::u16string_view name);

// Sorts names by their lower-cased forms (ordinal on UTF-16 code units); equal names keep their order.
void sortFolderNames(std::vector<std::u16string>& names);

} // namespace vorlix
