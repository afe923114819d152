// The exit sequence, run when the main window is destroyed and when memory
// runs out. Values are written in a fixed order; empty or zero values are not
// written so that what earlier runs stored stays.
#include <windows.h>

#include "page/text_view.h"
#include "shell/app_state.h"
#include "shell/exit_sequence.h"
#include "shell/settings.h"

void StoreExitSettings()
{
    // Running out of memory before the settings were read would otherwise
    // overwrite the stored flags and day with zeros.
    if (!SettingsLoaded()) return;
    if (g_app.searchString[0]) WriteByteString(L"SearchString", g_app.searchString);
    if (g_app.font.faceName[0])
        WriteText(L"FontName", reinterpret_cast<const wchar_t*>(g_app.font.faceName));
    if (g_app.font.size) WriteNumber(L"FontSize", g_app.font.size);
    if (g_app.font.letterBase) WriteNumber(L"FontAsciiBase", g_app.font.letterBase);
    if (g_app.mainView) WriteNumber(L"LastPosition", g_app.mainView->topRow);
    WriteNumber(L"Flags", static_cast<int32_t>(g_app.flags));
    WriteNumber(L"Day", g_app.currentDay);
    if (g_app.lessonKey) WriteNumber(L"Lesson", static_cast<uint16_t>(g_app.lessonKey));
}

void SaveAndQuit()
{
    StoreExitSettings();
    if (g_app.mainView) {
        FreeTextView(g_app.mainView, 1);
        g_app.mainView = nullptr;
    }
    PostQuitMessage(0);
}
