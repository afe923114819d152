// The calendar picker on the real reader, driven with real keys and mouse
// clicks: opening it (Ctrl+D, both menus, the date band), choosing a day,
// closing it without a choice, stepping months and years, and its grid.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>

#include "book_days.h"
#include "calendar/hebrew_calendar.h"
#include "dialogs/picker_state.h"
#include "lumora_process.h"
#include "page/text_view.h"
#include "reader_setup.h"

namespace {

constexpr wchar_t kCaption[] = L"Hebrew Calendar";
const int32_t kKislev27 = DayNumberFromHebrew(9, 27, 5787);  // 7 December 2026

// --- Real input -------------------------------------------------------------

bool ToForeground(HWND window)
{
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return WaitForForeground(window);
}

// Key strokes through the input queue into `window`: `modifiers` held
// around `key`.
bool TypeInto(HWND window, std::initializer_list<WORD> modifiers, WORD key)
{
    return ToForeground(window) && SendKeyStrokes(modifiers, key);
}

// A left click with the mouse at a point of `window` (client coordinates,
// or window coordinates with `onFrame`).
bool ClickInto(HWND window, POINT at, bool onFrame = false)
{
    if (onFrame) {
        RECT r = {};
        GetWindowRect(window, &r);
        at.x += r.left;
        at.y += r.top;
    } else {
        ClientToScreen(window, &at);
    }
    if (!SetCursorPos(at.x, at.y)) return false;
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// --- Where things are in the picker -----------------------------------------

// The picker's layout for its dialog, worked out by the reader's own layout
// code with the same bold font on this side.
struct PickerGeometry {
    int32_t gridTop = 0, cellWidth = 0, cellHeight = 0, gridWidth = 0, gridLeft = 0;
    int32_t yearTop = 0, yearHeight = 0, prevArrowLeft = 0, nextArrowLeft = 0, arrowWidth = 0;
    MonthButton leftmostThirdRow = {};  // the button of months 12 and 13
};

PickerGeometry GeometryOfPicker(HWND dialog, int32_t openedOn)
{
    PickerState& s = g_pickerState;
    std::memset(&s, 0, sizeof s);
    LOGFONTW description = {};
    description.lfHeight = 14;
    description.lfWeight = FW_BOLD;
    lstrcpynW(description.lfFaceName, kTestFace, LF_FACESIZE);
    HFONT bold = CreateFontIndirectW(&description);
    HDC screen = GetDC(nullptr);
    s.surface = screen;
    s.boldFont = bold;
    RECT client = {};
    GetClientRect(dialog, &client);
    s.clientRect = PickerRect{client.left, client.top, client.right, client.bottom};
    ShowPickerMonth(openedOn, 1);
    LayoutPicker();

    PickerGeometry g;
    g.gridTop = s.gridTop;
    g.cellWidth = s.cellWidth;
    g.cellHeight = s.cellHeight;
    g.gridWidth = s.gridWidth;
    g.gridLeft = s.gridLeft;
    g.yearTop = s.yearTop;
    g.yearHeight = s.yearHeight;
    g.leftmostThirdRow = g_commonYearPair[0];
    // The year boxes, measured as the first paint measures them.
    HGDIOBJ previous = SelectObject(screen, bold);
    uint8_t label[8] = {};
    int32_t yearWidth = client.right, count = FormatYearLabel(s.shownDate.year, label);
    MeasureRun(screen, label, &yearWidth, &count);
    const int32_t x = (client.right - yearWidth) / 2;
    int32_t arrowWidth = client.right;
    count = 6;
    MeasureRun(screen, reinterpret_cast<const uint8_t*>("  <<  "), &arrowWidth, &count);
    g.arrowWidth = arrowWidth;
    g.nextArrowLeft = x + yearWidth + 10;
    g.prevArrowLeft = x - arrowWidth - 10;
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(bold);
    return g;
}

// The middle of a grid cell: `row` 0 is the weekday header.
POINT CellCentre(const PickerGeometry& g, int column, int row)
{
    return POINT{g.gridLeft + column * g.cellWidth + g.cellWidth / 2,
                 g.gridTop + row * g.cellHeight + g.cellHeight / 2};
}

// The cell of a day of a Hebrew month.
POINT DayCell(const PickerGeometry& g, int32_t month, int32_t day, int32_t year)
{
    const int32_t first = DayNumberFromHebrew(month, 1, year) % 7;
    const int32_t p = first + day - 1;
    return CellCentre(g, p % 7, p / 7 + 1);
}

// Black pixels along a row a little below the top of the third row's
// leftmost button: two per button (its left and right borders).
int BorderPixelsOfAdarButtons(const Pixels& p, const PickerGeometry& g)
{
    const MonthButton& b = g.leftmostThirdRow;
    int black = 0;
    for (int x = b.left; x < b.right; ++x) black += p.at(x, b.top + 3) == 0;
    return black;
}

bool RowsDiffer(const Pixels& a, const Pixels& b, int top, int bottom)
{
    if (a.width != b.width || a.height != b.height) return true;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y)) return true;
    return false;
}

