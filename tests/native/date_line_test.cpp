// The Hebrew date line, the current day and the picker's month data.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "calendar/current_day.h"
#include "calendar/date_line.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/picker_month.h"
#include "shell/app_state.h"

namespace {

std::string Line(int month, int day, int year)
{
    const CalendarDate date{month, day, year};
    uint8_t out[kDateTextSize];
    std::memset(out, 0xEE, sizeof out);
    const int n = FormatHebrewDate(&date, out);
    if (n == 0) return "<none>";
    EXPECT_EQ(out[n], 0);
    return std::string(reinterpret_cast<char*>(out), n);
}

// Numeric value of the Hebrew letters in a letter-coded string.
int LetterSum(const std::string& s)
{
    static const int kValues[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  20,  20,  30, 40,
                                    40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
    int sum = 0;
    for (unsigned char c : s)
        if (c >= 0x61 && c <= 0x7B) sum += kValues[c - 0x61];
    return sum;
}

TEST(FormatHebrewDate, KnownLines)
{
    // 27 Kislev 5787, read from the right: kaf-zayin, Kislev, he geresh tav-shin-pe-zayin.
    EXPECT_EQ(Line(9, 27, 5787), "guz{'e fmrl gl");
    EXPECT_EQ(Line(7, 15, 5787), "guz{'e jyz{ fi");   // fifteen form
    EXPECT_EQ(Line(7, 16, 5787), "guz{'e jyz{ gi");   // sixteen form
    EXPECT_EQ(Line(7, 10, 5787), "guz{'e jyz{ j");    // one tens letter
    EXPECT_EQ(Line(7, 30, 5787), "guz{'e jyz{ m");
    EXPECT_EQ(Line(12, 1, 5787), "guz{'e 'a yda a");  // Adar I
    EXPECT_EQ(Line(13, 1, 5787), "guz{'e 'b yda a");  // Adar II
    EXPECT_EQ(Line(12, 1, 5786), "fuz{'e yda a");     // Adar of a common year
}

TEST(FormatHebrewDate, YearForms)
{
    EXPECT_EQ(Line(7, 1, 5715), "fiz{'e jyz{ a");    // ...15 as tet-vav
    EXPECT_EQ(Line(7, 1, 5716), "giz{'e jyz{ a");    // ...16 as tet-zayin
    EXPECT_EQ(Line(7, 1, 5270), "ys'e jyz{ a");      // special form, no hundreds
    EXPECT_EQ(Line(7, 1, 5304), "zd'e jyz{ a");
    EXPECT_EQ(Line(7, 1, 5344), "odz'e jyz{ a");
    EXPECT_EQ(Line(7, 1, 5000), "y{{'d jyz{ a");     // thousands 4, hundreds 1000
    EXPECT_EQ(Line(7, 1, 999), "iwx{{ jyz{ a");      // no thousands letter, no geresh
}

TEST(FormatHebrewDate, MonthsOutsideTheYearGiveNothing)
{
    EXPECT_EQ(Line(13, 1, 5786), "<none>");  // no Adar II in a common year
    EXPECT_EQ(Line(0, 1, 5787), "<none>");
    EXPECT_EQ(Line(14, 1, 5787), "<none>");
    uint8_t out[kDateTextSize] = {0x55};
    EXPECT_EQ(FormatHebrewDate(nullptr, out), 0);
    EXPECT_EQ(out[0], 0x55);
    const CalendarDate date{7, 1, 5787};
    EXPECT_EQ(FormatHebrewDate(&date, nullptr), 0);
}

TEST(FormatHebrewDate, EveryDayOfYears5000To6000DecodesBack)
{
    const int32_t first = DayNumberFromHebrew(7, 1, 5000);
    const int32_t last = DayNumberFromHebrew(7, 1, 6001) - 1;
    size_t longest = 0;
    for (int32_t n = first; n <= last; ++n) {
        const CalendarDate h = HebrewFromDayNumber(n);
        const std::string line = Line(h.month, h.day, h.year);
        longest = std::max(longest, line.size());
        ASSERT_LT(line.size(), size_t{kDateTextSize}) << line;
        const size_t firstSpace = line.find(' '), lastSpace = line.rfind(' ');
        const size_t geresh = line.find('\'');
        ASSERT_LT(geresh, firstSpace) << line;
        const int thousands = LetterSum(line.substr(geresh + 1, firstSpace - geresh - 1));
        const int year = thousands * 1000 + LetterSum(line.substr(0, geresh));
        ASSERT_EQ(year, h.year) << line;
        ASSERT_EQ(LetterSum(line.substr(lastSpace + 1)), h.day) << line;
        ASSERT_EQ(line.substr(firstSpace + 1, lastSpace - firstSpace - 1),
                  HebrewMonthName(h.month, IsHebrewLeapYear(h.year)));
    }
    EXPECT_LE(longest, 17u);
}

class CurrentDayTest : public ::testing::Test {
protected:
    void SetUp() override { g_app = AppState{}; }
};

TEST_F(CurrentDayTest, ChosenDayIsPinnedWithDateLineAndKey)
{
    g_app.lastPosition = 7;
    SetCurrentDay(739957, 0);
    EXPECT_EQ(g_app.currentDay, 739957);
    EXPECT_TRUE(g_app.flags & kDayPinnedFlag);
    EXPECT_EQ(g_app.currentDate, (CalendarDate{9, 27, 5787}));
    EXPECT_EQ(g_app.lessonKey, 0x091B);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_app.dateText)), "guz{'e fmrl gl");
    EXPECT_EQ(g_app.dateTextLength, 14);
    EXPECT_EQ(g_app.lastPosition, 0);
}

