// The one decompression failure the user is told of directly.
#include <windows.h>
#include "lessons/lesson_store.h"

void ReportDecompressionError()
{
    // No owner and no caption: the system's default caption.
    MessageBoxW(nullptr, L"UnCompress() buffer error!", nullptr, MB_OK);
}
