// The zip's Lumora.exe, unzipped by the suite: it runs from any folder and
// writes nothing beside itself.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include "book_days.h"
#include "release_env.h"
#include "release_scenes.h"
#include "test_paths.h"

namespace {

// A second home for the unzipped files, with a space and Hebrew in its name.
std::wstring CopyElsewhere(const std::wstring& from)
{
    const std::wstring to = L"C:\\Portable Lumora \x05E9\x05DC\x05D9";
    CreateDirectoryW(to.c_str(), nullptr);
    for (const wchar_t* name : {L"Lumora.exe", L"README.txt"})
        if (!CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE)) return L"";
    return to;
}

}  // namespace

TEST(Portable, TheZipHoldsTheBuiltProgramAndItsReadMe)
{
    ASSERT_FALSE(PortableDir().empty()) << "LUMORA_PORTABLE_DIR not given";
    EXPECT_TRUE(SameFileContents(PortableDir() + L"\\Lumora.exe", LumoraExePath()));
    EXPECT_TRUE(FileExists(PortableDir() + L"\\README.txt"));
    EXPECT_EQ(FolderListing(PortableDir()).size(), 2u);
}

TEST(Portable, RunsFromAnyFolderAndWritesNothingBesideItself)
{
    ASSERT_FALSE(PortableDir().empty()) << "LUMORA_PORTABLE_DIR not given";
    const std::wstring elsewhere = CopyElsewhere(PortableDir());
    ASSERT_FALSE(elsewhere.empty());
    const std::wstring temp = KnownFolder(CSIDL_LOCAL_APPDATA);
    const struct {
        std::wstring folder, currentDir;
        const wchar_t* screenshot;
    } runs[] = {
        {PortableDir(), PortableDir(), L"portable-unzipped"},
        {elsewhere, temp, L"portable-elsewhere"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.screenshot);
        const auto before = FolderListing(run.folder);
        const Shown shown = RunReaderOnce(run.folder + L"\\Lumora.exe", run.screenshot, run.currentDir);
        ASSERT_TRUE(shown.started);
        EXPECT_EQ(shown.exitCode, 0);
        EXPECT_EQ(shown.day, Today());
        EXPECT_EQ(shown.lesson, LessonKeyOfDay(Today()));
        EXPECT_EQ(FolderListing(run.folder), before);
    }
}
