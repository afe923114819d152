// Interpretation of stored setting values: decimal text and byte strings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/alloc_or_abort.h"
#include "shell/settings_values.h"

extern int g_outOfMemoryReports;

namespace {

int32_t Parse(const std::u16string& s, size_t count)
{
    return ParseDecimalUnits(s.data(), count);
}

TEST(ParseDecimalUnits, DigitsEmptyAndOtherCharacters)
{
    EXPECT_EQ(Parse(u"1234", 4), 1234);
    EXPECT_EQ(Parse(u"", 0), 0);
    EXPECT_EQ(Parse(u"12\0" u"99", 5), 12);   // stops at the first zero
    EXPECT_EQ(Parse(u"12", 1), 1);            // or at the end of the data
    EXPECT_EQ(Parse(u"-5", 2), -3 * 10 + 5);  // '-' contributes its code - '0'
    EXPECT_EQ(Parse(u"A", 1), 17);
    EXPECT_EQ(Parse(u"4294967295", 10), -1);  // wraps in 32 bits
    EXPECT_EQ(Parse(u"99999999999", 11), static_cast<int32_t>(99999999999ULL & 0xFFFFFFFFu));
}

std::string Copy(const std::string& data, size_t capacity, const std::string& before = "old")
{
    uint8_t buffer[64];
    std::memset(buffer, 'Z', sizeof buffer);
    std::memcpy(buffer, before.c_str(), before.size() + 1);
    CopyByteString(reinterpret_cast<const uint8_t*>(data.data()), data.size(), buffer, capacity);
    return std::string(reinterpret_cast<char*>(buffer));
}

TEST(CopyByteString, LimitsAndEmptyValues)
{
    EXPECT_EQ(Copy(std::string("abc\0", 4), 34), "abc");
    EXPECT_EQ(Copy("abc", 34), "abc");                          // no zero stored
    EXPECT_EQ(Copy(std::string("\0abc", 4), 34), "old");       // empty pattern: unchanged
    EXPECT_EQ(Copy("", 34), "old");
    EXPECT_EQ(Copy(std::string(40, 'q'), 34), std::string(33, 'q'));  // at most 33 bytes
    EXPECT_EQ(Copy(std::string("ab\0cd", 5), 34), "ab");
}

TEST(AllocOrAbort, GivesBlocksAndReportsFailure)
{
    void* block = AllocOrAbort(16);
    ASSERT_NE(block, nullptr);
    std::free(block);
#if !defined(__SANITIZE_ADDRESS__)
    const int before = g_outOfMemoryReports;
    EXPECT_EQ(AllocOrAbort(SIZE_MAX / 2), nullptr);
    EXPECT_EQ(g_outOfMemoryReports, before + 1);
#endif
}

}  // namespace
