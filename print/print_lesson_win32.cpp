// Printing the shown lesson: laid out again for the printer in a view of its
// own, painted page by page with the page's own painting, each page with its
// header mark and footer.
#include <windows.h>

#include "page/paint_view_win32.h"
#include "print/print_bands.h"
#include "print/print_win32.h"

namespace {

PrintArea PrinterArea(HDC device, const PrintMargins& margins)
{
    const PrintPage page = {GetDeviceCaps(device, LOGPIXELSX), GetDeviceCaps(device, LOGPIXELSY),
                            GetDeviceCaps(device, HORZRES), GetDeviceCaps(device, VERTRES)};
    return ComputePrintArea(page, margins);
}

}  // namespace

void PrintLesson(TextView* mainView)
{
    if (!mainView) return;
    TextView print = {};
    print.font = mainView->font;
    // What the screen shows of the default size, and a face the printer
    // driver can print, both found on the screen before the job starts.
    print.defaultPoints = ScreenDefaultPoints(mainView);
    ChoosePrintableFace(mainView->device, &print.font);

    PrintMargins margins = {};
    HDC device = BeginPrintJob(true, L"Lumora", &margins);
    if (!device) return;
    print.device = device;
    const PrintArea area = PrinterArea(device, margins);
    print.left = area.left;
    print.top = area.top;
    print.width = area.width;
    print.height = area.height;

    // The text stays the main view's: the print view only borrows it. A
    // failed layout leaves no lines, and the job closes empty.
    LayoutText(&print, mainView->text, false);
    int32_t headerHeight = 0, footerHeight = 0;
    ReservePrintBands(&print, &headerHeight, &footerHeight);

    // Every page takes at least one line, so no job has more pages than lines.
    for (int page = 1; page <= print.itemCount; ++page) {
        PaintView(&print, 0);
        if (print.rowsPainted == 0) break;
        DrawPrintBands(&print, headerHeight, footerHeight, page);
        print.pageStart = print.pageNext;
        EndPage(device);
        if (!print.pageNext || print.pageNext->style == 0) break;
        StartPage(device);
    }

    EndPrintJob(device, false);
    print.text = nullptr;
    FreeTextView(&print, false);
}
