// The walk over a lesson text's paragraph records.
#include "page/lesson_text.h"

bool NextParagraph(const uint8_t* lesson, uint16_t& offset, ParagraphRecord& record)
{
    const uint8_t style = lesson[offset];
    if (style == 0) return false;
    // The parameter byte may itself be zero; the text starts after it.
    uint32_t end = offset + 2u;
    while (lesson[end] != 0) ++end;
    // A record whose successor no 16-bit offset can reach ends the walk:
    // moving on would wrap round to the start of the text.
    if (end >= 0xFFFF) return false;
    record.style = style;
    record.parameter = lesson[offset + 1];
    record.textOffset = static_cast<uint16_t>(offset + 2u);
    record.textLength = static_cast<uint16_t>(end - record.textOffset);
    offset = static_cast<uint16_t>(end + 1);
    return true;
}
