// The fourteen lesson months: source file, container and number of days.
#pragma once
#include <string>

constexpr int kLessonMonthCount = 14;

struct LessonMonth {
    int index;              // 1..14, as LessonMonthIndex gives it
    const char* fileName;   // source file in the book folder
    const char* name;       // English month name
    int days;               // day records the month's container must hold
};

// The month of an index 1..14, or nullptr.
const LessonMonth* LessonMonthOf(int index);

// Container file name, e.g. "1009.bin" (the resource identifier).
std::string ContainerFileName(int index);

// English name of a Hebrew calendar month 1..13 (Adar I and Adar II in leap
// years, plain Adar in common years).
const char* EnglishMonthName(int month, bool leapYear);
