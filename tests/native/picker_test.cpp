// The calendar picker's arithmetic: geometry, hit tests, the key table, the
// shape of the month grid and the ends of the calendar's range.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "calendar/date_line.h"
#include "dialogs/picker_state.h"

// Dates in failure messages as day/month/year.
static std::ostream& operator<<(std::ostream& o, const CalendarDate& d)
{
    return o << d.day << "/" << d.month << "/" << d.year;
}

namespace {

constexpr int kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

// A surface whose bold font is 14 units high (anything else 3), and a
// painter that records what it is asked to draw.
int g_boldMarker, g_normalMarker;
FontHandle g_selected = nullptr;
std::vector<std::pair<int, int>> g_drawnCells;
int g_paints = 0;

FontHandle NoFont(DeviceHandle, const char16_t*, int32_t, int32_t) { return nullptr; }
void NoDelete(FontHandle) {}
FontHandle Select(DeviceHandle, FontHandle font)
{
    FontHandle before = g_selected;
    g_selected = font;
    return before;
}
void NoColour(DeviceHandle, uint32_t) {}
FontMetrics Metrics(DeviceHandle) { return FontMetrics{g_selected == &g_boldMarker ? 14 : 3, 8}; }
int32_t AllFit(DeviceHandle, const char16_t*, int32_t count, int32_t) { return count; }
int32_t NoWidth(DeviceHandle, const char16_t*, int32_t) { return 0; }
const DeviceOps kSurface = {NoFont, NoDelete, Select, NoColour, Metrics, AllFit, NoWidth};

void RecordPaint() { ++g_paints; }
void RecordCell(int32_t day, int selected) { g_drawnCells.emplace_back(day, selected); }
const PickerPainter kRecorder = {RecordPaint, RecordCell};

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousOps_ = g_deviceOps;
        g_deviceOps = &kSurface;
        g_pickerPainter = &kRecorder;
        std::memset(&g_pickerState, 0, sizeof g_pickerState);
        g_pickerState.boldFont = &g_boldMarker;
        g_pickerState.normalFont = &g_normalMarker;
        g_pickerState.clientRect = PickerRect{0, 0, 320, 320};
        g_selected = nullptr;
        g_drawnCells.clear();
        g_paints = 0;
    }
    void TearDown() override
    {
        g_deviceOps = previousOps_;
        g_pickerPainter = nullptr;
    }
    // Opens on a Hebrew date as the picker does, laid out and painted once.
    static void Open(int32_t month, int32_t day, int32_t year) { OpenOn(DayNumberFromHebrew(month, day, year)); }
    static void OpenOn(int32_t dayNumber)
    {
        ShowPickerMonth(dayNumber, 1);
        LayoutPicker();
        PlanMonthGrid();
        g_pickerState.pickerRedraw = 0;
        g_paints = 0;
    }
    // The year boxes as a first paint would measure them.
    static void PlaceYearBoxes()
    {
        g_pickerState.prevArrowLeft = 100;
        g_pickerState.arrowWidth = 30;
        g_pickerState.nextArrowLeft = 200;
    }
    static CalendarDate Shown() { return g_pickerState.shownDate; }

private:
    const DeviceOps* previousOps_ = nullptr;
};

using Box = std::array<int, 4>;  // left, top, right, bottom
Box BoxOf(const MonthButton& b) { return Box{b.left, b.top, b.right, b.bottom}; }

