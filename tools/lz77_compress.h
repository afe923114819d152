// Compression of one day record into the LZ77 codes UnCompress reads:
//   0x01..0x08 n      the next n bytes unchanged
//   0x00, 0x09..0x7F  the byte itself
//   0x80..0xBF + 1    back-reference: 11 bits distance (1..2047), 3 bits count - 3
//   0xC0..0xFF        a space and the byte ^ 0x80 (0x40..0x7F)
// Each record is compressed on its own; nothing reaches across records.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

constexpr size_t kMaxDistance = 2047;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 10;
constexpr size_t kMaxLiteralRun = 8;

// The smallest code sequence for `input` under the code costs above: a
// dynamic programme from the end over every choice at every position.
std::vector<uint8_t> CompressOptimal(std::span<const uint8_t> input);

// The plain left-to-right parse (longest match first, then a space pair, a
// plain byte or a literal run), kept to measure what the optimal parse gains.
std::vector<uint8_t> CompressGreedy(std::span<const uint8_t> input);
