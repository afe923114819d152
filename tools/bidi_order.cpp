// FriBidi reordering of one paragraph.
#include "bidi_order.h"

#include <fribidi.h>

#include <algorithm>
#include <cstddef>
#include <vector>

std::u32string ReorderRightToLeft(const std::u32string& text)
{
    if (text.empty()) return text;
    std::vector<FriBidiChar> logical(text.begin(), text.end());
    std::vector<FriBidiChar> visual(text.size() + 1, 0);
    FriBidiParType direction = FRIBIDI_PAR_RTL;
    if (!fribidi_log2vis(logical.data(), static_cast<FriBidiStrIndex>(logical.size()), &direction,
                         visual.data(), nullptr, nullptr, nullptr)) {
        // Only an allocation failure inside FriBidi gets here; the caller's
        // reversibility check then reports the paragraph.
        return {};
    }
    return std::u32string(visual.begin(), visual.begin() + static_cast<std::ptrdiff_t>(text.size()));
}

bool ReorderIsReversible(const std::u32string& text, size_t* firstDifference)
{
    const std::u32string back = ReorderRightToLeft(ReorderRightToLeft(text));
    if (back == text) return true;
    const auto mismatch = std::mismatch(text.begin(), text.end(), back.begin(), back.end());
    if (firstDifference)
        *firstDifference = std::min(static_cast<size_t>(mismatch.first - text.begin()),
                                    text.empty() ? 0 : text.size() - 1);
    return false;
}
