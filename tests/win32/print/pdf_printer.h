// PostScript printers of the test prefix whose jobs become files: each job's
// PostScript goes through tests/wine/print-job.sh, which keeps it with its
// PDF, its pages rendered to PGM and its text (pdftotext).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The printers the tests use: Wine's PostScript driver with a small PPD of
// this resolution, named "Lumora PDF <dpi>".
std::wstring PrinterName(int dpi);

// Adds the printer (once) and makes it the default one; false when Wine
// refused it or the harness gave no job folder (LUMORA_PRINT_JOBS,
// LUMORA_PRINT_PORT).
bool UsePdfPrinter(int dpi);
// Deletes every printer of the prefix; true when none is left.
bool RemoveAllPrinters();

// What the printer reports, as the reader sees it on its device context.
struct PrinterCaps {
    int dpiX = 0, dpiY = 0, width = 0, height = 0;
};
PrinterCaps CapsOf(int dpi);

// Names the next job: it is kept under `base` and its pages are rendered at
// `renderDpi`. Removes what an earlier job of that name left.
void ExpectJob(const std::wstring& base, int renderDpi);
// Waits until the job named `base` has been converted; false on timeout.
bool WaitForJob(const std::wstring& base, DWORD timeoutMs = 60000);
// Whether any file of a job named `base` exists.
bool JobStarted(const std::wstring& base);

// A rendered page: 8-bit grey rows, 0 black, 255 white.
struct PagePicture {
    int width = 0, height = 0;
    std::vector<unsigned char> grey;
    bool ink(int x, int y) const { return grey[size_t(y) * width + x] < 128; }
};

struct PrintedJob {
    std::vector<PagePicture> pages;
    std::vector<std::wstring> pageTexts;  // pdftotext, one entry per page
    std::string postScript;
};
// Reads a converted job; no pages when it is missing.
PrintedJob ReadJob(const std::wstring& base);
// The job's first page saved as PNG-ready PGM in the screenshot folder.
void KeepPage(const std::wstring& base, int page, const wchar_t* name);
