// Whether stored bytes can be a printer's device mode (DEVMODEW): the
// "DevMode" setting is whatever the registry holds, and the printer driver
// trusts the sizes written inside it.
#pragma once
#include <cstddef>
#include <cstdint>

// Offsets in a DEVMODEW: the device name (32 UTF-16 units), then the layout
// and driver versions, the structure's own size and the driver's extra bytes.
constexpr size_t kDevModeNameUnits = 32;
constexpr size_t kDevModeSizeOffset = 68;
constexpr size_t kDevModeDriverExtraOffset = 70;
// The public part holds at least everything up to and including dmFields.
constexpr size_t kDevModeMinimumSize = 76;
// sizeof(DEVMODEW) of the newest layout; no driver reports a larger one.
constexpr size_t kDevModeLargestSize = 220;

// True when `size` bytes hold a device mode whose dmSize lies between the
// smallest and the largest layout, whose dmSize + dmDriverExtra fit in the
// bytes, and whose device name is not empty and ends within its field.
bool PlausibleDevMode(const uint8_t* bytes, size_t size);