TEST_F(PickerTest, GeometryOfA320SquareWithBold14)
{
    Open(9, 27, 5787);  // a leap year
    const PickerState& s = g_pickerState;
    EXPECT_EQ(s.gridTop, 107);
    EXPECT_EQ(s.cellHeight, 30);
    EXPECT_EQ(s.cellWidth, 40);
    EXPECT_EQ(s.gridWidth, 281);
    EXPECT_EQ(s.gridLeft, 20);
    EXPECT_EQ(s.yearTop, 2);
    EXPECT_EQ(s.yearHeight, 14);
    EXPECT_EQ(g_selected, nullptr);  // the bold font was measured and put back
    // monthTop 20, buttonWidth 70, buttonHeight 27, areaLeft 20, split 37.
    EXPECT_EQ(BoxOf(g_monthButtons[1]), (Box{230, 20, 300, 47}));
    EXPECT_EQ(BoxOf(g_monthButtons[4]), (Box{20, 20, 90, 47}));
    EXPECT_EQ(BoxOf(g_monthButtons[9]), (Box{230, 74, 300, 101}));
    EXPECT_EQ(BoxOf(g_monthButtons[12]), (Box{37, 74, 90, 101}));
    EXPECT_EQ(BoxOf(g_monthButtons[13]), (Box{20, 74, 37, 101}));
    EXPECT_EQ(g_monthButtons[14].name, nullptr);

    Open(9, 1, 5786);  // a common year: Adar spans the button, the table ends
    EXPECT_EQ(BoxOf(g_monthButtons[12]), (Box{20, 74, 90, 101}));
    EXPECT_EQ(g_monthButtons[13].name, nullptr);
    EXPECT_STREQ(g_monthButtons[12].name, HebrewMonthName(12, false));
}

TEST_F(PickerTest, MonthButtonsOnSharedEdgesGoToTheLowerMonth)
{
    Open(9, 27, 5787);
    const struct {
        int x, y, month;
    } cases[] = {
        {265, 33, 1}, {230, 33, 1},  // month 1 | month 2
        {160, 33, 2},                // month 2 | month 3
        {250, 47, 1},                // month 1 above month 5
        {37, 80, 12},                // Adar I | Adar II
        {36, 80, 13}, {20, 101, 13}, {90, 101, 11},
        {19, 33, 0},  {301, 33, 0},  {250, 19, 0}, {250, 102, 0},
    };
    for (const auto& c : cases) {
        Open(9, 27, 5787);
        EXPECT_EQ(HitMonthButton(c.x, c.y), c.month) << c.x << "," << c.y;
        EXPECT_EQ(Shown().month, c.month ? c.month : 9) << c.x << "," << c.y;
        // Showing another month repaints; the month on show or a miss does not.
        EXPECT_EQ(g_paints, c.month && c.month != 9 ? 1 : 0) << c.x << "," << c.y;
    }
    Open(9, 27, 5786);  // no month 13 in a common year
    EXPECT_EQ(HitMonthButton(25, 80), 12);
}

TEST_F(PickerTest, DayCellsStartBelowTheHeaderRow)
{
    // Kislev 5787 begins on a Wednesday (column 3) and has 30 days.
    const struct {
        int x, y, day;
    } cases[] = {
        {140, 137, 1}, {179, 166, 1},  // day 1's cell, both corners
        {140, 136, 0},                 // the weekday header
        {20, 137, 0},  {139, 137, 0},  // before day 1
        {180, 137, 2}, {20, 167, 5},
        {300, 137, 4}, {301, 137, 4},  // the grid's right border: still Saturday
        {19, 167, 0},  {302, 167, 0},
        {180, 257, 30}, {220, 257, 0},  // after day 30
        {20, 288, 0},                   // below the last week row
    };
    for (const auto& c : cases) {
        Open(9, 27, 5787);
        const int32_t shownDay = g_pickerState.shownDay;
        g_drawnCells.clear();
        const int day = HitDayCell(c.x, c.y);
        EXPECT_EQ(day, c.day) << c.x << "," << c.y;
        if (day) {
            EXPECT_EQ(g_pickerState.shownDay, shownDay + day - 27);
            EXPECT_EQ(g_pickerState.shownDay, DayNumberFromHebrew(9, day, 5787));
            EXPECT_EQ(g_pickerState.selectedDate, (CalendarDate{9, day, 5787}));
            EXPECT_EQ(Shown().day, day);
            EXPECT_EQ(g_drawnCells, (std::vector<std::pair<int, int>>{{27, 0}, {day, 1}}));
        } else {
            EXPECT_EQ(g_pickerState.shownDay, shownDay) << c.x << "," << c.y;
            EXPECT_TRUE(g_drawnCells.empty());
        }
    }
}

