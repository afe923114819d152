// The registry tracer: a small debugger loop with software breakpoints.
#include "registry_tracer.h"

namespace {

constexpr BYTE kInt3 = 0xCC;
constexpr DWORD kTrapFlag = 0x100;

const wchar_t* const kTracedFunctions[] = {L"RegOpenKeyExW", L"RegCreateKeyExW", L"RegQueryValueExW",
                                           L"RegSetValueExW"};

// The function's code as this process sees it; the traced process maps the
// same system DLLs at the same places (checked before arming).
BYTE* LocalAddress(const wchar_t* function)
{
    char name[64] = {};
    for (int i = 0; function[i] && i < 63; ++i) name[i] = static_cast<char>(function[i]);
    HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    return advapi ? reinterpret_cast<BYTE*>(GetProcAddress(advapi, name)) : nullptr;
}

}  // namespace

RegistryTracer::~RegistryTracer()
{
    if (thread_.joinable()) thread_.join();
}

bool RegistryTracer::Start(const std::wstring& exe, int showCommand, PROCESS_INFORMATION* info)
{
    thread_ = std::thread(&RegistryTracer::Run, this, exe, showCommand);
    std::unique_lock<std::mutex> lock(mutex_);
    started_.wait(lock, [&] { return startDone_; });
    if (!startOk_) return false;
    // Handles of its own for the caller; the debugger closes the ones the
    // debug events carry.
    HANDLE self = GetCurrentProcess();
    *info = info_;
    DuplicateHandle(self, info_.hProcess, self, &info->hProcess, 0, FALSE, DUPLICATE_SAME_ACCESS);
    DuplicateHandle(self, info_.hThread, self, &info->hThread, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return true;
}

std::vector<RegistryCall> RegistryTracer::Calls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

bool RegistryTracer::Armed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return armed_;
}

bool RegistryTracer::ReadDword(const void* address, DWORD* value) const
{
    SIZE_T got = 0;
    return ReadProcessMemory(info_.hProcess, address, value, sizeof *value, &got) && got == sizeof *value;
}

bool RegistryTracer::ReadPointer(const void* address, uintptr_t* value) const
{
    SIZE_T got = 0;
    return ReadProcessMemory(info_.hProcess, address, value, sizeof *value, &got) && got == sizeof *value;
}

std::wstring RegistryTracer::ReadWideString(const void* address) const
{
    std::wstring text;
    if (!address) return text;
    const auto* at = static_cast<const wchar_t*>(address);
    for (int i = 0; i < 512; ++i) {
        wchar_t c = 0;
        SIZE_T got = 0;
        if (!ReadProcessMemory(info_.hProcess, at + i, &c, sizeof c, &got) || c == 0) break;
        text.push_back(c);
    }
    return text;
}

void RegistryTracer::ArmBreakpoints()
{
    for (Breakpoint& b : breakpoints_) {
        if (b.armed || !b.address) continue;
        // Only where the traced process has the very same code.
        BYTE theirs[16] = {};
        SIZE_T got = 0;
        if (!ReadProcessMemory(info_.hProcess, b.address, theirs, sizeof theirs, &got) ||
            got != sizeof theirs || memcmp(theirs, b.address, sizeof theirs) != 0)
            continue;
        b.original = theirs[0];
        SIZE_T put = 0;
        if (WriteProcessMemory(info_.hProcess, b.address, &kInt3, 1, &put) && put == 1) {
            FlushInstructionCache(info_.hProcess, b.address, 1);
            b.armed = true;
        }
    }
    bool all = true;
    for (const Breakpoint& b : breakpoints_) all = all && b.armed;
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = all;
}

bool RegistryTracer::OnBreakpoint(DWORD threadId, BYTE* address)
{
    Breakpoint* hit = nullptr;
    for (Breakpoint& b : breakpoints_)
        if (b.armed && b.address == address) hit = &b;
    if (!hit) return false;

    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId);
    if (!thread) return true;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    GetThreadContext(thread, &context);
    // On entry: the return address and the first six arguments, as this
    // build's calling convention passes them (32-bit: all on the stack after
    // the return address; 64-bit: four in registers, the rest on the stack
    // above the callee's 32-byte home area).
    uintptr_t stack[7] = {};
