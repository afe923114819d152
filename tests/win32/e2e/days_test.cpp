// Moving between days: the arrow keys, the commands, the accelerators typed
// for real, and a day without a lesson.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "book_days.h"
#include "calendar/hebrew_calendar.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"
#include "test_paths.h"

namespace {

// Today, not pinned: the reader follows today, so only a move can pin.
ReaderSetup TodayUnpinned(int lastPosition = 0)
{
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    setup.lastPosition = lastPosition;
    return setup;
}

TEST(Days, ArrowKeysMoveOneDayAndPinIt)
{
    const int32_t day = Today();
    StoredAtExit s = StoredAfter(TodayUnpinned(7), [](LumoraProcess& l) { l.SendKey(VK_RIGHT); });
    EXPECT_EQ(s.day, day + 1);
    EXPECT_EQ(s.lesson, LessonKeyOfDay(day + 1));
    EXPECT_EQ(s.position, 0);  // a new day starts at the top
    EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);

    s = StoredAfter(TodayUnpinned(7), [](LumoraProcess& l) { l.SendKey(VK_LEFT); l.SendKey(VK_LEFT); });
    EXPECT_EQ(s.day, day - 2);
    EXPECT_EQ(s.lesson, LessonKeyOfDay(day - 2));
    EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);
}

TEST(Days, NextDayFromYesterdayLandsOnTodayPinned)
{
    // An unpinned start is always today: yesterday first, then the move
    // back onto today, which stays pinned although it is today.
    const StoredAtExit s = StoredAfter(TodayUnpinned(), [](LumoraProcess& l) {
        l.SendCommand(IDC_PREVIOUS_DAY);
        l.SendCommand(IDC_NEXT_DAY);
    });
    EXPECT_EQ(s.day, Today());
    EXPECT_EQ(s.lesson, LessonKeyOfDay(Today()));
    EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);
}

TEST(Days, PreviousDayFromTodayPinsIt)
{
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    const StoredAtExit s = StoredAfter(setup, [](LumoraProcess& l) { l.SendCommand(IDC_PREVIOUS_DAY); });
    EXPECT_EQ(s.day, Today() - 1);
    EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);
}

