// Days of the book for the end-to-end tests: today, the lesson key of a day
// and a day whose lesson runs long, with the reader's own calendar.
#pragma once
#include <cstdint>

// Today's day number from the local clock, as the reader computes it.
int32_t Today();
// The lesson key (month index << 8 | day) the reader shows for a day.
uint16_t LessonKeyOfDay(int32_t day);
// The day nearest after `from` whose lesson is `key`; 0 when none within
// four years.
int32_t DayWithLesson(uint16_t key, int32_t from);
// A day other than today whose lesson is the longest of the book (by its
// text bytes), so that it is taller than a small window.
int32_t LongDay();
// Text bytes of the lesson of a key in the packed book (0 when unknown).
size_t LessonBytes(uint16_t key);
