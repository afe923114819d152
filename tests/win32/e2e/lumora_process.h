// Drives the real Lumora.exe from a test program in the same Wine prefix:
// starts it, finds its windows by process, sends it messages and real input,
// waits for effects with timeouts and collects its exit code.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Handles messages sent or posted to the test program's own windows, so that
// other processes that talk to them (activation, foreground changes) never
// wait on it.
void PumpMessages();

// Polls `condition` every few milliseconds until it holds or `timeoutMs`
// passes; returns whether it held. Keeps the test program's messages moving.
template <typename Condition>
bool PollUntil(Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

// A visible top-level window of the process with this class and, unless
// none is given, this caption; found without sending the process a message.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);

// One registry call made by Lumora.exe's own code (not by the system DLLs
// it uses), as a debugger sees it on entry.
struct RegistryCall {
    std::wstring function;  // "RegOpenKeyExW", "RegCreateKeyExW", "RegQueryValueExW", "RegSetValueExW"
    std::wstring name;      // the sub key (open, create) or the value name (query, set)
    DWORD type = 0;         // RegSetValueExW: the value's type
    DWORD size = 0;         // RegSetValueExW: the data size
    DWORD firstDword = 0;   // RegSetValueExW: the first four data bytes
};

class RegistryTracer;

// A client-area picture: rows of 0x00RRGGBB pixels.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
    bool empty() const { return rgb.empty(); }
    uint32_t at(int x, int y) const { return rgb[size_t(y) * width + x]; }
    bool operator==(const Pixels& o) const
    {
        return width == o.width && height == o.height && rgb == o.rgb;
    }
    bool operator!=(const Pixels& o) const { return !(*this == o); }
};

class LumoraProcess {
public:
    LumoraProcess();
    ~LumoraProcess();
    LumoraProcess(const LumoraProcess&) = delete;
    LumoraProcess& operator=(const LumoraProcess&) = delete;

    // Starts another build of the exe (a changed copy) instead of the one
    // under test; for Start and StartAndWait.
    void UseExe(const std::wstring& path) { exe_ = path; }
    // Starts the exe with a show command; false when it could not start.
    bool Start(int showCommand = SW_SHOWNORMAL);
    // Starts the exe and waits for its main window; none when either fails.
    HWND StartAndWait(int showCommand = SW_SHOWNORMAL);
    // Starts it under the test program as its debugger and records every
    // registry call its own code makes (see RegistryCalls).
    bool StartTraced(int showCommand = SW_SHOWNORMAL);
    // Waits for the visible main window ("Lumora-Hebrew" / "Lumora").
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    // A visible top-level dialog (#32770) of this process with `caption`.
    HWND FindDialog(const wchar_t* caption) const;
    HWND WaitForDialog(const wchar_t* caption, DWORD timeoutMs = 10000) const;
    bool WaitForDialogGone(const wchar_t* caption, DWORD timeoutMs = 10000) const;
    // An open menu of this process (its pop-up window), or none.
    HWND FindMenuPopup() const;
    // Visible top-level windows of this process other than the main window.
    std::vector<HWND> OtherWindows() const;
    // Text of a dialog's message (its static control 0xFFFF), via WM_GETTEXT.
    static std::wstring MessageText(HWND dialog);
    // Presses a dialog's button (posted, so that a modal loop can run).
    static void PressButton(HWND dialog, int id);
    // Selects the first item of a dialog's list box that begins with `text`
    // and tells the dialog, as a click on it would; the index, or LB_ERR.
    static LRESULT SelectInList(HWND dialog, int id, const wchar_t* text);
    // A list box's items, read with LB_GETTEXT (marshalled across processes).
    static std::vector<std::wstring> ListItems(HWND dialog, int id);
    // A control's text, by WM_GETTEXT.
    static std::wstring ControlText(HWND dialog, int id);

    // Posts a command, as menu, accelerator or toolbar would send it.
    void Command(int id) const;
    // Sends a command and returns once the window has handled it; only for
    // commands that open no dialog or message box.
    void SendCommand(int id) const;
    // A key, posted through the message loop (no modifiers held).
    void Key(int virtualKey) const;
    // A key, sent: handled when this returns.
    void SendKey(int virtualKey) const;
    // The mouse wheel turned by `delta` (120 a notch), sent.
    void Wheel(int delta) const;
    // A scroll-bar request with a thumb position, sent.
    void ScrollBar(int request, int position = 0) const;
    // A left click at client coordinates, sent.
    void Click(int x, int y) const;

