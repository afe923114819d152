// Title records of a lesson and the box of the search banner.
#include "page/banner_lines.h"

#include "page/lesson_text.h"

namespace {

// Text and length of the record at `at`; moves `at` to the next record.
BannerLine RecordText(const uint8_t* text, uint32_t& at)
{
    BannerLine line{text + at + 2, 0, 0};
    while (line.text[line.length] != 0) ++line.length;
    at += 2 + line.length + 1;
    return line;
}

}  // namespace

void FindBannerLines(const uint8_t* text, BannerLine* first, BannerLine* second)
{
    *first = BannerLine{};
    *second = BannerLine{};
    if (!text || text[0] == 0) return;
    uint32_t at = 0;
    if (text[0] == STYLE_TITLE) *first = RecordText(text, at);
    if (text[at] == STYLE_SUBTITLE) *second = RecordText(text, at);
}

BannerBox BannerFrame(const TextView& view, int32_t widest, int32_t lineHeight, int lines)
{
    int32_t width = widest + 2 * lineHeight + 8;
    if (width > view.width) width = view.width;
    BannerBox box;
    box.left = view.left + (view.width - width) / 2;
    box.right = box.left + width;
    box.top = view.top + view.height - lines * lineHeight - 12;
    box.bottom = view.top + view.height - 2;
    return box;
}
