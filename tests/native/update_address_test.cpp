// The update page's address: its exact form, the query encoding and the
// buffer's end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/update_address.h"

namespace {

std::u16string Encode(std::u16string_view text)
{
    std::u16string out;
    for (char16_t unit : text) {
        char16_t encoded[6];
        out.append(encoded, EncodeQueryUnit(unit, encoded));
    }
    return out;
}

TEST(UpdateAddress, IsBaseQueryProductPathAndVersion)
{
    char16_t buffer[kUpdateAddressCapacity];
    ASSERT_TRUE(BuildUpdateAddress(buffer, kUpdateAddressCapacity, kUpdateBase, kProductPath, kVersionParameter));
    EXPECT_EQ(std::u16string(buffer),
              u"https://quillstead.example/cgi-bin/upgrade?p=windows/Quillstead/Lumora%2DHebrew&v=1.84a");
    // The base is the maker's site and nothing else before the query.
    EXPECT_EQ(std::u16string(kUpdateBase), std::u16string(kMakerSiteUnits) + u"/cgi-bin/upgrade?p=windows/");
}

TEST(UpdateAddress, EncodesEachKindOfUnit)
{
    struct Case {
        std::u16string_view in, out;
    };
    const std::vector<Case> cases = {
        {u" ", u"+"},
        {u"-", u"%2D"},
        {u"\\", u"%5C"},
        {u"AZaz", u"AZaz"},
        {u"0189", u"0189"},
        {u"./", u"./"},
        {u"%&?=+", u"%25%26%3F%3D%2B"},
        {u"@[`{", u"%40%5B%60%7B"},  // the neighbours of the letter ranges
        {u"\t", u"%09"},             // always two digits at least
        {u"\u00E9", u"%E9"},
        {u"\u05D0", u"%5D0"},         // wider units keep all their digits
        {u"\uFFFF", u"%FFFF"},
        {u"Lumora Hebrew-1.84a", u"Lumora+Hebrew%2D1.84a"},
    };
    for (const Case& c : cases) EXPECT_EQ(Encode(c.in), c.out) << std::string(c.in.begin(), c.in.end());
}

// Fills a buffer that has a guard zone after it, so that a write past the
// end shows.
struct Guarded {
    static constexpr char16_t kGuard = u'#';
    std::vector<char16_t> units;
    size_t capacity;
    explicit Guarded(size_t n) : units(n + 16, kGuard), capacity(n) {}
    char16_t* data() { return units.data(); }
    bool GuardIntact() const
    {
        for (size_t i = capacity; i < units.size(); ++i)
            if (units[i] != kGuard) return false;
        return true;
    }
};

TEST(UpdateAddress, LongPathIsCutAtAWholeUnitAndKeepsTheVersion)
{
    // Every length of path around the buffer's end, of units encoded in one
    // and in three units.
    for (const std::u16string unit : {u"a", u"-"}) {
        for (size_t repeat = 30; repeat < 220; ++repeat) {
            std::u16string path;
            for (size_t i = 0; i < repeat; ++i) path += unit;
            Guarded buffer(kUpdateAddressCapacity);
            const bool whole =
                BuildUpdateAddress(buffer.data(), buffer.capacity, kUpdateBase, path, kVersionParameter);
            ASSERT_TRUE(buffer.GuardIntact()) << repeat;
            const std::u16string address(buffer.data());
            ASSERT_LT(address.size(), kUpdateAddressCapacity);
            const std::u16string full = kUpdateBase + Encode(path) + kVersionParameter;
            EXPECT_EQ(whole, full.size() < kUpdateAddressCapacity) << repeat;
            if (whole) {
                EXPECT_EQ(address, full);
                continue;
            }
            // Base, a whole number of encoded units, the version; the rest zero.
            const std::u16string base(kUpdateBase), version(kVersionParameter);
            ASSERT_EQ(address.substr(0, base.size()), base);
            ASSERT_EQ(address.substr(address.size() - version.size()), version);
            const std::u16string middle = address.substr(base.size(), address.size() - base.size() - version.size());
            const std::u16string encodedUnit = Encode(unit);
            EXPECT_EQ(middle.size() % encodedUnit.size(), 0u);
            EXPECT_EQ(middle, Encode(path.substr(0, middle.size() / encodedUnit.size())));
            // Nothing more would have fitted.
            EXPECT_GE(address.size() + encodedUnit.size(), kUpdateAddressCapacity);
            for (size_t i = address.size(); i < buffer.capacity; ++i) ASSERT_EQ(buffer.units[i], u'\0');
        }
    }
}

TEST(UpdateAddress, TinyBuffersStayTerminatedAndInBounds)
{
    for (size_t capacity = 0; capacity < 40; ++capacity) {
        Guarded buffer(capacity);
        const bool whole = BuildUpdateAddress(buffer.data(), capacity, u"https://h", u"a-b c", u"&v=1");
        EXPECT_TRUE(buffer.GuardIntact()) << capacity;
        const std::u16string full = u"https://ha%2Db+c&v=1";
        EXPECT_EQ(whole, capacity > full.size()) << capacity;
        if (capacity == 0) continue;
        const std::u16string address(buffer.data());
        EXPECT_LT(address.size(), capacity);
        if (whole) EXPECT_EQ(address, full);
    }
}

}  // namespace
