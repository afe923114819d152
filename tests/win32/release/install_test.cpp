// The installer in silent mode, reinstalling, and the uninstaller refusing
// while Lumora runs and removing everything but the settings: the real
// Lumora-1.84a-setup.exe in a fresh prefix, in this order.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cwctype>

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "release_env.h"
#include "resource_ids.h"
#include "release_scenes.h"
#include "test_paths.h"

namespace {

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

unsigned long long FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Installed()
{
    return FileExists(InstalledExe()) && FileExists(UninstallerExe()) && FileExists(StartMenuShortcut()) &&
           RegKeyExists(kUninstallKey);
}

}  // namespace

TEST(SilentInstall, PutsTheProgramItsShortcutAndItsUninstallEntryInPlace)
{
    ASSERT_TRUE(FileExists(SetupExe())) << SetupExe();
    ASSERT_FALSE(FolderExists(InstallDir())) << "the prefix is not fresh";
    ASSERT_FALSE(FolderExists(KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs"));

    EXPECT_EQ(RunInstaller(SetupExe(), L"/S"), 0);

    // The very program that was built, and the read-me.
    EXPECT_TRUE(SameFileContents(InstalledExe(), LumoraExePath())) << InstalledExe();
    EXPECT_TRUE(FileExists(InstallDir() + L"\\README.txt"));
    EXPECT_TRUE(FileExists(UninstallerExe()));

    const Shortcut menu = ReadShortcut(StartMenuShortcut());
    ASSERT_TRUE(menu.loaded) << StartMenuShortcut();
    EXPECT_EQ(Lower(menu.target), Lower(InstalledExe()));
    EXPECT_EQ(menu.arguments, L"");
    EXPECT_EQ(Lower(menu.iconPath), Lower(InstalledExe()));
    EXPECT_EQ(menu.iconIndex, 0);
    EXPECT_EQ(Lower(menu.workingDir), Lower(InstallDir()));
    // Only when asked for, and silent mode does not ask.
    EXPECT_FALSE(FileExists(DesktopShortcut()));

    const std::wstring exe = LumoraExePath();
    const struct {
        const wchar_t* name;
        std::wstring expected;
    } texts[] = {
        {L"DisplayName", VersionString(exe, L"ProductName")},
        {L"DisplayVersion", VersionString(exe, L"ProductVersion")},
        {L"Publisher", VersionString(exe, L"CompanyName")},
        {L"Comments", VersionString(exe, L"FileDescription")},
        {L"DisplayIcon", InstalledExe() + L",0"},
        {L"InstallLocation", InstallDir()},
        {L"UninstallString", L"\"" + UninstallerExe() + L"\""},
        {L"QuietUninstallString", L"\"" + UninstallerExe() + L"\" /S"},
    };
    for (const auto& t : texts) {
        EXPECT_FALSE(t.expected.empty()) << t.name;
        EXPECT_EQ(Lower(RegText(kUninstallKey, t.name)), Lower(t.expected)) << t.name;
    }
    EXPECT_EQ(RegText(kUninstallKey, L"DisplayName"), L"Lumora");
    EXPECT_EQ(RegText(kUninstallKey, L"DisplayVersion"), L"1.84a");
    EXPECT_EQ(RegNumber(kUninstallKey, L"NoModify"), 1);
    EXPECT_EQ(RegNumber(kUninstallKey, L"NoRepair"), 1);
    // In KiB, of what was installed.
    const unsigned long long bytes = FileSize(InstalledExe()) + FileSize(UninstallerExe()) +
                                     FileSize(InstallDir() + L"\\README.txt");
    EXPECT_NEAR(static_cast<double>(RegNumber(kUninstallKey, L"EstimatedSize")), bytes / 1024.0, 4.0);
}

TEST(SilentInstall, InstallerUninstallerAndProgramTellTheSameVersionPublisherAndDescription)
{
    ASSERT_TRUE(FileExists(UninstallerExe()));
    for (const wchar_t* name :
         {L"ProductName", L"CompanyName", L"FileDescription", L"ProductVersion", L"FileVersion"}) {
        const std::wstring program = VersionString(LumoraExePath(), name);
        EXPECT_FALSE(program.empty()) << name;
        EXPECT_EQ(VersionString(SetupExe(), name), program) << name;
        EXPECT_EQ(VersionString(UninstallerExe(), name), program) << name;
    }
    EXPECT_EQ(VersionString(SetupExe(), L"ProductVersion"), L"1.84a");
}

TEST(SilentInstall, TheInstalledLumoraStartsFromItsShortcutAndShowsToday)
{
    ASSERT_TRUE(Installed());
    const Shortcut menu = ReadShortcut(StartMenuShortcut());
    const Shown shown = RunReaderOnce(menu.target, L"installed-today");
    ASSERT_TRUE(shown.started);
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.day, Today());
    EXPECT_EQ(shown.lesson, LessonKeyOfDay(Today()));
}

TEST(Reinstall, ReplacesTheProgramAndKeepsTheSettingsOfTheRunBefore)
{
    ASSERT_TRUE(Installed());
    // A run that leaves its settings: a day picked by hand, a font size.
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    setup.fontSize = 14;
    Seed(setup);
    {
        ScopedLumoraExe installed(InstalledExe());
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        lumora.SendCommand(IDC_NEXT_DAY);
        ASSERT_EQ(lumora.CloseAndWait(), 0);
    }
    const auto settings = Registry::All();
    ASSERT_EQ(Registry::Number(L"Day"), Today() + 1);

    // An older program in place: the reinstall puts the new one back.
    HANDLE old = CreateFileW(InstalledExe().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(old, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(old, "MZ older Lumora", 15, &written, nullptr);
    CloseHandle(old);

    EXPECT_EQ(RunInstaller(SetupExe(), L"/S"), 0);
    EXPECT_TRUE(SameFileContents(InstalledExe(), LumoraExePath()));
    EXPECT_TRUE(Installed());
    EXPECT_TRUE(Registry::All() == settings) << "the settings changed";
}

TEST(Uninstall, IsRefusedWhileLumoraRuns)
{
    ASSERT_TRUE(Installed());
    ScopedLumoraExe installed(InstalledExe());
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);

    // Silent: nothing removed, and the exit code says why.
    EXPECT_EQ(RunInstaller(UninstallerExe(), L"/S"), 2);
    EXPECT_TRUE(Installed());

    // Interactive: it says so, and Cancel leaves everything in place.
    InstallerProcess uninstaller;
    ASSERT_TRUE(uninstaller.Start(UninstallerExe(), L""));
    HWND box = WaitForWizardWindow(kUninstallCaption, IDRETRY);
    ASSERT_NE(box, nullptr) << "no message while Lumora runs: " << DescribeTopWindows();
    EXPECT_NE(LumoraProcess::MessageText(box).find(L"Lumora is running"), std::wstring::npos)
        << LumoraProcess::MessageText(box);
    Shot(box, L"uninstall-refused");
    LumoraProcess::PressButton(box, IDCANCEL);
    EXPECT_EQ(uninstaller.Wait(), 2);
    EXPECT_TRUE(Installed());
    EXPECT_TRUE(lumora.Running());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST(Uninstall, SilentRemovesEverythingItMadeButTheSettings)
{
    ASSERT_TRUE(Installed());
    const auto settings = Registry::All();
    ASSERT_FALSE(settings.empty());

    EXPECT_EQ(RunInstaller(UninstallerExe(), L"/S"), 0);
    EXPECT_FALSE(FolderExists(InstallDir()));
    EXPECT_FALSE(FolderExists(KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs"));
    EXPECT_FALSE(FileExists(StartMenuShortcut()));
    EXPECT_FALSE(FileExists(DesktopShortcut()));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
    EXPECT_TRUE(Registry::All() == settings) << "the settings changed";
}