TEST(Days, TodayLaysTheLessonOutAgainFromTheTop)
{
    // From a pinned day: today, following it again.
    StoredAtExit s = StoredAfter(LongDayPinned(6), [](LumoraProcess& l) { l.SendCommand(IDC_TODAY); });
    EXPECT_EQ(s.day, Today());
    EXPECT_EQ(s.lesson, LessonKeyOfDay(Today()));
    EXPECT_EQ(s.position, 0);
    EXPECT_EQ(s.flags, kReadableFlags);

    // While today is shown: back to the top all the same.
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    setup.lastPosition = 4;
    Pixels top;
    {
        Seed(setup);
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        lumora.SendKey(VK_HOME);
        top = CaptureClientSettled(lumora.mainWindow());
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    s = StoredAfter(setup, [&](LumoraProcess& l) {
        const Pixels before = CaptureClientSettled(l.mainWindow());
        EXPECT_TRUE(before != top);
        l.SendCommand(IDC_TODAY);
        EXPECT_TRUE(WaitForClientChange(l.mainWindow(), before) == top);
    });
    EXPECT_EQ(s.day, Today());
    EXPECT_EQ(s.position, 0);
}

// Clicks toolbar button `index` (0 = the first) with the mouse messages a
// click gives.
void PressToolbarButton(LumoraProcess& l, int index)
{
    HWND toolbar = l.toolbar();
    ASSERT_NE(toolbar, nullptr);
    // The button size comes back in the result; no memory crosses over.
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    const int width = LOWORD(size), height = HIWORD(size);
    ASSERT_GT(width, 0);
    RECT bar = {};
    GetClientRect(toolbar, &bar);
    const LPARAM at = MAKELPARAM(index * width + width / 2, (bar.bottom - height) / 2 + height / 2);
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
}

// Presses a day button and waits for the page to change.
void ClickDayButton(LumoraProcess& l, int index)
{
    const Pixels before = CaptureClientSettled(l.mainWindow());
    PressToolbarButton(l, index);
    EXPECT_FALSE(WaitForClientChange(l.mainWindow(), before).empty());
}

TEST(Days, ToolbarButtonsGiveTheirCommands)
{
    const int32_t day = LongDay();
    EXPECT_EQ(StoredAfter(LongDayPinned(0), [](LumoraProcess& l) { ClickDayButton(l, 0); }).day, day - 1);
    const StoredAtExit today = StoredAfter(LongDayPinned(0), [](LumoraProcess& l) { ClickDayButton(l, 1); });
    EXPECT_EQ(today.day, Today());
    EXPECT_EQ(today.flags, kReadableFlags);
    EXPECT_EQ(StoredAfter(LongDayPinned(0), [](LumoraProcess& l) { ClickDayButton(l, 2); }).day, day + 1);
    // The fourth opens the font chooser.
    StoredAfter(LongDayPinned(0), [](LumoraProcess& l) {
        PressToolbarButton(l, 3);
        HWND chooser = l.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        LumoraProcess::PressButton(chooser, IDCANCEL);
        EXPECT_TRUE(l.WaitForDialogGone(L"Choose Font"));
    });
}

TEST(Days, AcceleratorsTypedOnTheKeyboard)
{
    const int32_t day = LongDay();
    // Ctrl+N: next day.
    StoredAtExit s = StoredAfter(LongDayPinned(0), [](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        ASSERT_TRUE(l.TypeKeys({VK_CONTROL}, 'N'));
        EXPECT_FALSE(WaitForClientChange(w, before).empty());
    });
    EXPECT_EQ(s.day, day + 1);

    // Ctrl+T and Ctrl+Home: today; Ctrl+Home does not scroll.
    for (const WORD key : {WORD('T'), WORD(VK_HOME)}) {
        s = StoredAfter(LongDayPinned(6), [&](LumoraProcess& l) {
            HWND w = l.mainWindow();
            const Pixels before = CaptureClientSettled(w);
            ASSERT_TRUE(l.TypeKeys({VK_CONTROL}, key));
            EXPECT_FALSE(WaitForClientChange(w, before).empty());
        });
        EXPECT_EQ(s.day, Today()) << key;
        EXPECT_EQ(s.flags, kReadableFlags) << key;
    }

    // Plain keys come through the same loop.
    s = StoredAfter(LongDayPinned(0), [](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        ASSERT_TRUE(l.TypeKeys({}, VK_DOWN));
        EXPECT_FALSE(WaitForClientChange(w, before).empty());
    });
    EXPECT_EQ(s.position, 1);

    // Ctrl+Q: exit, as the menu says.
    Seed(LongDayPinned(3));
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    ASSERT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'Q'));
    EXPECT_EQ(lumora.WaitForExit(), 0);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 3);
}

using Bytes = std::vector<uint8_t>;

uint16_t BigEndian16(const Bytes& b, size_t at)
{
    return static_cast<uint16_t>(b[at] << 8 | b[at + 1]);
}

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found)
{
    *reinterpret_cast<WORD*>(found) = language;
    return FALSE;
}

