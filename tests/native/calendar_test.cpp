// Calendar arithmetic: known dates, year lengths and the full round trip.
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include "calendar/hebrew_calendar.h"

namespace {

CalendarDate Hebrew(int month, int day, int year) { return {month, day, year}; }

TEST(Gregorian, KnownDayNumbers)
{
    EXPECT_EQ(DayNumberFromGregorian(1, 1, 1), 1);
    EXPECT_EQ(DayNumberFromGregorian(1, 1, 1) % 7, 1);  // Monday
    EXPECT_EQ(DayNumberFromGregorian(12, 7, 2026), 739957);
    EXPECT_EQ(739957 % 7, 1);  // 7 December 2026 is a Monday
    EXPECT_EQ(DayNumberFromGregorian(12, 31, 2000), 730485);
    EXPECT_EQ(730485 % 7, 0);  // a Sunday
    EXPECT_EQ(DayNumberFromGregorian(12, 31, 2024), 739251);
    EXPECT_EQ(DayNumberFromGregorian(12, 31, 9999), kLastDayNumber);
}

TEST(Gregorian, LastDayOfLeapCyclesComesBack)
{
    // The c100 = 4 and c1 = 4 cases.
    EXPECT_EQ(GregorianFromDayNumber(730485), (CalendarDate{12, 31, 2000}));
    EXPECT_EQ(GregorianFromDayNumber(739251), (CalendarDate{12, 31, 2024}));
    EXPECT_EQ(GregorianFromDayNumber(1), (CalendarDate{1, 1, 1}));
}

TEST(Gregorian, DayOfYear)
{
    EXPECT_EQ(GregorianDayOfYear(3, 1, 2024), 61);
    EXPECT_EQ(GregorianDayOfYear(3, 1, 2023), 60);
    EXPECT_EQ(GregorianDayOfYear(12, 31, 2024), 366);
    EXPECT_EQ(GregorianDayOfYear(12, 31, 1900), 365);  // not a leap year
}

TEST(Gregorian, RoundTripYears1To9999)
{
    const int32_t last = DayNumberFromGregorian(12, 31, 9999);
    CalendarDate expected{1, 1, 1};
    for (int32_t n = 1; n <= last; ++n) {
        const CalendarDate g = GregorianFromDayNumber(n);
        ASSERT_EQ(g, expected) << "day " << n;
        ASSERT_EQ(DayNumberFromGregorian(g.month, g.day, g.year), n);
        // Next expected date by plain counting.
        const bool leap = expected.year % 4 == 0 && (expected.year % 100 != 0 || expected.year % 400 == 0);
        const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (++expected.day > lengths[expected.month - 1]) {
            expected.day = 1;
            if (++expected.month > 12) expected = {1, 1, expected.year + 1};
        }
    }
}

TEST(Hebrew, LeapYearsFollowTheNineteenYearCycle)
{
    const int leapPositions[] = {3, 6, 8, 11, 14, 17, 19};
    for (int year = 5701; year <= 5719; ++year) {
        const int position = (year - 1) % 19 + 1;
        const bool expected = std::find(std::begin(leapPositions), std::end(leapPositions), position) !=
                              std::end(leapPositions);
        EXPECT_EQ(IsHebrewLeapYear(year), expected) << year;
        EXPECT_EQ(HebrewMonthsInYear(year), expected ? 13 : 12);
    }
}

TEST(Hebrew, LeapRuleHoldsUpToTheLargestYear)
{
    const int leapPositions[] = {3, 6, 8, 11, 14, 17, 19};
    for (int32_t year = INT32_MAX - 18;; ++year) {
        const int position = (year - 1) % 19 + 1;
        EXPECT_EQ(IsHebrewLeapYear(year), std::count(std::begin(leapPositions), std::end(leapPositions),
                                                     position) == 1) << year;
        if (year == INT32_MAX) break;
    }
}

TEST(Hebrew, YearLengths)
{
    EXPECT_TRUE(IsHebrewLeapYear(5784));
    EXPECT_EQ(HebrewYearLength(5784), 383);
    EXPECT_EQ(HebrewYearLength(5785), 355);
    EXPECT_EQ(HebrewMonthLength(8, 5785), 30);
    EXPECT_EQ(HebrewMonthLength(9, 5785), 30);
    EXPECT_EQ(HebrewYearLength(5786), 354);
    EXPECT_TRUE(IsHebrewLeapYear(5787));
    EXPECT_EQ(HebrewYearLength(5787), 385);
    EXPECT_EQ(HebrewYearLength(5790), 383);
    EXPECT_EQ(HebrewMonthLength(8, 5790), 29);
    EXPECT_EQ(HebrewMonthLength(9, 5790), 29);
}

TEST(Hebrew, YearStartsAndLengthsOverManyYears)
{
    for (int year = 1; year <= 10000; ++year) {
        const int32_t start = HebrewYearStart(year);
        const int32_t weekday = start % 7;
        ASSERT_TRUE(weekday != 0 && weekday != 3 && weekday != 5) << year;
        const int32_t length = HebrewYearLength(year);
        ASSERT_TRUE(length == 353 || length == 354 || length == 355 || length == 383 ||
                    length == 384 || length == 385)
            << year << " has " << length;
        ASSERT_EQ(length > 380, IsHebrewLeapYear(year)) << year;
        int32_t sum = 0;
        for (int m = 1; m <= HebrewMonthsInYear(year); ++m) sum += HebrewMonthLength(m, year);
        ASSERT_EQ(sum, length) << year;
    }
}

TEST(Hebrew, KnownDates)
{
    EXPECT_EQ(DayNumberFromHebrew(7, 1, 5787), 739871);
    EXPECT_EQ(GregorianFromDayNumber(739871), (CalendarDate{9, 12, 2026}));
    EXPECT_EQ(739871 % 7, 6);  // 1 Tishri 5787 is a Saturday
    EXPECT_EQ(HebrewFromDayNumber(739957), Hebrew(9, 27, 5787));
    EXPECT_EQ(HebrewFromDayNumber(DayNumberFromGregorian(4, 8, 2024)), Hebrew(13, 29, 5784));
    EXPECT_EQ(HebrewFromDayNumber(DayNumberFromGregorian(3, 1, 2024)), Hebrew(12, 21, 5784));
    // A September or October day in Elul: found by walking the whole year.
    EXPECT_EQ(HebrewFromDayNumber(DayNumberFromGregorian(10, 2, 2024)), Hebrew(6, 29, 5784));
}

TEST(Hebrew, FarDaysThatStartPastTheirMonth)
{
    // 30 August of year 7 lies in a year whose start-month entry comes after it.
    const CalendarDate h = HebrewFromDayNumber(DayNumberFromGregorian(8, 30, 7));
    EXPECT_GE(h.day, 1);
    EXPECT_LE(h.day, HebrewMonthLength(h.month, h.year));
    EXPECT_EQ(DayNumberFromHebrew(h.month, h.day, h.year), DayNumberFromGregorian(8, 30, 7));
}

TEST(Hebrew, RoundTripGregorianYears1To9999)
{
    const int32_t last = DayNumberFromGregorian(12, 31, 9999);
    CalendarDate previous = HebrewFromDayNumber(1);
    for (int32_t n = 1; n <= last; ++n) {
        const CalendarDate h = HebrewFromDayNumber(n);
        ASSERT_GE(h.month, 1) << n;
        ASSERT_LE(h.month, HebrewMonthsInYear(h.year)) << n;
        ASSERT_GE(h.day, 1) << n;
        ASSERT_LE(h.day, HebrewMonthLength(h.month, h.year)) << n;
        ASSERT_EQ(DayNumberFromHebrew(h.month, h.day, h.year), n) << n;
        if (n > 1 && h.day != 1) {
            ASSERT_EQ(h.day, previous.day + 1) << n;
            ASSERT_EQ(h.month, previous.month) << n;
        }
        previous = h;
    }
}

TEST(Hebrew, LessonMonthIndexAndKey)
{
    EXPECT_EQ(LessonMonthIndex(Hebrew(12, 5, 5786)), 14);  // common year: Adar
    EXPECT_EQ(LessonMonthIndex(Hebrew(12, 5, 5787)), 12);  // leap year: Adar I
    EXPECT_EQ(LessonMonthIndex(Hebrew(13, 5, 5787)), 13);
    EXPECT_EQ(LessonKeyOf(Hebrew(9, 27, 5787)), 0x091B);
    EXPECT_EQ(LessonKeyOf(Hebrew(12, 29, 5786)), 0x0E1D);
}

}  // namespace
