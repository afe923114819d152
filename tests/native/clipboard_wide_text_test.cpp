// The lesson as wide text: lines, rules, the buffer's size and its bounds,
// and reading order for every paragraph of the real book.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "book_build.h"
#include "clipboard/reading_order.h"
#include "clipboard/wide_text.h"
#include "clipboard_book.h"
#include "lesson_bytes.h"
#include "page/convert_letters.h"
#include "page/letter_code.h"
#include "shell/app_state.h"

namespace {

constexpr char16_t kGuard = 0xBEEF;

class WideTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        g_app.font.letterBase = kUnicodeLetterBase;
    }

    // The wide text of `lesson` in a buffer of the formula's size; checks
    // that the units past the terminator are never touched.
    std::u16string Export(const std::vector<uint8_t>& lesson)
    {
        const uint32_t units = WideTextUnits(lesson.data());
        std::vector<char16_t> buffer(units + 1 + 8, kGuard);
        EXPECT_EQ(LessonToWideText(lesson.data(), buffer.data(), 2 * size_t{units} + 2), WIDE_TEXT_DONE);
        for (size_t i = units + 1; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], kGuard);
        return std::u16string(buffer.data());
    }
};

// One display-order body paragraph packed from reading-order `source`.
std::vector<uint8_t> PackedBody(const std::u32string& source, bool* accepted)
{
    SourceParagraph p;
    p.style = 0xB1;
    p.text = source;
    p.where.assign(source.size(), SourcePosition{1, 1});
    Paragraph out;
    std::vector<Diagnostic> problems;
    *accepted = ConvertParagraph(p, "made-up", out, problems);
    return EncodeDayText({out});
}

