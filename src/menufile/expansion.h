#pragma once
// Environment variables and relative paths in command texts.
#include <string>
#include <string_view>

namespace vorlix {

// Expands %NAME% variables, then deletes every remaining pair of "%" signs with what stands between them.
std::u16string expandVariables(std::u16string_view text);
// Expands variables (undefined ones stay) and completes the result against the current directory.
std::u16string resolvePath(std::u16string_view text);

} // namespace vorlix