TEST_F(PickerTest, TishriOf5787HasSixWeekRowsAndHeshvanClearsTheSixth)
{
    Open(7, 1, 5787);
    EXPECT_EQ(g_pickerState.firstWeekday, 6);  // a Saturday
    EXPECT_EQ(g_pickerState.shownMonthDays, 30);
    EXPECT_EQ(g_pickerState.weekRows, 6);
    EXPECT_EQ(DayCellPosition(1).column, 6);
    EXPECT_EQ(DayCellPosition(1).row, 1);
    EXPECT_EQ(DayCellPosition(30).column, 0);
    EXPECT_EQ(DayCellPosition(30).row, 6);
    EXPECT_EQ(HitDayCell(25, 137 + 5 * 30 + 3), 30);  // the sixth week row

    StepPickerByKey(kDown);
    EXPECT_EQ(Shown(), (CalendarDate{8, 30, 5787}));
    EXPECT_EQ(g_pickerState.firstWeekday, 1);  // a Monday
    const MonthGridPlan plan = PlanMonthGrid();
    EXPECT_EQ(plan.rows, 5);
    EXPECT_EQ(plan.lines, 6);
    EXPECT_TRUE(plan.clearSixth);
    EXPECT_EQ(DayCellPosition(30).column, 2);
    EXPECT_EQ(DayCellPosition(30).row, 5);
    EXPECT_FALSE(PlanMonthGrid().clearSixth);  // cleared once
    EXPECT_EQ(HitDayCell(25, 137 + 5 * 30 + 3), 0);
}

TEST_F(PickerTest, OnlyA30DayMonthFromSaturdayNeedsASixthRow)
{
    int sixRowMonths = 0;
    for (int32_t year = 5000; year <= 6000; ++year) {
        for (int32_t month = 1; month <= HebrewMonthsInYear(year); ++month) {
            ShowPickerDate(month, 1, year);
            g_pickerState.weekRows = 5;
            const MonthGridPlan plan = PlanMonthGrid();
            // The rows that hold days are the rows the grid draws.
            const int rowsWithDays = DayCellPosition(g_pickerState.shownMonthDays).row;
            ASSERT_EQ(rowsWithDays, plan.rows) << month << "/" << year;
            const bool saturdayThirty = g_pickerState.firstWeekday == 6 && g_pickerState.shownMonthDays == 30;
            ASSERT_EQ(plan.rows == 6, saturdayThirty) << month << "/" << year;
            sixRowMonths += plan.rows == 6;
        }
    }
    EXPECT_GT(sixRowMonths, 100);
}