    // Makes the main window the foreground window (waits until it is).
    bool BringToForeground() const;
    // Real key strokes through the input queue, so that the message loop's
    // accelerator table sees them: `modifiers` held around `virtualKey`.
    bool TypeKeys(std::initializer_list<WORD> modifiers, WORD virtualKey) const;

    // Closes the main window and waits for the process to end; its exit code,
    // or -1000 when it did not end in time.
    long CloseAndWait(DWORD timeoutMs = 15000);
    long WaitForExit(DWORD timeoutMs = 15000);
    bool Running() const;

    // The registry calls recorded since StartTraced, in order.
    std::vector<RegistryCall> RegistryCalls() const;
    // Whether the trace sees every registry function (false when untraced).
    bool TracingRegistry() const;

    HWND mainWindow() const { return mainWindow_; }
    HWND toolbar() const;
    DWORD processId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
    std::wstring exe_;
    HWND mainWindow_ = nullptr;
    std::unique_ptr<RegistryTracer> tracer_;
};

// Where things are in the main window's client area (client coordinates).
struct MainWindowGeometry {
    int clientWidth = 0, clientHeight = 0;
    int toolbarHeight = 0;
    int gutter = 10;
    // The page's text area, near enough for clicks: the date band's height
    // is only estimated.
    int textTop = 0, textBottom = 0, textLeft = 0, textRight = 0;
    // A point on the date band along the bottom.
    int bandY = 0;
};
MainWindowGeometry GeometryOf(const LumoraProcess& lumora);

// Pixels of a rectangle of the screen (what the X server shows of Wine's
// windows), read back with BitBlt.
Pixels CaptureScreen(const RECT& area);
// The client area's pixels as they are on the screen.
Pixels CaptureClient(HWND window);
// The client area once painting has settled: two captures in a row agree.
Pixels CaptureClientSettled(HWND window, DWORD timeoutMs = 3000);
// Waits until the client area differs from `before` and has settled; the
// new picture, or an empty one when nothing changed in time.
Pixels WaitForClientChange(HWND window, const Pixels& before, DWORD timeoutMs = 3000);

// Saves the window (frame included) once its painting has settled, as a BMP
// in the screenshot folder under `name`; nothing when there is no folder.
void Screenshot(HWND window, const wchar_t* name);
// Saves the window's pixels (from the screen) as a 24-bit BMP file.
bool SaveWindowBitmap(HWND window, const std::wstring& path);

// The registry key of the reader's settings, shared with the process under
// test (both run in one prefix).
namespace Registry {
void Clear();
void PutNumber(const wchar_t* name, DWORD value);
void PutText(const wchar_t* name, const wchar_t* text);
void PutBytes(const wchar_t* name, const void* data, DWORD size);
void Remove(const wchar_t* name);
// The stored number, or `missing` when there is none or it is no DWORD.
long long Number(const wchar_t* name, long long missing = -1);
bool Has(const wchar_t* name);
// The value's type, or REG_NONE when it is missing.
DWORD Type(const wchar_t* name);
std::wstring Text(const wchar_t* name);
std::vector<uint8_t> Bytes(const wchar_t* name);
// Every value of the key: name, type and data.
struct Value {
    std::wstring name;
    DWORD type;
    std::vector<uint8_t> data;
    bool operator==(const Value& o) const { return name == o.name && type == o.type && data == o.data; }
};
std::vector<Value> All();
// The window placement of a normal window at (left, top) of the given size.
void PutPlacement(int left, int top, int width, int height, int showCommand = SW_SHOWNORMAL);

// While it lives, Wine reports `version` (e.g. "win98") to Lumora.exe.
class WineVersionForLumora {
public:
    explicit WineVersionForLumora(const wchar_t* version);
    ~WineVersionForLumora();
};
}  // namespace Registry

// A plain top-level window of the test program: "another program".
class OtherProgramWindow {
public:
    OtherProgramWindow();
    ~OtherProgramWindow();
    HWND window() const { return window_; }
    bool BringToForeground() const;

private:
    HWND window_ = nullptr;
};

// Waits until `window` is the foreground window.
bool WaitForForeground(HWND window, DWORD timeoutMs = 5000);
// Real key strokes through the input queue, to whichever window has the
// focus: `modifiers` held around `virtualKey`. False when they were not all
// queued.
bool SendKeyStrokes(std::initializer_list<WORD> modifiers, WORD virtualKey);
