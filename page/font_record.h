// The display font as the user chose it.
#pragma once
#include <cstdint>

struct FontRecord {
    char16_t faceName[32];  // UTF-16 with its terminating zero
    int32_t size;           // points; 0 = the default size
    int32_t letterBase;     // display value of the first letter (0x5D0, 224 or 97)
};
