// Letter code to display characters.
#include "page/convert_letters.h"

#include <cstdlib>
#include <cstring>

#include "page/letter_code.h"
#include "shell/app_state.h"

ConvertBuffer g_convertBuffer;

namespace {

char16_t MirroredBracket(char16_t c)
{
    switch (c) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    case u'<': return u'>';
    case u'>': return u'<';
    default: return c;
    }
}

}  // namespace

int ReverseRun(char16_t* units, uint32_t count)
{
    auto* scratch = static_cast<char16_t*>(std::malloc((count ? count : 1) * sizeof(char16_t)));
    if (!scratch) return 1;
    for (uint32_t i = 0; i < count; ++i) scratch[count - 1 - i] = MirroredBracket(units[i]);
    std::memcpy(units, scratch, count * sizeof(char16_t));
    std::free(scratch);
    return 0;
}

char16_t* ConvertLetters(const uint8_t* bytes, void* releaseAfter, ConvertBuffer* buffer,
                         uint32_t count)
{
    char16_t* out = nullptr;
    if (buffer && buffer->storage && buffer->capacity >= count) {
        out = buffer->storage;
    } else {
        out = static_cast<char16_t*>(std::malloc((size_t{count} + 1) * sizeof(char16_t)));
        if (!out) {
            std::free(releaseAfter);
            return nullptr;
        }
        if (buffer) {
            std::free(buffer->storage);
            buffer->storage = out;
            buffer->capacity = count;
        }
    }

    const int32_t base = g_app.font.letterBase;
    uint32_t n = 0;
    while (n < count && bytes[n] != 0) {
        out[n] = DisplayUnit(bytes[n], base);
        ++n;
    }
    out[n] = 0;

    // The reversal covers `count` units, as callers pass a run's own length.
    if (count > 0 && base != kIdentityLetterBase && (g_app.flags & kReverseFlag))
        ReverseRun(out, n);
    std::free(releaseAfter);
    return out;
}
