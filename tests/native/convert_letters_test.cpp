// Letter code conversion, reversal and the paragraph-record walk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "page/convert_letters.h"
#include "page/lesson_text.h"
#include "page/letter_code.h"
#include "shell/app_state.h"

namespace {

class ConvertLettersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        g_app.font.letterBase = kUnicodeLetterBase;
    }

    // Converted text of `bytes` (count = its length unless given), owned copy.
    std::u16string Convert(const std::string& bytes, int count = -1)
    {
        const uint32_t n = count < 0 ? static_cast<uint32_t>(bytes.size()) : count;
        char16_t* out = ConvertLetters(reinterpret_cast<const uint8_t*>(bytes.data()), nullptr,
                                       nullptr, n);
        EXPECT_NE(out, nullptr);
        std::u16string s(out);
        std::free(out);
        return s;
    }
};

TEST_F(ConvertLettersTest, EveryLetterBase)
{
    EXPECT_EQ(Convert("a{"), (std::u16string{0x5D0, 0x5EA}));
    g_app.font.letterBase = kCodePageLetterBase;
    EXPECT_EQ(Convert("a{"), (std::u16string{0xE0, 0xFA}));
    g_app.font.letterBase = kIdentityLetterBase;
    EXPECT_EQ(Convert("a{ 1"), u"a{ 1");
}

TEST_F(ConvertLettersTest, BracePairAndOtherBytes)
{
    // 0x7B is the last letter, 0x7E stands for the brace.
    EXPECT_EQ(Convert("\x7E\x7B"), (std::u16string{u'{', 0x5EA}));
    EXPECT_EQ(Convert("12, \"x\"!"), (std::u16string{u'1', u'2', u',', u' ', u'"', 0x5E7, u'"', u'!'}));
    EXPECT_EQ(Convert("\xB2\xFF"), (std::u16string{0xB2, 0xFF}));
}

TEST_F(ConvertLettersTest, CountZeroAndEarlyZeroByte)
{
    g_app.flags = kReverseFlag;
    EXPECT_EQ(Convert("ab", 0), u"");
    EXPECT_EQ(Convert(std::string("ab\0cd", 5), 5), (std::u16string{0x5D1, 0x5D0}));
}

TEST_F(ConvertLettersTest, ReverseMirrorsBrackets)
{
    g_app.flags = kReverseFlag;
    // "(ab)" reversed is still an opening bracket, the letters swapped, a closing one.
    EXPECT_EQ(Convert("(ab)"), (std::u16string{u'(', 0x5D1, 0x5D0, u')'}));
    EXPECT_EQ(Convert("[a]\x7E}"), (std::u16string{u'{', u'}', u'[', 0x5D0, u']'}));
    g_app.flags = 0;
    EXPECT_EQ(Convert("(ab)"), (std::u16string{u'(', 0x5D0, 0x5D1, u')'}));
}

TEST_F(ConvertLettersTest, IdentityBaseIsNeverReversed)
{
    g_app.flags = kReverseFlag;
    g_app.font.letterBase = kIdentityLetterBase;
    EXPECT_EQ(Convert("(ab)\x7E"), u"(ab){");
    g_app.font.letterBase = kCodePageLetterBase;
    EXPECT_EQ(Convert("ab"), (std::u16string{0xE1, 0xE0}));
}

TEST_F(ConvertLettersTest, SharedBufferGrowsAndIsReused)
{
    ConvertBuffer buffer{};
    const uint8_t text[] = "abcdef";
    char16_t* first = ConvertLetters(text, nullptr, &buffer, 6);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(buffer.storage, first);
    EXPECT_EQ(buffer.capacity, 6u);
    EXPECT_EQ(ConvertLetters(text, nullptr, &buffer, 3), first);  // fits: same storage
    EXPECT_EQ(std::u16string(first), (std::u16string{0x5D0, 0x5D1, 0x5D2}));
    void* owned = std::malloc(8);  // released by the conversion
    const uint8_t longer[] = "abcdefghij";
    ConvertLetters(longer, owned, &buffer, 10);
    EXPECT_EQ(buffer.capacity, 10u);
    std::free(buffer.storage);
}

TEST(ReverseRun, SwapsEveryBracketKind)
{
    std::u16string s = u"(a[b{c}d]e)x<<y>";
    EXPECT_EQ(ReverseRun(s.data(), static_cast<uint32_t>(s.size())), 0);
    EXPECT_EQ(s, u"<y>>x(e[d{c}b]a)");
}

TEST(NextParagraph, WalksRecordsToTheEndMarker)
{
    // heading, rule (no text), body with parameter 0, end marker and two zeros
    const std::string text("\xB2\x14" "abc\0" "\xC7\xAC\0" "\xB1\x00" "de f\0" "\0\0\0", 19);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    uint16_t offset = 0;
    ParagraphRecord r{};
    ASSERT_TRUE(NextParagraph(bytes, offset, r));
    EXPECT_EQ(r.style, STYLE_HEADING);
    EXPECT_EQ(r.parameter, HEADING_PARAMETER);
    EXPECT_EQ(r.textOffset, 2);
    EXPECT_EQ(r.textLength, 3);
    ASSERT_TRUE(NextParagraph(bytes, offset, r));
    EXPECT_TRUE(IsRuleStyle(r.style));
    EXPECT_EQ(r.parameter, SHORT_RULE_PARAMETER);
    EXPECT_EQ(r.textLength, 0);
    ASSERT_TRUE(NextParagraph(bytes, offset, r));
    EXPECT_EQ(r.style, STYLE_BODY);
    EXPECT_EQ(r.parameter, 0);
    EXPECT_EQ(std::string(text, r.textOffset, r.textLength), "de f");
    EXPECT_FALSE(NextParagraph(bytes, offset, r));
}

TEST(LetterCode, SourceCharactersMapOntoTheCode)
{
    EXPECT_EQ(LetterByteFromUnicode(U'\u05D0'), 0x61);
    EXPECT_EQ(LetterByteFromUnicode(U'\u05EA'), 0x7B);
    EXPECT_EQ(LetterByteFromUnicode(U'{'), 0x7E);
    EXPECT_EQ(LetterByteFromUnicode(U'\u05F4'), '"');
    EXPECT_EQ(LetterByteFromUnicode(U'\u05F3'), '\'');
    EXPECT_EQ(LetterByteFromUnicode(U'\u05BE'), '-');
    EXPECT_EQ(LetterByteFromUnicode(U'a'), -1);
    EXPECT_EQ(LetterByteFromUnicode(U'~'), -1);
    EXPECT_EQ(LetterByteFromUnicode(U'\u05B8'), -1);  // a vowel point
    EXPECT_EQ(LetterByteFromUnicode(U'\t'), -1);
    EXPECT_EQ(LetterByteFromUnicode(U'Z'), 'Z');
    for (int b = 0x61; b <= 0x7B; ++b)
        EXPECT_EQ(LetterByteFromUnicode(DisplayUnit(static_cast<uint8_t>(b), kUnicodeLetterBase)), b);
}

}  // namespace
