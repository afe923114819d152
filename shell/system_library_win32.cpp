// System DLLs loaded on first use.
#include "shell/system_library_win32.h"

#include <cwchar>

FARPROC SystemFunction(const wchar_t* dll, const char* name)
{
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    if (folder == 0 || folder + 1 + wcslen(dll) >= MAX_PATH) return nullptr;
    path[folder] = L'\\';
    wcscpy(path + folder + 1, dll);
    // Loaded once and kept: the handle is never released, as an import's is not.
    HMODULE module = GetModuleHandleW(path);
    if (!module) module = LoadLibraryW(path);
    return module ? GetProcAddress(module, name) : nullptr;
}
