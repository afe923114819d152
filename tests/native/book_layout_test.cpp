// Every day of the packed book laid out at several widths and font sizes:
// result 0, no line outside the area, every word on exactly one line, and
// the same lines whichever way the Reverse flag stands.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "book_days.h"
#include "fake_device.h"
#include "page/convert_letters.h"
#include "page/lesson_text.h"
#include "page/letter_code.h"
#include "page/text_view.h"
#include "shell/app_state.h"

#include <gtest/gtest.h>

namespace {

std::vector<BookDay> AllWrittenDays()
{
    std::vector<BookDay> all;
    const auto written = WrittenDays();
    for (int month = 1; month <= 14; ++month) {
        if (written[month] == 0) continue;
        bool found = false;
        std::string error;
        std::vector<BookDay> days = LoadBookMonth(month, &found, &error);
        EXPECT_TRUE(found) << "month " << month << " is written but " << PackedBookDir()
                           << " has no container for it";
        EXPECT_EQ(error, "");
        EXPECT_EQ(int(days.size()), written[month]) << "days packed for month " << month;
        all.insert(all.end(), days.begin(), days.end());
    }
    return all;
}

// The lines of a view as plain records, for comparing two layouts.
std::vector<LineItem> LinesOf(const TextView* view)
{
    return std::vector<LineItem>(view->lineItems, view->lineItems + view->itemCount);
}

// Checks one laid-out day: geometry, rows, and that the lines cover each
// record's words exactly once and nothing else.
void CheckDay(const TextView* view, const std::vector<uint8_t>& text)
{
    std::vector<int> cover(text.size(), 0);
    uint32_t blankRows = 0;
    for (uint16_t i = 0; i < view->itemCount; ++i) {
        const LineItem& line = view->lineItems[i];
        ASSERT_NE(line.style, 0);
        EXPECT_GE(line.x, view->left) << "line " << i;
        EXPECT_LE(line.x + line.width, view->left + view->width) << "line " << i;
        EXPECT_GT(line.height, 0);
        ASSERT_LE(size_t{line.offset} + line.count, text.size());
        for (uint16_t k = 0; k < line.count; ++k) ++cover[line.offset + k];
        if (line.style & STYLE_BLANK_AFTER) ++blankRows;
    }
    EXPECT_EQ(view->lineItems[view->itemCount].style, 0);
    ASSERT_GT(view->itemCount, 0);
    EXPECT_FALSE(view->lineItems[view->itemCount - 1].style & STYLE_BLANK_AFTER);
    EXPECT_EQ(view->rowCount, view->itemCount + blankRows);
    EXPECT_LE(view->maxTopRow, view->rowCount);

    uint16_t at = 0;
    ParagraphRecord record;
    std::vector<bool> inText(text.size(), false);
    while (NextParagraph(text.data(), at, record)) {
        for (uint16_t k = 0; k < record.textLength; ++k) {
            const size_t pos = record.textOffset + k;
            inText[pos] = true;
            if (IsRuleStyle(record.style)) {
                EXPECT_EQ(cover[pos], 0);
            } else if (text[pos] == ' ') {
                EXPECT_LE(cover[pos], 1);
            } else {
                EXPECT_EQ(cover[pos], 1) << "byte " << pos << " of a record at " << record.textOffset;
            }
        }
    }
    for (size_t pos = 0; pos < text.size(); ++pos)
        if (!inText[pos]) EXPECT_EQ(cover[pos], 0) << "a line covers byte " << pos << " outside any text";
}

TEST(BookLayout, EveryDayLaysOutAtSeveralWidthsAndSizes)
{
    const std::vector<BookDay> days = AllWrittenDays();
    if (days.empty() && !HasFailure()) GTEST_SKIP() << "no month of the book is written yet";

    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    FakeDevice device{};
    device.variedWidths = true;
    FakeDeviceScope scope;
    long lines = 0;
    for (const int32_t size : {0, 12, 20}) {
        for (const int32_t width : {200, 330, 640, 1400}) {
            FontRecord font{};
            font.size = size;
            font.letterBase = kUnicodeLetterBase;
            const ViewRect area{7, 11, 7 + width, 11 + 480};
            TextView* view = NewTextView(AsDevice(&device), &area, &font, 100);
            ASSERT_NE(view, nullptr);
            for (const BookDay& day : days) {
                SCOPED_TRACE("month " + std::to_string(day.month) + " day " + std::to_string(day.day) +
                             " width " + std::to_string(width) + " size " + std::to_string(size));
                uint8_t* text = static_cast<uint8_t*>(std::malloc(day.text.size()));
                std::copy(day.text.begin(), day.text.end(), text);
                ASSERT_EQ(LayoutText(view, text, true), kLayoutDone);
                CheckDay(view, day.text);
                lines += view->itemCount;
                if (HasFailure()) break;
            }
            FreeTextView(view, true);
            if (HasFailure()) return;
        }
    }
    EXPECT_EQ(device.fontsCreated, device.fontsDeleted);
    RecordProperty("lines", std::to_string(lines));
}

TEST(BookLayout, TheReverseFlagChangesNoLineOfAnyDay)
{
    const std::vector<BookDay> days = AllWrittenDays();
    if (days.empty() && !HasFailure()) GTEST_SKIP() << "no month of the book is written yet";

    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    FakeDevice device{};
    device.variedWidths = true;
    FakeDeviceScope scope;
    FontRecord font{};
    font.size = 12;
    const ViewRect area{0, 0, 300, 400};
    TextView* plain = NewTextView(AsDevice(&device), &area, &font, 100);
    TextView* reversed = NewTextView(AsDevice(&device), &area, &font, 100);
    for (const BookDay& day : days) {
        SCOPED_TRACE("month " + std::to_string(day.month) + " day " + std::to_string(day.day));
        g_app.flags = 0;
        ASSERT_EQ(LayoutText(plain, static_cast<uint8_t*>(std::memcpy(std::malloc(day.text.size()),
                                                                      day.text.data(), day.text.size())),
                             true),
                  kLayoutDone);
        g_app.flags = kReverseFlag;
        ASSERT_EQ(LayoutText(reversed, static_cast<uint8_t*>(std::memcpy(std::malloc(day.text.size()),
                                                                         day.text.data(), day.text.size())),
                             true),
                  kLayoutDone);
        const auto a = LinesOf(plain), b = LinesOf(reversed);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].offset, b[i].offset);
            EXPECT_EQ(a[i].count, b[i].count);
            EXPECT_EQ(a[i].width, b[i].width);
            EXPECT_EQ(a[i].x, b[i].x);
        }
    }
    FreeTextView(plain, true);
    FreeTextView(reversed, true);
}

}  // namespace
