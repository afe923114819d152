// Starting, finding and driving the real Lumora.exe.
#include "lumora_process.h"

#include <shlwapi.h>

#include <vector>

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
    // Another process's window title comes by message.
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    if (search->title && lstrcmpW(text, search->title) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title)
{
    WindowSearch search = {processId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const wchar_t kProductKey[] = L"Quillstead\\Lumora-Hebrew";

}  // namespace

LumoraProcess::~LumoraProcess()
{
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
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
    std::wstring commandLine = L"\"" + LumoraExePath() + L"\"";
    if (!CreateProcessW(LumoraExePath().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        return false;
    WaitForInputIdle(info_.hProcess, 10000);
    return true;
}

HWND LumoraProcess::WaitForMainWindow(DWORD timeoutMs)
{
    PollUntil([&] {
        mainWindow_ = FindProcessWindow(info_.dwProcessId, L"Lumora-Hebrew", L"Lumora");
        return mainWindow_ != nullptr;
    }, timeoutMs);
    return mainWindow_;
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

void LumoraProcess::Command(int id) const
{
    PostMessageW(mainWindow_, WM_COMMAND, id, 0);
}

void LumoraProcess::Key(int virtualKey) const
{
    PostMessageW(mainWindow_, WM_KEYDOWN, virtualKey, 1);
}

long LumoraProcess::WaitForExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1000;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

long LumoraProcess::CloseAndWait(DWORD timeoutMs)
{
    PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs);
}

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

std::wstring Text(const wchar_t* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!Get(name, &type, &data)) return L"";
    data.push_back(0);
    data.push_back(0);
    return reinterpret_cast<const wchar_t*>(data.data());
}

}  // namespace Registry

bool SaveWindowBitmap(HWND window, const std::wstring& path)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
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
