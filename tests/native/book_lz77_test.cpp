// The packer's compressor against the program's own decoder: every input
// must come back exactly, and the optimal parse must really be optimal.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "book_build.h"
#include "container_write.h"
#include "lessons/lesson_store.h"
#include "lz77_compress.h"
#include "sample_book.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Decode(const Bytes& codes, size_t decodedLength)
{
    int reason = 0;
    std::unique_ptr<uint8_t, decltype(&std::free)> text(
        UnCompress(DayRecord{codes.data(), static_cast<uint16_t>(codes.size()),
                             static_cast<uint16_t>(decodedLength)},
                   &reason),
        &std::free);
    if (!text) return {};
    return Bytes(text.get(), text.get() + decodedLength);
}

// Compresses with both parses, decodes with UnCompress, and checks that the
// optimal parse is never the larger. Returns the optimal size.
size_t ExpectRoundTrip(const Bytes& input, const std::string& what)
{
    const Bytes optimal = CompressOptimal(input);
    const Bytes greedy = CompressGreedy(input);
    EXPECT_LE(optimal.size(), greedy.size()) << what;
    EXPECT_LE(input.size(), kMaxField) << what;
    EXPECT_LE(optimal.size(), kMaxField) << what << ": test input too large to decode";
    EXPECT_LE(greedy.size(), kMaxField) << what << ": test input too large to decode";
    EXPECT_EQ(Decode(optimal, input.size()), input) << what << " (optimal)";
    EXPECT_EQ(Decode(greedy, input.size()), input) << what << " (greedy)";
    return optimal.size();
}

Bytes RandomBytes(std::mt19937& random, size_t n, int low, int high)
{
    std::uniform_int_distribution<int> byte(low, high);
    Bytes out(n);
    for (uint8_t& b : out) b = static_cast<uint8_t>(byte(random));
    return out;
}

// The fewest code bytes, computed the slow way: every distance tried for
// every position, no hash chains.
size_t ReferenceOptimalSize(const Bytes& in)
{
    const size_t n = in.size();
    std::vector<size_t> cost(n + 1, 0);
    for (size_t i = n; i-- > 0;) {
        size_t best = SIZE_MAX;
        const uint8_t b = in[i];
        if (b == 0 || (b >= 9 && b <= 0x7F)) best = std::min(best, 1 + cost[i + 1]);
        if (b == ' ' && i + 1 < n && in[i + 1] >= 0x40 && in[i + 1] <= 0x7F)
            best = std::min(best, 1 + cost[i + 2]);
        for (size_t run = 1; run <= 8 && i + run <= n; ++run) best = std::min(best, 1 + run + cost[i + run]);
        size_t longest = 0;
        for (size_t d = 1; d <= std::min<size_t>(i, 2047); ++d) {
            size_t length = 0;
            while (length < 10 && i + length < n && in[i + length] == in[i - d + length]) ++length;
            longest = std::max(longest, length);
        }
        for (size_t length = 3; length <= longest; ++length) best = std::min(best, 2 + cost[i + length]);
        cost[i] = best;
    }
    return cost[0];
}

TEST(Compress, KnownCodes)
{
    // A space before 0x40..0x7F is one byte; high bytes go in literal runs.
    EXPECT_EQ(CompressOptimal(Bytes{'a', ' ', 'b'}), (Bytes{'a', 0xE2}));
    EXPECT_EQ(CompressOptimal(Bytes{0xB2, 0x14}), (Bytes{0x01, 0xB2, 0x14}));
    EXPECT_EQ(CompressOptimal(Bytes{0x00, 0x00, 0x00}), (Bytes{0x00, 0x00, 0x00}));
    // Eleven equal bytes: one byte and an overlapping back-reference.
    EXPECT_EQ(CompressOptimal(Bytes(11, 'x')), (Bytes{'x', 0x80, 0x0F}));
    EXPECT_TRUE(CompressOptimal(Bytes{}).empty());
}

TEST(Compress, RandomInputsComeBack)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        const size_t n = 1 + random() % 1500;
        // Narrow alphabets give many matches, wide ones many literal runs.
        const int width = std::array<int, 5>{2, 4, 27, 128, 256}[round % 5];
        const int low = round % 2 ? 0 : 256 - width;
        ExpectRoundTrip(RandomBytes(random, n, low, low + width - 1), "round " + std::to_string(round));
    }
}

TEST(Compress, MatchesTheExhaustiveOptimum)
{
    std::mt19937 random(5787);
    for (int round = 0; round < 40; ++round) {
        const size_t n = 50 + random() % 2500;
        const int width = std::array<int, 4>{2, 3, 8, 64}[round % 4];
        Bytes input = RandomBytes(random, n, 0x5E, 0x5E + width - 1);
        // Spaces and high bytes sprinkled in bring every kind of code.
        for (size_t i = 0; i < n; i += 1 + random() % 17) input[i] = random() % 3 ? ' ' : 0xB1;
        EXPECT_EQ(CompressOptimal(input).size(), ReferenceOptimalSize(input)) << "round " << round;
    }
}

