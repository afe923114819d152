// The program's one-byte letter code: 0x61..0x7B are the 27 Hebrew letters
// (shown as letter base + byte - 0x61), 0x7E is "{", every other non-zero byte
// is itself, and a zero byte ends a run.
#pragma once
#include <cstdint>

constexpr uint8_t kFirstLetterByte = 0x61;
constexpr uint8_t kLastLetterByte = 0x7B;
constexpr uint8_t kBraceByte = 0x7E;

// Letter bases: Unicode Hebrew block, single-byte Hebrew code page, identity.
constexpr int32_t kUnicodeLetterBase = 0x5D0;
constexpr int32_t kCodePageLetterBase = 224;
constexpr int32_t kIdentityLetterBase = 97;

// The display value of one letter-coded byte.
inline char16_t DisplayUnit(uint8_t byte, int32_t letterBase)
{
    if (byte >= kFirstLetterByte && byte <= kLastLetterByte)
        return static_cast<char16_t>(letterBase + (byte - kFirstLetterByte));
    if (byte == kBraceByte) return u'{';
    return byte;
}

// The byte that carries a Unicode character in reading-order source text, or
// -1 when the letter code cannot carry it unambiguously: Latin lowercase
// letters and "~" would read back as Hebrew letters or as "{".
int LetterByteFromUnicode(char32_t c);
