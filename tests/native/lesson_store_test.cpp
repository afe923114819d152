// Container walk and decompression on hand-made containers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lessons/lesson_store.h"

extern int g_decompressionErrorReports;

namespace {

using Bytes = std::vector<uint8_t>;

struct RawRecord {
    Bytes codes;
    uint16_t decodedLength;
};

void PutBigEndian16(Bytes& out, size_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

Bytes MakeContainer(const std::vector<RawRecord>& records)
{
    Bytes body;
    for (const RawRecord& r : records) {
        PutBigEndian16(body, r.codes.size());
        PutBigEndian16(body, r.decodedLength);
        body.insert(body.end(), r.codes.begin(), r.codes.end());
    }
    body.insert(body.end(), 4, 0);  // terminator
    Bytes out;
    PutBigEndian16(out, body.size());
    PutBigEndian16(out, 1);
    PutBigEndian16(out, records.size());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// Decoded text of a record, or "<reason N>" when decoding failed.
std::string Decode(const Bytes& codes, uint16_t decodedLength)
{
    int reason = 0;
    std::unique_ptr<uint8_t, decltype(&std::free)> text(
        UnCompress(DayRecord{codes.data(), static_cast<uint16_t>(codes.size()), decodedLength}, &reason),
        &std::free);
    if (!text) return "<reason " + std::to_string(reason) + ">";
    EXPECT_EQ(text.get()[decodedLength], 0);
    return std::string(reinterpret_cast<const char*>(text.get()), decodedLength);
}

std::string Find(const Bytes& container, int index, int* reason = nullptr)
{
    int local = 0;
    uint8_t* text = FindDayRecord(container.data(), container.size(), index, reason ? reason : &local);
    if (!text) return "";
    std::string s(reinterpret_cast<const char*>(text));
    std::free(text);
    return s;
}

// A back-reference code: distance 1..2047, count 3..10.
Bytes BackReference(unsigned distance, unsigned count)
{
    const unsigned v = 0x8000 | distance << 3 | (count - 3);
    return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(UnCompress, PlainBytesLiteralRunsAndSpacePairs)
{
    EXPECT_EQ(Decode({'a', 'b', 0x00, 'c'}, 4), std::string("ab\0c", 4));
    EXPECT_EQ(Decode({0x03, 0xB2, 0x14, 0x01, 'x'}, 4), "\xB2\x14\x01x");
    EXPECT_EQ(Decode({'a', 0xC0 | ('b' ^ 0xC0)}, 3), "a b");
    EXPECT_EQ(Decode({0xE1}, 2), " a");
}

TEST(UnCompress, OverlappingBackReferenceRepeatsWhatItWrites)
{
    EXPECT_EQ(Decode(Concat({{'a', 'b'}, BackReference(2, 7)}), 9), "ababababa");
    EXPECT_EQ(Decode(Concat({{'x'}, BackReference(1, 10)}), 11), "xxxxxxxxxxx");
    EXPECT_EQ(Decode(Concat({{'a', 'b', 'c', 'd'}, BackReference(4, 3)}), 7), "abcdabc");
}

TEST(UnCompress, StepsAreCutAtTheStatedLength)
{
    // A literal run, a back-reference and a space pair each stop at U.
    EXPECT_EQ(Decode({0x05, 'a', 'b', 'c', 'd', 'e'}, 3), "abc");
    EXPECT_EQ(Decode(Concat({{'a'}, BackReference(1, 10)}), 4), "aaaa");
    EXPECT_EQ(Decode({'a', 0xE2}, 2), "a ");
}

TEST(UnCompress, ShortOutputIsAnErrorAndReported)
{
    const int before = g_decompressionErrorReports;
    EXPECT_EQ(Decode({'a', 'b'}, 3), "<reason 5>");
    EXPECT_EQ(g_decompressionErrorReports, before + 1);
    EXPECT_EQ(Decode({}, 0), "<reason 4>");
    EXPECT_EQ(Decode({'a'}, 0), "<reason 4>");
}

TEST(UnCompress, CodesThatWouldLeaveTheBuffersAreErrors)
{
    EXPECT_EQ(Decode(Concat({{'a'}, BackReference(2, 3)}), 4), "<reason 5>");  // before the start
    EXPECT_EQ(Decode(Concat({{'a'}, BackReference(0, 3)}), 4), "<reason 5>");  // distance 0
    EXPECT_EQ(Decode({'a', 0x05, 'b', 'c'}, 6), "<reason 5>");                // run past the end
    EXPECT_EQ(Decode({'a', 0x80}, 4), "<reason 5>");                          // half a reference
}

TEST(FindDayRecord, WalksToTheRecordOfTheIndex)
{
    const Bytes container = MakeContainer({{{'o', 'n', 'e'}, 3}, {{'t', 'w', 'o'}, 3}, {{0xE1}, 2}});
    EXPECT_EQ(Find(container, 0), "one");
    EXPECT_EQ(Find(container, 1), "two");
    EXPECT_EQ(Find(container, 2), " a");
}

TEST(FindDayRecord, PastTheLastRecordMeetsTheTerminator)
{
    std::vector<RawRecord> month(29, RawRecord{{'d'}, 1});
    const Bytes container = MakeContainer(month);
    int reason = 0;
    EXPECT_EQ(Find(container, 28, &reason), "d");
    EXPECT_EQ(Find(container, 29, &reason), "");  // day 30 of a 29-day month
    EXPECT_EQ(reason, kLessonNoRecord);
    reason = 0;
    EXPECT_EQ(Find(container, -1, &reason), "");
    EXPECT_EQ(reason, kLessonNoRecord);
}

TEST(FindDayRecord, EmptyAndTruncatedContainers)
{
    int reason = 0;
    const Bytes empty = MakeContainer({});
    EXPECT_EQ(empty.size(), 10u);
    EXPECT_EQ(Find(empty, 0, &reason), "");
    EXPECT_EQ(reason, kLessonNoRecord);

    // A length field that claims more than is there is held to the real size.
    Bytes container = MakeContainer({{{'a', 'b', 'c', 'd', 'e', 'f'}, 6}});
    container[0] = 0xFF;
    container.resize(12);  // header, record header and two compressed bytes
    reason = 0;
    EXPECT_EQ(Find(container, 0, &reason), "");
    EXPECT_EQ(reason, kLessonBadData);
    reason = 0;
    EXPECT_EQ(FindDayRecord(container.data(), 3, 0, &reason), nullptr);
    EXPECT_EQ(reason, kLessonNoRecord);
}

TEST(FindDayRecord, RecordWithNoTextIsReasonFour)
{
    int reason = 0;
    EXPECT_EQ(Find(MakeContainer({{{'a'}, 0}}), 0, &reason), "");
    EXPECT_EQ(reason, kLessonEmptyRecord);
}

TEST(LessonLocation, KeysNameResourceAndRecord)
{
    int id = 0, index = 0;
    EXPECT_FALSE(LessonLocation(0, &id, &index));
    ASSERT_TRUE(LessonLocation(0x0101, &id, &index));
    EXPECT_EQ(id, 1001);
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(LessonLocation(0x0E1D, &id, &index));
    EXPECT_EQ(id, 1014);
    EXPECT_EQ(index, 28);
    ASSERT_TRUE(LessonLocation(0x0005, &id, &index));
    EXPECT_EQ(id, 1000);  // high byte 0: no such resource
    ASSERT_TRUE(LessonLocation(0x0F01, &id, &index));
    EXPECT_EQ(id, 1015);
}

}  // namespace
