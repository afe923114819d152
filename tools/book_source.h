// Parser of a month's source file (the format book/README.md describes):
// instructions, comments and body text, into days of styled paragraphs.
// Characters are not yet checked against the letter code; that happens when
// the paragraphs are turned into lesson text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostic.h"

struct SourceParagraph {
    uint8_t style = 0;
    uint8_t parameter = 0;
    std::u32string text;                 // reading order, as written
    std::vector<SourcePosition> where;   // the source place of each character
    SourcePosition start;                // the instruction or first body line
};

struct SourceDay {
    int day = 0;
    SourcePosition at;  // the @day line
    std::vector<SourceParagraph> paragraphs;
};

struct MonthSource {
    std::vector<SourceDay> days;  // in the order written
    int lineCount = 0;
};

// Parses one file's bytes. Syntax problems (bad UTF-8, unknown or malformed
// instructions, text before the first @day) are appended to `problems` under
// the name `file`; the day sequence is not judged here.
MonthSource ParseMonthSource(std::string_view bytes, const std::string& file,
                             std::vector<Diagnostic>& problems);
