// The deterministic measuring device of the native page tests and the
// layout benchmark.
#include "fake_device.h"

namespace {

FakeDevice* Of(DeviceHandle handle)
{
    return static_cast<FakeDevice*>(handle);
}

FakeFont* FontOf(FontHandle handle)
{
    return static_cast<FakeFont*>(handle);
}

// Fonts do not know their device; deletions are counted on the last device
// that made one, which is the only one in every test.
FakeDevice* g_lastDevice = nullptr;

FontHandle Create(DeviceHandle device, const char16_t* face, int32_t points, int32_t weight)
{
    auto* font = new FakeFont{points, weight, {}};
    for (int i = 0; i < 31 && face && face[i]; ++i) font->face[i] = face[i];
    g_lastDevice = Of(device);
    ++g_lastDevice->fontsCreated;
    return font;
}

void Delete(FontHandle font)
{
    if (g_lastDevice) ++g_lastDevice->fontsDeleted;
    delete FontOf(font);
}

FontHandle Select(DeviceHandle device, FontHandle font)
{
    FakeFont* before = Of(device)->selected;
    Of(device)->selected = FontOf(font);
    return before;
}

void SetColour(DeviceHandle device, uint32_t colour)
{
    Of(device)->textColour = colour;
}

FontMetrics Metrics(DeviceHandle device)
{
    const FakeDevice& d = *Of(device);
    // The widest character: the base advance and, with varied widths, 2 more.
    const int32_t widest = FakeAdvance(d, d.selected, 0) + (d.variedWidths ? 2 : 0);
    return FontMetrics{FakeHeight(d.selected), widest};
}

int32_t Fit(DeviceHandle device, const char16_t* units, int32_t count, int32_t limit)
{
    FakeDevice& d = *Of(device);
    ++d.fitCalls;
    int32_t width = 0, n = 0;
    while (n < count) {
        width += FakeAdvance(d, d.selected, units[n]);
        if (width > limit) break;
        ++n;
    }
    return n;
}

int32_t Width(DeviceHandle device, const char16_t* units, int32_t count)
{
    FakeDevice& d = *Of(device);
    ++d.widthCalls;
    int32_t width = 0;
    for (int32_t i = 0; i < count; ++i) width += FakeAdvance(d, d.selected, units[i]);
    return width;
}

const DeviceOps kFakeDevice = {Create, Delete, Select, SetColour, Metrics, Fit, Width};

}  // namespace

int32_t FakePixelSize(const FakeFont* font)
{
    if (!font || font->points == 0) return 16;
    return font->points * 4 / 3;
}

int32_t FakeAdvance(const FakeDevice& device, const FakeFont* font, char16_t unit)
{
    int32_t advance = FakePixelSize(font) / 2;
    if (font && font->weight >= 700) ++advance;
    if (device.variedWidths) advance += unit % 3;
    return advance;
}

int32_t FakeHeight(const FakeFont* font)
{
    return FakePixelSize(font);
}

DeviceHandle AsDevice(FakeDevice* device)
{
    return device;
}

FakeDeviceScope::FakeDeviceScope() : previous_(g_deviceOps)
{
    g_deviceOps = &kFakeDevice;
}

FakeDeviceScope::~FakeDeviceScope()
{
    g_deviceOps = previous_;
}
