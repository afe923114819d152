// The search across every lesson, apart from the window: the shown lesson
// from the start offset, then day by day from the key after the shown one
// round to the shown lesson again, searched from its beginning last.
#pragma once
#include <cstddef>
#include <cstdint>

// Loads the lesson text of a key (a new block, released with free()) and its
// size in bytes; nullptr when the key names no lesson.
using LessonLoader = uint8_t* (*)(uint16_t key, size_t* size, void* context);

struct LessonHit {
    uint16_t hit = 0;      // offset of the hit's highest byte; 0: nothing found
    int32_t length = 0;    // bytes the hit covers
    uint16_t key = 0;      // the lesson holding it; 0 for the shown lesson
    uint8_t* text = nullptr;  // with a key: that lesson's text, now the caller's
    bool abandoned = false;   // memory ran out: the search stopped
};

// `shown` (may be none) is the shown lesson of `shownSize` bytes and `key`
// its lesson key; key 0 (no current day) searches nothing.
LessonHit SearchAllLessons(const uint8_t* shown, size_t shownSize, uint32_t start, uint16_t key,
                           const uint8_t* pattern, size_t patternLength, LessonLoader load,
                           void* context);
