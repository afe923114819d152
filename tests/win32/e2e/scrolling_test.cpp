// Moving through a lesson taller than the window: keys, the mouse wheel,
// the scroll bar and clicks in the text. The scroll position is what the
// reader stores at exit.
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "reader_setup.h"

namespace {

void Keys(LumoraProcess& lumora, std::initializer_list<int> keys)
{
    for (int key : keys) lumora.SendKey(key);
}

// The first page step from the top with the default flags: one row less
// than the rows painted there.
long FirstPageStep()
{
    static const long step =
        PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { l.SendKey(VK_NEXT); });
    return step;
}

// Where Page Up leads from row 12.
long PageUpFromTwelve()
{
    static const long row =
        PositionAfter(LongDayPinned(12), [](LumoraProcess& l) { l.SendKey(VK_PRIOR); });
    return row;
}

// The last page's first row (End from the top).
long LastRow()
{
    static const long row = PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { l.SendKey(VK_END); });
    return row;
}

TEST(Scrolling, TheLongDayIsTallerThanTheWindow)
{
    EXPECT_GE(FirstPageStep(), 2);
    EXPECT_GE(LastRow(), FirstPageStep() + 12);
}

TEST(Scrolling, DownAndUpMoveOneRow)
{
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { Keys(l, {VK_DOWN, VK_DOWN, VK_DOWN}); }), 3);
    EXPECT_EQ(PositionAfter(LongDayPinned(5), [](LumoraProcess& l) { Keys(l, {VK_UP}); }), 4);
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { Keys(l, {VK_UP}); }), 0);
}

TEST(Scrolling, HomeGoesToTheTopAndEndToTheLastPage)
{
    EXPECT_EQ(PositionAfter(LongDayPinned(9), [](LumoraProcess& l) { Keys(l, {VK_HOME}); }), 0);
    // End steps forward by the last page's first row: from further down it
    // goes past that row (below the text's end), where the next step down
    // is refused.
    const long fromNine = PositionAfter(LongDayPinned(9), [](LumoraProcess& l) { Keys(l, {VK_END}); });
    EXPECT_GT(fromNine, LastRow());
    EXPECT_LE(fromNine, 9 + LastRow());
    EXPECT_EQ(PositionAfter(LongDayPinned(9), [](LumoraProcess& l) { Keys(l, {VK_END, VK_DOWN, VK_END}); }),
              fromNine);
    // At the last page going further forward does nothing.
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { Keys(l, {VK_END, VK_DOWN, VK_NEXT}); }),
              LastRow());
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { Keys(l, {VK_END, VK_UP}); }), LastRow() - 1);
}

TEST(Scrolling, PageDownAndUpMoveByRowsPaintedLessOne)
{
    // The scroll bar's page requests step as far as the keys.
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) { l.ScrollBar(SB_PAGEDOWN); }),
              FirstPageStep());
    EXPECT_LT(PageUpFromTwelve(), 12);
    EXPECT_GE(PageUpFromTwelve(), 0);
    EXPECT_EQ(PositionAfter(LongDayPinned(12), [](LumoraProcess& l) { l.ScrollBar(SB_PAGEUP); }),
              PageUpFromTwelve());
}

TEST(Scrolling, HalfPageStepForTheKeysOnly)
{
    const long half = (FirstPageStep() + 1) / 2;  // half the rows painted
    for (uint32_t field : {2u, 4u}) {
        ReaderSetup setup = LongDayPinned(0);
        setup.flags = WithKeyPageStep(setup.flags, field);
        EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) { l.SendKey(VK_NEXT); }), half) << field;
        // The scroll bar keeps its whole page.
        EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) { l.ScrollBar(SB_PAGEDOWN); }), FirstPageStep())
            << field;
    }
    ReaderSetup setup = LongDayPinned(0);
    setup.flags = WithKeyPageStep(setup.flags, 3);
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) { l.SendKey(VK_NEXT); }), FirstPageStep());
}

TEST(Scrolling, EnterWithoutASearchPatternDoesNothing)
{
    // No stored pattern: Enter neither searches, nor scrolls, nor moves.
    const ReaderSetup setup = LongDayPinned(5);
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
        l.SendKey(VK_RETURN);
        EXPECT_FALSE(PollUntil([&] { return !l.OtherWindows().empty(); }, 300));
    }), 5);
    EXPECT_EQ(Registry::Number(L"Day"), setup.day);
}

TEST(Scrolling, EnterWithASearchPatternSearchesAgain)
{
    // A stored pattern that is in no lesson: Enter runs the search round
    // every lesson and says so; the page stays where it was.
    Seed(LongDayPinned(5));
    const char pattern[] = "zqzqe";
    Registry::PutBytes(L"SearchString", pattern, sizeof pattern);
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    lumora.Key(VK_RETURN);
    HWND message = nullptr;
    ASSERT_TRUE(PollUntil([&] {
        const auto others = lumora.OtherWindows();
        if (!others.empty()) message = others.front();
        return message != nullptr;
    }));
    EXPECT_EQ(LumoraProcess::MessageText(message), L"Not Found!");
    LumoraProcess::PressButton(message, IDOK);
    EXPECT_TRUE(PollUntil([&] { return lumora.OtherWindows().empty(); }));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 5);
}

