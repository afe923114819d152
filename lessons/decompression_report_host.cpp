// Host builds have no message box: decompression failures are only counted,
// so that tests can see that the report was made.
#include "lessons/lesson_store.h"

int g_decompressionErrorReports = 0;

void ReportDecompressionError()
{
    ++g_decompressionErrorReports;
}
