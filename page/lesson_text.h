// The lesson text: paragraph records of a style byte, a parameter byte and
// letter-coded text ended by a zero byte; a style byte of zero ends the list.
#pragma once
#include <cstdint>

// Style bits.
constexpr uint8_t STYLE_BLANK_AFTER = 0x80;   // a blank row follows the paragraph
constexpr uint8_t STYLE_ALIGN_MASK = 0x60;
constexpr uint8_t STYLE_ALIGN_RIGHT = 0x20;
constexpr uint8_t STYLE_ALIGN_CENTER = 0x40;  // 0x00 and 0x60 are flush left
constexpr uint8_t STYLE_DISPLAY_ORDER = 0x10; // text stored in display order
constexpr uint8_t STYLE_BOLD = 0x08;
constexpr uint8_t STYLE_LARGE = 0x04;
constexpr uint8_t STYLE_SMALL = 0x02;         // ignored when STYLE_LARGE is set
constexpr uint8_t STYLE_NORMAL = 0x01;
constexpr uint8_t STYLE_RULE = 0x07;          // all three size bits: a horizontal rule
constexpr uint8_t STYLE_FONT_MASK = 0x1F;     // the bits that select a font

// Title records, read only by the search banner.
constexpr uint8_t STYLE_TITLE = 0xDC;
constexpr uint8_t STYLE_SUBTITLE = 0xD1;

// Parameter byte of a text record.
constexpr uint8_t PARAM_INDENT_MASK = 0x3F;   // indent in device pixels
constexpr int PARAM_HANGING_SHIFT = 6;        // hanging count 0..3 in bits 6..7

// The styles the book uses.
constexpr uint8_t STYLE_HEADING = 0xB2;       // small, display order, right, blank row
constexpr uint8_t STYLE_BODY = 0xB1;          // normal, display order, right, blank row
constexpr uint8_t STYLE_SHORT_RULE = 0xC7;    // rule, centred, blank row
constexpr uint8_t STYLE_CENTER = 0x51;        // centred, display order
constexpr uint8_t STYLE_CENTER_BOLD = 0x59;
constexpr uint8_t HEADING_PARAMETER = 20;
constexpr uint8_t SHORT_RULE_PARAMETER = 172; // 24 % of the width
constexpr uint8_t FULL_RULE_PARAMETER = 210;  // the full width

inline bool IsRuleStyle(uint8_t style)
{
    return (style & STYLE_RULE) == STYLE_RULE;
}

// One paragraph record found in a lesson text.
struct ParagraphRecord {
    uint8_t style;
    uint8_t parameter;
    uint16_t textOffset;  // byte offset of the text within the lesson text
    uint16_t textLength;  // bytes before the record's terminating zero
};

// Reads the record at `offset` and moves `offset` past it. Returns false at
// the end of the list (a style byte of zero) and at a record that ends where
// 16-bit offsets stop. The lesson text must be followed by three zero bytes,
// as decompressed lesson texts are: then the walk, started at offset 0, stops
// inside the buffer whatever bytes the text holds.
bool NextParagraph(const uint8_t* lesson, uint16_t& offset, ParagraphRecord& record);
