// Host builds have no window to tell: failures are only counted for tests.
#include "shell/alloc_or_abort.h"

int g_outOfMemoryReports = 0;

void ReportOutOfMemory()
{
    ++g_outOfMemoryReports;
}
