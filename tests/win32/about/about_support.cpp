// Helpers of the About box tests.
#include "about_support.h"

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "e2e/lumora_process.h"
#include "test_paths.h"

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return L"";
    std::wstring wide(utf8.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM parameter)
{
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

}  // namespace

HMODULE LumoraResources()
{
    static HMODULE module = LoadLibraryExW(LumoraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

std::wstring BrowserLogPath()
{
    return Environment(L"LUMORA_BROWSER_LOG");
}

std::vector<std::wstring> BrowserCalls()
{
    std::vector<std::wstring> calls;
    std::ifstream in(BrowserLogPath().c_str());
    std::string line;
    while (std::getline(in, line)) calls.push_back(Widen(line));
    return calls;
}

bool WaitForBrowserCalls(size_t count, DWORD timeoutMs)
{
    return PollUntil([&] { return BrowserCalls().size() >= count; }, timeoutMs);
}

bool CursorProbeAvailable()
{
    return !Environment(L"LUMORA_CURSOR_DIR").empty();
}

std::string ShownCursor()
{
    static int serial = 0;
    const std::wstring dir = Environment(L"LUMORA_CURSOR_DIR");
    if (dir.empty()) return "";
    const std::wstring n = std::to_wstring(++serial);
    const std::wstring answer = dir + L"\\cursor-" + n;
    // The suite's probe answers each request file with a file of its own.
    std::ofstream((dir + L"\\want-" + n).c_str()).put('\n');
    std::string line;
    PollUntil([&] {
        std::ifstream in(answer.c_str());
        return static_cast<bool>(std::getline(in, line));
    }, 10000);
    return line;
}

bool TypeInto(HWND window, std::initializer_list<WORD> virtualKeys)
{
    SetForegroundWindow(window);
    if (!WaitForForeground(window)) return false;
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys) {
        for (int up = 0; up < 2; ++up) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

void ClickAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

POINT CentreOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool FindCloseBox(HWND window, POINT* screen)
{
    RECT r = {};
    GetWindowRect(window, &r);
    // Every point of the caption's right end that the window calls its close
    // box; the click goes to the middle of them.
    RECT box = {r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.top + 32 && y < r.bottom; ++y) {
        for (int x = r.right - 1; x > r.right - 48 && x > r.left; --x) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
            if (hit != HTCLOSE) continue;
            box.left = std::min<LONG>(box.left, x);
            box.right = std::max<LONG>(box.right, x);
            box.top = std::min<LONG>(box.top, y);
            box.bottom = std::max<LONG>(box.bottom, y);
        }
    }
    if (box.left > box.right) return false;
    *screen = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    return true;
}

size_t ProcessCount(const wchar_t* exeName)
{
    size_t count = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szExeFile, exeName) == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
