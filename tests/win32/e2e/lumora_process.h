// Drives the real Lumora.exe from a test program in the same Wine prefix:
// starts it, finds its windows by process, sends it messages, waits for
// effects with timeouts and collects its exit code.
#pragma once
#include <windows.h>

#include <string>

// Polls `condition` every few milliseconds until it holds or `timeoutMs`
// passes; returns whether it held.
template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

class LumoraProcess {
public:
    LumoraProcess() = default;
    ~LumoraProcess();
    LumoraProcess(const LumoraProcess&) = delete;
    LumoraProcess& operator=(const LumoraProcess&) = delete;

    // Starts the exe with a show command; false when it could not start.
    bool Start(int showCommand = SW_SHOWNORMAL);
    // Waits for the visible main window ("Lumora-Hebrew" / "Lumora").
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    // A visible top-level dialog (#32770) of this process with `caption`.
    HWND FindDialog(const wchar_t* caption) const;
    HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs = 10000) const;
    // Text of a dialog's message (its static control 0xFFFF), via WM_GETTEXT.
    static std::wstring MessageText(HWND dialog);
    // Presses a dialog's button (BM_CLICK, posted so a modal loop can run).
    static void PressButton(HWND dialog, int id);

    // Posts a command, as menu, accelerator or toolbar would send it.
    void Command(int id) const;
    void Key(int virtualKey) const;
    // Closes the main window and waits for the process to end; its exit code,
    // or -1000 when it did not end in time.
    long CloseAndWait(DWORD timeoutMs = 15000);
    long WaitForExit(DWORD timeoutMs = 15000);

    HWND mainWindow() const { return mainWindow_; }
    DWORD processId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
    HWND mainWindow_ = nullptr;
};

// The registry key of the reader's settings, shared with the process under
// test (both run in one prefix).
namespace Registry {
void Clear();
void PutNumber(const wchar_t* name, DWORD value);
void PutText(const wchar_t* name, const wchar_t* text);
// The stored number, or `missing` when there is none or it is no DWORD.
long long Number(const wchar_t* name, long long missing = -1);
bool Has(const wchar_t* name);
std::wstring Text(const wchar_t* name);
}  // namespace Registry

// Saves the window's pixels (from the screen) as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::wstring& path);
