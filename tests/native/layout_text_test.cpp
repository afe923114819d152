// Line breaking with the fake device: at size 12 every character of the
// normal font is 8 wide and 16 high, so a line of width W holds W / 8.
#include <algorithm>
#include <cstdlib>

#include "page/lesson_text.h"
#include "page/convert_letters.h"
#include "page_test_support.h"
#include "shell/app_state.h"

namespace {

constexpr uint8_t kLeft = 0x01;            // normal, flush left, reading order
constexpr uint8_t kLeftBlank = 0x81;
constexpr uint8_t kRight = 0x21;
constexpr uint8_t kCentre = 0x41;
constexpr uint8_t kRightDisplay = 0x31;    // flush right, display order

std::string Reversed(std::string s)
{
    std::reverse(s.begin(), s.end());
    return s;
}

using Layout = PageTest;

TEST_F(Layout, WordWiderThanTheLineIsCutWithoutHyphen)
{
    MakeView(40, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abcdefghij"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Bytes(lines[0]), "abcde");
    EXPECT_EQ(lines[0].width, 40);
    EXPECT_EQ(lines[0].offset, 2);
    EXPECT_EQ(Bytes(lines[1]), "fghij");
}

TEST_F(Layout, BreaksAtTheLastSpaceBeforeTheEdge)
{
    MakeView(80, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc defg hijk"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Bytes(lines[0]), "abc defg");
    EXPECT_EQ(lines[0].width, 64);
    EXPECT_EQ(Bytes(lines[1]), "hijk");
    EXPECT_EQ(lines[1].offset, 11);
    EXPECT_EQ(lines[1].width, 32);
}

TEST_F(Layout, HyphenStaysAtTheEndOfTheLine)
{
    MakeView(80, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc-defghijk"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Bytes(lines[0]), "abc-");
    EXPECT_EQ(lines[0].width, 32);
    EXPECT_EQ(Bytes(lines[1]), "defghijk");
}

TEST_F(Layout, PositionZeroIsNeverABreakPoint)
{
    MakeView(40, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abcde -fghij"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Bytes(lines[0]), "abcde");
    // The hyphen opening the line does not count: the word is cut.
    EXPECT_EQ(Bytes(lines[1]), "-fghi");
    EXPECT_EQ(Bytes(lines[2]), "j");
}

TEST_F(Layout, SpacesAtTheStartOfALineAreSkipped)
{
    MakeView(48, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "   abc  defgh"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].offset, 5);
    // Six characters fit ("abc  d"): the break is at the last space, so the
    // line keeps the space before it.
    EXPECT_EQ(Bytes(lines[0]), "abc ");
    EXPECT_EQ(Bytes(lines[1]), "defgh");
    EXPECT_EQ(lines[1].offset, 10);
}

TEST_F(Layout, AParagraphOfSpacesOnlyMakesNoLineAndNoRow)
{
    MakeView(200, 200);
    ASSERT_EQ(Lay({{kLeftBlank, 0, "abc"}, {kLeftBlank, 0, "     "}, {kLeft, 0, "def"}}),
              kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Bytes(lines[1]), "def");
    EXPECT_EQ(view->rowCount, 3);
}

TEST_F(Layout, TrailingSpacesKeepTheParagraphsBlankRow)
{
    MakeView(200, 200);
    ASSERT_EQ(Lay({{kLeftBlank, 0, "abc   "}, {kLeft, 0, "def"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].style, kLeftBlank);
    EXPECT_EQ(view->rowCount, 3);
}

TEST_F(Layout, AnIndentAtLeastAsWideAsTheAreaCountsAsZero)
{
    MakeView(40, 200);
    ASSERT_EQ(Lay({{kLeft, 20, "ab"}, {kLeft, 40, "ab"}, {kLeft, 63, "ab"}, {kRight, 63, "ab"},
                   {kRight, 10, "ab"}}),
              kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].x, 20);
    EXPECT_EQ(lines[1].x, 0);
    EXPECT_EQ(lines[2].x, 0);
    EXPECT_EQ(lines[3].x, 24);
    EXPECT_EQ(lines[4].x, 14);
}

TEST_F(Layout, AlignmentPlacesTheLineFromItsEdge)
{
    MakeView(100, 200, 12, 5, 7);
    ASSERT_EQ(Lay({{kRight, 10, "abc"}, {kCentre, 10, "abc"}, {kLeft, 10, "abc"},
                   {0x61, 10, "abc"}}),
              kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].x, 5 + 100 - 10 - 24);
    EXPECT_EQ(lines[1].x, 5 + 10 + (100 - 24 - 10) / 2);
    EXPECT_EQ(lines[2].x, 5 + 10);
    EXPECT_EQ(lines[3].x, 5 + 10);  // 0x60 is flush left too
}

TEST_F(Layout, RuleWidthsFromTheirParameter)
{
    MakeView(500, 400);
    ASSERT_EQ(Lay({{0x87, 0, ""},
                   {0x87, 161, ""},
                   {0x87, 210, ""},
                   {0xC7, 255, ""},
                   {0xA7, 100, ""},
                   {0xC7, 172, ""}}),
              kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);  // parameter 0: no rule, no row
    EXPECT_EQ(lines[0].width, 10);   // 2 %
    EXPECT_EQ(lines[1].width, 500);  // 100 %
    EXPECT_EQ(lines[2].width, 500);  // 190 %, cut to the area
    EXPECT_EQ(lines[2].x, 0);
    EXPECT_EQ(lines[3].width, 100);  // pixels
    EXPECT_EQ(lines[3].x, 400);
    EXPECT_EQ(lines[4].width, 120);  // 24 %, centred
    EXPECT_EQ(lines[4].x, 190);
    for (const LineItem& line : lines) {
        EXPECT_EQ(line.count, 0);
        EXPECT_EQ(line.height, 16);
    }
    EXPECT_EQ(lines[0].offset, 2 + 3);  // the text field of the second record
    EXPECT_EQ(view->rowCount, 9);      // five rules, four blank rows
}

TEST_F(Layout, ARuleTakesTheHeightOfTheTextBeforeIt)
{
    MakeView(500, 400);
    ASSERT_EQ(Lay({{0x0C, 0, "ab"}, {0x47, 50, ""}, {0x02, 0, "ab"}, {0x47, 50, ""}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].height, 20);  // large: 15 points
    EXPECT_EQ(lines[1].height, 20);
    EXPECT_EQ(lines[2].height, 12);  // small: 9 points
    EXPECT_EQ(lines[3].height, 12);
    EXPECT_EQ(lines[0].width, 2 * 11);  // bold is a pixel wider
}

TEST_F(Layout, AFirstRuleWithParameterZeroLaysOutEmpty)
{
    MakeView(500, 400);
    ASSERT_EQ(Lay({{0x87, 0, ""}}), kLayoutDone);
    EXPECT_EQ(view->itemCount, 0);
    EXPECT_EQ(view->rowCount, 0);
    EXPECT_EQ(view->lineItems[0].style, 0);
}

TEST_F(Layout, TheLastBlankRowIsDropped)
{
    MakeView(200, 400);
    ASSERT_EQ(Lay({{kLeftBlank, 0, "abc"}, {kLeftBlank, 0, "def"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].style, kLeftBlank);
    EXPECT_EQ(lines[1].style, kLeft);
    EXPECT_EQ(view->rowCount, 3);
}

TEST_F(Layout, OnlyAParagraphsLastLineKeepsTheBlankRowBit)
{
    MakeView(40, 400);
    ASSERT_EQ(Lay({{kLeftBlank, 0, "abcde fghij klmno"}, {kLeft, 0, "p"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].style, kLeft);
    EXPECT_EQ(lines[1].style, kLeft);
    EXPECT_EQ(lines[2].style, kLeftBlank);
    EXPECT_EQ(view->rowCount, 5);
}

TEST_F(Layout, ATallAreaHasMaxTopRowZero)
{
    MakeView(200, 1000);
    ASSERT_EQ(Lay({{kLeftBlank, 0, "abc"}, {kLeftBlank, 0, "def"}, {kLeft, 0, "ghi"}}), kLayoutDone);
    EXPECT_EQ(view->rowCount, 5);
    EXPECT_EQ(view->maxTopRow, 0);
}

TEST_F(Layout, ResizingToZeroChangesNothing)
{
    MakeView(80, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc defg hijk"}}), kLayoutDone);
    const auto before = Lines();
    EXPECT_EQ(ResizeView(view, 0, 100), kResizeBadSize);
    EXPECT_EQ(ResizeView(view, 100, 0), kResizeBadSize);
    EXPECT_EQ(ResizeView(view, -4, 100), kResizeBadSize);
    EXPECT_EQ(ResizeView(nullptr, 100, 100), -1);
    EXPECT_EQ(view->width, 80);
    EXPECT_EQ(view->height, 200);
    EXPECT_EQ(Lines().size(), before.size());

    EXPECT_EQ(ResizeView(view, 40, 100), kLayoutDone);
    EXPECT_EQ(view->width, 40);
    EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(Layout, AHangingParagraphPutsItsFirstWordInAColumn)
{
    MakeView(80, 400);
    // Hanging count 3: a column of (3 + 1) x 8 / 2 = 16.
    ASSERT_EQ(Lay({{kLeft, 0xC0, "ab cdefgh ijk"}, {kLeft, 0xC4, " lmn"}, {kLeft, 0xC0, " op"}}),
              kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    // First line: the offset is the hanging word's, the count the main part's.
    EXPECT_EQ(lines[0].offset, 2);
    EXPECT_EQ(lines[0].count, 6);
    EXPECT_EQ(lines[0].hangWidth, 16);
    EXPECT_EQ(lines[0].x, 16);
    EXPECT_EQ(lines[0].width, 48);
    // The following line is indented by the column.
    EXPECT_EQ(Bytes(lines[1]), "ijk");
    EXPECT_EQ(lines[1].hangWidth, 0);
    EXPECT_EQ(lines[1].x, 16);
    // A continuation: no hanging word; the running indent changed by 4 - 0.
    EXPECT_EQ(Bytes(lines[2]), "lmn");
    EXPECT_EQ(lines[2].hangWidth, 0);
    EXPECT_EQ(lines[2].x, 20);
    // The next one goes back by 4 again.
    EXPECT_EQ(Bytes(lines[3]), "op");
    EXPECT_EQ(lines[3].x, 16);
}

TEST_F(Layout, AHangingRecordFirstInTheTextIsNoContinuation)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{kLeft, 0x40, " ab cd"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].hangWidth, 8);  // (1 + 1) x 8 / 2
    EXPECT_EQ(lines[0].offset, 3);
    EXPECT_EQ(lines[0].count, 2);
}

TEST_F(Layout, AContinuationIndentNeverGoesBelowZero)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{kLeft, 0x3F, "ab"}, {kLeft, 0x40, " cd"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, 63);
    EXPECT_EQ(lines[1].x, 0);  // 63 + 0 - 63
}

TEST_F(Layout, TheHangingColumnStaysInsideTheArea)
{
    MakeView(40, 400);
    // Indent 30 leaves 10 of 40; a column of 16 is cut to those 10.
    ASSERT_EQ(Lay({{kRight, 0xC0 | 30, "ab cd"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].hangWidth, 10);
    for (const LineItem& line : lines) {
        EXPECT_GE(line.x, 0);
        EXPECT_LE(line.x + line.width + line.hangWidth, 40);
    }
}

TEST_F(Layout, DisplayOrderLinesPointAtTheirStoredBytes)
{
    const std::string reading = "abc defgh ij-klmno pq rstuvw xy {z abcdefghijkl mn";
    MakeView(72, 800);
    ASSERT_EQ(Lay({{kLeft, 0, reading}}), kLayoutDone);
    const auto readingLines = Lines();
    ASSERT_EQ(Lay({{kRightDisplay, 0, Reversed(reading)}}), kLayoutDone);
    const auto displayLines = Lines();
    ASSERT_EQ(displayLines.size(), readingLines.size());
    ASSERT_GT(displayLines.size(), 4u);
    for (size_t i = 0; i < displayLines.size(); ++i) {
        SCOPED_TRACE(i);
        const LineItem& d = displayLines[i];
        const LineItem& r = readingLines[i];
        EXPECT_EQ(d.count, r.count);
        EXPECT_EQ(d.width, r.width);
        // The same characters, stored the other way round.
        EXPECT_EQ(Reversed(Bytes(d)), reading.substr(r.offset - 2, r.count));
        EXPECT_EQ(d.x, 72 - d.width);
    }
}

TEST_F(Layout, DisplayOrderHangingLinesCoverTheMainPartOnly)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{kRightDisplay, 0xC0, Reversed("ab cdefgh ijk")}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Reversed(Bytes(lines[0])), "cdefgh");
    EXPECT_EQ(lines[0].hangWidth, 16);
    EXPECT_EQ(lines[0].x, 80 - 16 - 48);
    EXPECT_EQ(Reversed(Bytes(lines[1])), "ijk");
    EXPECT_EQ(lines[1].x, 80 - 16 - 24);
}

TEST_F(Layout, TheReverseFlagChangesNoBreakAndNoWidth)
{
    device.variedWidths = true;
    MakeView(130, 2000);
    const std::vector<TestRecord> text = {
        {0xB2, 20, "(abc) [def] {}ghi-jkl, 12:30 mno; \"pq\" r'st"},
        {0xC7, 172, ""},
        {0xB1, 0, "uvw xyz{ (ab-cd) 2024 ef gh. ij! kl? mn | op} qr st uv wx yz ab cd ef gh ij"},
        {0x59, 0, "abc def ghi jkl mno pqr stu"},
    };
    ASSERT_EQ(Lay(text), kLayoutDone);
    const auto plain = Lines();
    g_app.flags |= kReverseFlag;
    ASSERT_EQ(Lay(text), kLayoutDone);
    const auto reversed = Lines();
    ASSERT_EQ(plain.size(), reversed.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plain[i].offset, reversed[i].offset);
        EXPECT_EQ(plain[i].count, reversed[i].count);
        EXPECT_EQ(plain[i].width, reversed[i].width);
        EXPECT_EQ(plain[i].x, reversed[i].x);
    }
    EXPECT_TRUE(g_app.flags & kReverseFlag) << "measuring puts the flag back";
}

TEST_F(Layout, TheLineArrayGrowsPast128And256Lines)
{
    MakeView(200, 400);
    std::vector<TestRecord> records;
    for (int i = 0; i < 300; ++i) records.push_back({kLeft, 0, std::string(1, char('a' + i % 26)) + "b"});
    ASSERT_EQ(Lay(records), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 300u);
    EXPECT_GE(view->capacity, 300);
    EXPECT_EQ((view->capacity - 100) % kLineGrowth, 0) << "made for 100, grown by 128";
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(lines[i].offset, 2 + 5 * i);
        EXPECT_EQ(Bytes(lines[i]), std::string(1, char('a' + i % 26)) + "b");
    }
    EXPECT_EQ(view->rowCount, 300);
}

TEST_F(Layout, OneParagraphOfManyLinesGrowsToo)
{
    MakeView(16, 400);
    std::string words;
    for (int i = 0; i < 260; ++i) words += i ? " ab" : "ab";
    ASSERT_EQ(Lay({{kLeftBlank, 0, words}, {kLeft, 0, "c"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 261u);
    for (int i = 0; i < 260; ++i) EXPECT_EQ(Bytes(lines[i]), "ab");
    EXPECT_EQ(lines[259].style, kLeftBlank);
    EXPECT_EQ(view->rowCount, 262);
}

TEST_F(Layout, EachLineCostsAtMostTwoMeasurements)
{
    device.variedWidths = true;
    MakeView(90, 400);
    ASSERT_EQ(Lay({{0xB1, 0, "abc defgh ij-klmno pq rstuvw xy {z abcdefghijklmnop mn op qr st"},
                   {0xB2, 20, "ab cd ef gh ij kl mn op"}}),
              kLayoutDone);
    EXPECT_LE(device.fitCalls, 2L * view->itemCount);
    EXPECT_GT(view->itemCount, 5);
}

TEST_F(Layout, ACharacterWiderThanTheAreaStillMovesOn)
{
    MakeView(5, 400);
    ASSERT_EQ(Lay({{kLeft, 0, "abc de"}}), kLayoutDone);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Bytes(lines[0]), "a");
    EXPECT_EQ(lines[0].width, 8);
    EXPECT_EQ(Bytes(lines[4]), "e");
}

TEST_F(Layout, ResultCodes)
{
    MakeView(200, 200);
    EXPECT_EQ(LayoutText(nullptr, nullptr, false), kLayoutNoView);
    EXPECT_EQ(Lay({}), kLayoutEmptyText);                        // no record at all
    EXPECT_EQ(Lay({{kLeft, 0, ""}, {kLeft, 0, "abc"}}), kLayoutEmptyText);
    EXPECT_EQ(Lay({{0x87, 20, ""}}), kLayoutDone);               // a rule needs no text
    EXPECT_EQ(Lay({{kLeft, 0, "abc"}}), kLayoutDone);
    EXPECT_EQ(view->itemCount, 1);
}

TEST_F(Layout, ARefusedTextLeavesNoLinesAndTheOldTextHeld)
{
    MakeView(200, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc"}}), kLayoutDone);
    uint8_t* held = view->text;
    view->hitStart = 1;
    view->hitEnd = 2;
    EXPECT_EQ(Lay({{kLeft, 0, ""}}), kLayoutEmptyText);
    EXPECT_EQ(view->text, held);
    EXPECT_EQ(view->itemCount, 0);
    EXPECT_EQ(view->lineItems[0].style, 0);
    EXPECT_EQ(view->rowCount, 0);
    EXPECT_EQ(view->hitStart, 0);
    EXPECT_EQ(view->hitEnd, 0);
}

TEST_F(Layout, NoTextReleasesThePreviousOneOnlyWhenAsked)
{
    MakeView(200, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc"}}), kLayoutDone);
    EXPECT_EQ(LayoutText(view, nullptr, false), kLayoutNoText);
    EXPECT_NE(view->text, nullptr);
    EXPECT_EQ(view->itemCount, 0);
    EXPECT_EQ(LayoutText(view, nullptr, true), kLayoutNoText);
    EXPECT_EQ(view->text, nullptr);
}

TEST_F(Layout, LayingOutTheHeldTextAgainKeepsIt)
{
    MakeView(200, 200);
    ASSERT_EQ(Lay({{kLeft, 0, "abc"}}), kLayoutDone);
    view->topRow = 7;
    EXPECT_EQ(LayoutText(view, view->text, true), kLayoutDone);
    EXPECT_EQ(Bytes(Lines()[0]), "abc");
    EXPECT_EQ(view->topRow, 7) << "topRow survives layouts";
}

TEST_F(Layout, AViewWithoutLinesGetsItsFirst128)
{
    FontRecord font{};
    font.size = 12;
    view = NewTextView(AsDevice(&device), nullptr, &font, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->lineItems, nullptr);
    view->width = 100;
    view->height = 100;
    ASSERT_EQ(Lay({{kLeft, 0, "abc"}}), kLayoutDone);
    EXPECT_EQ(view->capacity, 128);
}

TEST_F(Layout, TextBeyondSixteenBitOffsetsIsNotLaidOut)
{
    MakeView(2000, 400);
    std::vector<TestRecord> records;
    for (int i = 0; i < 700; ++i) records.push_back({kLeft, 0, std::string(100, 'a')});
    ASSERT_EQ(Lay(records), kLayoutDone);
    const auto lines = Lines();
    EXPECT_EQ(lines.size(), 0xFFFFu / 103);
    for (const LineItem& line : lines) EXPECT_LE(line.offset + line.count, 0xFFFF);
}

TEST_F(Layout, TheSelectedFontIsPutBack)
{
    MakeView(200, 200);
    FakeFont own{12, 400, {}};
    device.selected = &own;
    ASSERT_EQ(Lay({{0x0C, 0, "abc"}, {0x02, 0, "def"}}), kLayoutDone);
    EXPECT_EQ(device.selected, &own);
}

}  // namespace
