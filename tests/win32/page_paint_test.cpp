// Painting checked in pixels on a memory bitmap with real fonts: colours,
// rules, the search hit over exactly its bytes, the first row, scrolling
// and the search banner. The Reverse flag is set throughout: Wine's
// DrawTextW orders Hebrew right to left, so display-order text reaches it
// reversed to come out as stored.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>

#include "gdi_canvas.h"
#include "page/convert_letters.h"
#include "page/lesson_text.h"
#include "page/letter_code.h"
#include "page/paint_view_win32.h"
#include "page_gdi_support.h"
#include "shell/app_state.h"

namespace {

constexpr COLORREF kWhitePixel = RGB(255, 255, 255);

bool IsInk(COLORREF c) { return c != kWhitePixel; }
bool IsYellow(COLORREF c) { return Red(c) > 200 && Green(c) > 200 && Blue(c) < 80; }

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    bool empty() const { return right <= left || bottom <= top; }
};

std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

bool operator==(const Box& a, const Box& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class PagePaint : public testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        g_app.font.letterBase = kUnicodeLetterBase;
        g_app.flags = kReverseFlag;
        g_app.gutter = 10;
    }
    void TearDown() override { FreeTextView(view, true); }

    // A view of 400 x 300 at (10, 10) on the canvas, laid out with `records`.
    void Show(const std::vector<TestRecord>& records, int32_t size = 12, int32_t height = 300,
              const wchar_t* face = kDejaVuSans)
    {
        FreeTextView(view, true);
        view = MakeGdiView(canvas.dc(), ViewRect{10, 10, 410, 10 + height}, MakeFont(face, size));
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(LayCopy(view, LessonBytes(records)), kLayoutDone);
    }

    // Bounding box of the pixels for which `match` holds, within `within`.
    Box Find(const std::function<bool(COLORREF)>& match, Box within = Box{0, 0, 420, 330}) const
    {
        Box found{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = within.top; y < within.bottom; ++y)
            for (int x = within.left; x < within.right; ++x)
                if (match(canvas.At(x, y))) {
                    found.left = std::min(found.left, x);
                    found.top = std::min(found.top, y);
                    found.right = std::max(found.right, x + 1);
                    found.bottom = std::max(found.bottom, y + 1);
                }
        return found.right < found.left ? Box{} : found;
    }

    bool Any(const std::function<bool(COLORREF)>& match, Box within) const
    {
        return !Find(match, within).empty();
    }

    // The box a line was laid out in, at the top of the area.
    Box LineBox(const LineItem& line, int32_t y) const
    {
        return Box{line.x, y, line.x + line.width, y + line.height};
    }

    // Width of `count` stored bytes from `offset` in the line's font.
    int32_t Width(const LineItem& line, uint32_t offset, int32_t count)
    {
        const HFONT old = SelectStyleFont(view, line.style);
        const int32_t width = IndependentWidth(canvas.dc(), view->text + offset, count);
        SelectObject(canvas.dc(), old);
        return width;
    }

    GdiCanvas canvas{420, 330};
    TextView* view = nullptr;
};

// Hebrew words of many lengths, enough for several lines of 400 pixels.
std::string Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += ' ';
        text += std::string(2 + i % 6, char('a' + (i * 7) % 27));
    }
    return text;
}

TEST_F(PagePaint, NormalTextIsBlack)
{
    Show({{0x01, 0, "abc def"}});
    const COLORREF before = GetTextColor(canvas.dc());
    ASSERT_EQ(PaintView(view, 1), 0);
    const LineItem& line = view->lineItems[0];
    const Box ink = Find(IsInk);
    ASSERT_FALSE(ink.empty());
    const Box box = LineBox(line, 10);
    EXPECT_GE(ink.left, box.left);
    EXPECT_LE(ink.right, box.right);
    EXPECT_GE(ink.top, box.top);
    EXPECT_LE(ink.bottom, box.bottom);
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(0, 0, 0); }, box));
    // Every drawn pixel is a shade of grey: no colour.
    EXPECT_FALSE(Any([](COLORREF c) { return std::abs(Red(c) - Green(c)) > 8 || std::abs(Green(c) - Blue(c)) > 8; },
                     box));
    EXPECT_EQ(view->rowsPainted, 1);
    EXPECT_EQ(view->pageNext, &view->lineItems[1]);
    EXPECT_EQ(GetTextColor(canvas.dc()), before) << "the text colour is put back";
}

