// The layout on a real device with real fonts: no line wider than the area,
// widths that GDI agrees with, rows of offsets, and the default sizes.
#include <windows.h>
#include <gtest/gtest.h>

#include "gdi_canvas.h"
#include "page/lesson_text.h"
#include "page/letter_code.h"
#include "page_book.h"
#include "page_gdi_support.h"
#include "shell/app_state.h"

namespace {

class GdiLayout : public testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        g_app.font.letterBase = kUnicodeLetterBase;
    }
    GdiCanvas canvas{64, 64};
};

// Checks every line of a laid-out view against the area and against GDI's
// own measurement of its bytes in the line's font.
void CheckLinesInside(TextView* view, const char* what)
{
    for (uint16_t i = 0; i < view->itemCount; ++i) {
        const LineItem& line = view->lineItems[i];
        SCOPED_TRACE(testing::Message() << what << " line " << i);
        EXPECT_GE(line.x, view->left);
        EXPECT_LE(line.x + line.width, view->left + view->width);
        if (IsRuleStyle(line.style)) continue;
        const HFONT old = SelectStyleFont(view, line.style);
        EXPECT_EQ(IndependentWidth(view->device, view->text + line.offset, line.count), line.width);
        SelectObject(view->device, old);
    }
}

// Words of all lengths, hyphens, digits and marks.
std::vector<uint8_t> MadeText()
{
    std::string body;
    for (int i = 0; i < 120; ++i) {
        body += std::string(1 + i % 9, char('a' + i % 27));
        body += i % 11 == 5 ? "-" : i % 7 == 3 ? ", " : " ";
        if (i % 13 == 0) body += "(12:30) ";
    }
    return LessonBytes({{0xB2, 20, body.substr(0, 60)}, {0xC7, 172, ""}, {0xB1, 0, body},
                        {0x59, 0, body.substr(0, 90)}, {0xDC, 0, body.substr(10, 70)}});
}

TEST_F(GdiLayout, NoLineIsWiderThanTheAreaOnAMadeText)
{
    for (const wchar_t* face : {kFrankRuehl, kDejaVuSans}) {
        for (int32_t size : {0, 10, 16, 28}) {
            for (int32_t width : {90, 250, 600}) {
                TextView* view = MakeGdiView(canvas.dc(), ViewRect{5, 5, 5 + width, 400}, MakeFont(face, size));
                ASSERT_EQ(LayCopy(view, MadeText()), kLayoutDone);
                EXPECT_GT(view->itemCount, 3);
                CheckLinesInside(view, "made text");
                FreeTextView(view, true);
            }
        }
    }
}

TEST_F(GdiLayout, NoLineOfTheBookIsWiderThanTheArea)
{
    const std::vector<PackedDay> days = LoadPackedBook();
    if (days.empty()) GTEST_SKIP() << "no packed book days in the book folder";
    for (const wchar_t* face : {kFrankRuehl, kDejaVuSans}) {
        for (int32_t width : {220, 480}) {
            TextView* view = MakeGdiView(canvas.dc(), ViewRect{10, 10, 10 + width, 500},
                                         MakeFont(face, face == kFrankRuehl ? 16 : 12));
            for (const PackedDay& day : days) {
                SCOPED_TRACE(testing::Message() << "month " << day.month << " day " << day.day);
                ASSERT_EQ(LayCopy(view, day.text), kLayoutDone);
                CheckLinesInside(view, "book");
                if (HasFailure()) break;
            }
            FreeTextView(view, true);
            if (HasFailure()) return;
        }
    }
}

TEST_F(GdiLayout, FindRowOfOffsetFindsTheLineHoldingIt)
{
    TextView* view = MakeGdiView(canvas.dc(), ViewRect{0, 0, 200, 60}, MakeFont(kDejaVuSans, 12));
    ASSERT_EQ(LayCopy(view, MadeText()), kLayoutDone);
    ASSERT_GT(view->maxTopRow, 4);
    uint32_t row = 0;
    for (uint16_t i = 0; i < view->itemCount; ++i) {
        const LineItem& line = view->lineItems[i];
        if (line.count > 0) {
            view->topRow = 0;
            EXPECT_EQ(FindRowOfOffset(view, uint16_t(line.offset + line.count / 2)), 1);
            EXPECT_EQ(view->topRow, std::min<uint32_t>(row, view->maxTopRow)) << "line " << i;
        }
        row += (line.style & STYLE_BLANK_AFTER) ? 2 : 1;
    }
    EXPECT_EQ(row, view->rowCount);
    EXPECT_EQ(FindRowOfOffset(view, 0), 0);
    FreeTextView(view, true);
}

// The height asked of the font now selected into `dc`.
LONG SelectedFontHeight(HDC dc)
{
    LOGFONTW font = {};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    return font.lfHeight;
}

TEST_F(GdiLayout, SizeZeroGivesTwentyPointLargeAndFourteenPointSmallText)
{
    TextView* view = MakeGdiView(canvas.dc(), ViewRect{0, 0, 200, 200}, MakeFont(kDejaVuSans, 0));
    const int dpi = GetDeviceCaps(canvas.dc(), LOGPIXELSY);
    const HFONT old = SelectStyleFont(view, STYLE_LARGE);
    EXPECT_EQ(SelectedFontHeight(canvas.dc()), -MulDiv(20, dpi, 72));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(canvas.dc(), &metrics);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, MulDiv(20, dpi, 72));
    SelectStyleFont(view, STYLE_SMALL);
    EXPECT_EQ(SelectedFontHeight(canvas.dc()), -MulDiv(14, dpi, 72));
    GetTextMetricsW(canvas.dc(), &metrics);
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, MulDiv(14, dpi, 72));
    SelectStyleFont(view, STYLE_NORMAL);
    EXPECT_EQ(SelectedFontHeight(canvas.dc()), 0) << "normal text: the system's default height";
    SelectStyleFont(view, STYLE_LARGE | STYLE_BOLD);
    LOGFONTW bold = {};
    GetObjectW(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(std::wstring(bold.lfFaceName), kDejaVuSans);
    SelectObject(canvas.dc(), old);
    FreeTextView(view, true);
}

TEST_F(GdiLayout, PointSizesScaleWithTheDeviceResolution)
{
    // Sizes are character heights in points on every device: a 12-point
    // font is 16 pixels at 96 dots per inch.
    TextView* view = MakeGdiView(canvas.dc(), ViewRect{0, 0, 200, 200}, MakeFont(kFrankRuehl, 12));
    const HFONT old = SelectStyleFont(view, STYLE_NORMAL);
    EXPECT_EQ(SelectedFontHeight(canvas.dc()), -MulDiv(12, GetDeviceCaps(canvas.dc(), LOGPIXELSY), 72));
    SelectObject(canvas.dc(), old);
    FreeTextView(view, true);
}

}  // namespace
