// How stored setting values are interpreted, independent of the registry.
#pragma once
#include <cstddef>
#include <cstdint>

// A number stored as text: each UTF-16 unit before the first zero (or the
// end) adds its code minus '0' to ten times the value so far, in wrapping
// 32-bit arithmetic and without checking that it is a digit.
int32_t ParseDecimalUnits(const char16_t* units, size_t count);

// Copies a stored byte string into a buffer of `capacity` bytes: nothing when
// the data is empty or starts with a zero; otherwise bytes up to the first
// zero or the end, at most capacity - 1, and a zero after them.
void CopyByteString(const uint8_t* data, size_t size, uint8_t* buffer, size_t capacity);
