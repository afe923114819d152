// The day-by-day part of the lesson search: which lesson keys follow the
// shown one, when the scan has come full circle, and the date a hit found
// in another lesson month is shown on.
#pragma once
#include <cstdint>

#include "calendar/calendar_date.h"

// The candidate after `key`: the next day byte, and after day 31 day 1 of
// the next lesson month index (index 1 after 14).
uint16_t NextScanKey(uint16_t key);

// Candidates the scan tries at most before it counts as having come full
// circle: every day byte 1..31 of the fourteen indexes. Ends the scan even
// for a stored key that names no lesson, which the candidates never meet.
constexpr int kScanCandidates = 14 * 31;

// Walks the candidates after `key` in order until `visit` returns true for
// one (its key is returned) or the scan comes back to `key` (0 is returned).
// Key 0 (no current day) scans nothing.
template <typename Visit>
uint16_t ScanDays(uint16_t key, Visit visit)
{
    if (key == 0) return 0;
    uint16_t candidate = key;
    for (int tried = 0; tried <= kScanCandidates; ++tried) {
        candidate = NextScanKey(candidate);
        if (candidate == key) return 0;
        if (visit(candidate)) return candidate;
    }
    return 0;
}

// The Hebrew date a hit in lesson month index `month`, day `day`, is shown
// on, from the year of the current date: indexes 1..11 in that year; 13 in
// the first leap year from it on; 12 in month 12 of the first leap year from
// it on (Adar I exists only in leap years, so the day made current has the
// lesson the page shows); 14 in month 12 of the year itself when it is
// common, else of the next year.
CalendarDate DateOfLessonHit(int month, int day, int32_t currentYear);
