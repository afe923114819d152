// Making, resizing and releasing text views.
#include "page/text_view.h"

#include <cstdlib>

#include "shell/app_state.h"

TextView* NewTextView(DeviceHandle device, const ViewRect* rect, const FontRecord* font,
                      int32_t capacity)
{
    auto* view = static_cast<TextView*>(std::calloc(1, sizeof(TextView)));
    if (!view) return nullptr;
    view->device = device;
    if (font) view->font = *font;
    if (rect) {
        view->left = rect->left;
        view->top = rect->top;
        view->width = rect->right - rect->left;
        view->height = rect->bottom - rect->top;
    }
    if (capacity > 0) {
        // Entries are counted in 16 bits; the terminator needs one more.
        if (capacity > 0xFFFF) capacity = 0xFFFF;
        auto* items = static_cast<LineItem*>(std::malloc((size_t(capacity) + 1) * sizeof(LineItem)));
        if (items) {
            items[0] = LineItem{};
            view->lineItems = items;
            view->capacity = static_cast<uint16_t>(capacity);
        }
    }
    return view;
}

int32_t ResizeView(TextView* view, int32_t width, int32_t height)
{
    if (!view) return -1;
    if (width <= 0 || height <= 0) return kResizeBadSize;
    view->width = width;
    view->height = height;
    return LayoutText(view, view->text, false);
}

void ReleaseViewFonts(TextView* view)
{
    for (FontCacheNode* node = view->fontCache; node; node = node->next) {
        if (node->font) g_deviceOps->deleteFont(node->font);
        node->font = nullptr;
    }
}

void FreeTextView(TextView* view, bool releaseView)
{
    if (!view) return;
    std::free(view->text);
    view->text = nullptr;
    std::free(view->lineItems);
    view->lineItems = nullptr;
    view->capacity = view->itemCount = view->rowCount = view->maxTopRow = 0;
    view->pageStart = view->pageNext = nullptr;
    ReleaseViewFonts(view);
    // The nodes go too: a print view is torn down without being released.
    for (FontCacheNode* node = view->fontCache; node;) {
        FontCacheNode* next = node->next;
        std::free(node);
        node = next;
    }
    view->fontCache = nullptr;
    if (releaseView) std::free(view);
}

bool PointNearView(const TextView* view, int32_t x, int32_t y)
{
    if (!view) return false;
    const int32_t g = g_app.gutter;
    return x >= view->left - g && x <= view->left + view->width + g && y >= view->top - g &&
           y <= view->top + view->height;
}
