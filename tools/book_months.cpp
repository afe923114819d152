// Month table of the book.
#include "book_months.h"

#include "lessons/lesson_store.h"

namespace {

// A lesson month holds as many records as the month can have days: Heshvan
// and Kislev are 30 here although some years have 29 of them.
constexpr LessonMonth kMonths[kLessonMonthCount] = {
    {1, "01-nisan.txt", "Nisan", 30},      {2, "02-iyar.txt", "Iyar", 29},
    {3, "03-sivan.txt", "Sivan", 30},      {4, "04-tammuz.txt", "Tammuz", 29},
    {5, "05-av.txt", "Av", 30},            {6, "06-elul.txt", "Elul", 29},
    {7, "07-tishri.txt", "Tishri", 30},    {8, "08-heshvan.txt", "Heshvan", 30},
    {9, "09-kislev.txt", "Kislev", 30},    {10, "10-tevet.txt", "Tevet", 29},
    {11, "11-shevat.txt", "Shevat", 30},   {12, "12-adar-1.txt", "Adar I", 30},
    {13, "13-adar-2.txt", "Adar II", 29},  {14, "14-adar.txt", "Adar", 29},
};

}  // namespace

const LessonMonth* LessonMonthOf(int index)
{
    if (index < 1 || index > kLessonMonthCount) return nullptr;
    return &kMonths[index - 1];
}

std::string ContainerFileName(int index)
{
    return std::to_string(kFirstLessonResource - 1 + index) + ".bin";
}

const char* EnglishMonthName(int month, bool leapYear)
{
    if (month == 12) return leapYear ? "Adar I" : "Adar";
    if (month < 1 || month > 13) return "?";
    return kMonths[month - 1].name;
}
