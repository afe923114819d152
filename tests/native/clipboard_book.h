// The real book for the clipboard tests: every day's paragraphs as written
// (reading order) and as packed, straight from the sources in book/.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "day_text.h"

struct SourceAndStored {
    std::u16string reading;  // the written text, as the Unicode base shows it
    Paragraph stored;        // what the packer makes of it
};

struct BookLesson {
    std::string name;             // "09-kislev.txt day 27"
    std::vector<SourceAndStored> paragraphs;
    std::vector<uint8_t> text;    // the day's lesson text
};

// Every day of every month written so far; fails the test on a problem.
std::vector<BookLesson> LoadBookLessons();

// The reading-order text of a source string under the Unicode letter base.
std::u16string ReadingUnits(const std::u32string& source);
