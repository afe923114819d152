// Container walk and LZ77 decompression of lesson records.
#include "lessons/lesson_store.h"

#include <cstdlib>

namespace {

void StoreReason(int* reason, int value)
{
    if (reason) *reason = value;
}

uint16_t ReadBigEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

}  // namespace

uint8_t* UnCompress(const DayRecord& record, int* reason)
{
    const size_t want = record.decodedLength;
    if (want == 0 || !record.data) {
        StoreReason(reason, kLessonEmptyRecord);
        return nullptr;
    }
    auto* out = static_cast<uint8_t*>(std::malloc(want + kLessonPadding));
    if (!out) {
        StoreReason(reason, kLessonNotLoaded);
        return nullptr;
    }
    const uint8_t* in = record.data;
    const size_t inSize = record.compressedLength;
    size_t pos = 0, len = 0;
    bool broken = false;

    while (len < want && pos < inSize && !broken) {
        const uint8_t code = in[pos++];
        if (code >= 1 && code <= 8) {
            // A literal run: the next `code` bytes unchanged.
            if (pos + code > inSize) {
                broken = true;
                break;
            }
            for (size_t i = 0; i < code && len < want; ++i) out[len++] = in[pos + i];
            pos += code;
        } else if (code < 0x80) {
            out[len++] = code;
        } else if (code < 0xC0) {
            // Back-reference: 11 bits of distance, 3 bits of count - 3.
            if (pos >= inSize) {
                broken = true;
                break;
            }
            const unsigned v = static_cast<unsigned>(code) << 8 | in[pos++];
            const size_t distance = (v >> 3) & 0x7FF;
            const size_t count = (v & 7) + 3;
            if (distance == 0 || distance > len) {
                broken = true;
                break;
            }
            // One byte at a time: an overlapping copy repeats what it writes.
            for (size_t i = 0; i < count && len < want; ++i, ++len) out[len] = out[len - distance];
        } else {
            out[len++] = ' ';
            if (len < want) out[len++] = code ^ 0x80;
        }
    }

    if (broken || len != want) {
        std::free(out);
        ReportDecompressionError();
        StoreReason(reason, kLessonBadData);
        return nullptr;
    }
    // Whatever the record decoded to, a walk over its paragraphs meets zero
    // bytes here and ends inside the buffer.
    for (size_t i = 0; i < kLessonPadding; ++i) out[len + i] = 0;
    return out;
}

uint8_t* FindDayRecord(const uint8_t* container, size_t size, int recordIndex, int* reason)
{
    // The stated length is trusted only as far as the bytes really present.
    size_t remaining = 0;
    if (container && size >= kContainerHeaderSize) remaining = ReadBigEndian16(container);
    if (remaining > size - kContainerHeaderSize) remaining = size - kContainerHeaderSize;
    if (recordIndex < 0 || remaining < 5) {
        StoreReason(reason, kLessonNoRecord);
        return nullptr;
    }
    const uint8_t* p = container + kContainerHeaderSize;
    while (remaining > 4) {
        const uint16_t compressed = ReadBigEndian16(p);
        if (compressed == 0) break;
        if (recordIndex == 0) {
            // The compressed bytes must lie inside the container.
            const size_t available = remaining - kRecordHeaderSize;
            const DayRecord record{p + kRecordHeaderSize,
                                   static_cast<uint16_t>(compressed < available ? compressed
                                                                                : available),
                                   ReadBigEndian16(p + 2)};
            return UnCompress(record, reason);
        }
        const size_t step = size_t{compressed} + kRecordHeaderSize;
        if (step >= remaining) break;
        p += step;
        remaining -= step;
        --recordIndex;
    }
    StoreReason(reason, kLessonNoRecord);
    return nullptr;
}

bool LessonLocation(int32_t key, int* resourceId, int* recordIndex)
{
    const int32_t k = key - 1;
    if (k < 0) return false;
    *resourceId = static_cast<uint16_t>(1000 + (k >> 8));
    *recordIndex = k & 0xFF;
    return true;
}
