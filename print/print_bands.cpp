// Reserving the page's header and footer bands on any device.
#include "print/print_bands.h"

#include "print/print_geometry.h"

void ReservePrintBands(TextView* view, int32_t* headerHeight, int32_t* footerHeight)
{
    const FontHandle previous = SelectStyleFont(view, kFooterFontKey);
    const int32_t a = g_deviceOps->fontMetrics(view->device).height;
    SelectStyleFont(view, kHeaderFontKey);
    const int32_t b = g_deviceOps->fontMetrics(view->device).height;
    const PrintBands bands =
        ComputePrintBands(PrintArea{view->left, view->top, view->width, view->height}, a, b);
    view->top = bands.text.top;
    view->height = bands.text.height;
    *headerHeight = a;
    *footerHeight = b;
    if (previous) g_deviceOps->selectFont(view->device, previous);
}