TEST_F(CurrentDayTest, PinnedDaySurvivesStartUp)
{
    SetCurrentDay(739957, 0);
    g_app.lastPosition = 12;
    SetCurrentDay(0, 0);
    EXPECT_EQ(g_app.currentDay, 739957);
    EXPECT_EQ(g_app.lastPosition, 12);
}

TEST_F(CurrentDayTest, SameDayChangesNothing)
{
    SetCurrentDay(739957, 0);
    g_app.lastPosition = 12;
    g_app.lessonKey = 0x0101;
    SetCurrentDay(739957, 0);
    EXPECT_EQ(g_app.lastPosition, 12);
    EXPECT_EQ(g_app.lessonKey, 0x0101);
}

TEST_F(CurrentDayTest, TodayClearsThePinAndKeepsPositionWhenAsked)
{
    SetCurrentDay(739957, 0);
    g_app.lastPosition = 5;
    SetCurrentDay(0, 1);
    EXPECT_FALSE(g_app.flags & kDayPinnedFlag);
    EXPECT_EQ(g_app.currentDay, TodayDayNumber());
    if (TodayDayNumber() != 739957) EXPECT_EQ(g_app.lastPosition, 5);
}

TEST_F(CurrentDayTest, DayBeyondTheCalendarHasNoLesson)
{
    // So that moving there fails and the shown day is restored.
    SetCurrentDay(kLastDayNumber, 0);
    EXPECT_NE(g_app.lessonKey, 0);
    SetCurrentDay(kLastDayNumber + 1, 1);
    EXPECT_EQ(g_app.currentDay, kLastDayNumber + 1);
    EXPECT_EQ(g_app.lessonKey, 0);
    EXPECT_EQ(g_app.dateTextLength, 0);
    EXPECT_EQ(g_app.dateText[0], 0);
    SetCurrentDay(kLastDayNumber, 0);
    EXPECT_NE(g_app.lessonKey, 0);
    EXPECT_GT(g_app.dateTextLength, 0);
}

TEST_F(CurrentDayTest, LessonKeyUsesIndex14ForCommonAdar)
{
    SetCurrentDay(DayNumberFromHebrew(12, 3, 5786), 0);
    EXPECT_EQ(g_app.lessonKey, 14 * 256 + 3);
    SetCurrentDay(DayNumberFromHebrew(12, 3, 5787), 0);
    EXPECT_EQ(g_app.lessonKey, 12 * 256 + 3);
    SetCurrentDay(DayNumberFromHebrew(13, 3, 5787), 0);
    EXPECT_EQ(g_app.lessonKey, 13 * 256 + 3);
}

