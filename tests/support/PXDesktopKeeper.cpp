// Keeps the Wine prefix's desktop up for a whole test run.
//
// Wine starts the desktop process (explorer.exe) when the first program of
// a prefix asks for the desktop window, and that process inherits the
// program's standard output. Started by the first window test, it would
// hold ctest's output pipe of that test open until the last window of the
// run is gone, and ctest waits for the pipe: the test seems to run for the
// whole run and ends in its time-out. The test script starts this program
// before the tests, with its output elsewhere, so that the desktop is
// there already; it waits until the script ends the prefix's processes.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!GetDesktopWindow())
        return 1;
    Sleep(INFINITE);
    return 0;
}
