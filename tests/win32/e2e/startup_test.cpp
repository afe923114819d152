// The reader started as a user starts it: the first run, the day it opens
// on, its scroll bar and the settings it keeps.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "book_days.h"
#include "calendar/hebrew_calendar.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

LONG Style(HWND window)
{
    return GetWindowLongW(window, GWL_STYLE);
}

LONG ExStyle(HWND window)
{
    return GetWindowLongW(window, GWL_EXSTYLE);
}

// The size the system gives a window whose place and size are left to it.
SIZE DefaultWindowSize()
{
    HWND probe = CreateWindowExW(WS_EX_WINDOWEDGE, L"STATIC", L"probe",
                                 WS_OVERLAPPED | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                     WS_MAXIMIZEBOX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT r = {};
    GetWindowRect(probe, &r);
    DestroyWindow(probe);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Whether `above` comes before `below` in the top-level z-order.
bool IsAbove(HWND above, HWND below)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == above) return true;
        if (w == below) return false;
    }
    return false;
}

TEST(Startup, FirstRunShowsTodayInTheDefaultPlaceWithTheChooserOverIt)
{
    Registry::Clear();
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    HWND chooser = lumora.WaitForDialog(L"Choose Font");
    ASSERT_NE(chooser, nullptr);

    // The chooser belongs to the window, which is shown under it.
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsAbove(chooser, window));
    EXPECT_TRUE(PollUntil([&] { return GetForegroundWindow() == chooser; }, 3000));

    // The system's default place and size, shown as launched (normal).
    RECT r = {};
    GetWindowRect(window, &r);
    const SIZE expected = DefaultWindowSize();
    EXPECT_EQ(r.right - r.left, expected.cx);
    EXPECT_EQ(r.bottom - r.top, expected.cy);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_FALSE(IsIconic(window));

    Screenshot(window, L"first-run");
    LumoraProcess::PressButton(chooser, IDCANCEL);
    ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));

    // Default flags: a vertical scroll bar on the right, which the system
    // shows once the lesson is longer than the window.
    EXPECT_FALSE(ExStyle(window) & WS_EX_LEFTSCROLLBAR);
    SetWindowPos(window, nullptr, 0, 0, kSmallWidth, kSmallHeight, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(PollUntil([&] { return (Style(window) & WS_VSCROLL) != 0; }, 3000));
    EXPECT_FALSE(ExStyle(window) & WS_EX_LEFTSCROLLBAR);
    Screenshot(window, L"first-run-small");
    EXPECT_EQ(lumora.CloseAndWait(), 0);

    // Today's lesson from the top, following today (not pinned). Wine orders
    // Hebrew right to left itself, so the first run turned Reverse on.
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(Today()));
    EXPECT_EQ(Registry::Number(L"LastPosition"), 0);
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags);
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0x5D0);
    // Cancelled: no face stored, so the chooser comes back next time.
    EXPECT_FALSE(Registry::Has(L"FontName"));
    EXPECT_FALSE(Registry::Has(L"FontSize"));
    EXPECT_FALSE(Registry::Has(L"SearchString"));
    EXPECT_TRUE(Registry::Has(L"Width"));
}

// The rows of a client-area picture that the date line is drawn in, inside
// the band (whose height comes from the font the window started with).
Pixels DateBand(const Pixels& p)
{
    Pixels band;
    band.width = p.width;
    band.height = 12;
    band.rgb.assign(p.rgb.end() - size_t(p.width) * 14, p.rgb.end() - size_t(p.width) * 2);
    return band;
}

