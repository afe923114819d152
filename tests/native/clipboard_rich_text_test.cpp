// The lesson as rich text: escapes, runs, header, separator, appending.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "clipboard/rich_text.h"

namespace {

std::string Body(const std::u16string& wide)
{
    char* body = BuildRtfBody(wide.c_str());
    EXPECT_NE(body, nullptr);
    std::string s(body);
    std::free(body);
    EXPECT_EQ(s.size(), RtfBodyLength(wide.c_str()));
    return s;
}

std::string Compose(const std::string* previous, const std::string& body)
{
    const size_t capacity = body.size() + (previous ? previous->size() + kAppendedDocumentExtra
                                                    : kNewDocumentExtra);
    std::vector<char> out(capacity, '#');
    const size_t n = ComposeRichText(previous ? previous->data() : nullptr,
                                     previous ? previous->size() : 0, body.data(), body.size(),
                                     out.data(), capacity);
    EXPECT_GT(n, 0u);
    EXPECT_EQ(out[n], 0);
    return std::string(out.data(), n);
}

const std::string kEnd = "\\par\\par\r\n";

TEST(RichTextBody, CharactersAndRuns)
{
    struct Case {
        std::u16string wide;
        std::string rtf;
    } cases[] = {
        {u"", ""},
        {u"a", "a"},
        {u"\u05D0", "\\u1488"},
        {u"\u05EA", "\\u1514"},
        // After an escape a space run gets one more space, its delimiter,
        // and so does a digit; elsewhere nothing is added.
        {u"\u05D0 \u05D1", "\\u1488  \\u1489"},
        {u"\u05D0  \u05D1", "\\u1488   \\u1489"},
        {u"\u05D05", "\\u1488 5"},
        {u"\u05D0.5", "\\u1488.5"},
        {u"a b", "a b"},
        {u"., 1  2", "., 1  2"},
        {u" ", " "},
        {u"x\r\n\r\ny", "x" + kEnd + "y"},    // one CR/LF run: one \par\par line
        {u"\n\r\r", kEnd},
        {u"{\\}", "\\{\\\\\\}"},
        {u"~!", "~!"},
        {u"\t", "\\u9"},
        {u"\u00E0", "\\u224"},
        {u"\uFB2C", "\\u1513\\u1468\\u1473"},  // shin with dagesh and shin dot
        {u"\uFB4B", "\\u1493\\u1465"},
        {u"\uFB1D", "\\u64285"},              // a form outside the table stays
        {u"\uFB37", "\\u64311"},
        {u"\uFFFF", "\\u65535"},
    };
    for (const Case& c : cases) EXPECT_EQ(Body(c.wide), c.rtf + kEnd) << c.rtf;
}

TEST(RichTextBody, EveryHebrewLetter)
{
    for (char16_t c = 0x5D0; c <= 0x5EA; ++c)
        EXPECT_EQ(Body(std::u16string(1, c)), "\\u" + std::to_string(c) + kEnd);
}

TEST(RichTextBody, TheTwentySevenPresentationForms)
{
    int forms = 0;
    for (char32_t c = 0x5EB; c <= 0xFFFF; ++c) {
        char16_t parts[3];
        const int n = DecomposePresentationForm(static_cast<char16_t>(c), parts);
        if (n == 0) continue;
        ++forms;
        EXPECT_GE(c, 0xFB2Au);
        EXPECT_LE(c, 0xFB4Bu);
        EXPECT_GE(parts[0], 0x5D0);  // a letter first, then its points
        EXPECT_LE(parts[0], 0x5EA);
        for (int k = 1; k < n; ++k) EXPECT_TRUE(parts[k] >= 0x5B0 && parts[k] <= 0x5C2);
    }
    EXPECT_EQ(forms, 27);
    char16_t parts[3];
    EXPECT_EQ(DecomposePresentationForm(0x5D0, parts), 0);
}

TEST(RichTextDocument, HeaderSeparatorAndClosing)
{
    EXPECT_EQ(RtfHeaderLength(), 180u);
    EXPECT_EQ(RtfSeparatorLength(), 52u);
    EXPECT_EQ(std::string(kRtfHeader).substr(0, 40), "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset1");
    EXPECT_EQ(std::string(kRtfHeader).substr(157), "\\lang1033\\f0\\fs20\\uc0\r\n");
    EXPECT_EQ(std::string(kRtfSeparator), "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n");
}

TEST(RichTextDocument, CopyThenTwoAppends)
{
    const std::string first = Body(u"\u05D0 1\r\n"), second = Body(u"\u05D1\r\n");
    const std::string copy = Compose(nullptr, first);
    EXPECT_EQ(copy, std::string(kRtfHeader) + first + "}\r\n");
    EXPECT_EQ(copy.substr(copy.size() - 13), "\\par\\par\r\n}\r\n");
    const std::string appended = Compose(&copy, second);
    EXPECT_EQ(appended, std::string(kRtfHeader) + first + kRtfSeparator + second + "}\r\n");
    // One closing brace besides the header's groups: the first document's
    // was removed before the separator.
    const std::string header = kRtfHeader;
    EXPECT_EQ(std::count(appended.begin(), appended.end(), '}'),
              std::count(header.begin(), header.end(), '}') + 1);
    EXPECT_TRUE(IsRichTextDocument(appended.data(), appended.size()));
}

TEST(RichTextDocument, StripTakesWhiteSpaceThenOneBrace)
{
    struct Case {
        std::string data;
        size_t kept;
    } cases[] = {
        {"{\\rtf1 x}}\r\n \t\r\n", 9}, {"{\\rtf1 x", 8}, {" \r\n\t", 0}, {"", 0}, {"}", 0},
        {"x}\n}", 3},
    };
    for (const Case& c : cases) EXPECT_EQ(StripDocumentEnd(c.data.data(), c.data.size()), c.kept) << c.data;
}

TEST(RichTextDocument, WhatCountsAsADocument)
{
    for (const std::string yes : {"{\\rtf1}", "\r\n {\\rtf"})
        EXPECT_TRUE(IsRichTextDocument(yes.data(), yes.size())) << yes;
    for (const std::string& no : std::vector<std::string>{"", "   ", "{\\rt", "x{\\rtf1}", std::string("\0{\\rtf1", 7)})
        EXPECT_FALSE(IsRichTextDocument(no.data(), no.size())) << no;
}

TEST(RichTextDocument, TooSmallABlockGetsNothing)
{
    const std::string body = Body(u"\u05D0");
    std::vector<char> out(body.size() + 184, '#');
    EXPECT_EQ(ComposeRichText(nullptr, 0, body.data(), body.size(), out.data(), out.size() - 1), 0u);
    EXPECT_EQ(out[0], '#');
    EXPECT_EQ(ComposeRichText(nullptr, 0, body.data(), body.size(), out.data(), out.size()),
              out.size() - 1);
}

}  // namespace
