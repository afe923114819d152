// Days of the book, from the packed containers and the reader's calendar.
#include "book_days.h"

#include <vector>

#include "calendar/current_day.h"
#include "calendar/hebrew_calendar.h"
#include "page_book.h"

namespace {

const std::vector<PackedDay>& Book()
{
    static const std::vector<PackedDay> book = LoadPackedBook();
    return book;
}

}  // namespace

int32_t Today()
{
    return TodayDayNumber();
}

uint16_t LessonKeyOfDay(int32_t day)
{
    return LessonKeyOf(HebrewFromDayNumber(day));
}

int32_t DayWithLesson(uint16_t key, int32_t from)
{
    for (int32_t day = from; day < from + 4 * 385; ++day)
        if (LessonKeyOfDay(day) == key) return day;
    return 0;
}

size_t LessonBytes(uint16_t key)
{
    for (const PackedDay& d : Book())
        if (d.month * 256 + d.day == key) return d.text.size();
    return 0;
}

int32_t LongDay()
{
    uint16_t longest = 0;
    size_t most = 0;
    for (const PackedDay& d : Book()) {
        if (d.text.size() > most) {
            most = d.text.size();
            longest = static_cast<uint16_t>(d.month * 256 + d.day);
        }
    }
    if (!longest) return 0;
    // Not today, so that a day that follows today shows as a change.
    return DayWithLesson(longest, Today() + 1);
}