TEST(Startup, FirstRunChoiceIsKeptAndTheChooserDoesNotComeBack)
{
    const wchar_t* const face = L"Frank Ruehl CLM";
    Registry::Clear();
    Registry::PutPlacement(kSmallLeft, kSmallTop, kSmallWidth, kSmallHeight);
    Pixels chosenBand;
    {
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        ASSERT_NE(window, nullptr);
        HWND chooser = lumora.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        ASSERT_NE(LumoraProcess::SelectInList(chooser, IDC_FONT_FACES, face), LB_ERR);
        LumoraProcess::PressButton(chooser, IDOK);
        ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));
        chosenBand = DateBand(CaptureClientSettled(window));
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    EXPECT_EQ(Registry::Text(L"FontName"), face);

    LumoraProcess again;
    HWND window = again.StartAndWait();
    ASSERT_NE(window, nullptr);
    // Start-up is over once the window answers: no chooser this time.
    EXPECT_EQ(again.FindDialog(L"Choose Font"), nullptr);
    EXPECT_TRUE(again.OtherWindows().empty());
    // The date line took the chosen face at once, as it has it now.
    EXPECT_TRUE(DateBand(CaptureClientSettled(window)) == chosenBand);
    Screenshot(window, L"lesson");
    EXPECT_EQ(again.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Text(L"FontName"), face);
}

// The face the system gives a font that asks for none, as the page's text
// font does while no face is chosen.
std::wstring SystemFaceForNoFace()
{
    LOGFONTW font = {};
    font.lfWeight = 400;
    font.lfCharSet = DEFAULT_CHARSET;
    HFONT made = CreateFontIndirectW(&font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ before = SelectObject(screen, made);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    DeleteObject(made);
    return face;
}

// Enter typed on the keyboard into `window`, through the input queue.
bool TypeEnterInto(HWND window)
{
    SetForegroundWindow(window);
    if (!WaitForForeground(window)) return false;
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_RETURN;
        key.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC));
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT)) == 2;
}

TEST(Startup, FirstRunOkAloneStoresThePageFaceAndTheChooserDoesNotComeBack)
{
    const std::wstring pageFace = SystemFaceForNoFace();
    ASSERT_FALSE(pageFace.empty());
    Registry::Clear();
    Registry::PutPlacement(kSmallLeft, kSmallTop, kSmallWidth, kSmallHeight);
    {
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        HWND chooser = lumora.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        // Nothing touched: the face the page is drawn in is selected.
        const auto faces = LumoraProcess::ListItems(chooser, IDC_FONT_FACES);
        const LRESULT selected = SendDlgItemMessageW(chooser, IDC_FONT_FACES, LB_GETCURSEL, 0, 0);
        ASSERT_NE(selected, LB_ERR);
        EXPECT_EQ(faces[selected], pageFace);
        ASSERT_TRUE(TypeEnterInto(chooser));
        ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    EXPECT_EQ(Registry::Text(L"FontName"), pageFace);

    LumoraProcess again;
    ASSERT_NE(again.StartAndWait(), nullptr);
    EXPECT_EQ(again.FindDialog(L"Choose Font"), nullptr);
    EXPECT_TRUE(again.OtherWindows().empty());
    EXPECT_EQ(again.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Text(L"FontName"), pageFace);
}

TEST(Startup, PinnedDayOutsideTheCalendarGivesWayToToday)
{
    // A stored day the calendar does not cover is no day; its pin goes with
    // it, so the reader starts on today and follows it.
    for (const long long stored : {0LL, static_cast<long long>(kLastDayNumber) + 5, 0xFFFFFFF0LL}) {
        ReaderSetup setup;
        setup.flags = kReadableFlags | kPinnedFlag;
        Seed(setup);
        Registry::PutNumber(L"Day", static_cast<DWORD>(stored));
        Registry::PutNumber(L"Lesson", 0x0101);
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        EXPECT_EQ(lumora.FindDialog(L"Error"), nullptr);
        EXPECT_EQ(lumora.CloseAndWait(), 0);
        EXPECT_EQ(Registry::Number(L"Day"), Today()) << stored;
        EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(Today())) << stored;
        EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags) << stored;
    }
}