TEST_F(PagePaint, LargeBoldTextIsBlue)
{
    Show({{0x01, 0, "abc"}, {0x0C, 0, "def"}});
    ASSERT_EQ(PaintView(view, 1), 0);
    const LineItem& first = view->lineItems[0];
    const Box blackBox = LineBox(first, 10);
    const Box blueBox = LineBox(view->lineItems[1], 10 + first.height);
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(0, 0, 255); }, blueBox));
    EXPECT_FALSE(Any([](COLORREF c) { return IsInk(c) && (Blue(c) < Red(c) || Red(c) != Green(c)); }, blueBox));
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(0, 0, 0); }, blackBox));
    EXPECT_FALSE(Any([](COLORREF c) { return Blue(c) > Red(c) + 8; }, blackBox));
}

TEST_F(PagePaint, ARuleIsOnePixelHigh)
{
    Show({{0x01, 0, "abc"}, {0x47, 210, ""}, {0x01, 0, "def"}});
    ASSERT_EQ(PaintView(view, 1), 0);
    const LineItem& rule = view->lineItems[1];
    ASSERT_EQ(rule.width, 400);
    const int row = 10 + view->lineItems[0].height + rule.height / 2;
    for (int x = rule.x; x < rule.x + rule.width; ++x) {
        EXPECT_EQ(canvas.At(x, row), RGB(0, 0, 0)) << x;
        EXPECT_EQ(canvas.At(x, row - 1), kWhitePixel) << x;
        EXPECT_EQ(canvas.At(x, row + 1), kWhitePixel) << x;
    }
    EXPECT_EQ(canvas.At(rule.x - 1, row), kWhitePixel);
    EXPECT_EQ(canvas.At(rule.x + rule.width, row), kWhitePixel);
}

TEST_F(PagePaint, AShortCentredRuleStaysInItsBox)
{
    Show({{0x01, 0, "abc"}, {0xC7, 172, ""}, {0x01, 0, "def"}});
    ASSERT_EQ(PaintView(view, 1), 0);
    const LineItem& rule = view->lineItems[1];
    EXPECT_EQ(rule.width, 96);
    const int row = 10 + view->lineItems[0].height + rule.height / 2;
    const Box ink = Find(IsInk, Box{0, row, 420, row + 1});
    EXPECT_EQ(ink, (Box{rule.x, row, rule.x + rule.width, row + 1}));
    EXPECT_EQ(rule.x, 10 + (400 - 96) / 2);
}

// The ink of a line drawn normally and of the same pixels drawn as a hit:
// black on white against blue on yellow, the glyphs in the same places.
int InkMismatches(const std::vector<COLORREF>& plain, const std::vector<COLORREF>& hit, int width,
                  const Box& box, int* inkPixels)
{
    int mismatches = 0;
    *inkPixels = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const bool a = Red(plain[size_t(y) * width + x]) < 128;
            const bool b = Red(hit[size_t(y) * width + x]) < 128;
            *inkPixels += a;
            mismatches += a != b;
        }
    return mismatches;
}

TEST_F(PagePaint, TheSearchHitIsBlueOnYellowExactlyOverItsBytes)
{
    Show({{0xB1, 0, Words(40)}});
    ASSERT_GE(view->itemCount, 3);
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> plain = canvas.Snapshot();

    const LineItem& line = view->lineItems[1];
    ASSERT_GT(line.count, 12);
    view->hitStart = line.offset + 3;
    view->hitEnd = line.offset + 11;
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> hit = canvas.Snapshot();

    const int y = 10 + view->lineItems[0].height;
    const int left = line.x + Width(line, line.offset, 3);
    const Box expected{left, y, left + Width(line, line.offset + 3, 8), y + line.height};
    EXPECT_EQ(Find(IsYellow), expected);
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(0, 0, 255); }, expected));
    int ink = 0;
    EXPECT_LE(InkMismatches(plain, hit, canvas.width(), expected, &ink), ink / 50 + 2);
    EXPECT_GT(ink, 20);
    // Nothing else changed.
    for (int py = 0; py < canvas.height(); ++py) {
        for (int px = 0; px < canvas.width(); ++px) {
            const bool inside = px >= expected.left && px < expected.right && py >= expected.top &&
                                py < expected.bottom;
            if (!inside) {
                ASSERT_EQ(plain[size_t(py) * canvas.width() + px], hit[size_t(py) * canvas.width() + px])
                    << px << "," << py;
            }
        }
    }
}

