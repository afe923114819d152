// Where a continued search starts, the order of the days scanned, the date
// of a hit in another lesson month, and the search over the packed book.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "calendar/current_day.h"
#include "calendar/hebrew_calendar.h"
#include "lesson_bytes.h"
#include "lessons/lesson_scan.h"
#include "lessons/lesson_search.h"
#include "lessons/search_start.h"

namespace {

// ---- SearchStartOffset

// Lines at 2 (10 bytes), 12 (8 bytes, a blank row after it) and 23 (5 bytes):
// rows 0, 1, (2 blank), 3.
struct Lines {
    LineItem items[4] = {{2, 10, 0, 0, 0, 0, 0x31}, {12, 8, 0, 0, 0, 0, 0xB1},
                         {23, 5, 0, 0, 0, 0, 0x31}, {}};
    TextView view{};
    Lines(uint16_t topRow, uint16_t maxTopRow, uint16_t hitStart = 0, uint16_t hitEnd = 0)
    {
        view.lineItems = items;
        view.topRow = topRow;
        view.maxTopRow = maxTopRow;
        view.hitStart = hitStart;
        view.hitEnd = hitEnd;
    }
};

struct StartCase {
    uint16_t topRow, maxTopRow, hitStart, hitEnd;
    uint16_t start;
    const char* why;
};

TEST(SearchStartOffset, Table)
{
    const StartCase cases[] = {
        {0, 3, 0, 0, 11, "no hit, room to scroll: the top line's last byte"},
        {1, 3, 0, 0, 19, "the second line's last byte"},
        {2, 3, 0, 0, 27, "a blank row at the top: the line below it"},
        {0, 0, 0, 0, 0xFFFF, "no hit and nowhere to scroll: beyond the lesson"},
        {0, 3, 25, 28, 11, "a hit below the top line"},
        {0, 3, 6, 9, 5, "a hit on the top line: just below it"},
        {0, 3, 2, 5, 20, "a hit starting the top line: the end of the next line"},
        {3, 3, 23, 25, 0, "a hit starting the last line: the lesson from its beginning"},
        {3, 3, 14, 16, 13, "at the end, a hit elsewhere: just below it"},
        {9, 3, 0, 0, 0, "topRow past the lines: the end entry, the lesson from its beginning"},
    };
    for (const StartCase& c : cases) {
        Lines lines(c.topRow, c.maxTopRow, c.hitStart, c.hitEnd);
        EXPECT_EQ(SearchStartOffset(&lines.view), c.start) << c.why;
    }
    TextView empty{};
    EXPECT_EQ(SearchStartOffset(&empty), 0xFFFF);
    EXPECT_EQ(SearchStartOffset(nullptr), 0xFFFF);
}

// ---- the day scan

std::vector<uint16_t> Visited(uint16_t key)
{
    std::vector<uint16_t> keys;
    ScanDays(key, [&](uint16_t candidate) {
        keys.push_back(candidate);
        return false;
    });
    return keys;
}

TEST(ScanDays, GoesRoundEveryIndexAndDayByteOnce)
{
    const std::vector<uint16_t> keys = Visited(0x0E1C);  // Adar of a common year, 28
    ASSERT_EQ(keys.size(), size_t(kScanCandidates - 1));
    EXPECT_EQ(keys[0], 0x0E1D);
    EXPECT_EQ(keys[1], 0x0E1E);  // day 30 of a 29-day month: tried, nothing there
    EXPECT_EQ(keys[2], 0x0E1F);  // day 31 always tried
    EXPECT_EQ(keys[3], 0x0101);  // index 14 wraps to 1
    EXPECT_EQ(keys.back(), 0x0E1B);
    EXPECT_EQ(NextScanKey(0x071F), 0x0801);
    EXPECT_EQ(NextScanKey(0x0D1F), 0x0E01);
}

TEST(ScanDays, StopsAtTheFirstHit)
{
    int calls = 0;
    EXPECT_EQ(ScanDays(0x0105, [&](uint16_t c) { return ++calls, c == 0x0203; }), 0x0203);
    EXPECT_EQ(calls, 26 + 3);  // days 6..31 of index 1, then 1..3 of index 2
}

TEST(ScanDays, KeysThatAreNoLessonStillEnd)
{
    EXPECT_TRUE(Visited(0).empty());  // no current day: no search
    // A stored key the candidates never meet: index 15, day 0, day 40.
    for (uint16_t key : {0x0F05, 0x0300, 0x0128}) {
        const auto keys = Visited(key);
        EXPECT_LE(keys.size(), size_t(kScanCandidates + 1)) << key;
        EXPECT_GE(keys.size(), size_t(kScanCandidates - 1)) << key;
    }
}

// ---- dating

struct DateCase {
    int month, day;
    int32_t year;
    CalendarDate date;
};

TEST(DateOfLessonHit, Table)
{
    ASSERT_TRUE(IsHebrewLeapYear(5784));
    ASSERT_FALSE(IsHebrewLeapYear(5785));
    ASSERT_FALSE(IsHebrewLeapYear(5786));
    ASSERT_TRUE(IsHebrewLeapYear(5787));
    const DateCase cases[] = {
        {9, 27, 5785, {9, 27, 5785}},   {1, 1, 5784, {1, 1, 5784}},
        {12, 30, 5784, {12, 30, 5784}}, {12, 30, 5785, {12, 30, 5787}},
        {13, 4, 5784, {13, 4, 5784}},   {13, 4, 5785, {13, 4, 5787}},
        {13, 4, 5786, {13, 4, 5787}},   {14, 29, 5785, {12, 29, 5785}},
        {14, 29, 5784, {12, 29, 5785}}, {14, 2, 5787, {12, 2, 5788}},
    };
    for (const DateCase& c : cases) {
        const CalendarDate date = DateOfLessonHit(c.month, c.day, c.year);
        EXPECT_EQ(date, c.date) << c.month << "/" << c.day << " from " << c.year;
        // The day made current names the lesson the hit was found in.
        const CalendarDate back =
            HebrewFromDayNumber(DayNumberFromHebrew(date.month, date.day, date.year));
        EXPECT_EQ(LessonKeyOf(back), c.month << 8 | c.day) << c.month << "/" << c.day;
    }
}

// ---- the whole search, over hand-made lessons

struct Library {
    std::map<uint16_t, std::vector<uint8_t>> lessons;
    std::vector<uint16_t> loaded;
};

uint8_t* LoadFromLibrary(uint16_t key, size_t* size, void* context)
{
    auto* library = static_cast<Library*>(context);
    library->loaded.push_back(key);
    const auto found = library->lessons.find(key);
    if (found == library->lessons.end()) return nullptr;
    *size = found->second.size();
    auto* text = static_cast<uint8_t*>(std::malloc(*size));
    std::memcpy(text, found->second.data(), *size);
    return text;
}

LessonHit Search(Library& library, uint16_t key, uint32_t start, const char* pattern)
{
    const std::vector<uint8_t>& shown = library.lessons[key];
    return SearchAllLessons(shown.data(), shown.size(), start, key,
                            reinterpret_cast<const uint8_t*>(pattern), std::strlen(pattern),
                            LoadFromLibrary, &library);
}

TEST(SearchAllLessons, ShownLessonThenFollowingDaysThenRoundToTheShownOne)
{
    Library library;
    library.lessons[0x0E1D] = LessonBytes({{0xB1, 0, "word here"}});   // shown
    library.lessons[0x0102] = LessonBytes({{0xB1, 0, "other"}});
    library.lessons[0x0103] = LessonBytes({{0xB1, 0, "a word"}});
    // Later in the shown lesson.
    LessonHit hit = Search(library, 0x0E1D, 10, "here");
    EXPECT_EQ(hit.key, 0);
    EXPECT_EQ(hit.hit, 10);
    EXPECT_TRUE(library.loaded.empty());
    // Not after the start: the next day holding it, after days 30 and 31 and
    // the wrap to index 1 were passed over.
    library.loaded.clear();
    hit = Search(library, 0x0E1D, 0xFFFF, "word");
    ASSERT_EQ(hit.key, 0x0103);
    EXPECT_EQ(hit.hit, 7);
    EXPECT_EQ(hit.length, 4);
    EXPECT_EQ(library.loaded, (std::vector<uint16_t>{0x0E1E, 0x0E1F, 0x0101, 0x0102, 0x0103}));
    std::free(hit.text);
    // Only in the shown lesson, before the start: found last, after every day.
    library.loaded.clear();
    hit = Search(library, 0x0E1D, 0xFFFF, "here");
    EXPECT_EQ(hit.key, 0);
    EXPECT_EQ(hit.hit, 10);
    EXPECT_EQ(library.loaded.size(), size_t(kScanCandidates - 1));
    // Nowhere.
    hit = Search(library, 0x0E1D, 0, "none");
    EXPECT_EQ(hit.hit, 0);
    EXPECT_EQ(hit.text, nullptr);
    // No pattern, or no current day: nothing is even loaded.
    library.loaded.clear();
    EXPECT_EQ(Search(library, 0x0E1D, 0, "").hit, 0);
    EXPECT_EQ(Search(library, 0, 0, "word").hit, 0);
    EXPECT_TRUE(library.loaded.empty());
}

}  // namespace
