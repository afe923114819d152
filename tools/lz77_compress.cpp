// Match finding and the two parses.
#include "lz77_compress.h"

#include <limits>

namespace {

struct Match {
    uint16_t length = 0;    // 0 when there is no match of kMinMatch or more
    uint16_t distance = 0;
};

bool IsPlainByte(uint8_t b) { return b == 0 || (b >= 0x09 && b <= 0x7F); }
bool PairsWithSpace(uint8_t b) { return b >= 0x40 && b <= 0x7F; }

// The longest match (up to kMaxMatch) at every position, among all earlier
// positions within kMaxDistance, found through hash chains of three-byte
// prefixes. Every candidate in the window is looked at unless a full-length
// match turns up, so the lengths are exact, not a heuristic's.
std::vector<Match> LongestMatches(std::span<const uint8_t> in)
{
    const size_t n = in.size();
    std::vector<Match> matches(n);
    if (n < kMinMatch) return matches;
    constexpr unsigned kHashBits = 14;
    std::vector<int32_t> head(size_t{1} << kHashBits, -1);
    std::vector<int32_t> previous(n, -1);
    auto hash = [&](size_t i) {
        const uint32_t v = uint32_t{in[i]} << 16 | uint32_t{in[i + 1]} << 8 | in[i + 2];
        return (v * 2654435761u) >> (32 - kHashBits);
    };
    for (size_t i = 0; i + kMinMatch <= n; ++i) {
        const uint32_t h = hash(i);
        const size_t limit = std::min(kMaxMatch, n - i);
        size_t bestLength = 0, bestDistance = 0;
        for (int32_t j = head[h]; j >= 0 && i - static_cast<size_t>(j) <= kMaxDistance;
             j = previous[j]) {
            const size_t c = static_cast<size_t>(j);
            // A longer match must also agree at the byte that ends the best
            // so far; checking it first skips most candidates cheaply.
            if (bestLength >= kMinMatch && in[c + bestLength] != in[i + bestLength]) continue;
            size_t length = 0;
            // Overlapping copies are fine: the decoder copies byte by byte,
            // so comparing with the input itself is exact.
            while (length < limit && in[c + length] == in[i + length]) ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = i - c;
                if (length == limit) break;
            }
        }
        if (bestLength >= kMinMatch)
            matches[i] = {static_cast<uint16_t>(bestLength), static_cast<uint16_t>(bestDistance)};
        previous[i] = head[h];
        head[h] = static_cast<int32_t>(i);
    }
    return matches;
}

void PutBackReference(std::vector<uint8_t>& out, size_t distance, size_t length)
{
    const unsigned v = 0x8000u | static_cast<unsigned>(distance) << 3 |
                       static_cast<unsigned>(length - kMinMatch);
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void PutLiteralRun(std::vector<uint8_t>& out, std::span<const uint8_t> bytes)
{
    out.push_back(static_cast<uint8_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

enum class Step : uint8_t { Plain, SpacePair, Literal, Reference };

struct Choice {
    Step step = Step::Plain;
    uint8_t length = 0;  // bytes of input the step covers
};

}  // namespace

std::vector<uint8_t> CompressOptimal(std::span<const uint8_t> in)
{
    const size_t n = in.size();
    const std::vector<Match> matches = LongestMatches(in);
    // cost[i]: fewest code bytes for in[i..n).
    std::vector<uint32_t> cost(n + 1, 0);
    std::vector<Choice> choice(n);
    for (size_t i = n; i-- > 0;) {
        uint32_t best = std::numeric_limits<uint32_t>::max();
        Choice pick;
        auto consider = [&](uint32_t c, Step step, size_t length) {
            if (c < best) {
                best = c;
                pick = {step, static_cast<uint8_t>(length)};
            }
        };
        if (in[i] == ' ' && i + 1 < n && PairsWithSpace(in[i + 1]))
            consider(1 + cost[i + 2], Step::SpacePair, 2);
        if (IsPlainByte(in[i])) consider(1 + cost[i + 1], Step::Plain, 1);
        for (size_t length = matches[i].length; length >= kMinMatch; --length)
            consider(2 + cost[i + length], Step::Reference, length);
        for (size_t length = 1; length <= kMaxLiteralRun && i + length <= n; ++length)
            consider(static_cast<uint32_t>(1 + length) + cost[i + length], Step::Literal, length);
        cost[i] = best;
        choice[i] = pick;
    }

    std::vector<uint8_t> out;
    out.reserve(cost[0]);
    for (size_t i = 0; i < n;) {
        const Choice c = choice[i];
        switch (c.step) {
        case Step::Plain: out.push_back(in[i]); break;
        case Step::SpacePair: out.push_back(in[i + 1] ^ 0x80); break;
        case Step::Literal: PutLiteralRun(out, in.subspan(i, c.length)); break;
        case Step::Reference: PutBackReference(out, matches[i].distance, c.length); break;
        }
        i += c.length;
    }
    return out;
}

std::vector<uint8_t> CompressGreedy(std::span<const uint8_t> in)
{
    const size_t n = in.size();
    const std::vector<Match> matches = LongestMatches(in);
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n;) {
        if (matches[i].length >= kMinMatch) {
            PutBackReference(out, matches[i].distance, matches[i].length);
            i += matches[i].length;
        } else if (in[i] == ' ' && i + 1 < n && PairsWithSpace(in[i + 1])) {
            out.push_back(in[i + 1] ^ 0x80);
            i += 2;
        } else if (IsPlainByte(in[i])) {
            out.push_back(in[i++]);
        } else {
            // Gather the bytes that cannot stand for themselves into one run.
            size_t length = 1;
            while (length < kMaxLiteralRun && i + length < n && !IsPlainByte(in[i + length]))
                ++length;
            PutLiteralRun(out, in.subspan(i, length));
            i += length;
        }
    }
    return out;
}
