// Starting, finding and driving the real Lumora.exe.
#include "lumora_process.h"

#include <shlwapi.h>

#include <thread>
#include <vector>

#include "registry_tracer.h"
#include "test_paths.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    GetClassNameW(window, text, 256);
    if (lstrcmpW(text, search->className) != 0) return TRUE;
    // The caption as the system keeps it: no message is sent, so looking
    // never waits on the program, busy or not.
    if (search->title) {
        InternalGetWindowText(window, text, 256);
        if (lstrcmpW(text, search->title) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

const wchar_t kProductKey[] = L"Quillstead\\Lumora-Hebrew";

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title)
{
    WindowSearch search = {processId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LumoraProcess::LumoraProcess() = default;

LumoraProcess::~LumoraProcess()
{
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    // The tracer owns the handles of a traced process and ends with it.
    tracer_.reset();
    if (info_.hProcess) {
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool LumoraProcess::Start(int showCommand)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    const std::wstring& exe = exe_.empty() ? LumoraExePath() : exe_;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        return false;
    WaitForInputIdle(info_.hProcess, 10000);
    return true;
}

HWND LumoraProcess::StartAndWait(int showCommand)
{
    return Start(showCommand) ? WaitForMainWindow() : nullptr;
}

bool LumoraProcess::StartTraced(int showCommand)
{
    tracer_ = std::make_unique<RegistryTracer>();
    if (!tracer_->Start(LumoraExePath(), showCommand, &info_)) return false;
    WaitForInputIdle(info_.hProcess, 10000);
    return true;
}

std::vector<RegistryCall> LumoraProcess::RegistryCalls() const
{
    return tracer_ ? tracer_->Calls() : std::vector<RegistryCall>();
}

bool LumoraProcess::TracingRegistry() const
{
    return tracer_ && tracer_->Armed();
}

HWND LumoraProcess::WaitForMainWindow(DWORD timeoutMs)
{
    PollUntil([&] {
        mainWindow_ = FindProcessWindow(info_.dwProcessId, L"Lumora-Hebrew", L"Lumora");
        return mainWindow_ != nullptr;
    }, timeoutMs);
    // The window is shown before start-up ends; a sent message is handled
    // only once the program waits for messages (its loop, or a dialog's).
    if (mainWindow_) SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, nullptr);
    return mainWindow_;
}

HWND LumoraProcess::FindMenuPopup() const
{
    return FindProcessWindow(info_.dwProcessId, L"#32768", nullptr);
}

HWND LumoraProcess::FindDialog(const wchar_t* caption) const
{
    return FindProcessWindow(info_.dwProcessId, L"#32770", caption);
}

HWND LumoraProcess::WaitForDialog(const wchar_t* caption, DWORD timeoutMs) const
{
    HWND dialog = nullptr;
    PollUntil([&] { return (dialog = FindDialog(caption)) != nullptr; }, timeoutMs);
    return dialog;
}

bool LumoraProcess::WaitForDialogGone(const wchar_t* caption, DWORD timeoutMs) const
{
    return PollUntil([&] { return FindDialog(caption) == nullptr; }, timeoutMs);
}

namespace {
struct OthersSearch {
    DWORD processId;
    HWND main;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectOthers(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<OthersSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && window != search->main && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> LumoraProcess::OtherWindows() const
{
    OthersSearch search = {info_.dwProcessId, mainWindow_, {}};
    EnumWindows(CollectOthers, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring LumoraProcess::MessageText(HWND dialog)
{
    wchar_t text[1024] = {};
    HWND label = GetDlgItem(dialog, 0xFFFF);
    if (!label) return L"";
    SendMessageTimeoutW(label, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

void LumoraProcess::PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

LRESULT LumoraProcess::SelectInList(HWND dialog, int id, const wchar_t* text)
{
    HWND list = GetDlgItem(dialog, id);
    const LRESULT index =
        SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index != LB_ERR)
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return index;
}

std::vector<std::wstring> LumoraProcess::ListItems(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    HWND list = GetDlgItem(dialog, id);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(lstrlenW(text.c_str()));
        items.push_back(text);
    }
    return items;
}

std::wstring LumoraProcess::ControlText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

void LumoraProcess::Command(int id) const
{
    PostMessageW(mainWindow_, WM_COMMAND, id, 0);
}

void LumoraProcess::SendCommand(int id) const
{
    SendMessageTimeoutW(mainWindow_, WM_COMMAND, id, 0, SMTO_NORMAL, 10000, nullptr);
}

void LumoraProcess::Key(int virtualKey) const
{
    PostMessageW(mainWindow_, WM_KEYDOWN, virtualKey, 1);
}

void LumoraProcess::SendKey(int virtualKey) const
{
    SendMessageTimeoutW(mainWindow_, WM_KEYDOWN, virtualKey, 1, SMTO_NORMAL, 10000, nullptr);
}

void LumoraProcess::Wheel(int delta) const
{
    RECT r = {};
    GetWindowRect(mainWindow_, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageTimeoutW(mainWindow_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(delta)), at,
                        SMTO_NORMAL, 10000, nullptr);
}

void LumoraProcess::ScrollBar(int request, int position) const
{
    SendMessageTimeoutW(mainWindow_, WM_VSCROLL, MAKEWPARAM(request, static_cast<short>(position)), 0,
                        SMTO_NORMAL, 10000, nullptr);
}

void LumoraProcess::Click(int x, int y) const
{
    SendMessageTimeoutW(mainWindow_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 10000,
                        nullptr);
}

bool WaitForForeground(HWND window, DWORD timeoutMs)
{
    return PollUntil([&] { return GetForegroundWindow() == window; }, timeoutMs);
}

bool LumoraProcess::BringToForeground() const
{
    if (GetForegroundWindow() == mainWindow_) return true;
    SetForegroundWindow(mainWindow_);
    return WaitForForeground(mainWindow_);
}

bool LumoraProcess::TypeKeys(std::initializer_list<WORD> modifiers, WORD virtualKey) const
{
    return BringToForeground() && SendKeyStrokes(modifiers, virtualKey);
}

bool SendKeyStrokes(std::initializer_list<WORD> modifiers, WORD virtualKey)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        // Page Up/Down, End, Home and the arrows sit on the extended keys,
        // not the number pad.
        if (vk >= VK_PRIOR && vk <= VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(input);
    };
    for (WORD m : modifiers) key(m, false);
    key(virtualKey, false);
    key(virtualKey, true);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) key(*m, true);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

HWND LumoraProcess::toolbar() const
{
    return FindWindowExW(mainWindow_, nullptr, L"ToolbarWindow32", nullptr);
}

long LumoraProcess::WaitForExit(DWORD timeoutMs)
{
    DWORD waited = 0;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        waited = GetTickCount() - start;
        if (waited > timeoutMs) return -1000;
        MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

bool LumoraProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

long LumoraProcess::CloseAndWait(DWORD timeoutMs)
{
    PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

MainWindowGeometry GeometryOf(const LumoraProcess& lumora)
{
    MainWindowGeometry g;
    RECT client = {};
    GetClientRect(lumora.mainWindow(), &client);
    g.clientWidth = client.right;
    g.clientHeight = client.bottom;
    RECT bar = {};
    if (HWND toolbar = lumora.toolbar(); toolbar && GetWindowRect(toolbar, &bar))
        g.toolbarHeight = bar.bottom - bar.top;
    // The date band is a line of the date font's height and a pixel above
    // and below; about 18 pixels with the default faces.
    const int band = 18;
    g.textTop = g.toolbarHeight - 1 + g.gutter;
    g.textBottom = g.clientHeight - g.gutter - band;
    g.textLeft = g.gutter;
    g.textRight = g.clientWidth - g.gutter;
    g.bandY = g.clientHeight - 3;
    return g;
}

// --- Pixels -------------------------------------------------------------------

Pixels CaptureScreen(const RECT& area)
{
    Pixels p;
    p.width = area.right - area.left;
    p.height = area.bottom - area.top;
    if (p.width <= 0 || p.height <= 0) return Pixels();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Wine reads the screen back from the X server; in strips of up to about
    // 40 000 pixels that takes a fifth of the time one large read does
    // (480 x 360: about 6 ms against 25).
    const int rows = std::max(1, 40000 / p.width);
    for (int y = 0; y < p.height; y += rows)
        BitBlt(memory, 0, y, p.width, std::min(rows, p.height - y), screen, area.left, area.top + y,
               SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    p.rgb.assign(words, words + size_t(p.width) * p.height);
    for (uint32_t& v : p.rgb) v &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return p;
}

Pixels CaptureClient(HWND window)
{
    RECT client = {};
    if (!GetClientRect(window, &client)) return Pixels();
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);
    return CaptureScreen(client);
}

Pixels CaptureClientSettled(HWND window, DWORD timeoutMs)
{
    Pixels previous = CaptureClient(window);
    Pixels current;
    PollUntil([&] {
        // Painting reaches the screen in bursts: wait a little between looks.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 40, QS_ALLINPUT);
        current = CaptureClient(window);
        const bool same = current == previous;
        previous = current;
        return same;
    }, timeoutMs);
    return current;
}

Pixels WaitForClientChange(HWND window, const Pixels& before, DWORD timeoutMs)
{
    if (!PollUntil([&] { return CaptureClient(window) != before; }, timeoutMs)) return Pixels();
    return CaptureClientSettled(window);
}

void Screenshot(HWND window, const wchar_t* name)
{
    if (ScreensDirPath().empty()) return;
    CaptureClientSettled(window);
    SaveWindowBitmap(window, ScreensDirPath() + L"\\" + name + L".bmp");
}

bool SaveWindowBitmap(HWND window, const std::wstring& path)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    // Only what is on the screen (a maximized window's frame lies outside).
    const RECT screenRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&r, &r, &screenRect)) return false;
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = rowBytes * height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    bool ok = false;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
             WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
             WriteFile(out, bits, imageBytes, &written, nullptr);
        CloseHandle(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// --- Registry -----------------------------------------------------------------

namespace Registry {

void Clear()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, kProductKey);
}

static void Put(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void PutNumber(const wchar_t* name, DWORD value)
{
    Put(name, REG_DWORD, &value, sizeof value);
}

void PutText(const wchar_t* name, const wchar_t* text)
{
    Put(name, REG_SZ, text, static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
}

void PutBytes(const wchar_t* name, const void* data, DWORD size)
{
    Put(name, REG_BINARY, data, size);
}

void Remove(const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

static bool Get(const wchar_t* name, DWORD* type, std::vector<BYTE>* data)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data->resize(size + 2);
        ok = RegQueryValueExW(key, name, nullptr, type, data->data(), &size) == ERROR_SUCCESS;
        data->resize(size);
    }
    RegCloseKey(key);
    return ok;
}

long long Number(const wchar_t* name, long long missing)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!Get(name, &type, &data) || type != REG_DWORD || data.size() != 4) return missing;
    return *reinterpret_cast<const DWORD*>(data.data());
}

bool Has(const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    return Get(name, &type, &data);
}

DWORD Type(const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    return Get(name, &type, &data) ? type : REG_NONE;
}

std::wstring Text(const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!Get(name, &type, &data)) return L"";
    data.push_back(0);
    data.push_back(0);
    return reinterpret_cast<const wchar_t*>(data.data());
}

std::vector<uint8_t> Bytes(const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!Get(name, &type, &data)) return {};
    return data;
}

std::vector<Value> All()
{
    std::vector<Value> values;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value v{name, type, std::vector<uint8_t>(size)};
        nameLength = 256;
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type, v.data.data(), &size);
        values.push_back(std::move(v));
    }
    RegCloseKey(key);
    return values;
}

void PutPlacement(int left, int top, int width, int height, int showCommand)
{
    PutNumber(L"Left", static_cast<DWORD>(left));
    PutNumber(L"Top", static_cast<DWORD>(top));
    PutNumber(L"Width", static_cast<DWORD>(width));
    PutNumber(L"Height", static_cast<DWORD>(height));
    PutNumber(L"showCmd", static_cast<DWORD>(showCommand));
}

static const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\Lumora.exe";

WineVersionForLumora::WineVersionForLumora(const wchar_t* version)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>((lstrlenW(version) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

WineVersionForLumora::~WineVersionForLumora()
{
    SHDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults);
}

}  // namespace Registry

// --- Another program ------------------------------------------------------------

namespace {
LRESULT CALLBACK OtherProgramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

// Away from the reader's small window, so that it covers none of it.
OtherProgramWindow::OtherProgramWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW c = {};
        c.lpfnWndProc = OtherProgramProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        c.lpszClassName = L"E2EOtherProgram";
        registered = RegisterClassW(&c) != 0;
    }
    window_ = CreateWindowExW(0, L"E2EOtherProgram", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              900, 700, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
}

OtherProgramWindow::~OtherProgramWindow()
{
    if (window_) DestroyWindow(window_);
    PumpMessages();
}

bool OtherProgramWindow::BringToForeground() const
{
    SetForegroundWindow(window_);
    return WaitForForeground(window_);
}
