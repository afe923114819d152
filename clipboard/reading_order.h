// Display order back to reading order for one right-to-left paragraph of
// converted lesson text (Unicode letter base).
#pragma once
#include <cstdint>

// Reorders `count` units in place as the right-to-left paragraph they are
// drawn as: right-to-left runs come back reversed with their brackets
// mirrored, while runs that read left to right (numbers such as "1948" or
// "3.5", Latin letters) keep their own order. This is the same reordering
// that put the paragraph into display order, so applying it to display order
// gives the reading order back. Returns false when its scratch storage cannot
// be had (the units are then left as they were).
bool RestoreReadingOrder(char16_t* units, uint32_t count);
