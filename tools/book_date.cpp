// Date report for the `date` command.
#include "book_date.h"

#include <cstdio>

#include "bidi_order.h"
#include "book_months.h"
#include "calendar/date_line.h"
#include "page/letter_code.h"
#include "utf8.h"
#include "calendar/hebrew_calendar.h"

namespace {

constexpr const char* kWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};

bool IsGregorianLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int GregorianMonthLength(int month, int year)
{
    constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsGregorianLeapYear(year) ? 29 : kLengths[month - 1];
}

// The date line as the reader shows it, in Unicode and reading order.
std::string DateLineText(const CalendarDate& hebrew)
{
    uint8_t line[kDateTextSize];
    const int length = FormatHebrewDate(&hebrew, line);
    std::u32string shown;
    for (int i = 0; i < length; ++i) shown += DisplayUnit(line[i], kUnicodeLetterBase);
    return EncodeUtf8(ReorderRightToLeft(shown));
}

}  // namespace

std::optional<CalendarDate> ParseIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](size_t from, size_t count) -> int {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1) return std::nullopt;
    if (day > GregorianMonthLength(month, year)) return std::nullopt;
    return CalendarDate{month, day, year};
}

std::string DateReport(const CalendarDate& g)
{
    const int32_t dayNumber = DayNumberFromGregorian(g.month, g.day, g.year);
    const CalendarDate hebrew = HebrewFromDayNumber(dayNumber);
    char text[512];
    std::snprintf(text, sizeof text,
                  "gregorian %04d-%02d-%02d\n"
                  "day %d\n"
                  "weekday %s\n"
                  "hebrew %d %s %d (month %d)\n"
                  "index %d\n"
                  "key 0x%04X\n"
                  "line %s\n",
                  static_cast<int>(g.year), static_cast<int>(g.month), static_cast<int>(g.day),
                  static_cast<int>(dayNumber), kWeekdays[dayNumber % 7],
                  static_cast<int>(hebrew.day),
                  EnglishMonthName(hebrew.month, IsHebrewLeapYear(hebrew.year)),
                  static_cast<int>(hebrew.year), static_cast<int>(hebrew.month),
                  static_cast<int>(LessonMonthIndex(hebrew)),
                  static_cast<unsigned>(LessonKeyOf(hebrew)), DateLineText(hebrew).c_str());
    return text;
}
