// Page setup, the printer and the print job: the stored printer and margins
// go into the page-setup dialog, what it returns is stored again and opens
// the printer's device context with a document and its first page.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "print/dev_mode_check.h"
#include "print/print_error_text.h"
#include "print/print_win32.h"
#include "shell/app_state.h"
#include "shell/settings.h"
#include "shell/system_library_win32.h"

HGLOBAL cachedDevMode = nullptr;

namespace {

constexpr wchar_t kSettingsKeyPath[] = L"Quillstead\\Lumora-Hebrew";
constexpr wchar_t kDevModeValue[] = L"DevMode";
constexpr wchar_t kPrintErrorCaption[] = L"Error Printing";

// The common dialogs are loaded when printing first asks for page setup.
// Without them, the dialog cannot start: reported as the dialogs' own
// failure to initialise.
BOOL PageSetup(PAGESETUPDLGW* setup)
{
    static const auto pageSetup =
        SystemFunctionAs<decltype(&PageSetupDlgW)>(L"comdlg32.dll", "PageSetupDlgW");
    return pageSetup && pageSetup(setup);
}

DWORD DialogError()
{
    static const auto dialogError =
        SystemFunctionAs<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    return dialogError ? dialogError() : CDERR_INITIALIZATION;
}

void ShowPrintError(const wchar_t* text)
{
    MessageBoxW(g_app.mainWindow, text, kPrintErrorCaption, MB_OK);
}

// Whether the system names a default printer. Asked without any window:
// Wine's page-setup dialog crashes when there is no printer at all, while
// this question is answered at once (Windows' dialog reports the same
// "No Default Printer" itself).
bool HasDefaultPrinter()
{
    PAGESETUPDLGW probe = {};
    probe.lStructSize = sizeof probe;
    probe.hwndOwner = g_app.mainWindow;
    probe.Flags = PSD_RETURNDEFAULT | PSD_NOWARNING;
    if (PageSetup(&probe)) {
        if (probe.hDevMode) GlobalFree(probe.hDevMode);
        if (probe.hDevNames) GlobalFree(probe.hDevNames);
        return true;
    }
    return DialogError() != PDERR_NODEFAULTPRN;
}

PrintMargins ReadMargins()
{
    return PrintMargins{ReadNumber(L"PrintLeft", kDefaultPrintMargin),
                        ReadNumber(L"PrintTop", kDefaultPrintMargin),
                        ReadNumber(L"PrintRight", kDefaultPrintMargin),
                        ReadNumber(L"PrintBottom", kDefaultPrintMargin)};
}

void WriteMargins(const PrintMargins& m)
{
    WriteNumber(L"PrintTop", m.top);
    WriteNumber(L"PrintBottom", m.bottom);
    WriteNumber(L"PrintLeft", m.left);
    WriteNumber(L"PrintRight", m.right);
}

// The dialog hands back the block it was given or a new one; the run keeps
// exactly one, and frees a stored copy the dialog did not keep.
void KeepDialogDevMode(HGLOBAL given, HGLOBAL returned)
{
    if (given && given != returned && given != cachedDevMode) GlobalFree(given);
    if (cachedDevMode && cachedDevMode != returned && cachedDevMode != given)
        GlobalFree(cachedDevMode);
    cachedDevMode = returned;
}

// Stores the device mode and opens its printer; none when it cannot.
HDC OpenPrinterContext(HGLOBAL devMode)
{
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
    if (!mode) return nullptr;
    WriteBytes(kDevModeValue, mode, GlobalSize(devMode));
    HDC device = CreateDCW(nullptr, mode->dmDeviceName, nullptr, mode);
    GlobalUnlock(devMode);
    return device;
}

// The stored margins made to fit the printer's page, so that a text area
// remains whatever was stored or typed.
PrintMargins FitToPage(HDC device, const RECT& dialogMargins)
{
    const PrintPage page = {GetDeviceCaps(device, LOGPIXELSX), GetDeviceCaps(device, LOGPIXELSY),
                            GetDeviceCaps(device, HORZRES), GetDeviceCaps(device, VERTRES)};
    return ClampPrintMargins(PrintMargins{dialogMargins.left, dialogMargins.top,
                                          dialogMargins.right, dialogMargins.bottom},
                             page);
}

}  // namespace

