// Fuzzes the container walk and the decompressor with arbitrary container
// bytes: whatever they hold, nothing is read or written outside the buffers,
// and a lesson that comes back has exactly the length its record states.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lessons/lesson_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the record; the rest is the container. A copy of
    // exactly that size lets the sanitizer see any read past its end.
    if (size < 1) return 0;
    const int index = data[0] % 32;
    auto* container = static_cast<uint8_t*>(std::malloc(size - 1 ? size - 1 : 1));
    std::memcpy(container, data + 1, size - 1);
    int reason = 0;
    uint8_t* lesson = FindDayRecord(container, size - 1, index, &reason);
    if (lesson) {
        // Decoded text, then the two zero bytes.
        size_t length = 0;
        while (lesson[length] != 0 || lesson[length + 1] != 0) ++length;
        (void)length;
        std::free(lesson);
    } else if (reason < 1 || reason > 5) {
        std::abort();
    }
    std::free(container);
    return 0;
}
