// Building the update page's address without ever writing past the buffer.
#include "shell/update_address.h"

#include <algorithm>

namespace {

bool CopiedAsIs(char16_t unit)
{
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= u'a' && unit <= u'z') || unit == u'.' || unit == u'/';
}

// Copies as much of `text` as fits before `limit`; returns the new end.
size_t Append(char16_t* buffer, size_t at, size_t limit, std::u16string_view text)
{
    const size_t count = std::min(text.size(), limit > at ? limit - at : 0);
    std::copy_n(text.begin(), count, buffer + at);
    return at + count;
}

}  // namespace

size_t EncodeQueryUnit(char16_t unit, char16_t* out)
{
    if (unit == u' ') {
        out[0] = u'+';
        return 1;
    }
    if (CopiedAsIs(unit)) {
        out[0] = unit;
        return 1;
    }
    // "%%%.2X": a percent sign and at least two upper-case hex digits.
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    const int digits = unit > 0xFFF ? 4 : unit > 0xFF ? 3 : 2;
    out[0] = u'%';
    for (int i = 0; i < digits; ++i) out[1 + i] = kHex[(unit >> (4 * (digits - 1 - i))) & 0xF];
    return 1 + static_cast<size_t>(digits);
}

bool BuildUpdateAddress(char16_t* buffer, size_t capacity, std::u16string_view base,
                        std::u16string_view path, std::u16string_view suffix)
{
    if (capacity == 0) return false;
    std::fill_n(buffer, capacity, u'\0');
    const size_t last = capacity - 1;  // the terminating zero's place
    // The suffix keeps its room; base and path share the rest.
    const size_t pathLimit = last > suffix.size() ? last - suffix.size() : 0;
    size_t at = Append(buffer, 0, pathLimit, base);
    bool whole = at == base.size();
    for (char16_t unit : path) {
        char16_t encoded[6];
        const size_t count = EncodeQueryUnit(unit, encoded);
        if (at + count > pathLimit) {
            whole = false;
            break;
        }
        at = Append(buffer, at, pathLimit, std::u16string_view(encoded, count));
    }
    const size_t end = Append(buffer, at, last, suffix);
    return whole && end - at == suffix.size();
}
