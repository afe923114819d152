// Plain allocation failures in LumoraFaults.exe: the standard allocator
// failing for chosen parts of the reader's code, which must carry on with
// what they do without memory (no text for a run, no view, no font).
//   LUMORA_FAIL_MALLOC_IN=B-E[,B-E...]  every malloc and calloc called from
//                           code between these offsets from the module's base
//                           (hex; from the link map) returns nothing;
//   LUMORA_MALLOC_LOG=FILE  gets one byte for each allocation made to fail,
//                           so that a test can tell its code was reached.
// Calls are caught in the module's import table, so the code under test is
// the reader's own, unchanged.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using MallocFunction = void*(__cdecl*)(size_t);
using CallocFunction = void*(__cdecl*)(size_t, size_t);

MallocFunction g_malloc = nullptr;
CallocFunction g_calloc = nullptr;

struct Range {
    uintptr_t begin, end;
};
Range g_ranges[32];
int g_rangeCount = 0;
uintptr_t g_base = 0;
wchar_t g_logPath[MAX_PATH];

bool FailsFrom(void* returnAddress)
{
    const uintptr_t offset = reinterpret_cast<uintptr_t>(returnAddress) - g_base;
    for (int i = 0; i < g_rangeCount; ++i) {
        if (offset >= g_ranges[i].begin && offset < g_ranges[i].end) {
            // Written without the C runtime, which may itself allocate.
            HANDLE log = CreateFileW(g_logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_ALWAYS, 0, nullptr);
            if (log != INVALID_HANDLE_VALUE) {
                DWORD written;
                WriteFile(log, "x", 1, &written, nullptr);
                CloseHandle(log);
            }
            return true;
        }
    }
    return false;
}

void* __cdecl FailingMalloc(size_t size)
{
    return FailsFrom(__builtin_return_address(0)) ? nullptr : g_malloc(size);
}

void* __cdecl FailingCalloc(size_t count, size_t size)
{
    return FailsFrom(__builtin_return_address(0)) ? nullptr : g_calloc(count, size);
}

bool ReadRanges()
{
    char text[1024];
    const DWORD n = GetEnvironmentVariableA("LUMORA_FAIL_MALLOC_IN", text, sizeof text);
    if (n == 0 || n >= sizeof text) return false;
    for (char* p = text; *p && g_rangeCount < 32;) {
        char* end;
        const uintptr_t begin = std::strtoull(p, &end, 16);
        if (*end != '-') break;
        g_ranges[g_rangeCount++] = {begin, static_cast<uintptr_t>(std::strtoull(end + 1, &p, 16))};
        if (*p == ',') ++p;
    }
    GetEnvironmentVariableW(L"LUMORA_MALLOC_LOG", g_logPath, MAX_PATH);
    return g_rangeCount > 0;
}

// Points the import table's malloc and calloc at the failing versions.
void PatchImports()
{
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
    g_base = reinterpret_cast<uintptr_t>(base);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
         ++dll) {
        if (!dll->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            void* replacement = nullptr;
            if (std::strcmp(name, "malloc") == 0) {
                g_malloc = reinterpret_cast<MallocFunction>(slots->u1.Function);
                replacement = reinterpret_cast<void*>(FailingMalloc);
            } else if (std::strcmp(name, "calloc") == 0) {
                g_calloc = reinterpret_cast<CallocFunction>(slots->u1.Function);
                replacement = reinterpret_cast<void*>(FailingCalloc);
            }
            if (!replacement) continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<uintptr_t>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
        }
    }
}

const bool g_patched = ReadRanges() ? (PatchImports(), true) : false;

}  // namespace
