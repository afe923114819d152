// The release under test, its install places, its processes and windows.
#include "release_env.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

#include "lumora_process.h"

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : std::wstring();
}

// Processes whose parent is `parent` and that are an uninstaller's copy of
// itself, run from the temp folder (NSIS names it Un.exe; older versions
// Un_A.exe); not the system's helpers that the first program of a session
// starts (Wine's explorer.exe, which lives on).
std::vector<DWORD> UninstallerCopiesOf(DWORD parent)
{
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent &&
            _wcsnicmp(entry.szExeFile, L"Un", 2) == 0)
            children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

// Waits for `process` while keeping our own messages moving; its exit code
// or -1000.
long WaitForProcess(HANDLE process, DWORD timeoutMs)
{
    if (!PollUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs))
        return -1000;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ButtonSearch*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (lstrcmpiW(className, L"Button") == 0 && TextOf(window) == search->text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct WizardSearch {
    const wchar_t* caption;
    int id;
    HWND found;
};

BOOL CALLBACK MatchWizard(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WizardSearch*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (!IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0) return TRUE;
    // The uninstaller's caption ends in a space.
    std::wstring caption = TextOf(window);
    while (!caption.empty() && caption.back() == L' ') caption.pop_back();
    if (caption != search->caption || !GetDlgItem(window, search->id)) return TRUE;
    search->found = window;
    return FALSE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectVisibleText(HWND window, LPARAM parameter)
{
    if (!IsWindowVisible(window)) return TRUE;
    auto* out = reinterpret_cast<std::wstring*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    *out += L"[" + std::wstring(className) + L" \"" + TextOf(window) + L"\"] ";
    return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM parameter)
{
    auto* out = reinterpret_cast<std::wstring*>(parameter);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    *out += L"[" + std::wstring(className) + L" " + std::to_wstring(GetDlgCtrlID(window)) + L" \"" +
            TextOf(window) + L"\"] ";
    return TRUE;
}

}  // namespace

std::wstring ReleaseDir() { return Environment(L"LUMORA_RELEASE_DIR"); }
std::wstring SetupExe() { return ReleaseDir() + L"\\Lumora-1.84a-setup.exe"; }
std::wstring PortableDir() { return Environment(L"LUMORA_PORTABLE_DIR"); }

std::wstring KnownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

std::wstring InstallDir() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Lumora"; }
std::wstring InstalledExe() { return InstallDir() + L"\\Lumora.exe"; }
std::wstring UninstallerExe() { return InstallDir() + L"\\Uninstall.exe"; }
std::wstring StartMenuShortcut() { return KnownFolder(CSIDL_PROGRAMS) + L"\\Lumora.lnk"; }
std::wstring DesktopShortcut() { return KnownFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Lumora.lnk"; }

bool FileExists(const std::wstring& path)
{
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFileContents(const std::wstring& a, const std::wstring& b)
{
    FILE* fa = _wfopen(a.c_str(), L"rb");
    FILE* fb = _wfopen(b.c_str(), L"rb");
    bool same = fa && fb;
    while (same) {
        const int ca = std::fgetc(fa), cb = std::fgetc(fb);
        if (ca != cb) same = false;
        if (ca == EOF || cb == EOF) break;
    }
    if (fa) std::fclose(fa);
    if (fb) std::fclose(fb);
    return same;
}

std::vector<std::wstring> FolderListing(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const unsigned long long size = (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        const unsigned long long written =
            (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
        names.push_back(name + L" " + std::to_wstring(size) + L" " + std::to_wstring(written));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring RegText(const wchar_t* key, const wchar_t* name)
{
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return L"";
    const LONG status = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(k);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(text) : std::wstring();
}

long long RegNumber(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0, size = sizeof value, type = 0;
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
    const LONG status = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(k);
    return status == ERROR_SUCCESS && type == REG_DWORD ? value : -1;
}

bool RegKeyExists(const wchar_t* key)
{
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

Shortcut ReadShortcut(const std::wstring& lnk)
{
    Shortcut s;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(lnk.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH] = {};
        WIN32_FIND_DATAW found;
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, &found, SLGP_RAWPATH))) s.target = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) s.arguments = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) s.workingDir = text;
        text[0] = 0;
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &s.iconIndex))) s.iconPath = text;
        s.loaded = true;
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return s;
}

std::wstring VersionString(const std::wstring& file, const wchar_t* name)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return L"";
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return L"";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"";
    return std::wstring(value);
}

std::string ManifestOf(const std::wstring& file)
{
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const DWORD size = SizeofResource(module, found);
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)), size);
    }
    FreeLibrary(module);
    return text;
}

bool InstallerProcess::Start(const std::wstring& exe, const std::wstring& arguments)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) != 0;
}

long InstallerProcess::Wait(DWORD timeoutMs)
{
    if (!info_.hProcess) return -1000;
    const DWORD start = GetTickCount();
    long code = WaitForProcess(info_.hProcess, timeoutMs);
    if (code == -1000) return code;
    // The uninstaller hands over to a copy of itself in the temp folder
    // (that copy can remove the original); that copy's code is the answer.
    for (DWORD parent = info_.dwProcessId;;) {
        const std::vector<DWORD> children = UninstallerCopiesOf(parent);
        if (children.empty()) return code;
        HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, children.front());
        if (!child) return code;
        const DWORD spent = GetTickCount() - start;
        code = WaitForProcess(child, spent < timeoutMs ? timeoutMs - spent : 0);
        CloseHandle(child);
        if (code == -1000) return code;
        parent = children.front();
    }
}

long InstallerProcess::WaitForItself(DWORD timeoutMs)
{
    return info_.hProcess ? WaitForProcess(info_.hProcess, timeoutMs) : -1000;
}

InstallerProcess::~InstallerProcess()
{
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (info_.hThread) CloseHandle(info_.hThread);
}

long RunInstaller(const std::wstring& exe, const std::wstring& arguments, DWORD timeoutMs)
{
    InstallerProcess installer;
    if (!installer.Start(exe, arguments)) return -1000;
    return installer.Wait(timeoutMs);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

HWND FindWizardWindow(const wchar_t* caption, int id)
{
    WizardSearch search = {caption, id, nullptr};
    EnumWindows(MatchWizard, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWizardWindow(const wchar_t* caption, int id, DWORD timeoutMs)
{
    HWND found = nullptr;
    PollUntil([&] { return (found = FindWizardWindow(caption, id)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForControlText(HWND dialog, int id, const wchar_t* text, DWORD timeoutMs)
{
    return PollUntil(
        [&] {
            HWND control = GetDlgItem(dialog, id);
            return TextOf(control) == text && IsWindowEnabled(control);
        },
        timeoutMs);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

HWND FindControl(HWND dialog, int id)
{
    ControlSearch search = {id, nullptr};
    EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring DescribeTopWindows()
{
    std::wstring out;
    EnumWindows(CollectVisibleText, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindButton(HWND dialog, const wchar_t* text)
{
    ButtonSearch search = {text, nullptr};
    EnumChildWindows(dialog, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring DescribeControls(HWND dialog)
{
    std::wstring out;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND RunningLumora() { return FindWindowW(L"Lumora-Hebrew", L"Lumora"); }

bool CloseRunningLumora(DWORD timeoutMs)
{
    if (HWND window = RunningLumora()) PostMessageW(window, WM_CLOSE, 0, 0);
    return PollUntil([] { return RunningLumora() == nullptr; }, timeoutMs);
}
