// The lesson text of one day, as stored (decompressed) in a day record: a
// paragraph record per paragraph (style byte, parameter byte, letter-coded
// text, zero), then an end marker zero and two more zero bytes.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Paragraph styles that the source names.
constexpr uint8_t kHeadStyle = 0xB2;
constexpr uint8_t kHeadParameter = 20;
constexpr uint8_t kRuleStyle = 0xC7;
constexpr uint8_t kShortRuleWidth = 172;  // 24 % of the width
constexpr uint8_t kFullRuleWidth = 210;   // 100 % of the width
constexpr uint8_t kBodyStyle = 0xB1;
constexpr uint8_t kCenterStyle = 0x51;
constexpr uint8_t kCenterBoldStyle = 0x59;

// A style whose three low bits are all set draws a rule and has no text.
constexpr uint8_t kRuleBits = 0x07;
// Text of a style with this bit is kept in display (left-to-right) order.
constexpr uint8_t kDisplayOrderBit = 0x10;

inline bool IsRuleStyle(uint8_t style) { return (style & kRuleBits) == kRuleBits; }
inline bool IsDisplayOrderStyle(uint8_t style) { return (style & kDisplayOrderBit) != 0; }

// One paragraph record; `text` is letter-coded and holds no zero byte.
struct Paragraph {
    uint8_t style = 0;  // never 0: a zero style byte is the end marker
    uint8_t parameter = 0;
    std::vector<uint8_t> text;
};

inline bool operator==(const Paragraph& a, const Paragraph& b)
{
    return a.style == b.style && a.parameter == b.parameter && a.text == b.text;
}

// Bytes after the last paragraph record: end marker and two zeros.
constexpr size_t kDayTextTrailer = 3;

std::vector<uint8_t> EncodeDayText(const std::vector<Paragraph>& paragraphs);

// Splits a day's text into its paragraphs. Returns false, with a reason, when
// the bytes are not exactly records followed by the three closing zeros.
bool DecodeDayText(std::span<const uint8_t> bytes, std::vector<Paragraph>& paragraphs,
                   std::string* error);
