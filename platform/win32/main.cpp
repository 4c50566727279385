#include <windows.h>

#include "app/app.h"

// The program takes no command-line arguments.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(); }
