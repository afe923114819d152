// The out-of-memory message and the exit sequence that follows it.
#include <windows.h>

#include "shell/alloc_or_abort.h"
#include "shell/exit_sequence.h"

void ReportOutOfMemory()
{
    MessageBoxW(nullptr, L"There is not enough memory, aborting", L"Error", MB_ICONERROR | MB_OK);
    SaveAndQuit();
}
