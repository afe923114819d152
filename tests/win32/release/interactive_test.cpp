// The installer and the uninstaller driven through their pages as a user
// clicks through them, in a fresh prefix, in this order.
#include <windows.h>
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "reader_setup.h"
#include "release_env.h"
#include "release_scenes.h"
#include "test_paths.h"

namespace {

// The wizard's buttons: 1 goes on (Next, Install, Finish, Uninstall, Close).
constexpr int kOnButton = 1;
// The folder box on the folder page.
constexpr int kFolderBoxId = 1019;

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TEST(InteractiveInstall, ThroughItsPagesWithADesktopShortcutAndLumoraStartedAtTheEnd)
{
    Registry::Clear();
    InstallerProcess setup;
    ASSERT_TRUE(setup.Start(SetupExe(), L""));

    HWND wizard = WaitForWizardWindow(kSetupCaption, kOnButton);
    ASSERT_NE(wizard, nullptr) << DescribeTopWindows();
    ASSERT_TRUE(WaitForControlText(wizard, kOnButton, L"&Next >")) << DescribeControls(wizard);
    Shot(wizard, L"setup-1-welcome");

    // The folder page offers the per-user place.
    LumoraProcess::PressButton(wizard, kOnButton);
    ASSERT_TRUE(WaitForControlText(wizard, kOnButton, L"&Install")) << DescribeControls(wizard);
    EXPECT_EQ(TextOf(FindControl(wizard, kFolderBoxId)), InstallDir()) << DescribeControls(wizard);
    Shot(wizard, L"setup-2-folder");

    LumoraProcess::PressButton(wizard, kOnButton);
    ASSERT_TRUE(WaitForControlText(wizard, kOnButton, L"&Finish", 60000)) << DescribeControls(wizard);
    Shot(wizard, L"setup-3-finish");
    EXPECT_TRUE(FileExists(InstalledExe()));

    // Start Lumora: offered and ticked. Desktop shortcut: offered, not ticked.
    HWND start = FindButton(wizard, L"Start Lumora");
    HWND desktop = FindButton(wizard, L"Create a desktop shortcut");
    ASSERT_NE(start, nullptr) << DescribeControls(wizard);
    ASSERT_NE(desktop, nullptr) << DescribeControls(wizard);
    EXPECT_TRUE(Checked(start));
    EXPECT_FALSE(Checked(desktop));
    SendMessageW(desktop, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(desktop));
    LumoraProcess::PressButton(wizard, kOnButton);
    EXPECT_EQ(setup.WaitForItself(), 0);

    // Lumora came up, on its first run asking for a font.
    HWND lumora = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (lumora = RunningLumora()) != nullptr; }, 15000));
    HWND chooser = nullptr;
    EXPECT_TRUE(PollUntil([&] { return (chooser = FindWindowW(L"#32770", L"Choose Font")) != nullptr; }));
    Shot(lumora, L"setup-4-started");
    if (chooser) LumoraProcess::PressButton(chooser, IDCANCEL);
    EXPECT_TRUE(CloseRunningLumora());

    const Shortcut onDesktop = ReadShortcut(DesktopShortcut());
    ASSERT_TRUE(onDesktop.loaded) << DesktopShortcut();
    EXPECT_EQ(lstrcmpiW(onDesktop.target.c_str(), InstalledExe().c_str()), 0) << onDesktop.target;
    EXPECT_TRUE(FileExists(StartMenuShortcut()));
    EXPECT_TRUE(RegKeyExists(kUninstallKey));
}

TEST(InteractiveUninstall, AsksAboutTheSettingsKeepingThemByDefaultAndRemovesThemWhenAsked)
{
    ASSERT_TRUE(FileExists(UninstallerExe()));
    // Settings as a reader leaves them, and the one the reader never writes.
    ReaderSetup setup;
    Seed(setup);
    HKEY maker;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Quillstead", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &maker, nullptr),
              ERROR_SUCCESS);
    const DWORD gutter = 14;
    RegSetValueExW(maker, L"SurroundingGutter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&gutter),
                   sizeof gutter);
    RegCloseKey(maker);
    ASSERT_TRUE(RegKeyExists(kSettingsKey));

    InstallerProcess uninstaller;
    ASSERT_TRUE(uninstaller.Start(UninstallerExe(), L""));
    HWND wizard = WaitForWizardWindow(kUninstallCaption, kOnButton);
    ASSERT_NE(wizard, nullptr) << DescribeTopWindows();
    ASSERT_TRUE(WaitForControlText(wizard, kOnButton, L"&Uninstall")) << DescribeControls(wizard);
    Shot(wizard, L"uninstall-1-confirm");
    LumoraProcess::PressButton(wizard, kOnButton);

    HWND question = WaitForWizardWindow(kUninstallCaption, IDYES);
    ASSERT_NE(question, nullptr) << "no question about the settings: " << DescribeTopWindows();
    EXPECT_NE(LumoraProcess::MessageText(question).find(L"settings"), std::wstring::npos)
        << LumoraProcess::MessageText(question);
    // Keeping them is the default answer: No has the focus, so Enter says No.
    EXPECT_TRUE(PollUntil([&] { return FocusOf(question) == GetDlgItem(question, IDNO); }, 5000));
    Shot(question, L"uninstall-2-settings");
    LumoraProcess::PressButton(question, IDYES);

    // The last page waits for Close.
    EXPECT_TRUE(WaitForControlText(wizard, kOnButton, L"&Close", 30000)) << DescribeControls(wizard);
    LumoraProcess::PressButton(wizard, kOnButton);
    EXPECT_EQ(uninstaller.Wait(), 0);

    EXPECT_FALSE(FolderExists(InstallDir()));
    EXPECT_FALSE(FileExists(StartMenuShortcut()));
    EXPECT_FALSE(FileExists(DesktopShortcut()));
    EXPECT_FALSE(RegKeyExists(kUninstallKey));
    EXPECT_FALSE(RegKeyExists(kSettingsKey));
    EXPECT_FALSE(RegKeyExists(L"Quillstead"));
    EXPECT_FALSE(RegKeyExists(L"Software\\Quillstead"));
}
