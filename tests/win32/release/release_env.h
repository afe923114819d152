// The release under test and the places it installs to, seen from a test
// program in the same Wine prefix: the artefacts, the installed files, the
// shortcuts and the uninstall entry, and the installer's own processes and
// windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The folder with Lumora-VERSION-setup.exe and the zip ("LUMORA_RELEASE_DIR").
std::wstring ReleaseDir();
std::wstring SetupExe();
// The unzipped portable folder ("LUMORA_PORTABLE_DIR"), empty when not given.
std::wstring PortableDir();

// Where a per-user install goes: LOCALAPPDATA\Programs\Lumora.
std::wstring InstallDir();
std::wstring InstalledExe();
std::wstring UninstallerExe();
std::wstring StartMenuShortcut();
std::wstring DesktopShortcut();
// The known folder `csidl` (CSIDL_LOCAL_APPDATA, CSIDL_PROGRAMS, ...).
std::wstring KnownFolder(int csidl);

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora";
constexpr wchar_t kSettingsKey[] = L"Quillstead\\Lumora-Hebrew";
constexpr wchar_t kSetupCaption[] = L"Lumora 1.84a Setup";
constexpr wchar_t kUninstallCaption[] = L"Lumora 1.84a Uninstall";

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
bool SameFileContents(const std::wstring& a, const std::wstring& b);
// Names of the files and folders in `folder` (not recursive), with sizes
// and write times, sorted: what "nothing changed here" compares.
std::vector<std::wstring> FolderListing(const std::wstring& folder);

// A text or number value under HKEY_CURRENT_USER; empty / -1 when missing.
std::wstring RegText(const wchar_t* key, const wchar_t* name);
long long RegNumber(const wchar_t* key, const wchar_t* name);
bool RegKeyExists(const wchar_t* key);

// What a shortcut (.lnk) points at, read through the shell's own interface.
struct Shortcut {
    bool loaded = false;
    std::wstring target, arguments, workingDir, iconPath;
    int iconIndex = -1;
};
Shortcut ReadShortcut(const std::wstring& lnk);

// A string of a file's VERSIONINFO (language 0409, code page 04B0) or empty.
std::wstring VersionString(const std::wstring& file, const wchar_t* name);
// The file's RT_MANIFEST resource 1 as text; empty when it has none.
std::string ManifestOf(const std::wstring& file);

// Runs `exe` with `arguments` and waits for it and, for the uninstaller,
// for the copy of itself it runs from the temp folder; the exit code of the
// last of them, or -1000 on time-out or when it could not start.
long RunInstaller(const std::wstring& exe, const std::wstring& arguments, DWORD timeoutMs = 60000);

// A started installer or uninstaller, driven through its windows.
class InstallerProcess {
public:
    bool Start(const std::wstring& exe, const std::wstring& arguments);
    // Waits for the process and its uninstaller copy; as RunInstaller.
    long Wait(DWORD timeoutMs = 60000);
    // Waits for the process alone (not for a Lumora it started at the end).
    long WaitForItself(DWORD timeoutMs = 60000);
    ~InstallerProcess();

private:
    PROCESS_INFORMATION info_ = {};
};

// The visible top-level dialog with `caption` that has a control `id`
// (the wizard: 1 = Next/Install/Finish; a message box: IDYES, IDRETRY...).
HWND FindWizardWindow(const wchar_t* caption, int id);
HWND WaitForWizardWindow(const wchar_t* caption, int id, DWORD timeoutMs = 60000);
// The visible top-level windows' classes and captions, for failure messages.
std::wstring DescribeTopWindows();
// Text of a window of another process (by message).
std::wstring TextOf(HWND window);
// Waits until control `id` of `dialog` reads `text` and takes clicks
// (the wizard enables its buttons only once a page is done).
bool WaitForControlText(HWND dialog, int id, const wchar_t* text, DWORD timeoutMs = 15000);
// The control of another process's window that has the keyboard focus.
HWND FocusOf(HWND window);
// A descendant control of `dialog` with identifier `id` (the wizard's pages
// are dialogs inside it).
HWND FindControl(HWND dialog, int id);
// A descendant button of `dialog` whose text is `text`.
HWND FindButton(HWND dialog, const wchar_t* text);
// All descendant windows' texts, for failure messages.
std::wstring DescribeControls(HWND dialog);

// The main window of a running Lumora (single-copy class and title).
HWND RunningLumora();
// Closes every running Lumora and waits until none is left.
bool CloseRunningLumora(DWORD timeoutMs = 15000);
