// Conversion of letter-coded runs into the UTF-16 text that is measured and
// drawn, with the current letter base and the Reverse option.
#pragma once
#include <cstdint>

// Growable output store shared by all measuring and drawing: a result taken
// from it is valid only until the next conversion through it.
struct ConvertBuffer {
    char16_t* storage;
    uint32_t capacity;  // characters, not counting the terminating zero
};

// The one program-wide conversion buffer.
extern ConvertBuffer g_convertBuffer;

// Bit of the option word that reverses every run converted for drawing.
constexpr uint32_t kReverseFlag = 0x800;

// Converts at most `count` bytes (stopping at a zero byte) using the letter
// base of g_app.font and, unless the base is the identity, the Reverse flag of
// g_app.flags. With `buffer` the result lives in the buffer; without one the
// caller owns it (free()). `releaseAfter`, when given, is freed once the
// conversion is done. Returns nullptr when no storage can be had.
char16_t* ConvertLetters(const uint8_t* bytes, void* releaseAfter, ConvertBuffer* buffer,
                         uint32_t count);

// Reverses `count` units in place, swapping each bracket for its partner.
// Returns 0, or 1 when its scratch storage cannot be had (units unchanged).
int ReverseRun(char16_t* units, uint32_t count);
