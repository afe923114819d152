// Mapping of source characters onto the letter code.
#include "page/letter_code.h"

int LetterByteFromUnicode(char32_t c)
{
    if (c >= 0x5D0 && c <= 0x5EA) return kFirstLetterByte + static_cast<int>(c - 0x5D0);
    switch (c) {
    case U'{': return kBraceByte;
    case U'\u05F3': return '\'';  // geresh
    case U'\u05F4': return '"';   // gershayim
    case U'\u05BE': return '-';   // maqaf
    default: break;
    }
    if (c < 0x20 || c > 0x7D) return -1;
    if (c >= 'a' && c <= 'z') return -1;
    return static_cast<int>(c);
}
