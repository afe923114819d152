// A new display font for a view: its fonts made anew, the text laid out
// again for them and repainted.
#include "page/paint_view_win32.h"

int SetViewFont(TextView* view, const FontRecord* font)
{
    if (!view) return -1;
    if (!font) {
        ReleaseViewFonts(view);
        return 0;
    }
    view->font = *font;
    for (FontCacheNode* node = view->fontCache; node; node = node->next) {
        if (node->font) g_deviceOps->deleteFont(node->font);
        CreateStyleFont(view, node, node->key);
    }
    if (LayoutText(view, view->text, false) != kLayoutDone) return 1;
    return PaintView(view, 1);
}