TEST_F(PagePaint, AHitAcrossTwoLinesIsHighlightedInBoth)
{
    Show({{0xB1, 0, Words(40)}});
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> plain = canvas.Snapshot();
    // Display order: the first line's bytes are stored after the second's.
    const LineItem& first = view->lineItems[0];
    const LineItem& second = view->lineItems[1];
    ASSERT_LT(second.offset + second.count, first.offset);
    view->hitStart = second.offset + second.count - 4;
    view->hitEnd = first.offset + 5;
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> hit = canvas.Snapshot();

    const Box inFirst{first.x, 10, first.x + Width(first, first.offset, 5), 10 + first.height};
    const int y2 = 10 + first.height;
    const int x2 = second.x + Width(second, second.offset, second.count - 4);
    const Box inSecond{x2, y2, x2 + Width(second, second.offset + second.count - 4, 4),
                       y2 + second.height};
    EXPECT_EQ(Find(IsYellow, Box{0, 0, 420, y2}), inFirst);
    EXPECT_EQ(Find(IsYellow, Box{0, y2, 420, 330}), inSecond);
    int ink = 0;
    EXPECT_LE(InkMismatches(plain, hit, canvas.width(), inFirst, &ink), ink / 50 + 2);
    EXPECT_LE(InkMismatches(plain, hit, canvas.width(), inSecond, &ink), ink / 50 + 2);
}

TEST_F(PagePaint, AHitOutsideTheRowsShownDrawsNothing)
{
    Show({{0xB1, 0, Words(80)}}, 12, 40);
    ASSERT_GT(view->rowCount, 4);
    ASSERT_EQ(PaintView(view, 1), 0);
    const LineItem& last = view->lineItems[view->itemCount - 1];
    view->hitStart = last.offset;
    view->hitEnd = last.offset + 2;
    ASSERT_EQ(PaintView(view, 1), 0);
    EXPECT_TRUE(Find(IsYellow).empty());
}

TEST_F(PagePaint, ATopRowOnABlankRowLeavesThatRowEmpty)
{
    const std::vector<TestRecord> text = {{0x81, 0, "abc"}, {0x81, 0, "def"}, {0x01, 0, "ghi"}};
    Show(text);
    const int h = view->lineItems[0].height;
    view->topRow = 2;
    ASSERT_EQ(PaintView(view, 1), 0);
    const Box onTop = Find(IsInk, Box{10, 10, 410, 10 + h});
    ASSERT_FALSE(onTop.empty());
    view->topRow = 1;
    ASSERT_EQ(PaintView(view, 1), 0);
    EXPECT_EQ(view->topRow, 1);
    EXPECT_TRUE(Find(IsInk, Box{10, 10, 410, 10 + h}).empty()) << "the blank row stays empty";
    const Box below = Find(IsInk, Box{10, 10 + h, 410, 10 + 2 * h});
    EXPECT_EQ(below.left, onTop.left);
    EXPECT_EQ(below.top, onTop.top + h) << "the next line is drawn one row lower";
    EXPECT_EQ(view->rowsPainted, 3);
}

TEST_F(PagePaint, ATopRowBeyondTheRowsPaintsFromMaxTopRow)
{
    Show({{0x81, 0, "abc"}, {0x81, 0, "def"}, {0x81, 0, "ghi"}, {0x01, 0, "jkl"}}, 12, 40);
    ASSERT_GT(view->maxTopRow, 0);
    const uint16_t maxTop = view->maxTopRow;
    view->topRow = maxTop;
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> atMax = canvas.Snapshot();
    canvas.Fill(kWhitePixel);
    view->topRow = view->rowCount + 3;
    ASSERT_EQ(PaintView(view, 1), 0);
    EXPECT_EQ(view->topRow, maxTop);
    EXPECT_TRUE(canvas.Snapshot() == atMax);
}