TEST(Scrolling, ANarrowerWindowLaysTheLessonOutAgain)
{
    // More lines in a narrower window: the last page starts further down.
    const long narrower = PositionAfter(LongDayPinned(0), [](LumoraProcess& l) {
        SetWindowPos(l.mainWindow(), nullptr, 0, 0, kSmallWidth - 120, kSmallHeight,
                     SWP_NOMOVE | SWP_NOZORDER);
        l.SendKey(VK_END);
    });
    EXPECT_GT(narrower, LastRow());
    EXPECT_EQ(Registry::Number(L"Width"), kSmallWidth - 120);
}

TEST(Scrolling, WheelScrollsWholeNotchesOnly)
{
    // A notch away from the reader goes back a row.
    EXPECT_EQ(PositionAfter(LongDayPinned(5), [](LumoraProcess& l) { l.Wheel(120); }), 4);
    EXPECT_EQ(PositionAfter(LongDayPinned(5), [](LumoraProcess& l) { l.Wheel(-120); }), 6);
    EXPECT_EQ(PositionAfter(LongDayPinned(5), [](LumoraProcess& l) { l.Wheel(-360); }), 8);
    // Partial notches scroll nothing.
    EXPECT_EQ(PositionAfter(LongDayPinned(5), [](LumoraProcess& l) {
        l.Wheel(60);
        l.Wheel(-119);
        l.Wheel(119);
    }), 5);
}

TEST(Scrolling, ScrollBarRequests)
{
    const auto after = [](int request, int thumb = 0) {
        return PositionAfter(LongDayPinned(5), [&](LumoraProcess& l) { l.ScrollBar(request, thumb); });
    };
    EXPECT_EQ(after(SB_LINEUP), 4);
    EXPECT_EQ(after(SB_LINEDOWN), 6);
    EXPECT_EQ(after(SB_TOP), 0);
    // "Bottom" moves a single row, not to the end.
    EXPECT_EQ(after(SB_BOTTOM), 6);
    EXPECT_EQ(after(SB_THUMBPOSITION, 9), 9);
    EXPECT_EQ(after(SB_THUMBTRACK, 2), 2);
    EXPECT_EQ(after(SB_ENDSCROLL), 5);
}

// A point in the page's text: `across` and `down` in quarters of its width
// and height.
POINT InText(const LumoraProcess& lumora, int across, int down)
{
    const MainWindowGeometry g = GeometryOf(lumora);
    return POINT{g.textLeft + (g.textRight - g.textLeft) * across / 4,
                 g.textTop + (g.textBottom - g.textTop) * down / 4};
}

TEST(Clicks, LowerHalfPagesForwardUpperHalfBack)
{
    EXPECT_EQ(PositionAfter(LongDayPinned(0), [](LumoraProcess& l) {
        const POINT p = InText(l, 2, 3);
        l.Click(p.x, p.y);
    }), FirstPageStep());
    EXPECT_EQ(PositionAfter(LongDayPinned(12), [](LumoraProcess& l) {
        const POINT p = InText(l, 2, 1);
        l.Click(p.x, p.y);
    }), PageUpFromTwelve());
}

TEST(Clicks, ByTheHorizontalPositionWhenClickVerticalIsClear)
{
    ReaderSetup setup = LongDayPinned(0);
    setup.flags &= ~kClickVerticalFlag;
    // Right half forward, even in the upper half.
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
        const POINT p = InText(l, 3, 1);
        l.Click(p.x, p.y);
    }), FirstPageStep());
    setup.lastPosition = 12;
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
        const POINT p = InText(l, 1, 3);
        l.Click(p.x, p.y);
    }), PageUpFromTwelve());
}

TEST(Clicks, HalfPageStepFlag)
{
    ReaderSetup setup = LongDayPinned(0);
    setup.flags = WithClickPageStep(setup.flags, 2);
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
        const POINT p = InText(l, 2, 3);
        l.Click(p.x, p.y);
    }), (FirstPageStep() + 1) / 2);
}

TEST(Clicks, NothingHappensWithClickPagingClear)
{
    ReaderSetup setup = LongDayPinned(5);
    setup.flags &= ~kClickPagingFlag;
    EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
        for (int down : {1, 3}) {
            const POINT p = InText(l, 2, down);
            l.Click(p.x, p.y);
        }
        EXPECT_TRUE(l.OtherWindows().empty());
    }), 5);
}

TEST(Clicks, DateBandOpensTheCalendarWhereverAcrossIt)
{
    // Across the whole band, with click paging on or off; the picker closed
    // without a choice changes nothing.
    for (const uint32_t paging : {kClickPagingFlag, 0u}) {
        ReaderSetup setup = LongDayPinned(5);
        setup.flags = (setup.flags & ~kClickPagingFlag) | paging;
        const int32_t day = setup.day;
        EXPECT_EQ(PositionAfter(setup, [](LumoraProcess& l) {
            const MainWindowGeometry g = GeometryOf(l);
            for (int x : {2, g.clientWidth / 2, g.clientWidth - 3}) {
                // Posted: the picker's own loop runs inside the click.
                PostMessageW(l.mainWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, g.bandY));
                HWND picker = l.WaitForDialog(L"Hebrew Calendar");
                ASSERT_NE(picker, nullptr) << x;
                EXPECT_EQ(GetWindow(picker, GW_OWNER), l.mainWindow());
                LumoraProcess::PressButton(picker, IDCANCEL);
                EXPECT_TRUE(l.WaitForDialogGone(L"Hebrew Calendar"));
            }
        }), 5);
        EXPECT_EQ(Registry::Number(L"Day"), day);
    }
}

}  // namespace
