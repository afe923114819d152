// Measuring letter-coded runs for line breaking.
#include "page/text_view.h"

#include "page/convert_letters.h"
#include "shell/app_state.h"

void MeasureRun(DeviceHandle device, const uint8_t* bytes, int32_t* width, int32_t* count)
{
    const int32_t limit = *width;
    const int32_t offered = *count > 0 ? *count : 0;
    // Lines break the same way whichever order the text is drawn in.
    const uint32_t flags = g_app.flags;
    g_app.flags &= ~kReverseFlag;
    const char16_t* units = ConvertLetters(bytes, nullptr, &g_convertBuffer, offered);
    g_app.flags = flags;
    if (!units) {
        *count = 0;
        *width = 0;
        return;
    }
    // The conversion stops early at a zero byte; nothing past it is measured.
    int32_t available = 0;
    while (available < offered && units[available] != 0) ++available;
    int32_t fit = g_deviceOps->fitCount(device, units, available, limit < 0 ? 0 : limit);
    if (fit < 0) fit = 0;
    if (fit > available) fit = available;
    *count = fit;
    *width = g_deviceOps->textWidth(device, units, fit);
}
