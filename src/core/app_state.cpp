#include "core/app_state.h"

namespace vorlix {

AppState app;

void resetAppState() { app = AppState{}; }

} // namespace vorlix