uint32_t ButtonFace()
{
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// --- Scenes -------------------------------------------------------------------

// How the picker is opened.
enum class Opening { CtrlD, GoMenu, FileMenu, DateBand };

HWND OpenPicker(LumoraProcess& l, Opening how)
{
    switch (how) {
    case Opening::CtrlD:
        if (!l.TypeKeys({VK_CONTROL}, 'D')) return nullptr;
        break;
    case Opening::GoMenu:
        if (!l.TypeKeys({VK_MENU}, 'G') || !PollUntil([&] { return l.FindMenuPopup() != nullptr; }, 3000))
            return nullptr;
        l.TypeKeys({}, 'C');
        break;
    case Opening::FileMenu:
        if (!l.TypeKeys({VK_MENU}, 'F') || !PollUntil([&] { return l.FindMenuPopup() != nullptr; }, 3000))
            return nullptr;
        // "&Copy" shares the letter: C only moves to "&Calendar"; Enter runs it.
        l.TypeKeys({}, 'C');
        if (HWND dialog = l.WaitForDialog(kCaption, 1000)) return dialog;
        l.TypeKeys({}, VK_RETURN);
        break;
    case Opening::DateBand: {
        const MainWindowGeometry g = GeometryOf(l);
        if (!ClickInto(l.mainWindow(), POINT{g.clientWidth / 3, g.bandY})) return nullptr;
        break;
    }
    }
    HWND dialog = l.WaitForDialog(kCaption);
    if (dialog) CaptureClientSettled(dialog);
    return dialog;
}

// Clicks at a point of the picker and waits for it to close.
bool ClickToClose(LumoraProcess& l, HWND dialog, POINT at)
{
    return ClickInto(dialog, at) && l.WaitForDialogGone(kCaption);
}

// Clicks at a point of the picker and waits for its picture to change.
Pixels ClickAndWait(HWND dialog, POINT at)
{
    const Pixels before = CaptureClientSettled(dialog);
    if (!ClickInto(dialog, at)) return Pixels();
    return WaitForClientChange(dialog, before);
}

Pixels TypeAndWait(HWND dialog, std::initializer_list<WORD> modifiers, WORD key)
{
    const Pixels before = CaptureClientSettled(dialog);
    if (!TypeInto(dialog, modifiers, key)) return Pixels();
    return WaitForClientChange(dialog, before);
}

// The close box in the picker's title bar, found by asking the window.
POINT CloseBox(HWND dialog)
{
    RECT r = {};
    GetWindowRect(dialog, &r);
    for (int y = 2; y < 40; ++y) {
        for (int x = r.right - r.left - 2; x > (r.right - r.left) / 2; --x) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(dialog, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y), SMTO_NORMAL, 2000,
                                &hit);
            if (hit == HTCLOSE) return POINT{x, y};
        }
    }
    return POINT{-1, -1};
}

ReaderSetup PinnedOn(int32_t day)
{
    ReaderSetup setup;
    setup.day = day;
    return setup;
}

ReaderSetup FollowingToday()
{
    ReaderSetup setup;
    setup.day = Today();
    setup.flags = kReadableFlags;
    return setup;
}

// --- Tests --------------------------------------------------------------------

