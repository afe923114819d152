// AllocOrAbort of LumoraFaults.exe, the reader built for fault-injection
// tests (never shipped). It replaces the core's AllocOrAbort at link time.
//   LUMORA_ALLOC_LOG=FILE   appends "CALL SITE SIZE" for every call, SITE
//                           being the caller's return address less the
//                           module's base, so a test can tell the sites apart;
//   LUMORA_FAIL_ALLOC=N     the N-th call (from 1) fails as if memory had
//                           run out: the reader's own reaction follows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "shell/alloc_or_abort.h"

namespace {

long g_calls = 0;

long FailingCall()
{
    char value[32];
    const DWORD n = GetEnvironmentVariableA("LUMORA_FAIL_ALLOC", value, sizeof value);
    return n > 0 && n < sizeof value ? std::strtol(value, nullptr, 10) : 0;
}

void Log(long call, const void* returnAddress, size_t size)
{
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("LUMORA_ALLOC_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    if (FILE* f = std::fopen(path, "a")) {
        const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
        std::fprintf(f, "%ld 0x%lx %lu\n", call,
                     static_cast<unsigned long>(reinterpret_cast<uintptr_t>(returnAddress) - base),
                     static_cast<unsigned long>(size));
        std::fclose(f);
    }
}

}  // namespace

void* AllocOrAbort(size_t size)
{
    const long call = ++g_calls;
    Log(call, __builtin_return_address(0), size);
    void* block = call == FailingCall() ? nullptr : std::malloc(size ? size : 1);
    if (!block) ReportOutOfMemory();
    return block;
}
