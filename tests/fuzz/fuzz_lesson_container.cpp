// Fuzzes the container walk and the decompressor with arbitrary container
// bytes: whatever they hold, nothing is read or written outside the buffers,
// and a lesson that comes back has exactly the length its record states,
// followed by the zero bytes that end every walk over it.
#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lessons/lesson_store.h"

namespace {

uint16_t BigEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

// The decoded length stated by record `index`, found by a walk of its own
// (the fuzzer's reference, written from the container format): the length
// field of the index-th record header after the 6-byte container header,
// each record being 4 header bytes and its compressed bytes. 0 when the
// walk does not reach such a record.
size_t StatedLength(const uint8_t* container, size_t size, int index)
{
    if (size < kContainerHeaderSize) return 0;
    size_t body = BigEndian16(container);
    if (body > size - kContainerHeaderSize) body = size - kContainerHeaderSize;
    size_t at = kContainerHeaderSize;
    const size_t end = kContainerHeaderSize + body;
    for (;;) {
        if (end - at <= kRecordHeaderSize) return 0;
        const size_t compressed = BigEndian16(container + at);
        if (compressed == 0) return 0;
        if (index == 0) return BigEndian16(container + at + 2);
        if (compressed + kRecordHeaderSize >= end - at) return 0;
        at += compressed + kRecordHeaderSize;
        --index;
    }
}

}  // namespace

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
        // Exactly the stated length, and the zeros after it.
        const size_t stated = StatedLength(container, size - 1, index);
        if (stated == 0) std::abort();
        if (__sanitizer_get_allocated_size(lesson) != stated + kLessonPadding) std::abort();
        for (size_t i = 0; i < kLessonPadding; ++i)
            if (lesson[stated + i] != 0) std::abort();
        std::free(lesson);
    } else if (reason < 1 || reason > 5) {
        std::abort();
    }
    std::free(container);
    return 0;
}