TEST(Calendar, EveryWayInOpensThePickerOverTheWindow)
{
    for (Opening how : {Opening::CtrlD, Opening::GoMenu, Opening::FileMenu, Opening::DateBand}) {
        SCOPED_TRACE(static_cast<int>(how));
        const StoredAtExit s = StoredAfter(PinnedOn(kKislev27), [&](LumoraProcess& l) {
            HWND dialog = OpenPicker(l, how);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), l.mainWindow());
            EXPECT_FALSE(IsWindowEnabled(l.mainWindow()));  // modal
            EXPECT_TRUE(TypeInto(dialog, {}, VK_ESCAPE));
            EXPECT_TRUE(l.WaitForDialogGone(kCaption));
            EXPECT_TRUE(IsWindowEnabled(l.mainWindow()));
        });
        EXPECT_EQ(s.day, kKislev27);
        EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);
    }
}

TEST(Calendar, EnterEscTheCloseBoxAndTheMarkedDayChangeNothing)
{
    const CalendarDate today = HebrewFromDayNumber(Today());
    const StoredAtExit s = StoredAfter(FollowingToday(), [&](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        // Enter, Esc, the close box (0), the marked day (1).
        for (WORD way : {WORD(VK_RETURN), WORD(VK_ESCAPE), WORD(0), WORD(1)}) {
            SCOPED_TRACE(way);
            HWND dialog = OpenPicker(l, Opening::CtrlD);
            ASSERT_NE(dialog, nullptr);
            if (way == 1) {
                Screenshot(dialog, L"picker-today");
                const PickerGeometry g = GeometryOfPicker(dialog, Today());
                EXPECT_TRUE(ClickInto(dialog, DayCell(g, today.month, today.day, today.year)));
            } else {
                // Even after moving to another month.
                EXPECT_FALSE(TypeAndWait(dialog, {VK_MENU}, VK_DOWN).empty());
                if (way) {
                    EXPECT_TRUE(TypeInto(dialog, {}, way));
                } else {
                    EXPECT_TRUE(ClickInto(dialog, CloseBox(dialog), true));
                }
            }
            EXPECT_TRUE(l.WaitForDialogGone(kCaption));
            // The part the picker covered is painted again in its own time.
            EXPECT_TRUE(PollUntil([&] { return CaptureClient(w) == before; }, 3000));
        }
    });
    EXPECT_EQ(s.day, Today());
    EXPECT_EQ(s.flags, kReadableFlags);  // still following today: nothing was chosen
}

TEST(Calendar, ClickingADayMovesTheReaderThere)
{
    const ReaderSetup setup = FollowingToday();
    const CalendarDate today = HebrewFromDayNumber(Today());
    const int32_t day = today.day == 1 ? 2 : 1;
    const int32_t chosen = Today() - today.day + day;
    const StoredAtExit s = StoredAfter(setup, [&](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        HWND dialog = OpenPicker(l, Opening::DateBand);
        ASSERT_NE(dialog, nullptr);
        const PickerGeometry g = GeometryOfPicker(dialog, Today());
        ASSERT_TRUE(ClickToClose(l, dialog, DayCell(g, today.month, day, today.year)));
        // The date line and the lesson are those of the chosen day.
        const Pixels after = CaptureClientSettled(w);
        const MainWindowGeometry m = GeometryOf(l);
        EXPECT_TRUE(RowsDiffer(before, after, m.clientHeight - 16, m.clientHeight));
        EXPECT_TRUE(RowsDiffer(before, after, m.textTop, m.textBottom));
    });
    EXPECT_EQ(s.day, chosen);
    EXPECT_EQ(s.lesson, LessonKeyOfDay(chosen));
    EXPECT_EQ(s.flags, kReadableFlags | kPinnedFlag);
    EXPECT_EQ(s.position, 0);
}

