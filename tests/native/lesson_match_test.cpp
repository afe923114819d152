// The pattern matcher and the search of one lesson text.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "lesson_bytes.h"
#include "lessons/lesson_match.h"

namespace {

struct Match {
    int32_t end;
    int32_t length;
};

Match Matched(const std::string& text, const std::string& pattern, int32_t low = 0, int32_t high = -2)
{
    if (high == -2) high = static_cast<int32_t>(text.size()) - 1;
    int32_t length = -7;
    const int32_t end = MatchBackward(reinterpret_cast<const uint8_t*>(text.data()), low,
                                      reinterpret_cast<const uint8_t*>(pattern.data()),
                                      pattern.size(), high, &length);
    return {end, end < 0 ? -1 : length};
}

struct MatchCase {
    const char* text;
    const char* pattern;
    int32_t end;     // -1: no match
    int32_t length;
    const char* why;
};

TEST(MatchBackward, Table)
{
    const MatchCase cases[] = {
        {"abcabc", "bc", 5, 2, "the highest end is found first"},
        {"axc", "a?xc", -1, -1, "? is exactly one byte"},
        {"abxc", "ab?c", 3, 4, "? matches any byte"},
        {"abbbc", "a*c", 4, 5, "* spans a run"},
        {"ac", "a*c", 1, 2, "* spans nothing"},
        {"aXaYc", "a*c", 4, 3, "* takes the nearest part before it"},
        {"aXbYc", "a*b*c", 4, 5, "two stars"},
        {"abc", "*bc", -1, -1, "a leading * never matches"},
        {"bc", "*bc", -1, -1, "not even when the rest is all there"},
        {"*", "*", 0, 1, "a lone * stands in the last place: itself"},
        {"xab*", "ab*", 3, 3, "* in the last place is itself"},
        {"abc", "ab*", -1, -1, "... and matches nothing else"},
        {"ab?", "ab?", 2, 3, "? in the last place is itself"},
        {"abc", "ab?", -1, -1, "... and matches nothing else"},
        {"a*b", "a**b", 2, 3, "the part before a * ends in a * of its own, compared as itself"},
        {"axb", "a**b", -1, -1, "... so it needs one there"},
        {"bc", "abc", -1, -1, "the pattern runs below the text"},
        {"xbc", "a*bc", -1, -1, "the part before * is nowhere: no match"},
        {"", "a", -1, -1, "empty text"},
        {"abc", "", -1, -1, "empty pattern"},
    };
    for (const MatchCase& c : cases) {
        const Match m = Matched(c.text, c.pattern);
        EXPECT_EQ(m.end, c.end) << c.why << ": " << c.pattern << " in " << c.text;
        EXPECT_EQ(m.length, c.length) << c.why << ": " << c.pattern << " in " << c.text;
    }
}

TEST(MatchBackward, StaysWithinItsBounds)
{
    // "ba" ends at 3 with its first byte at 2: inside from 2, not from 3.
    EXPECT_EQ(Matched("abab", "ba", 1).end, 2);
    EXPECT_EQ(Matched("abab", "ba", 2).end, -1);
    EXPECT_EQ(Matched("abab", "ab", 0, 2).end, 1);
    EXPECT_EQ(Matched("abxb", "a*b", 1, 3).end, -1);  // its "a" lies below the bound
    EXPECT_EQ(Matched("abxb", "a*b", 0, 3).length, 4);
    EXPECT_EQ(Matched("abab", "ab", 2, 1).end, -1);     // high below low
}

// The matcher as the search was first described: a recursive call for the
// part before a "*", with the pattern cut there by a zero written into it.
int32_t Reference(const uint8_t* text, int32_t low, uint8_t* pattern, int32_t high, int32_t* length)
{
    const int32_t count = static_cast<int32_t>(std::strlen(reinterpret_cast<char*>(pattern)));
    if (high < low || count == 0) return -1;
    for (int32_t e = high; e >= low; --e) {
        if (text[e] != pattern[count - 1]) continue;
        int32_t t = e - 1;
        int32_t j = count - 2;
        for (; j >= 0; --j, --t) {
            if (pattern[j] == '*') {
                pattern[j] = 0;
                int32_t partLength = 0;
                const int32_t part = Reference(text, low, pattern, t, &partLength);
                pattern[j] = '*';
                if (part < 0) return -1;
                *length = e - part + partLength;
                return e;
            }
            if (t < low) break;
            if (pattern[j] != '?' && pattern[j] != text[t]) break;
        }
        if (j < 0) {
            *length = count;
            return e;
        }
    }
    return -1;
}

TEST(MatchBackward, AgreesWithTheRecursiveDescriptionOnRandomInput)
{
    std::mt19937 random(1234);
    const char alphabet[] = "ab*?";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 12, 'a');
        for (char& c : text) c = "abc*?"[random() % 5];
        std::string pattern(1 + random() % 6, 'a');
        for (char& c : pattern) c = alphabet[random() % 4];
        const Match ours = Matched(text, pattern);
        std::string cut = pattern;
        int32_t length = 0;
        const int32_t theirs = Reference(reinterpret_cast<const uint8_t*>(text.data()), 0,
                                         reinterpret_cast<uint8_t*>(cut.data()),
                                         static_cast<int32_t>(text.size()) - 1, &length);
        ASSERT_EQ(ours.end, theirs) << pattern << " in " << text;
        if (theirs >= 0) ASSERT_EQ(ours.length, length) << pattern << " in " << text;
    }
}

