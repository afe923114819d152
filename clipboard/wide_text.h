// A lesson text as UTF-16 text, one line per paragraph, for the clipboard.
#pragma once
#include <cstddef>
#include <cstdint>

// Code units the wide text of `lesson` may need, without its terminator:
// indentation total + 2 x line count + rule characters + L + L / 2, L being
// the lesson text's length up to its end marker (lesson texts are at most
// 65535 bytes, ended by zeros as decompressed ones are). A buffer of
// 2 x this + 2 bytes always holds it.
uint32_t WideTextUnits(const uint8_t* lesson);

// Results of LessonToWideText.
constexpr int WIDE_TEXT_DONE = 0;
constexpr int WIDE_TEXT_FULL = 1;       // the text reached the buffer's end
constexpr int WIDE_TEXT_NO_MEMORY = 2;  // no storage for a conversion

// Writes the lesson: a rule as hyphens (its width code p, or (p - 160) x 2
// above 160), a text record converted with the current letter base followed
// by its indentation in spaces, each line ended by CR LF and a second CR LF
// after a paragraph with a blank row; then a zero unit. With the Unicode
// letter base, text comes out in reading order whatever the Reverse flag
// says (a word processor orders it itself); with the other bases it is
// converted as drawn. Every write is checked against `bufferBytes` first:
// WIDE_TEXT_FULL means the text and its terminator did not fit.
int LessonToWideText(const uint8_t* lesson, char16_t* buffer, size_t bufferBytes);