TEST_F(PagePaint, ScrollViewRefusesToGoPastMaxTopRow)
{
    Show({{0xB1, 0, Words(80)}}, 12, 60);
    const uint16_t maxTop = view->maxTopRow;
    ASSERT_GT(maxTop, 2);
    view->topRow = maxTop;
    const COLORREF marker = RGB(1, 2, 3);
    canvas.Fill(marker);
    EXPECT_EQ(ScrollView(view, 1, 1, 1), 1);
    EXPECT_EQ(view->topRow, maxTop);
    EXPECT_EQ(canvas.At(12, 12), marker) << "refused without painting";
    EXPECT_EQ(ScrollView(view, 5, 1, 1), 1);
    EXPECT_EQ(ScrollView(view, 0, 2, 1), 1) << "even a forced repaint is refused at the end";

    EXPECT_EQ(ScrollView(view, -1, 1, 1), 0);
    EXPECT_EQ(view->topRow, maxTop - 1);
    EXPECT_EQ(canvas.At(12, 12), kWhitePixel) << "painted with erasing";

    canvas.Fill(marker);
    EXPECT_EQ(ScrollView(view, -1000, 0, 1), 3);
    EXPECT_EQ(view->topRow, 0);
    EXPECT_EQ(ScrollView(view, -1, 1, 1), 1) << "already at the top: nothing to paint";
    EXPECT_EQ(canvas.At(12, 12), marker);
    EXPECT_EQ(ScrollView(view, 0, 2, 0), 0) << "repaint 2 paints even without a change";
    EXPECT_EQ(ScrollView(view, 1000, 0, 0), 3);
    EXPECT_EQ(view->topRow, maxTop);
    EXPECT_EQ(ScrollView(nullptr, 1, 1, 1), -1);
}

TEST_F(PagePaint, TheSearchBannerFramesTheTitleLines)
{
    Show({{0xDC, 0, "abc def"}, {0xD1, 0, "ghij klm"}, {0xB1, 0, Words(30)}});
    ASSERT_EQ(PaintView(view, 1), 0);
    ShowSearchBanner(view);

    // The banner's font: small, 9 points for a size of 12.
    LOGFONTW small = {};
    small.lfHeight = -MulDiv(9, GetDeviceCaps(canvas.dc(), LOGPIXELSY), 72);
    small.lfWeight = 400;
    wcscpy(small.lfFaceName, kDejaVuSans);
    HFONT font = CreateFontIndirectW(&small);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(canvas.dc(), &metrics);
    const std::vector<uint8_t> bytes = LessonBytes({{0xDC, 0, "abc def"}, {0xD1, 0, "ghij klm"}});
    const int32_t first = IndependentWidth(canvas.dc(), bytes.data() + 2, 7);
    const int32_t second = IndependentWidth(canvas.dc(), bytes.data() + 12, 8);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
    const int h = metrics.tmHeight;
    const int f = std::max(first, second) + 2 * h + 8;
    const Box box{10 + (400 - f) / 2, 10 + 300 - 2 * h - 12, 10 + (400 - f) / 2 + f, 10 + 300 - 2};

    const int midY = (box.top + box.bottom) / 2;
    const int midX = (box.left + box.right) / 2;
    const COLORREF rings[] = {RGB(255, 0, 0), RGB(255, 0, 0), kWhitePixel, RGB(0, 0, 255), RGB(0, 0, 255)};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(canvas.At(box.left + i, midY), rings[i]);
        EXPECT_EQ(canvas.At(box.right - 1 - i, midY), rings[i]);
        EXPECT_EQ(canvas.At(midX, box.top + i), rings[i]);
        EXPECT_EQ(canvas.At(midX, box.bottom - 1 - i), rings[i]);
    }
    EXPECT_EQ(canvas.At(box.left + 5, midY), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(box.right - 6, box.bottom - 6), RGB(255, 255, 0));
    EXPECT_NE(canvas.At(box.left - 1, midY), RGB(255, 0, 0)) << "the frame starts at the box";
    // Red text on the yellow inside, both lines.
    const Box inner{box.left + 5, box.top + 5, box.right - 5, box.bottom - 5};
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(255, 0, 0); }, Box{inner.left, inner.top, inner.right, inner.top + h}));
    EXPECT_TRUE(Any([](COLORREF c) { return c == RGB(255, 0, 0); }, Box{inner.left, inner.top + h, inner.right, inner.bottom}));
    EXPECT_FALSE(Any([](COLORREF c) { return Blue(c) > 128 && Red(c) < 128; }, inner));
}