TEST_F(WideTextTest, LinesRulesAndIndentation)
{
    struct Case {
        TestRecord record;
        std::u16string expected;
    } cases[] = {
        {{0xC7, 165, ""}, u"----------\r\n\r\n"},  // (165 - 160) x 2
        {{0x47, 12, ""}, u"------------\r\n"},
        {{0x47, 0, ""}, u"\r\n"},
        {{0xC7, 255, ""}, std::u16string(190, u'-') + u"\r\n\r\n"},
        {{0x21, 0x43, "ab"}, u"\u05D0\u05D1   \r\n"},  // indent is the low six bits
        {{0xA1, 0, "}~ 1"}, u"}{ 1\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Export(LessonBytes({c.record})), c.expected) << int(c.record.style);
    EXPECT_EQ(Export(LessonBytes({})), u"");
}

TEST_F(WideTextTest, ReadingOrderWhateverTheReverseFlag)
{
    // Drawn from the left as "3.5 (ba) 1948", it reads "1948 (ab) 3.5".
    const auto lesson = LessonBytes({{0xB1, 0, "3.5 (ba) 1948"}});
    const std::u16string reading = u"1948 (\u05D0\u05D1) 3.5\r\n\r\n";
    for (uint32_t flags : {0u, kReverseFlag}) {
        g_app.flags = flags;
        EXPECT_EQ(Export(lesson), reading) << flags;
        EXPECT_EQ(g_app.flags, flags);
    }
    // Text not kept in display order is already in reading order.
    EXPECT_EQ(Export(LessonBytes({{0x21, 0, "ab 12"}})), u"\u05D0\u05D1 12\r\n");
}

TEST_F(WideTextTest, OtherBasesConvertAsDrawn)
{
    g_app.font.letterBase = kCodePageLetterBase;
    const auto lesson = LessonBytes({{0x31, 0, "ab (1)"}});
    EXPECT_EQ(Export(lesson), u"\u00E0\u00E1 (1)\r\n");
    g_app.flags = kReverseFlag;
    EXPECT_EQ(Export(lesson), u"(1) \u00E1\u00E0\r\n");
    g_app.font.letterBase = kIdentityLetterBase;
    EXPECT_EQ(Export(lesson), u"ab (1)\r\n");
}

TEST_F(WideTextTest, EveryBufferTooSmallIsRefusedWithoutWritingPastIt)
{
    const auto lesson = LessonBytes({{0xB2, 20, "abc"}, {0xC7, 172, ""}, {0xB1, 0, "d 12 e"}});
    const std::u16string whole = Export(lesson);
    for (size_t bytes = 0; bytes <= 2 * whole.size() + 3; ++bytes) {
        std::vector<char16_t> buffer(whole.size() + 8, kGuard);
        const int result = LessonToWideText(lesson.data(), buffer.data(), bytes);
        const size_t units = bytes / 2;
        EXPECT_EQ(result, units > whole.size() ? WIDE_TEXT_DONE : WIDE_TEXT_FULL) << bytes;
        for (size_t i = units; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], kGuard) << bytes;
        if (units > 0) EXPECT_EQ(std::u16string(buffer.data()), whole.substr(0, std::u16string(buffer.data()).size()));
    }
}

TEST_F(WideTextTest, EveryParagraphOfTheBookComesBackAsWritten)
{
    const std::vector<BookLesson> book = LoadBookLessons();
    ASSERT_GE(book.size(), 30u);
    size_t paragraphs = 0, longestLesson = 0, withMarks = 0;
    uint32_t longestUnits = 0;
    for (const BookLesson& lesson : book) {
        for (uint32_t flags : {0u, kReverseFlag}) {
            g_app.flags = flags;
            const std::u16string wide = Export(lesson.text);
            std::u16string expected;
            for (const SourceAndStored& p : lesson.paragraphs) {
                if (IsRuleStyle(p.stored.style)) expected += std::u16string(p.stored.parameter <= 160 ? p.stored.parameter : (p.stored.parameter - 160) * 2, u'-');
                else expected += p.reading + std::u16string(p.stored.parameter & 0x3F, u' ');
                expected += (p.stored.style & 0x80) ? u"\r\n\r\n" : u"\r\n";
            }
            ASSERT_EQ(wide, expected) << lesson.name << " flags " << flags;
        }
        paragraphs += lesson.paragraphs.size();
        for (const SourceAndStored& p : lesson.paragraphs)
            withMarks += std::any_of(p.reading.begin(), p.reading.end(),
                                     [](char16_t c) { return c == u'(' || c == u'"'; });
        if (lesson.text.size() > longestLesson) {
            longestLesson = lesson.text.size();
            longestUnits = WideTextUnits(lesson.text.data());
        }
    }
    EXPECT_GT(paragraphs, 1000u);
    EXPECT_GT(withMarks, 100u);  // brackets and quotes, where order shows
    // The formula leaves room: at least the lesson's own length.
    EXPECT_GE(longestUnits, longestLesson);
}

TEST_F(WideTextTest, LongestDayFitsTheFormulaExactly)
{
    const std::vector<BookLesson> book = LoadBookLessons();
    ASSERT_FALSE(book.empty());
    const auto longest = std::max_element(book.begin(), book.end(), [](auto& a, auto& b) {
        return a.text.size() < b.text.size();
    });
    const uint32_t units = WideTextUnits(longest->text.data());
    // Recomputed from the records: indents, line ends, rules, L + L / 2.
    uint64_t expected = 0;
    for (const SourceAndStored& p : longest->paragraphs) {
        expected += (p.stored.style & 0x80) ? 4 : 2;
        expected += IsRuleStyle(p.stored.style)
                        ? (p.stored.parameter <= 160 ? p.stored.parameter : (p.stored.parameter - 160) * 2)
                        : (p.stored.parameter & 0x3F);
    }
    const size_t length = longest->text.size() - kDayTextTrailer;
    expected += length + length / 2;
    EXPECT_EQ(units, expected) << longest->name;
    const std::u16string wide = Export(longest->text);
    EXPECT_LE(wide.size(), units);
}

TEST_F(WideTextTest, MadeUpParagraphsComeBackAsWritten)
{
    for (const std::u32string source :
         {U"שנת 1948 היא תש\"ח", U"3.5 ק\"ג (בערך)", U"[משלי ג, ו] - 12:30", U"א-ב, 1-2; (3) [4]!",
          U"מחיר 100% ו-50 $", U"ראו IBM ו-ABC DEF בספר", U"1 2 3 א", U"א 1 2 3", U"\"ציטוט\" (א)",
          U"(1948)", U"12:30 - 13:45 ?", U"  א  ב  "}) {
        bool accepted = false;
        const auto lesson = PackedBody(source, &accepted);
        ASSERT_TRUE(accepted) << ReadingUnits(source).size();
        for (uint32_t flags : {0u, kReverseFlag}) {
            g_app.flags = flags;
            EXPECT_EQ(Export(lesson), ReadingUnits(source) + u"\r\n\r\n");
        }
    }
}

TEST_F(WideTextTest, RandomParagraphsTheBookCouldHoldComeBackAsWritten)
{
    const std::u32string alphabet = U"אבגשת  0123456789.,:;!?\"'()[]-+%/=|}AZ";
    std::mt19937 random(15);
    int accepted = 0;
    for (int n = 0; n < 20000; ++n) {
        std::u32string source;
        const int length = 1 + static_cast<int>(random() % 16);
        for (int i = 0; i < length; ++i) source.push_back(alphabet[random() % alphabet.size()]);
        bool ok = false;
        const auto lesson = PackedBody(source, &ok);
        if (!ok) continue;  // the packer refuses what cannot be read back
        ++accepted;
        ASSERT_EQ(Export(lesson), ReadingUnits(source) + u"\r\n\r\n") << n;
    }
    EXPECT_GT(accepted, 5000);
}

TEST(ReadingOrder, EmptyAndSingleUnits)
{
    char16_t none[1] = {0};
    EXPECT_TRUE(RestoreReadingOrder(none, 0));
    char16_t one[2] = {u'(', 0};
    EXPECT_TRUE(RestoreReadingOrder(one, 1));
    EXPECT_EQ(one[0], u')');
}

}  // namespace
