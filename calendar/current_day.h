// The current day: which day is shown, its Hebrew date, date line and lesson
// key, and whether the user pinned it or the reader follows today.
#pragma once
#include <cstdint>

// Bit of the option word set while the shown day was chosen by the user.
constexpr uint32_t kDayPinnedFlag = 0x4;

// Today's day number from the local clock.
int32_t TodayDayNumber();

// Makes `day` current (0 = today). A pinned day survives SetCurrentDay(0, 0);
// without `keepPosition` the stored scroll position is reset. Neither loads
// the lesson nor redraws.
void SetCurrentDay(int32_t day, int keepPosition);

// Fills g_app's date and date line for its current day (no line for month 0).
void FillCurrentDate();

// Makes the day stored in the settings current at start-up, before the
// first SetCurrentDay. A day in the calendar's range gets its date, date
// line and lesson key as SetCurrentDay would give them, whatever lesson key
// was stored with it. Any other day is no day: the pin (which would keep
// "no day" current) is cleared and the stored lesson key is kept.
void RestoreStoredDay(int32_t day, int32_t storedLessonKey);