TEST(MatchBackward, ManyStarsOverLongTextStayFast)
{
    // Every star searches once below the last: a handful of passes, not a
    // search per way of splitting the text.
    const std::string text(60000, 'a');
    const std::string pattern = "b*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a";
    EXPECT_EQ(Matched(text, pattern).end, -1);
    EXPECT_EQ(Matched(text + "b" + text, pattern).end, 120000);
}

// ---- FindInLesson

struct Lesson {
    std::vector<uint8_t> bytes;
    uint16_t Find(const std::string& pattern, uint32_t start, int32_t* length = nullptr) const
    {
        int32_t ignored = 0;
        return FindInLesson(bytes.data(), bytes.size(), start,
                            reinterpret_cast<const uint8_t*>(pattern.data()), pattern.size(),
                            length ? length : &ignored);
    }
    // Offset of the n-th occurrence of `s` in the bytes.
    uint16_t At(const std::string& s, int n = 0) const
    {
        const std::string all(bytes.begin(), bytes.end());
        size_t at = all.find(s);
        while (n-- > 0) at = all.find(s, at + 1);
        return static_cast<uint16_t>(at);
    }
};

TEST(FindInLesson, SearchesRecordsInOrderAndEachFromItsEnd)
{
    const Lesson lesson{LessonBytes({{0xB2, 20, "xx ab"}, {0xB1, 0, "ab yy ab"}, {0xC7, 172, ""}})};
    int32_t length = 0;
    // The first record's hit comes before the second's.
    EXPECT_EQ(lesson.Find("ab", 0, &length), lesson.At("ab") + 1);
    EXPECT_EQ(length, 2);
    // From inside the second record: downward from there.
    EXPECT_EQ(lesson.Find("ab", lesson.At("yy")), lesson.At("ab", 1) + 1);
    // From its last byte: its highest occurrence.
    EXPECT_EQ(lesson.Find("ab", lesson.At("ab", 2) + 1), lesson.At("ab", 2) + 1);
    // From the style byte of the second record: the whole record.
    EXPECT_EQ(lesson.Find("ab", lesson.At("ab", 1) - 2), lesson.At("ab", 2) + 1);
    // From the zero after the first record: that record is still searched.
    EXPECT_EQ(lesson.Find("ab", lesson.At("ab") + 2), lesson.At("ab") + 1);
    // Past every record, or from the 65535 of "no hit": nothing.
    EXPECT_EQ(lesson.Find("ab", static_cast<uint32_t>(lesson.bytes.size())), 0);
    EXPECT_EQ(lesson.Find("ab", 0xFFFF), 0);
}

TEST(FindInLesson, NeverAcrossARecordsZeroNorOnStyleOrParameter)
{
    // Parameter 'a' (0x61) and style 'q' (0x71) are bytes of the record, not text.
    const Lesson lesson{LessonBytes({{0xB1, 0, "xb"}, {'q', 'a', "cy"}})};
    EXPECT_EQ(lesson.Find("bc", 0), 0);
    EXPECT_EQ(lesson.Find("b????c", 0), 0);  // b, zero, style, parameter, c
    EXPECT_EQ(lesson.Find("b*c", 0), 0);
    EXPECT_EQ(lesson.Find("a", 0), 0);
    EXPECT_EQ(lesson.Find("q", 0), 0);
    EXPECT_EQ(lesson.Find("cy", 0), lesson.At("cy") + 1);
    EXPECT_EQ(lesson.Find("*y", 0), 0);  // a leading star: never
}

TEST(FindInLesson, MalformedTextsEndWhereTheirBytesEnd)
{
    // No terminator and no end marker: the last record runs to the end.
    const std::vector<uint8_t> cut = {0xB1, 0, 'a', 'b', 'c'};
    int32_t length = 0;
    const uint8_t ab[] = {'a', 'b'};
    EXPECT_EQ(FindInLesson(cut.data(), cut.size(), 0, ab, 2, &length), 3);
    // A style byte with no room for its parameter, a lone style byte.
    const std::vector<uint8_t> lone = {0xB1, 0, 'a', 'b', 0, 0xB1};
    EXPECT_EQ(FindInLesson(lone.data(), lone.size(), 0, ab, 2, &length), 3);
    const std::vector<uint8_t> style = {0xB1};
    EXPECT_EQ(FindInLesson(style.data(), style.size(), 0, ab, 2, &length), 0);
    EXPECT_EQ(FindInLesson(nullptr, 0, 0, ab, 2, &length), 0);
    // An empty first record and text right after it.
    const std::vector<uint8_t> empty = {0xB1, 0, 0, 0xB1, 0, 'a', 'b', 0, 0};
    EXPECT_EQ(FindInLesson(empty.data(), empty.size(), 0, ab, 2, &length), 6);
}

}  // namespace