#ifdef _WIN64
    ReadPointer(reinterpret_cast<const void*>(context.Rsp), &stack[0]);
    stack[1] = context.Rcx;
    stack[2] = context.Rdx;
    stack[3] = context.R8;
    stack[4] = context.R9;
    ReadPointer(reinterpret_cast<const void*>(context.Rsp + 0x28), &stack[5]);
    ReadPointer(reinterpret_cast<const void*>(context.Rsp + 0x30), &stack[6]);
    stack[4] &= 0xFFFFFFFF;  // DWORD arguments: the register's upper half is not theirs
    stack[6] &= 0xFFFFFFFF;
#else
    for (int i = 0; i < 7; ++i) ReadPointer(reinterpret_cast<const void*>(context.Esp + 4 * i), &stack[i]);
#endif
    BYTE* caller = reinterpret_cast<BYTE*>(stack[0]);
    if (caller >= imageStart_ && caller < imageEnd_) {
        RegistryCall call;
        call.function = hit->function;
        // Second argument: the sub key of open and create, the value name of
        // query and set.
        call.name = ReadWideString(reinterpret_cast<const void*>(stack[2]));
        if (call.function == L"RegSetValueExW") {
            call.type = static_cast<DWORD>(stack[4]);
            call.size = static_cast<DWORD>(stack[6]);
            if (stack[5] && call.size >= 4) ReadDword(reinterpret_cast<const void*>(stack[5]), &call.firstDword);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(call);
    }
    // Run the original instruction once, then put the breakpoint back.
    SIZE_T put = 0;
    WriteProcessMemory(info_.hProcess, hit->address, &hit->original, 1, &put);
    FlushInstructionCache(info_.hProcess, hit->address, 1);
#ifdef _WIN64
    context.Rip = reinterpret_cast<DWORD64>(hit->address);
#else
    context.Eip = reinterpret_cast<DWORD>(hit->address);
#endif
    context.EFlags |= kTrapFlag;
    SetThreadContext(thread, &context);
    CloseHandle(thread);
    stepping_ = hit;
    return true;
}

void RegistryTracer::OnSingleStep(DWORD)
{
    if (!stepping_) return;
    SIZE_T put = 0;
    WriteProcessMemory(info_.hProcess, stepping_->address, &kInt3, 1, &put);
    FlushInstructionCache(info_.hProcess, stepping_->address, 1);
    stepping_ = nullptr;
}

void RegistryTracer::Run(std::wstring exe, int showCommand)
{
    for (const wchar_t* f : kTracedFunctions) breakpoints_.push_back({f, LocalAddress(f), 0, false});

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    std::wstring commandLine = L"\"" + exe + L"\"";
    const bool ok = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                   DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &info_) != 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        startDone_ = true;
        startOk_ = ok;
    }
    started_.notify_all();
    if (!ok) return;

    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, INFINITE)) break;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT: {
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            imageStart_ = static_cast<BYTE*>(event.u.CreateProcessInfo.lpBaseOfImage);
            IMAGE_DOS_HEADER dos = {};
            IMAGE_NT_HEADERS nt = {};
            SIZE_T got = 0;
            if (ReadProcessMemory(info_.hProcess, imageStart_, &dos, sizeof dos, &got) &&
                ReadProcessMemory(info_.hProcess, imageStart_ + dos.e_lfanew, &nt, sizeof nt, &got))
                imageEnd_ = imageStart_ + nt.OptionalHeader.SizeOfImage;
            ArmBreakpoints();
            break;
        }
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            ArmBreakpoints();
            break;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode == EXCEPTION_BREAKPOINT) {
                ArmBreakpoints();
                OnBreakpoint(event.dwThreadId, static_cast<BYTE*>(record.ExceptionAddress));
            } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP) {
                OnSingleStep(event.dwThreadId);
            } else {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        }
        default:
            break;
        }
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exited) break;
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}
