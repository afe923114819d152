// Fuzzes the lesson matcher and the search of one lesson text: the first
// byte gives the pattern's length (up to 48, beyond the 33 the program
// stores), the next two the start offset; the pattern's bytes follow, and
// the rest is the lesson text, in blocks of exactly its size so that any
// read outside it is caught. Checks that every answer lies inside its text.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lessons/lesson_match.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    const size_t patternLength = data[0] % 49;
    const uint32_t start = static_cast<uint32_t>(data[1]) << 8 | data[2];
    data += 3;
    size -= 3;
    if (size < patternLength) return 0;
    auto* pattern = static_cast<uint8_t*>(std::malloc(patternLength ? patternLength : 1));
    std::memcpy(pattern, data, patternLength);
    const size_t textSize = size - patternLength;
    auto* text = static_cast<uint8_t*>(std::malloc(textSize ? textSize : 1));
    std::memcpy(text, data + patternLength, textSize);

    int32_t length = 0;
    const uint16_t hit = FindInLesson(text, textSize, start, pattern, patternLength, &length);
    if (hit != 0 && (hit >= textSize || length < 1 || length > hit - 1)) std::abort();

    if (textSize > 0) {
        const int32_t high = static_cast<int32_t>(textSize) - 1;
        const int32_t low = static_cast<int32_t>(start % textSize);
        const int32_t end = MatchBackward(text, low, pattern, patternLength, high, &length);
        if (end >= 0 && (end < low || end > high || length < 1 || end - length + 1 < low))
            std::abort();
    }
    std::free(text);
    std::free(pattern);
    return 0;
}