const wchar_t* PrintErrorText()
{
    return reinterpret_cast<const wchar_t*>(PrintErrorTextFor(DialogError()));
}

HGLOBAL ReadDevMode(const wchar_t* valueName, HGLOBAL fallback)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    DWORD type = 0, size = 0;
    HGLOBAL block = nullptr;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0)
        block = GlobalAlloc(0, size);
    bool usable = false;
    if (auto* bytes = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr) {
        DWORD got = size;
        // The printer driver trusts the sizes inside: bytes that cannot be a
        // device mode count as none stored.
        usable = RegQueryValueExW(key, valueName, nullptr, &type, bytes, &got) == ERROR_SUCCESS &&
                 got == size && PlausibleDevMode(bytes, got);
        GlobalUnlock(block);
    }
    RegCloseKey(key);
    if (usable) return block;
    if (block) GlobalFree(block);
    return fallback;
}

HDC BeginPrintJob(bool ask, const wchar_t* documentName, PrintMargins* margins)
{
    const PrintMargins stored = SaneDialogMargins(ReadMargins());
    PAGESETUPDLGW setup = {};
    setup.lStructSize = sizeof setup;  // 84
    setup.hwndOwner = g_app.mainWindow;
    setup.hDevMode = ReadDevMode(kDevModeValue, ask ? cachedDevMode : nullptr);
    setup.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
    setup.rtMargin = RECT{stored.left, stored.top, stored.right, stored.bottom};
    setup.hInstance = g_app.instance;

    const bool runDialog = ask || !setup.hDevMode;
    if (runDialog) {
        const HGLOBAL given = setup.hDevMode;
        if (!HasDefaultPrinter()) {
            if (given && given != cachedDevMode) GlobalFree(given);
            ShowPrintError(reinterpret_cast<const wchar_t*>(PrintErrorTextFor(PDERR_NODEFAULTPRN)));
            return nullptr;
        }
        if (!PageSetup(&setup)) {
            const wchar_t* text = PrintErrorText();
            if (setup.hDevMode && setup.hDevMode != cachedDevMode) GlobalFree(setup.hDevMode);
            if (setup.hDevNames) GlobalFree(setup.hDevNames);
            ShowPrintError(text && text[0] ? text : reinterpret_cast<const wchar_t*>(kUnknownPrintError));
            return nullptr;
        }
        KeepDialogDevMode(given, setup.hDevMode);
    }
    if (setup.hDevNames) GlobalFree(setup.hDevNames);

    HDC device = setup.hDevMode ? OpenPrinterContext(setup.hDevMode) : nullptr;
    if (!runDialog && setup.hDevMode) GlobalFree(setup.hDevMode);
    if (!device) {
        MessageBoxW(g_app.mainWindow, L"Printer Initialitazion failed!", L"Error", MB_OK);
        return nullptr;
    }

    DOCINFOW document = {};
    document.cbSize = sizeof document;  // 20
    document.lpszDocName = documentName;
    if (StartDocW(device, &document) <= 0) {
        DeleteDC(device);
        return nullptr;
    }
    if (StartPage(device) <= 0) {
        AbortDoc(device);
        DeleteDC(device);
        return nullptr;
    }
    SetMapMode(device, MM_TEXT);
    *margins = FitToPage(device, setup.rtMargin);
    WriteMargins(*margins);
    return device;
}

BOOL EndPrintJob(HDC device, bool abort)
{
    if (!device) return 0;
    if (abort)
        AbortDoc(device);
    else
        EndDoc(device);
    return DeleteDC(device);
}
