// Fuzzes the date line with any month, day and year, and the letter
// conversion with any bytes, letter base and Reverse setting.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calendar/date_line.h"
#include "page/convert_letters.h"
#include "shell/app_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 13) return 0;
    CalendarDate date;
    std::memcpy(&date, data, sizeof date);
    uint8_t line[kDateTextSize + 8];
    std::memset(line, 0xEE, sizeof line);
    const int n = FormatHebrewDate(&date, line);
    if (n < 0 || n >= kDateTextSize || (n > 0 && line[n] != 0)) std::abort();
    for (size_t i = kDateTextSize; i < sizeof line; ++i)
        if (line[i] != 0xEE) std::abort();

    const int32_t bases[3] = {0x5D0, 224, 97};
    g_app.font.letterBase = bases[data[12] % 3];
    g_app.flags = (data[12] & 0x80) ? 0x800 : 0;
    const size_t count = size - 13;
    auto* bytes = static_cast<uint8_t*>(std::malloc(count + 1));
    std::memcpy(bytes, data + 13, count);
    bytes[count] = 0;
    size_t run = 0;
    while (run < count && bytes[run]) ++run;
    char16_t* text = ConvertLetters(bytes, nullptr, &g_convertBuffer, static_cast<uint32_t>(run));
    if (!text || text[run] != 0) std::abort();
    std::free(bytes);
    return 0;
}