TEST_F(PagePaint, StoredLessonsShowNoBanner)
{
    Show({{0xB2, 20, "abc"}, {0xC7, 172, ""}, {0xB1, 0, Words(20)}});
    ASSERT_EQ(PaintView(view, 1), 0);
    const std::vector<COLORREF> before = canvas.Snapshot();
    ShowSearchBanner(view);
    EXPECT_TRUE(canvas.Snapshot() == before);
}

TEST_F(PagePaint, PagesFollowOneAnother)
{
    Show({{0xB1, 0, Words(120)}, {0xC7, 210, ""}, {0xB1, 0, Words(50)}}, 12, 70);
    int rows = 0, pages = 0;
    view->pageStart = nullptr;
    for (;;) {
        canvas.Fill(kWhitePixel);
        ASSERT_EQ(PaintView(view, 0), 0);
        if (view->rowsPainted == 0) break;
        rows += view->rowsPainted;
        ++pages;
        view->pageStart = view->pageNext;
        if (view->pageNext->style == 0) break;
    }
    EXPECT_GT(pages, 2);
    EXPECT_GE(rows, view->rowCount);  // a partly shown blank row counts on its page
    // A page start on the terminator paints nothing.
    view->pageStart = &view->lineItems[view->itemCount];
    canvas.Fill(kWhitePixel);
    EXPECT_EQ(PaintView(view, 0), 0);
    EXPECT_EQ(view->rowsPainted, 0);
    EXPECT_EQ(view->pageNext, &view->lineItems[view->itemCount]);
    EXPECT_TRUE(Find(IsInk).empty());
}

TEST_F(PagePaint, AViewWithoutTextPaintsNothing)
{
    view = MakeGdiView(canvas.dc(), ViewRect{10, 10, 410, 310}, MakeFont(kDejaVuSans, 12));
    EXPECT_EQ(PaintView(view, 1), -1);
    EXPECT_EQ(PaintHighlight(view), -1);
    EXPECT_EQ(LayCopy(view, LessonBytes({{0x01, 0, ""}})), kLayoutEmptyText);
    EXPECT_EQ(PaintView(view, 1), -1);
    EXPECT_EQ(PaintView(nullptr, 1), -1);
    EXPECT_TRUE(Find(IsInk).empty());
}

TEST_F(PagePaint, HangingWordsStayInsideTheArea)
{
    // Left-aligned display order and right-aligned reading order: the
    // hanging column is on the side the layout kept for it.
    Show({{0x11, 0xC0, "abcdef ghi jklm nop qrs tuv"}, {0x21, 0xC0, "abcdef ghi jklm nop qrs tuv"},
          {0x31, 0xC0, "abcdef ghi jklm nop qrs tuv"}},
         28);
    ASSERT_EQ(PaintView(view, 1), 0);
    const Box ink = Find(IsInk);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 410);
}

TEST_F(PagePaint, SetViewFontLaysOutAgainAndRepaints)
{
    Show({{0xB1, 0, Words(30)}});
    const uint16_t lines = view->itemCount;
    const uint16_t height = view->lineItems[0].height;
    FontRecord bigger = MakeFont(kDejaVuSans, 24);
    canvas.Fill(RGB(1, 2, 3));
    EXPECT_EQ(SetViewFont(view, &bigger), 0);
    EXPECT_GT(view->itemCount, lines);
    EXPECT_GT(view->lineItems[0].height, height);
    EXPECT_EQ(canvas.At(12, 300), kWhitePixel) << "repainted with erasing";
    EXPECT_EQ(SetViewFont(view, nullptr), 0);
    for (FontCacheNode* node = view->fontCache; node; node = node->next) EXPECT_EQ(node->font, nullptr);
    EXPECT_EQ(SetViewFont(nullptr, &bigger), -1);
}

