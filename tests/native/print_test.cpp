// Printing's portable part: the text area the margins leave, margins that
// could leave none, the bands, the header mark, the error texts, stored
// device modes, and the printer's size for the default font size.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "page_test_support.h"
#include "print/dev_mode_check.h"
#include "print/header_mark.h"
#include "print/print_bands.h"
#include "print/print_error_text.h"
#include "print/print_geometry.h"

namespace {

// A4 as Wine's PostScript driver reports it at 300 and 600 dpi.
constexpr PrintPage kA4At300 = {300, 300, 2479, 3508};
constexpr PrintPage kA4At600 = {600, 600, 4958, 7016};

TEST(PrintArea, MarginsBecomeDotsTruncatingTowardZero)
{
    struct Case {
        PrintPage page;
        PrintMargins margins;
        PrintArea expected;
    } cases[] = {
        {kA4At300, {1000, 1000, 1000, 1000}, {300, 300, 1879, 2908}},
        {kA4At600, {1000, 1000, 1000, 1000}, {600, 600, 3758, 5816}},
        {kA4At300, {0, 0, 0, 0}, {0, 0, 2479, 3508}},
        {kA4At300, {2000, 2000, 2000, 2000}, {600, 600, 1279, 2308}},
        {kA4At300, {0, 2000, 2000, 0}, {0, 600, 1879, 2908}},
        // 300 x 333 / 1000 = 99.9: 99 dots.
        {kA4At300, {333, 333, 333, 333}, {99, 99, 2281, 3310}},
        {{300, 600, 2479, 7016}, {1000, 1000, 500, 500}, {300, 600, 2029, 6116}},
    };
    for (const Case& c : cases) {
        const PrintArea a = ComputePrintArea(c.page, c.margins);
        EXPECT_EQ(a.left, c.expected.left) << c.margins.left;
        EXPECT_EQ(a.top, c.expected.top) << c.margins.top;
        EXPECT_EQ(a.width, c.expected.width) << c.margins.right;
        EXPECT_EQ(a.height, c.expected.height) << c.margins.bottom;
    }
}

TEST(PrintArea, SaneMarginsPassUnchanged)
{
    for (const PrintMargins m : {PrintMargins{1000, 1000, 1000, 1000}, PrintMargins{0, 0, 0, 0},
                                 PrintMargins{2000, 0, 2000, 0}, PrintMargins{3000, 4000, 3000, 4000}}) {
        const PrintMargins c = ClampPrintMargins(m, kA4At300);
        EXPECT_EQ(std::memcmp(&c, &m, sizeof m), 0) << m.left << " " << m.top;
        const PrintMargins d = SaneDialogMargins(m);
        EXPECT_EQ(std::memcmp(&d, &m, sizeof m), 0);
    }
}

TEST(PrintArea, AbsurdMarginsStillLeaveAQuarterOfThePage)
{
    const int32_t extremes[] = {INT_MIN, -5000, -1, 0, 1, 5000, 8266, 20000, 99999999, INT_MAX};
    for (const PrintPage& page : {kA4At300, kA4At600}) {
        for (int32_t x : extremes) {
            for (int32_t y : extremes) {
                const PrintMargins m = ClampPrintMargins(PrintMargins{x, y, y, x}, page);
                EXPECT_GE(m.left, 0);
                EXPECT_GE(m.top, 0);
                EXPECT_GE(m.right, 0);
                EXPECT_GE(m.bottom, 0);
                const PrintArea a = ComputePrintArea(page, m);
                EXPECT_GE(a.left, 0);
                EXPECT_GE(a.top, 0);
                // A quarter of the page, less a dot of truncation per margin.
                EXPECT_GE(a.width, page.width / 4 - 2) << x << " " << y;
                EXPECT_GE(a.height, page.height / 4 - 2) << x << " " << y;
                EXPECT_LE(a.left + a.width, page.width);
                EXPECT_LE(a.top + a.height, page.height);
            }
        }
    }
}

TEST(PrintArea, OversizedMarginsShrinkInProportion)
{
    // A4 at 300 dpi is 8263 thousandths wide: three quarters are 6197.
    const PrintMargins m = ClampPrintMargins(PrintMargins{9000, 1000, 3000, 1000}, kA4At300);
    EXPECT_EQ(m.left, 9000LL * 6197 / 12000);
    EXPECT_EQ(m.right, 3000LL * 6197 / 12000);
    EXPECT_EQ(m.top, 1000);
    EXPECT_EQ(m.bottom, 1000);
    // A page that reports nothing keeps no margins.
    const PrintMargins none = ClampPrintMargins(PrintMargins{10, 20, 30, 40}, PrintPage{0, 0, 0, 0});
    EXPECT_EQ(none.left + none.top + none.right + none.bottom, 0);
}

TEST(PrintArea, DialogMarginsOutsideAnyPageTakeTheDefault)
{
    const PrintMargins m = SaneDialogMargins(PrintMargins{-1, kMaxDialogMargin, kMaxDialogMargin + 1, INT_MIN});
    EXPECT_EQ(m.left, kDefaultPrintMargin);
    EXPECT_EQ(m.top, kMaxDialogMargin);
    EXPECT_EQ(m.right, kDefaultPrintMargin);
    EXPECT_EQ(m.bottom, kDefaultPrintMargin);
}

TEST(PrintBandsTest, TheBandsFrameTheTextArea)
{
    const PrintArea margin = {300, 300, 1879, 2908};
    for (int32_t a : {0, 33, 40}) {
        for (int32_t b : {0, 33, 41}) {
            const PrintBands bands = ComputePrintBands(margin, a, b);
            EXPECT_EQ(bands.text.top, margin.top + a + 5);
            EXPECT_EQ(bands.text.height, margin.height - a - b - 10);
            EXPECT_EQ(bands.text.left, margin.left);
            EXPECT_EQ(bands.text.width, margin.width);
            EXPECT_EQ(bands.header.top, margin.top);
            EXPECT_EQ(bands.header.height, a);
            EXPECT_EQ(bands.header.top + a + 5, bands.text.top);
            EXPECT_EQ(bands.footer.top, bands.text.top + bands.text.height + 5);
            EXPECT_EQ(bands.footer.top + bands.footer.height, margin.top + margin.height);
        }
    }
}

TEST(PrintPoints, PixelsBecomeRoundedPoints)
{
    EXPECT_EQ(PointsOfPixels(16, 96), 12);
    EXPECT_EQ(PointsOfPixels(13, 96), 10);  // 9.75
    EXPECT_EQ(PointsOfPixels(11, 96), 8);   // 8.25
    EXPECT_EQ(PointsOfPixels(50, 300), 12);
    EXPECT_EQ(PointsOfPixels(0, 96), 0);
    EXPECT_EQ(PointsOfPixels(16, 0), 0);
}

TEST(HeaderMark, StoredAsCodePageLettersAroundAQuote)
{
    EXPECT_EQ(kHeaderMark[1], 0x22);
    for (int i : {0, 2, 3}) {
        EXPECT_GE(kHeaderMark[i], 0xE0);
        EXPECT_LE(kHeaderMark[i], 0xFA);
    }
}

TEST(HeaderMark, UnitsPerLetterBaseAndOrder)
{
    struct Case {
        int32_t base;
        bool reversed;
        std::u16string expected;
    } cases[] = {
        {0x5D0, false, {0x5D3, 0x22, 0x5E1, 0x5D1}},
        {0x5D0, true, {0x5D1, 0x5E1, 0x22, 0x5D3}},
        {224, false, {0xE3, 0x22, 0xF1, 0xE1}},
        {224, true, {0xE1, 0xF1, 0x22, 0xE3}},
        {97, false, {0xE3, 0x22, 0xF1, 0xE1}},
    };
    for (const Case& c : cases) {
        char16_t out[kHeaderMarkLength + 1];
        HeaderMarkUnits(c.base, c.reversed, out);
        EXPECT_EQ(std::u16string(out), c.expected) << c.base << " " << c.reversed;
    }
}

TEST(PrintErrorTextTest, EveryCodeOfTheTableAndNoOther)
{
    const std::vector<std::pair<uint32_t, std::u16string>> table = {
        {1, u"Struct Size"}, {2, u"Initialization"}, {3, u"No Template"}, {4, u"No hInstance"},
        {5, u"Load String Failure"}, {6, u"Find Resource Failure"},
        {7, u"Load Resource Failure"}, {8, u"Lock Resource Failure"},
        {9, u"Memory Allocation Failure"}, {10, u"Memory Lock Failure"}, {11, u"No Hook"},
        {12, u"RegisterWindowMessage Fail"}, {0x1001, u"Setup Failure"},
        {0x1002, u"Parse Failure"}, {0x1003, u"Return Default Failure"},
        {0x1004, u"Load Driver Failure"}, {0x1005, u"GetDevMode Fail"},
        {0x1006, u"Init Failure"}, {0x1007, u"No Printer Drivers Were Found"},
        {0x1008, u"No Default Printer"},
        {0x1009, u"DevMode and DevNames Are For Different Printers"},
        {0x100A, u"Create Information Context  Failure"}, {0x100B, u"Printer Not Found"},
        {0x100C, u"Default Different"}, {0xFFFF, u"Dialog Failure"}};
    for (const auto& [code, text] : table) {
        ASSERT_NE(PrintErrorTextFor(code), nullptr) << code;
        EXPECT_EQ(std::u16string(PrintErrorTextFor(code)), text) << code;
    }
    for (uint32_t code : {0u, 13u, 0x1000u, 0x100Du, 0xFFFEu, 0x10000u, 0x3001u})
        EXPECT_EQ(PrintErrorTextFor(code), nullptr) << code;
}

// A device mode as a driver would store it: public part, then extra bytes.
std::vector<uint8_t> DevModeBytes(const std::u16string& name, uint16_t dmSize, uint16_t extra)
{
    std::vector<uint8_t> bytes(size_t(dmSize) + extra, 0xAB);
    std::memset(bytes.data(), 0, 64);
    for (size_t i = 0; i < name.size() && i < 32; ++i) {
        bytes[2 * i] = uint8_t(name[i]);
        bytes[2 * i + 1] = uint8_t(name[i] >> 8);
    }
    bytes[68] = uint8_t(dmSize);
    bytes[69] = uint8_t(dmSize >> 8);
    bytes[70] = uint8_t(extra);
    bytes[71] = uint8_t(extra >> 8);
    return bytes;
}

TEST(DevModeCheck, OnlyWhatADriverCouldHaveWritten)
{
    const std::vector<uint8_t> good = DevModeBytes(u"Lumora PS 300", 220, 40);
    EXPECT_TRUE(PlausibleDevMode(good.data(), good.size()));
    EXPECT_TRUE(PlausibleDevMode(good.data(), good.size() + 0)) << "exact size";
    EXPECT_FALSE(PlausibleDevMode(good.data(), good.size() - 1)) << "extra bytes cut off";
    EXPECT_FALSE(PlausibleDevMode(good.data(), 75));
    EXPECT_FALSE(PlausibleDevMode(nullptr, 400));

    const std::vector<uint8_t> oldLayout = DevModeBytes(u"P", 156, 0);
    EXPECT_TRUE(PlausibleDevMode(oldLayout.data(), oldLayout.size()));
    const std::vector<uint8_t> tooSmall = DevModeBytes(u"P", 60, 100);
    EXPECT_FALSE(PlausibleDevMode(tooSmall.data(), tooSmall.size()));
    const std::vector<uint8_t> tooLarge = DevModeBytes(u"P", 4000, 0);
    EXPECT_FALSE(PlausibleDevMode(tooLarge.data(), tooLarge.size()));
    const std::vector<uint8_t> noName = DevModeBytes(u"", 220, 0);
    EXPECT_FALSE(PlausibleDevMode(noName.data(), noName.size()));
    std::vector<uint8_t> unterminated = DevModeBytes(std::u16string(32, u'x'), 220, 0);
    EXPECT_FALSE(PlausibleDevMode(unterminated.data(), unterminated.size()));
    const std::vector<uint8_t> fullName = DevModeBytes(std::u16string(31, u'x'), 220, 0);
    EXPECT_TRUE(PlausibleDevMode(fullName.data(), fullName.size()));

    const std::vector<uint8_t> garbage(300, 0xFF);
    EXPECT_FALSE(PlausibleDevMode(garbage.data(), garbage.size()));
}

using PrintFonts = PageTest;

TEST_F(PrintFonts, BandsAreCutWithTheTwoEightPointFonts)
{
    MakeView(1000, 2000, 0, 100, 200);
    FakeFont own{30, 400, {}};
    device.selected = &own;
    int32_t a = -1, b = -1;
    ReservePrintBands(view, &a, &b);
    const FakeFont eight{8, 400, {}};
    EXPECT_EQ(a, FakeHeight(&eight));
    EXPECT_EQ(b, FakeHeight(&eight));
    EXPECT_EQ(view->top, 200 + a + 5);
    EXPECT_EQ(view->height, 2000 - a - b - 10);
    EXPECT_EQ(view->left, 100);
    EXPECT_EQ(view->width, 1000);
    EXPECT_EQ(device.selected, &own) << "the font selected before comes back";
    EXPECT_EQ(device.fontsCreated, 2);
    device.selected = nullptr;
}

TEST_F(PrintFonts, DefaultSizeTakesTheViewsDefaultPoints)
{
    struct Case {
        int32_t size, defaultPoints;
        uint32_t key;
        int32_t expected;
    } cases[] = {
        {0, 0, 0x01, 0},  // the screen: the device's default
        {0, 11, 0x01, 11}, {0, 11, 0x09, 11}, {0, 11, 0x11, 11},
        {0, 11, 0x04, 20}, {0, 11, 0x02, 14}, {0, 11, FONT_KEY_TINY, 8},
        {12, 11, 0x01, 12}, {12, 11, 0x04, 15},
    };
    for (const Case& c : cases) {
        MakeView(100, 100, c.size);
        view->defaultPoints = c.defaultPoints;
        SelectStyleFont(view, c.key);
        ASSERT_NE(device.selected, nullptr);
        EXPECT_EQ(device.selected->points, c.expected) << c.size << " " << c.defaultPoints << " " << c.key;
    }
}

}  // namespace
