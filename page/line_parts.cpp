// The hanging word and the main part of a laid-out line.
#include "page/line_parts.h"

#include "page/lesson_text.h"

namespace {

uint32_t SkipSpaces(const uint8_t* text, uint32_t at)
{
    while (text[at] == ' ') ++at;
    return at;
}

uint32_t WordEnd(const uint8_t* text, uint32_t at)
{
    while (text[at] != 0 && text[at] != ' ') ++at;
    return at;
}

}  // namespace

LineParts SplitLine(const uint8_t* text, const LineItem& line)
{
    LineParts parts{line.offset, 0, 0};
    if (line.hangWidth == 0 || IsRuleStyle(line.style)) return parts;
    if (line.style & STYLE_DISPLAY_ORDER) {
        // After the main part come the spaces that followed the hanging word
        // in reading order, then the word itself.
        const uint32_t start = SkipSpaces(text, uint32_t{line.offset} + line.count);
        parts.hangStart = static_cast<uint16_t>(start);
        parts.hangCount = static_cast<uint16_t>(WordEnd(text, start) - start);
    } else {
        const uint32_t end = WordEnd(text, line.offset);
        parts.hangStart = line.offset;
        parts.hangCount = static_cast<uint16_t>(end - line.offset);
        parts.mainStart = static_cast<uint16_t>(SkipSpaces(text, end));
    }
    return parts;
}

int32_t HangingWordX(const LineItem& line, int32_t wordWidth)
{
    const uint8_t align = line.style & STYLE_ALIGN_MASK;
    if (align == STYLE_ALIGN_RIGHT || align == STYLE_ALIGN_CENTER)
        return line.x + line.width + line.hangWidth - wordWidth;
    return line.x - line.hangWidth;
}
