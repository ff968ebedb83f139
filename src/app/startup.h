#pragma once

namespace vorlix {

// The whole program run after process start; returns the process exit code (always 0).
int programMain();

} // namespace vorlix
