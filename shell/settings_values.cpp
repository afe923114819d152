// Interpretation of stored setting values.
#include "shell/settings_values.h"

int32_t ParseDecimalUnits(const char16_t* units, size_t count)
{
    uint32_t value = 0;  // unsigned: wrapping is the intended 32-bit behaviour
    for (size_t i = 0; i < count && units[i] != 0; ++i)
        value = value * 10 + (static_cast<uint32_t>(units[i]) - 0x30u);
    return static_cast<int32_t>(value);
}

void CopyByteString(const uint8_t* data, size_t size, uint8_t* buffer, size_t capacity)
{
    if (!data || size == 0 || data[0] == 0 || capacity == 0) return;
    size_t n = 0;
    while (n < size && n < capacity - 1 && data[n] != 0) {
        buffer[n] = data[n];
        ++n;
    }
    buffer[n] = 0;
}