// A copy of Lumora.exe whose book lacks the lesson of `day`: its month's
// container keeps only the records before that day. The path of the copy,
// or "" when it could not be made.
std::wstring ExeWithoutLessonOf(int32_t day)
{
    const uint16_t key = LessonKeyOfDay(day);
    const int resource = 1000 + (key >> 8);
    const size_t keep = (key & 0xFF) - 1;

    HMODULE original = LoadLibraryExW(LumoraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!original) return L"";
    Bytes container;
    WORD language = 0;
    if (HRSRC found = FindResourceW(original, MAKEINTRESOURCEW(resource), RT_RCDATA)) {
        const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(original, found)));
        container.assign(bytes, bytes + SizeofResource(original, found));
        EnumResourceLanguagesW(original, RT_RCDATA, MAKEINTRESOURCEW(resource), NoteLanguage,
                               reinterpret_cast<LONG_PTR>(&language));
    }
    FreeLibrary(original);
    if (container.size() < 6) return L"";

    // The container: body length, a word, the record count; then records of
    // compressed length, decoded length and bytes; four zeros end them.
    size_t at = 6;
    for (size_t i = 0; i < keep && at + 4 <= container.size(); ++i) at += 4 + BigEndian16(container, at);
    if (at > container.size()) return L"";
    container.resize(at);
    container.insert(container.end(), 4, 0);
    const size_t body = container.size() - 6;
    container[0] = static_cast<uint8_t>(body >> 8);
    container[1] = static_cast<uint8_t>(body);
    container[4] = static_cast<uint8_t>(keep >> 8);
    container[5] = static_cast<uint8_t>(keep);

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lumora-without-a-day";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\Lumora.exe";
    if (!CopyFileW(LumoraExePath().c_str(), copy.c_str(), FALSE)) return L"";
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    if (!update) return L"";
    const bool changed = UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(resource), language,
                                         container.data(), static_cast<DWORD>(container.size()));
    if (!EndUpdateResourceW(update, !changed) || !changed) return L"";
    return copy;
}

TEST(Days, MissingLessonOnNextDayFromTodayPinsToday)
{
    // Following today (not pinned), in a build whose book has no lesson for
    // tomorrow: the move fails, today stays, and it is pinned.
    const std::wstring exe = ExeWithoutLessonOf(Today() + 1);
    ASSERT_FALSE(exe.empty());
    Seed(TodayUnpinned());
    LumoraProcess lumora;
    lumora.UseExe(exe);
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    const Pixels before = CaptureClientSettled(window);
    lumora.Command(IDC_NEXT_DAY);
    HWND message = lumora.WaitForDialog(L"Error");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(LumoraProcess::MessageText(message), L"Could not access the\r\nThe lesson for the selected day");
    LumoraProcess::PressButton(message, IDOK);
    ASSERT_TRUE(lumora.WaitForDialogGone(L"Error"));
    EXPECT_TRUE(CaptureClientSettled(window) == before);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(Today()));
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags | kPinnedFlag);

    // The same build still has tomorrow's neighbours: the copy lacks only
    // that one lesson (its month's earlier days remain).
    Seed(TodayUnpinned());
    const StoredAtExit s = [&] {
        LumoraProcess again;
        again.UseExe(exe);
        EXPECT_NE(again.StartAndWait(), nullptr);
        again.SendCommand(IDC_PREVIOUS_DAY);
        EXPECT_EQ(again.FindDialog(L"Error"), nullptr);
        EXPECT_EQ(again.CloseAndWait(), 0);
        return StoredAtExit{Registry::Number(L"Day"), Registry::Number(L"Flags"), Registry::Number(L"Lesson"), 0};
    }();
    EXPECT_EQ(s.day, Today() - 1);
}

TEST(Days, MissingLessonOnNextDayKeepsTheDayShown)
{
    // Every day of the calendar has its lesson; the day after the last one
    // the calendar covers has none.
    ReaderSetup setup;
    setup.day = kLastDayNumber;
    setup.lastPosition = 2;
    Seed(setup);
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    const Pixels before = CaptureClientSettled(window);
    lumora.Command(IDC_NEXT_DAY);
    HWND message = lumora.WaitForDialog(L"Error");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(GetWindow(message, GW_OWNER), window);
    EXPECT_EQ(LumoraProcess::MessageText(message), L"Could not access the\r\nThe lesson for the selected day");
    Screenshot(message, L"missing-lesson");
    LumoraProcess::PressButton(message, IDOK);
    ASSERT_TRUE(lumora.WaitForDialogGone(L"Error"));
    // The page keeps the lesson it showed.
    EXPECT_TRUE(CaptureClientSettled(window) == before);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), kLastDayNumber);
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(kLastDayNumber));
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags | kPinnedFlag);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 2);
}

}  // namespace
