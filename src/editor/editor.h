#pragma once
#include <cstdint>

namespace vorlix {

// The configuration editor on app.entries; returns 0 when it has closed.
int runEditor(std::int64_t startIndex);

} // namespace vorlix
