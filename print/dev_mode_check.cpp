// Checking a stored device mode before a printer driver reads it.
#include "print/dev_mode_check.h"

namespace {

uint16_t Word(const uint8_t* bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace

bool PlausibleDevMode(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < kDevModeMinimumSize) return false;
    const size_t publicSize = Word(bytes, kDevModeSizeOffset);
    const size_t extra = Word(bytes, kDevModeDriverExtraOffset);
    if (publicSize < kDevModeMinimumSize || publicSize > kDevModeLargestSize) return false;
    if (publicSize + extra > size) return false;
    if (Word(bytes, 0) == 0) return false;
    for (size_t i = 0; i < kDevModeNameUnits; ++i)
        if (Word(bytes, 2 * i) == 0) return true;
    return false;
}
