// Process entry of Vorlix.exe: everything else comes from the command line, read by the core.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return vorlix::programMain(); }
