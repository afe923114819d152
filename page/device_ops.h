// The seam between the page layout and a drawing device: fonts by size and
// weight, their metrics, and text measurement. GDI implements it for windows
// and printers; native tests and fuzzers install a deterministic fake.
#pragma once
#include <cstdint>

#include "shell/platform_handles.h"

#ifdef _WIN32
using DeviceHandle = HDC;
#else
using DeviceHandle = void*;
#endif

struct FontMetrics {
    int32_t height;        // text height (ascent + descent) in device units
    int32_t maxCharWidth;  // width of the font's widest character
};

// Every operation acts on the font selected into the device, as GDI does.
struct DeviceOps {
    // A font `points` high (character height; 0 = the system's default) and
    // of `weight` (400 or 700), in `faceName` (empty: no face asked for).
    // Returns none when the device cannot make one.
    FontHandle (*createFont)(DeviceHandle device, const char16_t* faceName, int32_t points,
                             int32_t weight);
    void (*deleteFont)(FontHandle font);
    // Selects `font` and returns the font selected before it.
    FontHandle (*selectFont)(DeviceHandle device, FontHandle font);
    void (*setTextColor)(DeviceHandle device, uint32_t colour);
    FontMetrics (*fontMetrics)(DeviceHandle device);
    // How many of the first `count` units fit within `limit` device units.
    int32_t (*fitCount)(DeviceHandle device, const char16_t* units, int32_t count, int32_t limit);
    // The width of the first `count` units.
    int32_t (*textWidth)(DeviceHandle device, const char16_t* units, int32_t count);
};

// The device implementation in use: GDI in the Windows build, a null device
// (no fonts, every text zero wide) on the host until a test installs its own.
extern const DeviceOps* g_deviceOps;
