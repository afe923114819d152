// Rows of a laid-out view: the last useful scroll position, the row of a
// text offset, where painting starts and where a scroll lands.
#include "page/view_rows.h"
#include "page_test_support.h"
#include "shell/app_state.h"

namespace {

constexpr uint8_t kLeft = 0x01;
constexpr uint8_t kLeftBlank = 0x81;

// Three paragraphs of one line each, 16 high: rows L B L B L.
const std::vector<TestRecord> kThree = {{kLeftBlank, 0, "abc"}, {kLeftBlank, 0, "def"},
                                        {kLeft, 0, "ghi"}};

using Rows = PageTest;

TEST_F(Rows, MaxTopRowCountsWholeRowsFromTheBottom)
{
    MakeView(200, 40);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    // From the bottom: L (16), then L (16) and its blank row only half in.
    EXPECT_EQ(view->maxTopRow, 3);
    MakeView(200, 48);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    EXPECT_EQ(view->maxTopRow, 2);
    MakeView(200, 15);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    EXPECT_EQ(view->maxTopRow, 5) << "not even the last line fits";
    MakeView(200, 80);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    EXPECT_EQ(view->maxTopRow, 0);
}

TEST_F(Rows, MaxTopRowNeedsLines)
{
    MakeView(200, 40);
    view->maxTopRow = 9;
    EXPECT_EQ(ComputeMaxTopRow(view), -1);
    EXPECT_EQ(view->maxTopRow, 9);
    EXPECT_EQ(ComputeMaxTopRow(nullptr), -1);
}

TEST_F(Rows, FindRowOfOffsetCountsBlankRows)
{
    MakeView(200, 16);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    ASSERT_EQ(view->maxTopRow, 4);
    // "def" is stored at 8..10 and sits on row 2.
    EXPECT_EQ(FindRowOfOffset(view, 8), 1);
    EXPECT_EQ(view->topRow, 2);
    EXPECT_EQ(FindRowOfOffset(view, 11), 1) << "the end of a line is inside it";
    EXPECT_EQ(view->topRow, 2);
    EXPECT_EQ(FindRowOfOffset(view, 15), 1);
    EXPECT_EQ(view->topRow, 4);
    view->topRow = 1;
    EXPECT_EQ(FindRowOfOffset(view, 0), 0) << "the style byte belongs to no line";
    EXPECT_EQ(FindRowOfOffset(view, 13), 0) << "nor a parameter byte";
    EXPECT_EQ(view->topRow, 1);
}

TEST_F(Rows, FindRowOfOffsetStopsAtMaxTopRow)
{
    MakeView(200, 80);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    EXPECT_EQ(FindRowOfOffset(view, 15), 1);
    EXPECT_EQ(view->topRow, 0);
}

TEST_F(Rows, PaintingStartsAtTopRow)
{
    MakeView(200, 40, 12, 3, 30);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    view->topRow = 2;
    FirstRow first = FindFirstRow(view);
    EXPECT_EQ(first.line, &view->lineItems[1]);
    EXPECT_EQ(first.y, 30);
    EXPECT_EQ(first.available, 40);
}

TEST_F(Rows, ATopRowOnABlankRowLeavesItEmpty)
{
    MakeView(200, 40, 12, 3, 30);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    view->topRow = 1;
    FirstRow first = FindFirstRow(view);
    EXPECT_EQ(first.line, &view->lineItems[1]);
    EXPECT_EQ(first.y, 30 + 16);
    EXPECT_EQ(first.available, 40 - 16);
}

TEST_F(Rows, ATopRowBeyondTheRowsGoesBackToMaxTopRow)
{
    MakeView(200, 40);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    view->topRow = 6;
    FindFirstRow(view);
    EXPECT_EQ(view->topRow, 3);
    view->topRow = 5;  // rowCount itself is left alone
    EXPECT_EQ(FindFirstRow(view).line, &view->lineItems[3]);
    EXPECT_EQ(view->topRow, 5);
}

TEST_F(Rows, APageStartPaintsFromItsLine)
{
    MakeView(200, 40, 12, 3, 30);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    view->topRow = 1;
    view->pageStart = &view->lineItems[2];
    FirstRow first = FindPaintStart(view);
    EXPECT_EQ(first.line, &view->lineItems[2]);
    EXPECT_EQ(first.y, 30);
    EXPECT_EQ(first.available, 40);
}

TEST_F(Rows, ScrollTargets)
{
    MakeView(200, 40);
    ASSERT_EQ(Lay(kThree), kLayoutDone);
    ASSERT_EQ(view->maxTopRow, 3);
    ASSERT_EQ(view->rowCount, 5);
    view->topRow = 1;
    EXPECT_EQ(ScrollTargetRow(view, -5, true), 0);
    EXPECT_EQ(ScrollTargetRow(view, 1, true), 2);
    EXPECT_EQ(ScrollTargetRow(view, 4, true), 5) << "may pass maxTopRow up to rowCount";
    EXPECT_EQ(ScrollTargetRow(view, 9, true), 3);
    EXPECT_EQ(ScrollTargetRow(view, 9, false), 3);
    view->topRow = 3;
    EXPECT_EQ(ScrollTargetRow(view, 1, true), -1) << "refused at maxTopRow";
    EXPECT_EQ(ScrollTargetRow(view, 0, true), -1);
    EXPECT_EQ(ScrollTargetRow(view, 1, false), 4) << "without clamp only past rowCount is refused";
    EXPECT_EQ(ScrollTargetRow(view, 3, false), -1);
    EXPECT_EQ(ScrollTargetRow(view, -1, true), 2);
    view->topRow = 4;
    EXPECT_EQ(ScrollTargetRow(view, 1, true), -1);
    EXPECT_EQ(ScrollTargetRow(view, -2, true), 2);
}

TEST_F(Rows, PointNearTheViewIncludesTheGutterExceptBelow)
{
    MakeView(100, 50, 12, 20, 30);
    g_app.gutter = 10;
    EXPECT_TRUE(PointNearView(view, 10, 20));
    EXPECT_TRUE(PointNearView(view, 130, 80));
    EXPECT_FALSE(PointNearView(view, 9, 40));
    EXPECT_FALSE(PointNearView(view, 131, 40));
    EXPECT_FALSE(PointNearView(view, 50, 19));
    EXPECT_FALSE(PointNearView(view, 50, 81));
    EXPECT_FALSE(PointNearView(nullptr, 50, 50));
}

}  // namespace