TEST_F(PickerTest, KeyTable)
{
    const struct {
        CalendarDate from;
        int key;
        CalendarDate to;
    } cases[] = {
        {{6, 10, 5786}, kLeft, {7, 10, 5787}},   // Elul to Tishri: the next year
        {{6, 10, 5786}, kDown, {7, 10, 5787}},
        {{7, 10, 5787}, kUp, {6, 10, 5786}},     // and back
        {{7, 10, 5787}, kRight, {6, 10, 5786}},
        {{12, 10, 5786}, kLeft, {1, 10, 5786}},  // the last month to Nisan, same year
        {{13, 10, 5787}, kDown, {1, 10, 5787}},
        {{12, 10, 5787}, kLeft, {13, 10, 5787}},
        {{1, 10, 5787}, kUp, {13, 10, 5787}},    // Nisan back to the last month
        {{1, 10, 5786}, kRight, {12, 10, 5786}},
        {{13, 10, 5787}, kPageUp, {12, 10, 5786}},    // Adar II: the neighbours' Adar
        {{13, 10, 5787}, kPageDown, {12, 10, 5788}},
        {{9, 27, 5787}, kPageDown, {9, 27, 5788}},
        {{9, 27, 5787}, kPageUp, {9, 27, 5786}},
        {{9, 27, 5787}, kEnd, {13, 27, 5787}},
        {{9, 27, 5786}, kEnd, {12, 27, 5786}},
        {{9, 27, 5787}, kHome, {1, 27, 5787}},
        {{1, 30, 5787}, kLeft, {2, 29, 5787}},   // day 30 into a 29-day month
        {{8, 30, 5787}, kPageUp, {8, 29, 5786}},
    };
    for (const auto& c : cases) {
        Open(c.from.month, c.from.day, c.from.year);
        StepPickerByKey(c.key);
        EXPECT_EQ(Shown(), c.to) << c.from << " key " << c.key;
        EXPECT_EQ(g_pickerState.shownDay, DayNumberFromHebrew(c.to.month, c.to.day, c.to.year));
        EXPECT_EQ(g_paints, 1);
        const bool yearChanged = c.to.year != c.from.year;
        EXPECT_EQ((g_pickerState.pickerRedraw & RedrawYear) != 0, yearChanged) << c.from << " key " << c.key;
        EXPECT_TRUE(g_pickerState.pickerRedraw & RedrawMonths);
        // The marked day stays the one the picker opened on.
        EXPECT_EQ(g_pickerState.selectedDate, c.from);
    }
    for (int key : {0x20, 0x29, 0x0D, 0x1B}) {
        Open(9, 27, 5787);
        StepPickerByKey(key);
        EXPECT_EQ(Shown(), (CalendarDate{9, 27, 5787}));
        EXPECT_EQ(g_paints, 0);
    }
}

TEST_F(PickerTest, YearBoxes)
{
    const struct {
        int x, y, step;
    } cases[] = {
        {100, 2, -1}, {130, 16, -1},  // the "<<" box, corners included
        {131, 8, 0},  {199, 8, 0},    // the year itself
        {200, 8, 1},  {230, 8, 1},
        {99, 8, 0},   {231, 8, 0},  {150, 1, 0},  {210, 17, 0},
    };
    for (const auto& c : cases) {
        Open(13, 10, 5787);
        PlaceYearBoxes();
        EXPECT_EQ(HitYearBox(c.x, c.y), c.step) << c.x << "," << c.y;
        // Adar II's neighbours are common years: their Adar.
        const CalendarDate expected = c.step ? CalendarDate{12, 10, 5787 + c.step} : CalendarDate{13, 10, 5787};
        EXPECT_EQ(Shown(), expected) << c.x << "," << c.y;
        EXPECT_EQ(g_paints, c.step ? 1 : 0);
        if (c.step) {
            EXPECT_EQ(g_pickerState.pickerRedraw & (RedrawYear | RedrawMonths), RedrawYear | RedrawMonths);
            EXPECT_EQ(g_monthButtons[13].name, nullptr);  // 12 buttons now
        }
    }
    Open(8, 30, 5787);
    PlaceYearBoxes();
    EXPECT_EQ(HitYearBox(110, 8), -1);
    EXPECT_EQ(Shown(), (CalendarDate{8, 29, 5786}));  // Heshvan 5786 has 29 days
}

TEST_F(PickerTest, YearLabelFitsFiveDigitYears)
{
    const struct {
        int32_t year;
        const char* label;
    } cases[] = {{5787, " 5787 "}, {9999, " 9999 "}, {10000, "10000"}, {13760, "13760"}, {999, " 999 "}};
    for (const auto& c : cases) {
        uint8_t label[8];
        std::memset(label, 0xAA, sizeof label);
        EXPECT_EQ(FormatYearLabel(c.year, label), static_cast<int>(std::strlen(c.label)));
        EXPECT_STREQ(reinterpret_cast<const char*>(label), c.label);
        EXPECT_EQ(label[7], 0xAA) << "written past the 7-byte label";
    }
    // The year boxes step into and out of five-digit years.
    Open(7, 1, 9999);
    PlaceYearBoxes();
    EXPECT_EQ(HitYearBox(210, 8), 1);
    EXPECT_EQ(Shown(), (CalendarDate{7, 1, 10000}));
    EXPECT_TRUE(g_pickerState.pickerRedraw & RedrawYear);
    EXPECT_EQ(HitYearBox(110, 8), -1);
    EXPECT_EQ(Shown(), (CalendarDate{7, 1, 9999}));
    Open(7, 1, 13760);
    PlaceYearBoxes();
    EXPECT_EQ(HitYearBox(110, 8), -1);
    EXPECT_EQ(Shown(), (CalendarDate{7, 1, 13759}));
}

