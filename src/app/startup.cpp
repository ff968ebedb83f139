#include "app/startup.h"

#include "app/app_state.h"

namespace vorlix {

int programMain() {
    resetAppState();
    return 0;
}

} // namespace vorlix