TEST(Compress, AdversarialInputsComeBack)
{
    std::mt19937 random(1);
    std::vector<std::pair<std::string, Bytes>> inputs;
    inputs.push_back({"65535 x 'a'", Bytes(65535, 'a')});
    inputs.push_back({"65535 x 0xFF", Bytes(65535, 0xFF)});
    inputs.push_back({"65535 x 0x00", Bytes(65535, 0x00)});
    inputs.push_back({"65535 spaces", Bytes(65535, ' ')});
    Bytes allValues(65535);
    for (size_t i = 0; i < allValues.size(); ++i) allValues[i] = static_cast<uint8_t>(i);
    inputs.push_back({"all byte values, repeated", allValues});
    Bytes descending(65535);
    for (size_t i = 0; i < descending.size(); ++i) descending[i] = static_cast<uint8_t>(255 - i % 251);
    inputs.push_back({"period 251", descending});
    inputs.push_back({"random text bytes, 65535", RandomBytes(random, 65535, 0x20, 0x7F)});
    inputs.push_back({"random bytes, 48000", RandomBytes(random, 48000, 0, 255)});
    Bytes literalCodes(65535);
    for (size_t i = 0; i < literalCodes.size(); ++i) literalCodes[i] = static_cast<uint8_t>(1 + i % 8);
    inputs.push_back({"bytes 1..8, repeated", literalCodes});
    Bytes spacePairs;
    while (spacePairs.size() + 2 <= 65535) {
        spacePairs.push_back(' ');
        spacePairs.push_back(static_cast<uint8_t>(0x40 + random() % 0x40));
    }
    inputs.push_back({"space pairs", spacePairs});
    // Runs of nine equal bytes and a changing tenth: every candidate in the
    // window shares the prefix, none reaches the full length.
    Bytes nearMisses;
    while (nearMisses.size() + 10 <= 65535) {
        nearMisses.insert(nearMisses.end(), 9, 'a');
        nearMisses.push_back(static_cast<uint8_t>('b' + random() % 20));
    }
    inputs.push_back({"near misses", nearMisses});
    Bytes highRuns;
    while (highRuns.size() < 65000) {
        const size_t run = 1 + random() % 40;
        highRuns.insert(highRuns.end(), run, static_cast<uint8_t>(0x80 + random() % 128));
        highRuns.push_back(static_cast<uint8_t>(0x09 + random() % 0x70));
    }
    inputs.push_back({"runs of high bytes", highRuns});

    for (const auto& [what, input] : inputs) ExpectRoundTrip(input, what);
}

TEST(Compress, SingleBytesOfEveryValue)
{
    for (int b = 0; b < 256; ++b) {
        ExpectRoundTrip(Bytes{static_cast<uint8_t>(b)}, "byte " + std::to_string(b));
        ExpectRoundTrip(Bytes{' ', static_cast<uint8_t>(b)}, "space, byte " + std::to_string(b));
        ExpectRoundTrip(Bytes{static_cast<uint8_t>(b), ' '}, "byte " + std::to_string(b) + ", space");
    }
}

TEST(Compress, FarAndNearDistances)
{
    // A block repeated at exactly the farthest distance and one byte beyond.
    std::mt19937 random(7);
    for (size_t gap : {2044u, 2047u, 2048u, 2050u}) {
        Bytes block = RandomBytes(random, 10, 0x61, 0x7B);
        Bytes input = block;
        const Bytes filler = RandomBytes(random, gap - 10, 0x80, 0xFF);
        input.insert(input.end(), filler.begin(), filler.end());
        input.insert(input.end(), block.begin(), block.end());
        ExpectRoundTrip(input, "gap " + std::to_string(gap));
    }
}

TEST(Compress, OptimalBeatsGreedyOnLessonText)
{
    // A generated month of lesson text, day by day as the packer compresses it.
    std::vector<Diagnostic> problems;
    const BuiltMonth month = BuildMonth(*LessonMonthOf(9), SampleMonthSource(9, {}), "09-kislev.txt",
                                        CompressOptimal, problems);
    ASSERT_TRUE(problems.empty());
    size_t optimal = 0, greedy = 0;
    for (const BuiltDay& day : month.days) {
        optimal += ExpectRoundTrip(day.text, "day " + std::to_string(day.day));
        greedy += CompressGreedy(day.text).size();
    }
    EXPECT_LT(optimal, greedy);
}

TEST(Container, LayoutAndLimits)
{
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(BuildContainer({}, out, &error));
    EXPECT_EQ(out, (Bytes{0, 4, 0, 1, 0, 0, 0, 0, 0, 0}));

    ASSERT_TRUE(BuildContainer({{3, {'a', 'b', 'c'}}, {2, {0xE1}}}, out, &error));
    EXPECT_EQ(out, (Bytes{0, 16, 0, 1, 0, 2, 0, 3, 0, 3, 'a', 'b', 'c', 0, 1, 0, 2, 0xE1, 0, 0, 0, 0}));

    EXPECT_FALSE(BuildContainer({{65536, Bytes(10, 'a')}}, out, &error));
    EXPECT_NE(error.find("decompresses to 65536"), std::string::npos) << error;
    EXPECT_FALSE(BuildContainer({{65535, Bytes(65536, 'a')}}, out, &error));
    EXPECT_NE(error.find("compresses to 65536"), std::string::npos) << error;
    EXPECT_FALSE(BuildContainer({{1, {}}}, out, &error));
    // 65535 is the largest length after the header: 4 + (4 + 65527).
    EXPECT_TRUE(BuildContainer({{65527, Bytes(65527, 'a')}}, out, &error)) << error;
    EXPECT_EQ(out.size(), 6u + 65535u);
    EXPECT_FALSE(BuildContainer({{65528, Bytes(65528, 'a')}}, out, &error));
    EXPECT_NE(error.find("65536 bytes after its header"), std::string::npos) << error;
}

}  // namespace
