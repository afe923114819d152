// The walk over a lesson text's paragraph records.
#include "page/lesson_text.h"

bool NextParagraph(const uint8_t* lesson, uint16_t& offset, ParagraphRecord& record)
{
    const uint8_t style = lesson[offset];
    if (style == 0) return false;
    record.style = style;
    record.parameter = lesson[offset + 1];
    // The parameter byte may itself be zero; the text starts after it.
    uint32_t end = offset + 2u;
    record.textOffset = static_cast<uint16_t>(end);
    while (lesson[end] != 0) ++end;
    record.textLength = static_cast<uint16_t>(end - record.textOffset);
    offset = static_cast<uint16_t>(end + 1);
    return true;
}
