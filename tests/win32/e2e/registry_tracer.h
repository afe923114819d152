// Runs Lumora.exe under the test program as its debugger and records the
// registry calls made by the exe's own code: a breakpoint on the entry of
// each registry function, the caller's return address to tell the exe's
// calls from those of the system DLLs, and the arguments read from the stack.
//
// The order of the settings written at exit, and that a refused start reads
// no setting at all, can be seen no other way from outside the process.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "lumora_process.h"

class RegistryTracer {
public:
    RegistryTracer() = default;
    ~RegistryTracer();
    RegistryTracer(const RegistryTracer&) = delete;
    RegistryTracer& operator=(const RegistryTracer&) = delete;

    // Starts `exe` under the debugger thread; fills `info` (the handles stay
    // the caller's to close). False when it could not start.
    bool Start(const std::wstring& exe, int showCommand, PROCESS_INFORMATION* info);
    std::vector<RegistryCall> Calls() const;
    // Whether every breakpoint was set: without them no call is seen, and
    // "no call" would prove nothing.
    bool Armed() const;

private:
    struct Breakpoint {
        const wchar_t* function;
        BYTE* address;
        BYTE original;
        bool armed;
    };

    void Run(std::wstring exe, int showCommand);
    void ArmBreakpoints();
    bool OnBreakpoint(DWORD threadId, BYTE* address);
    void OnSingleStep(DWORD threadId);
    std::wstring ReadWideString(const void* address) const;
    bool ReadDword(const void* address, DWORD* value) const;
    bool ReadPointer(const void* address, uintptr_t* value) const;

    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable started_;
    bool startDone_ = false;
    bool startOk_ = false;
    PROCESS_INFORMATION info_ = {};
    BYTE* imageStart_ = nullptr;
    BYTE* imageEnd_ = nullptr;
    std::vector<Breakpoint> breakpoints_;
    Breakpoint* stepping_ = nullptr;  // re-armed after the single step
    std::vector<RegistryCall> calls_;
    bool armed_ = false;
};
