// UTF-8 to code points and back, for the book source and the dump.
#pragma once
#include <string>
#include <string_view>

// One decoded line: its characters and, when some bytes were not UTF-8, the
// 1-based column (in characters) of the first bad byte.
struct DecodedLine {
    std::u32string text;
    int badColumn = 0;
};

// Decodes UTF-8; a malformed, overlong or surrogate sequence is skipped a
// byte at a time and its column remembered, so that the rest still parses.
DecodedLine DecodeUtf8(std::string_view bytes);

void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(std::u32string_view text);

// A character for a message: itself when printable, then its code point,
// e.g. "'\u05B8' (U+05B8)" shown in UTF-8.
std::string DescribeCharacter(char32_t c);
