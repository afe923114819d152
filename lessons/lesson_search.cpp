// The lesson search's order: shown lesson, following days, shown lesson.
#include "lessons/lesson_search.h"

#include <cstdlib>

#include "lessons/lesson_match.h"
#include "lessons/lesson_scan.h"

LessonHit SearchAllLessons(const uint8_t* shown, size_t shownSize, uint32_t start, uint16_t key,
                           const uint8_t* pattern, size_t patternLength, LessonLoader load,
                           void* context)
{
    LessonHit found;
    if (patternLength == 0 || key == 0) return found;
    if (shown) {
        found.hit = FindInLesson(shown, shownSize, start, pattern, patternLength, &found.length,
                                 &found.abandoned);
        if (found.hit || found.abandoned) return found;
    }
    found.key = ScanDays(key, [&](uint16_t candidate) {
        // Keys that name no record (day 31, day 30 of a short month) load
        // nothing and are passed over.
        size_t size = 0;
        uint8_t* text = load(candidate, &size, context);
        if (!text) return false;
        found.hit = FindInLesson(text, size, 0, pattern, patternLength, &found.length,
                                 &found.abandoned);
        if (found.hit) {
            found.text = text;
            return true;
        }
        std::free(text);
        return found.abandoned;
    });
    if (found.abandoned) {
        found.key = 0;
        return found;
    }
    if (found.key) return found;
    // Full circle: the shown lesson from its beginning, so that a hit before
    // the start position is found last.
    if (shown)
        found.hit = FindInLesson(shown, shownSize, 0, pattern, patternLength, &found.length,
                                 &found.abandoned);
    return found;
}