TEST_F(PickerTest, TheFirstDayOfTheRange)
{
    // Day 1 is 18 Tevet 3761; Kislev 3761 and everything before lie outside.
    OpenOn(kFirstDayNumber);
    ASSERT_EQ(Shown(), (CalendarDate{10, 18, 3761}));
    EXPECT_EQ(g_pickerState.firstWeekday, 5);  // 1 Tevet 3761 is day -16, a Friday
    PlaceYearBoxes();
    for (int key : {kUp, kRight, kPageUp}) {
        StepPickerByKey(key);
        EXPECT_EQ(Shown(), (CalendarDate{10, 18, 3761})) << key;
    }
    EXPECT_EQ(HitYearBox(110, 8), -1);
    EXPECT_EQ(HitMonthButton(265, 80), 9);  // Kislev's button: nothing to show
    EXPECT_EQ(g_paints, 0);
    // Days of Tevet before day 1 cannot be chosen; day 1 can.
    const GridCell before = DayCellPosition(17), first = DayCellPosition(18);
    EXPECT_EQ(HitDayCell(20 + before.column * 40 + 5, 107 + before.row * 30 + 5), 0);
    EXPECT_EQ(HitDayCell(20 + first.column * 40 + 5, 107 + first.row * 30 + 5), 18);
    EXPECT_EQ(g_pickerState.shownDay, kFirstDayNumber);
    // From Shevat back into Tevet: the nearest day inside, never below 1.
    Open(11, 1, 3761);
    StepPickerByKey(kUp);
    EXPECT_EQ(g_pickerState.shownDay, kFirstDayNumber);
    EXPECT_EQ(Shown(), (CalendarDate{10, 18, 3761}));
    StepPickerByKey(kLeft);
    EXPECT_EQ(Shown(), (CalendarDate{11, 18, 3761}));
}

TEST_F(PickerTest, TheLastDayOfTheRange)
{
    // 31 December 9999 is 28 Heshvan 13760; Kislev 13760 lies wholly after it.
    OpenOn(kLastDayNumber);
    ASSERT_EQ(Shown(), (CalendarDate{8, 28, 13760}));
    PlaceYearBoxes();
    for (int key : {kLeft, kDown, kPageDown}) {
        StepPickerByKey(key);
        EXPECT_EQ(Shown(), (CalendarDate{8, 28, 13760})) << key;
    }
    EXPECT_EQ(HitYearBox(210, 8), 1);
    EXPECT_EQ(HitMonthButton(265, 80), 9);  // Kislev's button: nothing to show
    EXPECT_EQ(Shown(), (CalendarDate{8, 28, 13760}));
    EXPECT_EQ(g_paints, 0);
    const GridCell last = DayCellPosition(28), after = DayCellPosition(29);
    EXPECT_EQ(HitDayCell(20 + after.column * 40 + 5, 107 + after.row * 30 + 5), 0);
    EXPECT_EQ(HitDayCell(20 + last.column * 40 + 5, 107 + last.row * 30 + 5), 28);
    EXPECT_EQ(g_pickerState.shownDay, kLastDayNumber);
    // From Tishri 30 forward: Heshvan's day 29 would be past the end.
    Open(7, 30, 13760);
    StepPickerByKey(kLeft);
    EXPECT_EQ(g_pickerState.shownDay, kLastDayNumber);
    EXPECT_EQ(Shown(), (CalendarDate{8, 28, 13760}));
}

}  // namespace
