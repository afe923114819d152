// Reading files in the Win32 tests.
#include "test_files.h"

#include <windows.h>

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    out->assign(size, 0);
    DWORD got = 0;
    const bool ok = size == 0 || (ReadFile(file, out->data(), size, &got, nullptr) && got == size);
    CloseHandle(file);
    return ok;
}