TEST(Calendar, AltKeysStepMonthsAndYears)
{
    // From 27 Kislev 5787; the month shown is checked by picking its first day.
    const struct {
        std::initializer_list<WORD> keys;
        CalendarDate shown;
    } cases[] = {
        {{VK_DOWN}, {10, 1, 5787}},            // next month
        {{VK_RIGHT}, {8, 1, 5787}},            // previous month
        {{VK_NEXT, VK_LEFT}, {10, 1, 5788}},   // next year, next month
        {{VK_PRIOR, VK_UP}, {8, 1, 5786}},     // previous year, previous month
        {{VK_END}, {13, 1, 5787}},             // the year's last month: Adar II
        {{VK_HOME}, {1, 1, 5787}},             // Nisan
    };
    for (const auto& c : cases) {
        const int32_t expected = DayNumberFromHebrew(c.shown.month, 1, c.shown.year);
        const StoredAtExit s = StoredAfter(PinnedOn(kKislev27), [&](LumoraProcess& l) {
            HWND dialog = OpenPicker(l, Opening::CtrlD);
            ASSERT_NE(dialog, nullptr);
            const PickerGeometry g = GeometryOfPicker(dialog, kKislev27);
            for (WORD key : c.keys) EXPECT_FALSE(TypeAndWait(dialog, {VK_MENU}, key).empty()) << key;
            if (c.shown.month == 13) Screenshot(dialog, L"picker-adar-ii");
            ASSERT_TRUE(ClickToClose(l, dialog, DayCell(g, c.shown.month, 1, c.shown.year)));
        });
        EXPECT_EQ(s.day, expected) << c.shown.month << "/" << c.shown.year;
    }
}

TEST(Calendar, YearBoxesRepaintTheYearAndTheMonthButtons)
{
    const StoredAtExit s = StoredAfter(PinnedOn(kKislev27), [](LumoraProcess& l) {
        HWND dialog = OpenPicker(l, Opening::CtrlD);
        ASSERT_NE(dialog, nullptr);
        const PickerGeometry g = GeometryOfPicker(dialog, kKislev27);
        const POINT previousYear = {g.prevArrowLeft + g.arrowWidth / 2, g.yearTop + g.yearHeight / 2};
        const POINT nextYear = {g.nextArrowLeft + g.arrowWidth / 2, g.yearTop + g.yearHeight / 2};
        Pixels shown = CaptureClientSettled(dialog);
        EXPECT_EQ(BorderPixelsOfAdarButtons(shown, g), 4);  // 5787: Adar I and Adar II
        const struct {
            POINT box;
            int borders;  // 12 buttons in 5786 and 5788, 13 in 5787
        } steps[] = {{previousYear, 2}, {nextYear, 4}, {nextYear, 2}};  // the last: a double click
        for (const auto& step : steps) {
            const Pixels next = ClickAndWait(dialog, step.box);
            ASSERT_FALSE(next.empty()) << step.box.x;
            EXPECT_TRUE(RowsDiffer(shown, next, g.yearTop, g.yearTop + g.yearHeight));
            EXPECT_EQ(BorderPixelsOfAdarButtons(next, g), step.borders);
            shown = next;
        }
        ASSERT_TRUE(ClickToClose(l, dialog, DayCell(g, 9, 1, 5788)));
    });
    EXPECT_EQ(s.day, DayNumberFromHebrew(9, 1, 5788));
}

TEST(Calendar, TishriHasASixthWeekRowThatHeshvanClears)
{
    const int32_t tishri1 = DayNumberFromHebrew(7, 1, 5787);  // a Saturday; 30 days
    const StoredAtExit s = StoredAfter(PinnedOn(tishri1), [&](LumoraProcess& l) {
        HWND dialog = OpenPicker(l, Opening::CtrlD);
        ASSERT_NE(dialog, nullptr);
        const PickerGeometry g = GeometryOfPicker(dialog, tishri1);
        Screenshot(dialog, L"picker-tishri");
        // Along the sixth week row, between the day labels' cells' edges.
        auto sixthRow = [&](const Pixels& p, uint32_t colour) {
            int count = 0;
            for (int column = 1; column < 7; ++column)
                count += p.at(g.gridLeft + column * g.cellWidth + 3, g.gridTop + 6 * g.cellHeight + 4) == colour;
            return count;
        };
        EXPECT_EQ(sixthRow(CaptureClientSettled(dialog), 0xFFFFFF), 6);  // white cells
        const Pixels heshvan = TypeAndWait(dialog, {VK_MENU}, VK_LEFT);
        ASSERT_FALSE(heshvan.empty());
        EXPECT_EQ(sixthRow(heshvan, ButtonFace()), 6);  // cleared
        EXPECT_FALSE(TypeAndWait(dialog, {VK_MENU}, VK_RIGHT).empty());
        // Day 30 of Tishri sits alone in the sixth row's first column.
        ASSERT_TRUE(ClickToClose(l, dialog, CellCentre(g, 0, 6)));
    });
    EXPECT_EQ(s.day, tishri1 + 29);
}

}  // namespace
