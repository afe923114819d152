// Functions of system DLLs that only a few commands use (page setup, opening
// a web page), bound when first called instead of when the program loads:
// under Wine each DLL loaded at start, with the DLLs it imports in turn,
// costs start-up time the reader would rather spend showing the lesson.
#pragma once
#include <windows.h>

// The function `name` of the system DLL `dll` (loaded from the system folder
// only, never from the program's or the current folder), or nullptr.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunctionAs(const wchar_t* dll, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}
