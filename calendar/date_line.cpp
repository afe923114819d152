// Hebrew numerals and month names for the date line.
//
// Every table entry is letter-coded (0x61 = alef .. 0x7B = tav) and, where it
// has more than one letter, stored in display order: the reading order
// reversed. The comments give each entry in reading order.
#include "calendar/date_line.h"

#include <cstdio>
#include <cstring>

#include "calendar/hebrew_calendar.h"

namespace {

// alef .. tet
const char kUnits[10][2] = {"", "a", "b", "c", "d", "e", "f", "g", "h", "i"};
// yod, kaf, lamed, mem, nun, samekh, ayin, pe, tsadi
const char kTens[10][2] = {"", "j", "l", "m", "o", "q", "r", "s", "u", "w"};
// qof, resh, shin, tav; tav-qof .. tav-tav; tav-tav-qof (900), tav-tav-resh (1000)
const char kHundreds[11][4] = {"", "x", "y", "z", "{", "x{", "y{", "z{", "{{", "x{{", "y{{"};
// 15 and 16 are written tet-vav and tet-zayin, never as the divine name.
const char kFifteen[4] = "fi";
const char kSixteen[4] = "gi";

// Year endings whose plain letters would spell a word of ill omen are written
// in a customary other order.
struct SpecialYear {
    int value;
    char letters[4];
};
const SpecialYear kSpecialYears[7] = {
    {270, "ys"},   // ayin-resh
    {272, "bys"},  // ayin-resh-bet
    {274, "yds"},  // ayin-dalet-resh
    {275, "eys"},  // ayin-resh-he
    {298, "why"},  // resh-het-tsadi
    {304, "zd"},   // dalet-shin
    {344, "odz"},  // shin-dalet-mem
};

// Row 0: months 1..12 of a common year; row 1: months 1..13 of a leap year.
const char kMonthNames[26][8] = {
    "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz",
    "yda",     // Adar
    "",
    "prjq", "yjja", "pfjr", "gfo{", "ba", "mfma", "jyz{", "pfzh", "fmrl", "{bi", "ibz",
    "'a yda",  // Adar I
    "'b yda",  // Adar II
};

}  // namespace

const char* HebrewMonthName(int32_t month, bool leapYear)
{
    if (month < 1 || month > 12 + (leapYear ? 1 : 0)) return nullptr;
    return kMonthNames[(month - 1) + 13 * (leapYear ? 1 : 0)];
}

int FormatHebrewDate(const CalendarDate* date, uint8_t* out)
{
    if (!date || !out) return 0;
    const char* monthName = HebrewMonthName(date->month, IsHebrewLeapYear(date->year));
    if (!monthName) return 0;
    // The numeral tables reach days up to 99; the calendar never gives more,
    // and nothing outside them may be looked up.
    if (date->day < 0 || date->day > 99 || date->year < 0) return 0;

    int thousands = date->year / 1000;
    int rest = date->year % 1000;
    if (rest == 0 && thousands != 0) {
        thousands -= 1;
        rest = 1000;
    }
    const char* yearSpecial = "";
    for (const SpecialYear& s : kSpecialYears) {
        if (rest == s.value) {
            yearSpecial = s.letters;
            rest = 0;
        }
    }
    const int hundreds = rest / 100;
    rest %= 100;
    int yearTens = rest / 10, yearUnits = rest % 10;
    if (rest == 15 || rest == 16) {
        yearSpecial = rest == 15 ? kFifteen : kSixteen;
        yearTens = yearUnits = 0;
    }

    const char* daySpecial = "";
    int dayTens = date->day / 10, dayUnits = date->day % 10;
    if (date->day == 15 || date->day == 16) {
        daySpecial = date->day == 15 ? kFifteen : kSixteen;
        dayTens = dayUnits = 0;
    }

    // Display order: the year's letters, the month, then the day's letters, so
    // that read from the right the line gives day, month and year.
    char line[64];
    int length;
    if (thousands != 0) {
        length = std::snprintf(line, sizeof line, "%s%s%s%s'%s %s %s%s%s", yearSpecial,
                               kUnits[yearUnits], kTens[yearTens], kHundreds[hundreds],
                               kUnits[thousands % 10], monthName, daySpecial, kUnits[dayUnits],
                               kTens[dayTens]);
    } else {
        length = std::snprintf(line, sizeof line, "%s%s%s%s %s %s%s%s", yearSpecial,
                               kUnits[yearUnits], kTens[yearTens], kHundreds[hundreds],
                               monthName, daySpecial, kUnits[dayUnits], kTens[dayTens]);
    }
    // Days and years out of the calendar's range could index past the tables
    // or overflow the line; refuse them rather than write past the buffer.
    if (length <= 0 || length >= kDateTextSize) return 0;
    std::memcpy(out, line, static_cast<size_t>(length) + 1);
    return length;
}