TEST_F(CurrentDayTest, StoredDayNamesItsOwnLessonWhateverKeyWasStored)
{
    // 5 Tevet 5787, as SetCurrentDay makes it current.
    const int32_t day = DayNumberFromHebrew(10, 5, 5787);
    SetCurrentDay(day, 0);
    const AppState expected = g_app;
    ASSERT_EQ(expected.lessonKey, 10 * 256 + 5);
    for (const int32_t stored : {0, 0x0101, 0x0A05, 0x1234}) {
        g_app = AppState{};
        g_app.flags = kDayPinnedFlag;
        RestoreStoredDay(day, stored);
        EXPECT_EQ(g_app.currentDay, day) << stored;
        EXPECT_EQ(g_app.lessonKey, expected.lessonKey) << stored;
        EXPECT_EQ(g_app.currentDate, expected.currentDate) << stored;
        EXPECT_EQ(g_app.dateTextLength, expected.dateTextLength) << stored;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(g_app.dateText)),
                  std::string(reinterpret_cast<const char*>(expected.dateText)));
        EXPECT_TRUE(g_app.flags & kDayPinnedFlag) << stored;
        // Start-up keeps the pinned day with that key.
        SetCurrentDay(0, 0);
        EXPECT_EQ(g_app.currentDay, day);
        EXPECT_EQ(g_app.lessonKey, expected.lessonKey);
    }
}

TEST_F(CurrentDayTest, StoredDayOutsideTheCalendarUnpinsSoStartUpShowsToday)
{
    for (const int32_t stored : {0, -5, kLastDayNumber + 1, INT32_MAX}) {
        g_app = AppState{};
        g_app.flags = kDayPinnedFlag | 0x40;
        RestoreStoredDay(stored, 0x0101);
        EXPECT_EQ(g_app.currentDay, 0) << stored;
        EXPECT_EQ(g_app.flags, 0x40u) << stored;
        EXPECT_EQ(g_app.lessonKey, 0x0101) << stored;
        SetCurrentDay(0, 0);
        EXPECT_EQ(g_app.currentDay, TodayDayNumber()) << stored;
        EXPECT_EQ(g_app.lessonKey, LessonKeyOf(HebrewFromDayNumber(TodayDayNumber()))) << stored;
        EXPECT_GT(g_app.dateTextLength, 0) << stored;
    }
}

class PickerMonthTest : public ::testing::Test {
protected:
    void SetUp() override { g_pickerMonth = PickerMonthState{}; }
};

TEST_F(PickerMonthTest, KislevOf5787)
{
    EXPECT_EQ(ShowPickerMonth(739957, 1), 30);
    EXPECT_EQ(g_pickerMonth.shownDate, (CalendarDate{9, 27, 5787}));
    EXPECT_EQ(g_pickerMonth.firstWeekday, 3);  // 1 Kislev is day 739931, a Wednesday
    EXPECT_EQ(g_pickerMonth.shownLeap, 1);
    EXPECT_EQ(g_pickerMonth.selectedDay, 739957);
    EXPECT_EQ(g_pickerMonth.pickerRedraw, RedrawMonths | LeapLayout);
    EXPECT_STREQ(g_monthButtons[12].name, HebrewMonthName(12, true));
    EXPECT_STREQ(g_monthButtons[13].name, HebrewMonthName(13, true));
}

TEST_F(PickerMonthTest, MonthStripFollowsTheKindOfYear)
{
    ShowPickerMonth(DayNumberFromHebrew(7, 1, 5787), 1);
    g_pickerMonth.pickerRedraw = 0;
    // Same kind of year, no selection: the strip is left alone.
    ShowPickerMonth(DayNumberFromHebrew(8, 1, 5787), 0);
    EXPECT_EQ(g_pickerMonth.pickerRedraw, 0);
    EXPECT_EQ(g_pickerMonth.selectedDate, (CalendarDate{7, 1, 5787}));
    // A common year: Adar spans the button and the table ends after it.
    EXPECT_EQ(ShowPickerMonth(DayNumberFromHebrew(12, 1, 5786), 0), 29);
    EXPECT_EQ(g_pickerMonth.shownLeap, 0);
    EXPECT_EQ(g_pickerMonth.pickerRedraw, RedrawMonths);
    EXPECT_STREQ(g_monthButtons[12].name, HebrewMonthName(12, false));
    EXPECT_EQ(g_monthButtons[13].name, nullptr);
    EXPECT_EQ(g_pickerMonth.selectedDate, (CalendarDate{7, 1, 5787}));
}

}  // namespace
