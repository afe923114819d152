// The parts of lines, the search banner and the main window's page.
#include <algorithm>

#include "page/banner_lines.h"
#include "page/line_parts.h"
#include "page/main_view_area.h"
#include "page_test_support.h"

namespace {

std::string Reversed(std::string s)
{
    std::reverse(s.begin(), s.end());
    return s;
}

using LineSplit = PageTest;

TEST_F(LineSplit, AReadingOrderHangingWordComesFirst)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{0x01, 0xC0, "ab  cdefgh ijk"}}), kLayoutDone);
    const LineParts parts = SplitLine(view->text, view->lineItems[0]);
    EXPECT_EQ(parts.hangStart, 2);
    EXPECT_EQ(parts.hangCount, 2);
    EXPECT_EQ(parts.mainStart, 6);
    EXPECT_EQ(view->lineItems[0].count, 6);
    const LineParts next = SplitLine(view->text, view->lineItems[1]);
    EXPECT_EQ(next.hangCount, 0);
    EXPECT_EQ(next.mainStart, view->lineItems[1].offset);
}

TEST_F(LineSplit, ADisplayOrderHangingWordFollowsTheMainPart)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{0x31, 0xC0, Reversed("ab cdefgh ijk")}}), kLayoutDone);
    const LineParts parts = SplitLine(view->text, view->lineItems[0]);
    EXPECT_EQ(parts.mainStart, view->lineItems[0].offset);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view->text) + parts.hangStart,
                          parts.hangCount),
              "ba");
}

TEST_F(LineSplit, AOneWordHangingParagraphHasItsWordAndNoMainPart)
{
    MakeView(80, 400);
    ASSERT_EQ(Lay({{0x31, 0xC0, Reversed("abc")}}), kLayoutDone);
    ASSERT_EQ(view->itemCount, 1);
    const LineItem& line = view->lineItems[0];
    EXPECT_EQ(line.count, 0);
    const LineParts parts = SplitLine(view->text, line);
    EXPECT_EQ(parts.hangStart, 2);
    EXPECT_EQ(parts.hangCount, 3);
}

TEST(HangingWordX, TheColumnLiesWhereTheLayoutKeptIt)
{
    LineItem line{};
    line.x = 40;
    line.width = 100;
    line.hangWidth = 30;
    line.style = 0x21;  // right: the column is right of the main part
    EXPECT_EQ(HangingWordX(line, 20), 40 + 100 + 30 - 20);
    line.style = 0x51;  // centred too
    EXPECT_EQ(HangingWordX(line, 20), 150);
    line.style = 0x11;  // left: the column is left of it
    EXPECT_EQ(HangingWordX(line, 20), 10);
    line.style = 0x61;
    EXPECT_EQ(HangingWordX(line, 20), 10);
}

TEST(BannerLines, TitleAndSubtitle)
{
    const auto text = LessonBytes({{0xDC, 0, "abc"}, {0xD1, 0, "de"}, {0xB1, 0, "fgh"}});
    BannerLine first, second;
    FindBannerLines(text.data(), &first, &second);
    EXPECT_EQ(first.text, text.data() + 2);
    EXPECT_EQ(first.length, 3);
    EXPECT_EQ(second.text, text.data() + 8);
    EXPECT_EQ(second.length, 2);
}

TEST(BannerLines, ASubtitleMayStandFirst)
{
    const auto text = LessonBytes({{0xD1, 0, "de"}, {0xDC, 0, "abc"}});
    BannerLine first, second;
    FindBannerLines(text.data(), &first, &second);
    EXPECT_EQ(first.length, 0);
    EXPECT_EQ(second.text, text.data() + 2);
    EXPECT_EQ(second.length, 2);
}

TEST(BannerLines, StoredLessonsHaveNone)
{
    const auto text = LessonBytes({{0xB2, 20, "abc"}, {0xC7, 172, ""}, {0xB1, 0, "def"},
                                   {0xDC, 0, "x"}, {0xD1, 0, "y"}});
    BannerLine first, second;
    FindBannerLines(text.data(), &first, &second);
    EXPECT_EQ(first.length, 0);
    EXPECT_EQ(second.length, 0);
    FindBannerLines(nullptr, &first, &second);
    EXPECT_EQ(first.text, nullptr);
}

TEST(BannerLines, ATitleAloneIsOneLine)
{
    const auto text = LessonBytes({{0xDC, 0, "abc"}, {0xB1, 0, "d"}});
    BannerLine first, second;
    FindBannerLines(text.data(), &first, &second);
    EXPECT_EQ(first.length, 3);
    EXPECT_EQ(second.length, 0);
}

TEST(BannerFrame, CentredAtTheBottomOfTheArea)
{
    TextView view{};
    view.left = 10;
    view.top = 20;
    view.width = 400;
    view.height = 300;
    BannerBox box = BannerFrame(view, 100, 16, 2);
    EXPECT_EQ(box.right - box.left, 100 + 32 + 8);
    EXPECT_EQ(box.left, 10 + (400 - 140) / 2);
    EXPECT_EQ(box.top, 20 + 300 - 32 - 12);
    EXPECT_EQ(box.bottom, 20 + 300 - 2);
    box = BannerFrame(view, 1000, 16, 1);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 410);
    EXPECT_EQ(box.top, 20 + 300 - 16 - 12);
}

TEST(MainViewArea, WithToolbarAndGutter)
{
    const MainViewArea area = ComputeMainViewArea(640, 480, true, 28, 16, 10);
    EXPECT_EQ(area.band.left, 0);
    EXPECT_EQ(area.band.width, 640);
    EXPECT_EQ(area.band.height, 18);
    EXPECT_EQ(area.band.top, 480 - 18);
    EXPECT_EQ(area.text.left, 10);
    EXPECT_EQ(area.text.top, 28 - 1 + 10);
    EXPECT_EQ(area.text.right - area.text.left, 620);
    EXPECT_EQ(area.text.bottom - area.text.top, 480 - 20 - 18 - 28);
}

TEST(MainViewArea, WithoutToolbar)
{
    const MainViewArea area = ComputeMainViewArea(640, 480, false, 0, 16, 10);
    EXPECT_EQ(area.text.top, 10);
    EXPECT_EQ(area.text.bottom - area.text.top, 480 - 20 - 18);
}

TEST(MainViewArea, TheGutterNeedsRoomOnEachAxis)
{
    const MainViewArea area = ComputeMainViewArea(20, 200, true, 28, 16, 10);
    EXPECT_EQ(area.text.left, 0);
    EXPECT_EQ(area.text.right, 20);
    EXPECT_EQ(area.text.top, 27 + 10);
    const MainViewArea flat = ComputeMainViewArea(300, 20, false, 0, 16, 10);
    EXPECT_EQ(flat.text.left, 10);
    EXPECT_EQ(flat.text.top, 0);
    EXPECT_EQ(flat.text.bottom - flat.text.top, 20 - 18);
}

}  // namespace
