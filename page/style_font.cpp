// The fonts of a view: one per style key, made on first use and kept in the
// view's cache for as long as the view lives.
#include "page/text_view.h"

#include <algorithm>
#include <cstdlib>

#include "page/lesson_text.h"

namespace {

// size * numerator / denominator without overflow: a stored size may be any
// 32-bit number, and its scaled form stops at the ends of the range.
int32_t Scaled(int32_t size, int64_t numerator, int64_t denominator)
{
    const int64_t scaled = size * numerator / denominator;
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t StyleFontPoints(int32_t size, uint32_t key)
{
    if (key & STYLE_LARGE) return size ? Scaled(size, 5, 4) : 20;
    if (key & STYLE_SMALL) return size ? Scaled(size, 6, 8) : 14;
    if (key & FONT_KEY_TINY) return 8;
    // Size 0 stays 0: the device then picks its default height.
    return size;
}

void CreateStyleFont(TextView* view, FontCacheNode* node, uint32_t key)
{
    const int32_t weight = (key & STYLE_BOLD) ? 700 : 400;
    int32_t points = StyleFontPoints(view->font.size, key);
    if (points == 0) points = view->defaultPoints;
    node->font = g_deviceOps->createFont(view->device, view->font.faceName, points, weight);
}

FontHandle SelectStyleFont(TextView* view, uint32_t key)
{
    const uint32_t cacheKey = key & FONT_CACHE_KEY_MASK;
    FontCacheNode* node = view->fontCache;
    while (node && node->key != cacheKey) node = node->next;
    if (!node) {
        node = static_cast<FontCacheNode*>(std::calloc(1, sizeof(FontCacheNode)));
        if (node) {
            node->key = cacheKey;
            node->next = view->fontCache;
            view->fontCache = node;
        }
    }
    // A node whose font was released gets a new one rather than a twin node.
    if (node && !node->font) CreateStyleFont(view, node, cacheKey);

    if (key & FONT_KEY_COLOR) {
        const bool largeBold = (key & (STYLE_LARGE | STYLE_BOLD)) == (STYLE_LARGE | STYLE_BOLD);
        g_deviceOps->setTextColor(view->device, largeBold ? kBlue : kBlack);
    }
    // Without a font (no memory for the node, or the device made none) the
    // device keeps the font it has.
    if (!node || !node->font) return nullptr;
    return g_deviceOps->selectFont(view->device, node->font);
}
