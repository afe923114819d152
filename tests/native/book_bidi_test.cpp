// Display-order paragraphs: digits and brackets, and the way back.
#include <gtest/gtest.h>

#include "bidi_order.h"
#include "book_build.h"
#include "book_dump.h"
#include "book_test_support.h"
#include "utf8.h"

namespace {

using namespace book_test;

SourceParagraph Source(uint8_t style, const std::u32string& text)
{
    SourceParagraph p;
    p.style = style;
    p.text = text;
    for (size_t i = 0; i < text.size(); ++i) p.where.push_back({1, static_cast<int>(i) + 1});
    p.start = {1, 1};
    return p;
}

std::vector<uint8_t> Stored(uint8_t style, const std::u32string& text)
{
    Paragraph out;
    std::vector<Diagnostic> problems;
    EXPECT_TRUE(ConvertParagraph(Source(style, text), "test", out, problems));
    EXPECT_TRUE(problems.empty());
    return out.text;
}

TEST(DisplayOrder, HebrewRunsReverseAndDigitsKeepTheirOrder)
{
    // "שנת 5787" is drawn as "5787 תנש" from the left.
    EXPECT_EQ(Stored(0xB1, U"שנת 5787"), LetterBytes(U"5787 תנש"));
    EXPECT_EQ(Stored(0xB1, U"בין 12:30 ל-13:45"), LetterBytes(U"13:45-ל 12:30 ןיב"));
}

TEST(DisplayOrder, BracketsAreMirrored)
{
    // Reversed and mirrored, a bracket still opens towards its contents.
    EXPECT_EQ(Stored(0xB1, U"א (ב) 12"), LetterBytes(U"12 (ב) א"));
    EXPECT_EQ(Stored(0xB2, U"[משלי ג, ו]"), LetterBytes(U"[ו ,ג ילשמ]"));
    EXPECT_EQ(Stored(0x59, U"{א}"), LetterBytes(U"{א}"));
    EXPECT_EQ(Stored(0xB1, U"(1)"), LetterBytes(U"(1)"));
}

TEST(DisplayOrder, ReadingOrderStylesStayAsWritten)
{
    EXPECT_EQ(Stored(0xA1, U"שנת 5787 (א)"), LetterBytes(U"שנת 5787 (א)"));
    EXPECT_EQ(Stored(0x01, U"אב"), LetterBytes(U"אב"));
}

TEST(DisplayOrder, DumpPutsItBackIntoReadingOrder)
{
    for (const std::u32string text :
         {U"שנת 5787 (תשפ\"ז) [א-ח], 12:30 - 3.5!", U"1 2 3", U"(א) [ב] {ג}", U"- 1 -"}) {
        std::vector<std::string> warnings;
        const Paragraph stored{0x51, 0, Stored(0x51, text)};
        EXPECT_EQ(ParagraphSource(stored, warnings), "@center " + EncodeUtf8(text));
        EXPECT_TRUE(warnings.empty());
    }
}

TEST(DisplayOrder, ReorderingThatCannotBeUndoneIsFound)
{
    size_t at = 99;
    EXPECT_FALSE(ReorderIsReversible(U"1 AB שלום", &at));
    EXPECT_EQ(at, 0u);
    EXPECT_TRUE(ReorderIsReversible(U"שלום AB 1", &at));
    EXPECT_TRUE(ReorderIsReversible(U"", &at));

    Paragraph out;
    std::vector<Diagnostic> problems;
    EXPECT_FALSE(ConvertParagraph(Source(0xB1, U"שלום 1 AB שלום"), "f.txt", out, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].message.find("cannot be undone exactly"), std::string::npos);
    // Without display order nothing is reordered, so nothing can go wrong.
    problems.clear();
    EXPECT_TRUE(ConvertParagraph(Source(0xA1, U"1 AB שלום"), "f.txt", out, problems));
}

}  // namespace
