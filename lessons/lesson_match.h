// Matching a letter-coded search pattern against lesson text: the pattern
// laid over the text and scanned from the high end down, with "?" for any
// one byte and "*" for any run of bytes.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint8_t kAnyByte = '?';
constexpr uint8_t kAnyRun = '*';

// Looks for the pattern ending at a position e from `high` down to `low`
// (indices into `text`, both bounds readable) and returns the first such e,
// or -1. The pattern's last byte is always compared as itself; a "*" earlier
// hands the part before it to a search of its own below the bytes matched so
// far, and when that part is found nowhere the whole search fails. A pattern
// that starts with "*", or is empty, never matches. `length` gets the bytes
// the match covers, ending at e. Reads only text[low..high] and the pattern;
// time at most (high - low + 1) x patternLength x (stars + 1) comparisons.
int32_t MatchBackward(const uint8_t* text, int32_t low, const uint8_t* pattern,
                      size_t patternLength, int32_t high, int32_t* length);

// Searches a lesson text of `size` bytes from `start` on: records whose text
// ends before `start` are passed over, the record holding `start` is searched
// from there down to its first text byte, and each later record from its last
// text byte down. Style and parameter bytes are never compared and no match
// spans a record's zero byte; a text without its end marker ends at `size`.
// Returns the offset of the hit's highest byte (never 0: offset 0 is a style
// byte) and its length in `length`, or 0 when there is none. When the
// record list cannot be had (memory is out and the exit sequence has begun)
// it returns 0 and sets `abandoned`, so that the caller stops searching.
uint16_t FindInLesson(const uint8_t* text, size_t size, uint32_t start, const uint8_t* pattern,
                      size_t patternLength, int32_t* length, bool* abandoned = nullptr);
