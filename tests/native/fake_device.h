// A deterministic measuring device for the page layout: fonts are records,
// every character has a width computed from its font and code, and every
// call is counted. Installed in place of GDI for as long as a scope lives.
#pragma once
#include <cstdint>

#include "page/device_ops.h"

struct FakeFont {
    int32_t points;
    int32_t weight;
    char16_t face[32];
};

struct FakeDevice {
    FakeFont* selected;      // none: the device's own default font
    uint32_t textColour;
    bool variedWidths;       // widths depend on the character as well
    int fontsCreated;
    int fontsDeleted;
    long fitCalls;           // one per MeasureRun
    long widthCalls;
};

// Pixel size of a font: 4/3 of its points (96 dots per inch); 16 for the
// default size 0.
int32_t FakePixelSize(const FakeFont* font);
// Advance of one unit: half the pixel size, one more when bold, and with
// varied widths 0..2 more by the unit's code.
int32_t FakeAdvance(const FakeDevice& device, const FakeFont* font, char16_t unit);
// Text height: the pixel size.
int32_t FakeHeight(const FakeFont* font);

DeviceHandle AsDevice(FakeDevice* device);

// Installs the fake operations and puts the previous ones back at its end.
class FakeDeviceScope {
public:
    FakeDeviceScope();
    ~FakeDeviceScope();
    FakeDeviceScope(const FakeDeviceScope&) = delete;
    FakeDeviceScope& operator=(const FakeDeviceScope&) = delete;

private:
    const DeviceOps* previous_;
};