TEST(Startup, TheWindowHasToolbarPageAndDateBand)
{
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    setup.face = L"Frank Ruehl CLM";
    setup.fontSize = 13;
    setup.smallWindow = false;
    Seed(setup);
    Registry::PutPlacement(60, 40, 640, 600);
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    HWND toolbar = lumora.toolbar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 6);

    const Pixels p = CaptureClientSettled(window);
    const MainWindowGeometry g = GeometryOf(lumora);
    // The date band: light grey across the bottom, with the date in it.
    int grey = 0, dark = 0;
    for (int x = 0; x < p.width; ++x) {
        if (p.at(x, g.bandY) == 0xC0C0C0) ++grey;
        for (int y = g.clientHeight - 16; y < g.clientHeight; ++y)
            if ((p.at(x, y) & 0xFF) < 0x60) ++dark;
    }
    EXPECT_GT(grey, p.width * 3 / 4);
    EXPECT_GT(dark, 20);
    // Text on the page, set flush right: more of it on the right half.
    int left = 0, right = 0;
    for (int y = g.textTop; y < g.textBottom; ++y)
        for (int x = g.textLeft; x < g.textRight; ++x)
            if ((p.at(x, y) & 0xFF) < 0x60) ++(x < p.width / 2 ? left : right);
    EXPECT_GT(right, 500);
    EXPECT_GT(right, left);
    Screenshot(window, L"reading");
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST(Startup, StoredFlagsWinOverTheFirstRunGuess)
{
    // Reverse off, as stored: nothing turns it on.
    ReaderSetup setup = LongDayPinned();
    setup.flags = kDefaultFlags | kPinnedFlag;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Flags"), kDefaultFlags | kPinnedFlag);
}

TEST(Startup, PinnedDayComesBackAtItsScrollPosition)
{
    const int32_t day = LongDay();
    ASSERT_NE(day, 0);
    ASSERT_NE(day, Today());

    // Scrolled down by hand five rows from the top...
    Seed(LongDayPinned(0));
    Pixels scrolled;
    {
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        for (int i = 0; i < 5; ++i) lumora.SendKey(VK_DOWN);
        scrolled = CaptureClientSettled(lumora.mainWindow());
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    EXPECT_EQ(Registry::Number(L"LastPosition"), 5);

    // ...and started again with that stored: the same day at the same place.
    LumoraProcess again;
    ASSERT_NE(again.StartAndWait(), nullptr);
    const Pixels restored = CaptureClientSettled(again.mainWindow());
    EXPECT_TRUE(restored == scrolled);
    EXPECT_EQ(again.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), day);
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(day));
    EXPECT_EQ(Registry::Number(L"LastPosition"), 5);
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags | kPinnedFlag);
}

TEST(Startup, UnpinnedEarlierDayGivesWayToTodayFromTheTop)
{
    ReaderSetup setup;
    setup.day = Today() - 3;
    setup.flags = kReadableFlags;  // following today
    setup.lastPosition = 4;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(Today()));
    EXPECT_EQ(Registry::Number(L"LastPosition"), 0);
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags);
}

TEST(Startup, UnpinnedTodayKeepsItsScrollPosition)
{
    // The date has not changed since the last run: the place is kept.
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    setup.lastPosition = 3;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"LastPosition"), 3);
}

TEST(Startup, FlagsWithoutScrollBarBitsGiveNoScrollBarEver)
{
    ReaderSetup setup = LongDayPinned();
    setup.flags &= ~(kScrollBarShownFlag | kScrollBarLeftFlag);
    Seed(setup);
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(Style(window) & WS_VSCROLL);
    // Scrolling never sets the bar up (which would bring it into view).
    lumora.SendKey(VK_DOWN);
    lumora.SendKey(VK_NEXT);
    EXPECT_FALSE(Style(window) & WS_VSCROLL);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_GT(Registry::Number(L"LastPosition"), 1);
}

TEST(Startup, ScrollBarLeftFlagPutsTheBarOnTheLeft)
{
    for (const uint32_t bits : {kScrollBarLeftFlag, kScrollBarLeftFlag | kScrollBarShownFlag}) {
        ReaderSetup setup = LongDayPinned();
        setup.flags = (setup.flags & ~(kScrollBarShownFlag | kScrollBarLeftFlag)) | bits;
        Seed(setup);
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(Style(window) & WS_VSCROLL) << std::hex << bits;
        EXPECT_TRUE(ExStyle(window) & WS_EX_LEFTSCROLLBAR) << std::hex << bits;
        if (bits & kScrollBarShownFlag) Screenshot(window, L"scroll-bar-left");
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
}

}  // namespace
