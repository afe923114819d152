// Fuzzes the clipboard export with any input: the first byte picks the part.
//  - an earlier clipboard document of any bytes, appended to: the strip step
//    and the composition must stay inside their block and end it with a zero;
//  - any UTF-16 text made into a rich text body: the measure must equal what
//    is written, and reordering must only permute (mirrored) units;
//  - any lesson text (closed with zeros) made into wide text in a buffer of
//    the formula's size: it must fit and never write past the buffer.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "clipboard/reading_order.h"
#include "clipboard/rich_text.h"
#include "clipboard/wide_text.h"
#include "shell/app_state.h"

namespace {

void AppendToDocument(const uint8_t* data, size_t size)
{
    // The block the clipboard data arrives in: exactly `size` bytes, with no
    // terminator unless the data holds one.
    const char* previous = reinterpret_cast<const char*>(data);
    size_t length = 0;
    while (length < size && previous[length] != 0) ++length;
    if (StripDocumentEnd(previous, length) > length) std::abort();
    const bool document = IsRichTextDocument(previous, length);
    static const char body[] = "\\u1488 \\par\\par\r\n";
    const size_t bodyLength = sizeof body - 1;
    const size_t capacity =
        (document ? length + kAppendedDocumentExtra : kNewDocumentExtra) + bodyLength;
    std::vector<char> out(capacity + 16, '#');
    const size_t n = ComposeRichText(document ? previous : nullptr, document ? length : 0, body,
                                     bodyLength, out.data(), capacity);
    if (n == 0 || n >= capacity || out[n] != 0) std::abort();
    for (size_t i = capacity; i < out.size(); ++i)
        if (out[i] != '#') std::abort();
}

void MakeBody(const uint8_t* data, size_t size)
{
    std::vector<char16_t> wide(size / 2 + 1, 0);
    std::memcpy(wide.data(), data, size / 2 * 2);
    char* body = BuildRtfBody(wide.data());
    if (!body) return;
    if (std::strlen(body) != RtfBodyLength(wide.data())) std::abort();
    std::free(body);

    size_t n = 0;
    while (wide[n] != 0) ++n;
    std::vector<char16_t> ordered(wide.begin(), wide.begin() + n);
    if (!RestoreReadingOrder(ordered.data(), static_cast<uint32_t>(n))) return;
    // Brackets may come back mirrored; every other unit is only moved.
    auto canonical = [](char16_t c) -> char16_t {
        switch (c) {
        case u')': return u'(';
        case u'>': return u'<';
        case u']': return u'[';
        case u'}': return u'{';
        case 0xBB: return 0xAB;
        default: return c;
        }
    };
    std::vector<char16_t> before(wide.begin(), wide.begin() + n), after = ordered;
    for (char16_t& c : before) c = canonical(c);
    for (char16_t& c : after) c = canonical(c);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    if (before != after) std::abort();
}

void MakeWideText(const uint8_t* data, size_t size)
{
    if (size > 65000) return;  // lesson texts are addressed with 16-bit offsets
    std::vector<uint8_t> lesson(data, data + size);
    lesson.insert(lesson.end(), 3, 0);
    const uint32_t units = WideTextUnits(lesson.data());
    std::vector<char16_t> buffer(size_t{units} + 1 + 8, 0xBEEF);
    const int result = LessonToWideText(lesson.data(), buffer.data(), 2 * size_t{units} + 2);
    if (result == WIDE_TEXT_FULL) std::abort();
    for (size_t i = units + 1; i < buffer.size(); ++i)
        if (buffer[i] != 0xBEEF) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const uint8_t selector = data[0];
    ++data;
    --size;
    const int32_t bases[3] = {0x5D0, 224, 97};
    g_app.font.letterBase = bases[(selector >> 2) % 3];
    g_app.flags = (selector & 0x80) ? 0x800 : 0;
    switch (selector % 3) {
    case 0: AppendToDocument(data, size); break;
    case 1: MakeBody(data, size); break;
    default: MakeWideText(data, size); break;
    }
    return 0;
}
