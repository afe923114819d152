// Opening the maker's pages in the browser.
#include "shell/open_url_win32.h"

#include <shellapi.h>

#include "shell/maker.h"
#include "shell/system_library_win32.h"
#include "shell/update_address.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units are shared with the portable code");

bool OpenUrl(HWND owner, const wchar_t* address)
{
    SHELLEXECUTEINFOW request = {};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpVerb = L"Open";
    request.lpFile = address;
    // The shell is loaded only when a page is opened.
    const auto shellExecute = SystemFunctionAs<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    return shellExecute && shellExecute(&request) != FALSE;
}

void OpenHomePage(HWND owner)
{
    OpenUrl(owner, kMakerSite);
}

void CheckForUpdates(HWND owner)
{
    char16_t address[kUpdateAddressCapacity];
    BuildUpdateAddress(address, kUpdateAddressCapacity, kUpdateBase, kProductPath, kVersionParameter);
    OpenUrl(owner, reinterpret_cast<const wchar_t*>(address));
}
