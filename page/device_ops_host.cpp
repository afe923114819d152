// Host builds have no drawing device: the null device makes no fonts and
// finds every text zero wide, so that nothing breaks before a test installs
// a measuring device of its own.
#include "page/device_ops.h"

namespace {

FontHandle NoFont(DeviceHandle, const char16_t*, int32_t, int32_t) { return nullptr; }
void NoDelete(FontHandle) {}
FontHandle NoSelect(DeviceHandle, FontHandle) { return nullptr; }
void NoColour(DeviceHandle, uint32_t) {}
FontMetrics NoMetrics(DeviceHandle) { return FontMetrics{0, 0}; }
int32_t AllFit(DeviceHandle, const char16_t*, int32_t count, int32_t) { return count; }
int32_t NoWidth(DeviceHandle, const char16_t*, int32_t) { return 0; }

const DeviceOps kNullDevice = {NoFont, NoDelete, NoSelect, NoColour, NoMetrics, AllFit, NoWidth};

}  // namespace

const DeviceOps* g_deviceOps = &kNullDevice;