TEST_F(PagePaint, FramesFillsAndRuns)
{
    DrawFrame(canvas.dc(), 20, 20, 60, 50, RGB(255, 0, 0), 3);
    EXPECT_EQ(canvas.At(20, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(22, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(23, 30), kWhitePixel);
    EXPECT_EQ(canvas.At(59, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(60, 30), kWhitePixel);
    EXPECT_EQ(canvas.At(40, 47), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(40, 46), kWhitePixel);
    FillBox(canvas.dc(), 100, 100, 10, 5, BLACK_BRUSH);
    EXPECT_EQ(canvas.At(100, 100), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(109, 104), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(110, 104), kWhitePixel);
    EXPECT_EQ(canvas.At(109, 105), kWhitePixel);
    const uint8_t run[] = {'a', 'b', 'c'};
    const COLORREF text = GetTextColor(canvas.dc());
    EXPECT_GT(DrawRunColored(canvas.dc(), run, 3, 200, 200, 60, 20, RGB(0, 0, 255), RGB(255, 255, 0)), 0);
    EXPECT_EQ(GetTextColor(canvas.dc()), text);
    EXPECT_TRUE(Any(IsYellow, Box{200, 200, 260, 220}));
}

// Ink of a row band of the canvas, as a mask.
std::vector<bool> InkMask(const GdiCanvas& canvas, int top, int height)
{
    std::vector<bool> mask;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < canvas.width(); ++x) mask.push_back(Red(canvas.At(x, y)) < 128);
    return mask;
}

TEST_F(PagePaint, ReversedRunsComeOutInStoredOrder)
{
    // Display order as stored: marks at both ends, digits, brackets, spaces.
    const std::vector<std::string> runs = {":rmn dnwmb", "12:30 wr (a ,b) c.", "(abc) 2024 [de]!",
                                           "\"ab\" - cd, ef;"};
    LOGFONTW face = {};
    face.lfHeight = -16;
    wcscpy(face.lfFaceName, kDejaVuSans);
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(canvas.dc(), &metrics);
    const int h = metrics.tmHeight;
    for (const std::string& text : runs) {
        SCOPED_TRACE(text);
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        int32_t width = 400, count = int32_t(text.size());
        MeasureRun(canvas.dc(), bytes, &width, &count);
        ASSERT_EQ(count, int32_t(text.size()));
        canvas.Fill(kWhitePixel);
        // Drawn by the page, and glyph by glyph where the measurement puts
        // each stored character, on two bands.
        EXPECT_GT(DrawRun(canvas.dc(), bytes, count, 50, 10, width, h), 0);
        std::wstring units;
        for (char c : text) units.push_back(DisplayUnit(uint8_t(c), kUnicodeLetterBase));
        std::vector<int> ends(units.size());
        int fit = 0;
        SIZE size;
        GetTextExtentExPointW(canvas.dc(), units.c_str(), int(units.size()), INT_MAX, &fit, ends.data(), &size);
        for (size_t i = 0; i < units.size(); ++i)
            TextOutW(canvas.dc(), 50 + (i ? ends[i - 1] : 0), 60, &units[i], 1);
        EXPECT_TRUE(InkMask(canvas, 10, h) == InkMask(canvas, 60, h)) << "not as stored";
        // The first and last stored characters stay inside the box.
        EXPECT_FALSE(Any(IsInk, Box{0, 10, 50, 10 + h}));
        EXPECT_FALSE(Any(IsInk, Box{50 + width, 10, 420, 10 + h}));
    }
    // Without the Reverse flag a run goes to the system as it is.
    g_app.flags = 0;
    canvas.Fill(kWhitePixel);
    const uint8_t plain[] = {'a', 'b', 'c'};
    EXPECT_GT(DrawRun(canvas.dc(), plain, 3, 50, 10, 60, h), 0);
    EXPECT_TRUE(Any(IsInk, Box{50, 10, 110, 10 + h}));
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
}

}  // namespace
