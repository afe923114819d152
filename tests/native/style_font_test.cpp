// Fonts of a view: sizes per style, one font per key for the view's life,
// the colour rule, and their release.
#include <cstdlib>

#include "page_test_support.h"

namespace {

using StyleFonts = PageTest;

TEST(StyleFontPoints, SizeZeroGivesTwentyLargeAndFourteenSmall)
{
    EXPECT_EQ(StyleFontPoints(0, 0x04), 20);
    EXPECT_EQ(StyleFontPoints(0, 0x0C), 20);
    EXPECT_EQ(StyleFontPoints(0, 0x02), 14);
    EXPECT_EQ(StyleFontPoints(0, 0x06), 20) << "small is ignored when large is set";
    EXPECT_EQ(StyleFontPoints(0, 0x01), 0) << "normal text: the device's default";
    EXPECT_EQ(StyleFontPoints(0, FONT_KEY_TINY | 0x01), 8);
}

TEST(StyleFontPoints, OtherSizesScaleAndTruncate)
{
    EXPECT_EQ(StyleFontPoints(12, 0x04), 15);
    EXPECT_EQ(StyleFontPoints(10, 0x04), 12);
    EXPECT_EQ(StyleFontPoints(12, 0x02), 9);
    EXPECT_EQ(StyleFontPoints(10, 0x02), 7);
    EXPECT_EQ(StyleFontPoints(10, 0x01), 10);
    EXPECT_EQ(StyleFontPoints(10, 0x09), 10);
    EXPECT_EQ(StyleFontPoints(10, FONT_KEY_TINY | 0x02), 7);
    EXPECT_EQ(StyleFontPoints(10, FONT_KEY_TINY), 8);
}

TEST(StyleFontPoints, ExtremeStoredSizesDoNotWrap)
{
    EXPECT_EQ(StyleFontPoints(INT32_MAX, 0x04), INT32_MAX);
    EXPECT_EQ(StyleFontPoints(INT32_MIN, 0x04), INT32_MIN);
    EXPECT_EQ(StyleFontPoints(INT32_MAX, 0x02), INT32_MAX / 4 * 3 + 2);
    EXPECT_EQ(StyleFontPoints(-1, 0x04), -1);
}

TEST_F(StyleFonts, EachKeyIsMadeOncePerView)
{
    MakeView(100, 100);
    const std::vector<TestRecord> text = {{0xB2, 20, "abc"}, {0xB1, 0, "def"}, {0x59, 0, "g"},
                                          {0xC7, 172, ""}, {0xB2, 20, "hij"}};
    ASSERT_EQ(Lay(text), kLayoutDone);
    // Keys 0x01 (start), 0x12, 0x11, 0x19.
    EXPECT_EQ(device.fontsCreated, 4);
    ASSERT_EQ(Lay(text), kLayoutDone);
    ASSERT_EQ(ResizeView(view, 60, 100), kLayoutDone);
    EXPECT_EQ(device.fontsCreated, 4);
    // Display order and the blank-row and alignment bits do not select a
    // font of their own; the colour flag shares the cache entry.
    SelectStyleFont(view, 0x11 | FONT_KEY_COLOR);
    SelectStyleFont(view, 0x91);
    EXPECT_EQ(device.fontsCreated, 4);
    SelectStyleFont(view, 0x01 | FONT_KEY_TINY);
    EXPECT_EQ(device.fontsCreated, 5);
}

TEST_F(StyleFonts, TheFontsFollowTheStyle)
{
    MakeView(100, 100, 10);
    SelectStyleFont(view, 0x0C);
    ASSERT_NE(device.selected, nullptr);
    EXPECT_EQ(device.selected->points, 12);
    EXPECT_EQ(device.selected->weight, 700);
    SelectStyleFont(view, 0x02);
    EXPECT_EQ(device.selected->points, 7);
    EXPECT_EQ(device.selected->weight, 400);
}

TEST_F(StyleFonts, TheColourFlagSetsBlueForLargeBoldOnly)
{
    MakeView(100, 100);
    device.textColour = 0x123456;
    SelectStyleFont(view, 0x0C);
    EXPECT_EQ(device.textColour, 0x123456u) << "no colour without the flag";
    SelectStyleFont(view, 0x0C | FONT_KEY_COLOR);
    EXPECT_EQ(device.textColour, kBlue);
    SelectStyleFont(view, 0x04 | FONT_KEY_COLOR);
    EXPECT_EQ(device.textColour, kBlack);
    SelectStyleFont(view, 0x5C | FONT_KEY_COLOR);
    EXPECT_EQ(device.textColour, kBlue);
    SelectStyleFont(view, 0x08 | FONT_KEY_COLOR);
    EXPECT_EQ(device.textColour, kBlack);
}

TEST_F(StyleFonts, SelectingReturnsThePreviousFont)
{
    MakeView(100, 100);
    FakeFont own{12, 400, {}};
    device.selected = &own;
    EXPECT_EQ(SelectStyleFont(view, 0x01), &own);
    FakeFont* normal = device.selected;
    EXPECT_EQ(SelectStyleFont(view, 0x02), normal);
    device.selected = &own;  // the view's fonts are deleted at the end
}

TEST_F(StyleFonts, ReleasedFontsAreMadeAgainInTheSameNodes)
{
    MakeView(100, 100);
    SelectStyleFont(view, 0x01);
    SelectStyleFont(view, 0x02);
    ReleaseViewFonts(view);
    EXPECT_EQ(device.fontsDeleted, 2);
    for (FontCacheNode* node = view->fontCache; node; node = node->next) EXPECT_EQ(node->font, nullptr);
    SelectStyleFont(view, 0x02);
    EXPECT_EQ(device.fontsCreated, 3);
    int nodes = 0;
    for (FontCacheNode* node = view->fontCache; node; node = node->next) ++nodes;
    EXPECT_EQ(nodes, 2);
}

TEST_F(StyleFonts, TheFaceNameComesFromTheView)
{
    MakeView(100, 100);
    view->font.faceName[0] = u'D';
    view->font.faceName[1] = u'V';
    SelectStyleFont(view, 0x01);
    EXPECT_EQ(std::u16string(device.selected->face), u"DV");
}

TEST_F(StyleFonts, FreeingAViewWithoutReleasingItClearsEverything)
{
    MakeView(100, 100);
    ASSERT_EQ(Lay({{0x02, 0, "abc"}, {0x04, 0, "def"}}), kLayoutDone);
    FreeTextView(view, false);
    EXPECT_EQ(view->text, nullptr);
    EXPECT_EQ(view->lineItems, nullptr);
    EXPECT_EQ(view->fontCache, nullptr);
    EXPECT_EQ(view->itemCount, 0);
    EXPECT_EQ(device.fontsDeleted, device.fontsCreated);
    // The record itself stays usable: a print view is torn down this way.
    ASSERT_EQ(Lay({{0x01, 0, "abc"}}), kLayoutDone);
    EXPECT_EQ(view->capacity, 128);
}

}  // namespace
