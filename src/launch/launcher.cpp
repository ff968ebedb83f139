#include "launch/launcher.h"

#include "app/app_state.h"

namespace vorlix {

// Placeholder until launching is built: nothing is started.
int launchEntry(std::int64_t, int) { return Quit; }

void launchFolderItem(std::int64_t) {}

} // namespace vorlix
