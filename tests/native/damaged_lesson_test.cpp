// Lesson texts that a damaged container decodes to: records cut off inside
// their style, parameter or text. The walks over them stay inside the text
// and the zero bytes the decompressor puts after it (the sanitized build
// reports any byte read beyond).
#include <cstdlib>
#include <memory>
#include <vector>

#include "lessons/lesson_store.h"
#include "page/banner_lines.h"
#include "page/lesson_text.h"
#include "page/line_parts.h"
#include "page_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The decompressor's result for a record that decodes to exactly `text`:
// literal runs of at most 8 bytes.
uint8_t* Decoded(const Bytes& text)
{
    Bytes codes;
    for (size_t at = 0; at < text.size(); at += 8) {
        const size_t n = std::min<size_t>(8, text.size() - at);
        codes.push_back(static_cast<uint8_t>(n));
        codes.insert(codes.end(), text.begin() + at, text.begin() + at + n);
    }
    int reason = 0;
    return UnCompress(DayRecord{codes.data(), static_cast<uint16_t>(codes.size()),
                                static_cast<uint16_t>(text.size())},
                      &reason);
}

int CountRecords(const uint8_t* text)
{
    uint16_t offset = 0;
    ParagraphRecord record{};
    int records = 0;
    while (NextParagraph(text, offset, record) && records < 1000) ++records;
    return records;
}

struct DamagedCase {
    const char* what;
    Bytes text;
    int records;       // found by the record walk
    int32_t layout;    // LayoutText's result
    size_t lines;      // lines laid out
};

const DamagedCase kCases[] = {
    // A second record holding only its style byte: its parameter is the
    // first zero after the text, its terminator the second.
    {"style byte last", {0xB1, 0x00, 0x61, 0x00, 0xB1}, 2, kLayoutDone, 1},
    {"style and parameter last", {0xB1, 0x00, 0x61, 0x00, 0xB1, 0x62}, 2, kLayoutDone, 1},
    {"text without terminator", {0xB1, 0x00, 0x61, 0x62}, 1, kLayoutDone, 1},
    {"only a style byte", {0xB1}, 1, kLayoutEmptyText, 0},
    {"rule cut before its parameter", {0x01, 0x00, 0x61, 0x00, 0xC7}, 2, kLayoutDone, 1},
    {"rule cut after its parameter", {0x01, 0x00, 0x61, 0x00, 0xC7, 0x50}, 2, kLayoutDone, 2},
    {"title and a cut subtitle", {0xDC, 0x00, 0x61, 0x00, 0xD1}, 2, kLayoutDone, 1},
    {"hanging paragraph cut in its word", {0x41, 0xC0, 0x61, 0x62}, 1, kLayoutDone, 1},
};

using DamagedLesson = PageTest;

TEST_F(DamagedLesson, EveryWalkStopsAtTheZerosAfterTheText)
{
    for (const DamagedCase& c : kCases) {
        SCOPED_TRACE(c.what);
        uint8_t* text = Decoded(c.text);
        ASSERT_NE(text, nullptr);
        for (size_t i = 0; i < kLessonPadding; ++i) EXPECT_EQ(text[c.text.size() + i], 0);
        EXPECT_EQ(CountRecords(text), c.records);

        BannerLine first{}, second{};
        FindBannerLines(text, &first, &second);
        if (c.text[0] == STYLE_TITLE) {
            EXPECT_EQ(first.length, 1);
            ASSERT_NE(second.text, nullptr);
            EXPECT_EQ(second.length, 0);
        }

        MakeView(200, 200);
        const int32_t result = LayoutText(view, text, true);
        EXPECT_EQ(result, c.layout);
        if (result != kLayoutDone) {
            std::free(text);
            continue;
        }
        const auto lines = Lines();
        EXPECT_EQ(lines.size(), c.lines);
        for (const LineItem& line : lines) {
            EXPECT_LE(size_t{line.offset} + line.count, c.text.size());
            const LineParts parts = SplitLine(text, line);
            EXPECT_LE(size_t{parts.hangStart} + parts.hangCount, c.text.size());
        }
    }
}

TEST(NextParagraph, ARecordBeyondSixteenBitOffsetsEndsTheWalk)
{
    // One record whose terminator lies at 0xFFFF: the next offset would wrap
    // round to 0 and the walk would never end.
    Bytes text(0xFFFF + kLessonPadding, 0x61);
    text[0] = 0xB1;
    std::fill(text.end() - kLessonPadding, text.end(), 0);
    EXPECT_EQ(CountRecords(text.data()), 0);
    // One byte shorter, the record is read and the walk ends after it.
    text[0xFFFE] = 0;
    EXPECT_EQ(CountRecords(text.data()), 1);
}

}  // namespace
