// The main window: toolbar, lesson page and date band, and every command the
// reader gives through menu, accelerators, toolbar, keys and mouse.
#pragma once
#include <windows.h>

#include "page/text_view.h"
#include "shell/scroll_bar.h"

constexpr wchar_t kMainClassName[] = L"Lumora-Hebrew";
constexpr wchar_t kMainWindowTitle[] = L"Lumora";

// Option word bits the window reads (the rest are the page's and the day's).
constexpr uint32_t kScrollBarShownFlag = 0x40;
constexpr uint32_t kScrollBarLeftFlag = 0x80;
constexpr uint32_t kClickVerticalFlag = 0x10000000;
constexpr uint32_t kClickPagingFlag = 0x80000000;
constexpr int kKeyPageStepShift = 20;
constexpr int kClickPageStepShift = 24;

// RepaintWindow / PaintWindow flags.
constexpr int kPaintErase = 0x100;
constexpr int kPaintPage = 0x1;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 0 when the command was handled, 1 when not.
int DispatchCommand(HWND window, int command);

// Moves to `day` (0 = today), or back to the previous day with a message when
// its lesson cannot be loaded.
void GoToDay(HWND window, int32_t day);

void HandleClick(HWND window, int x, int y);
bool ClickPage(HWND window, TextView* view, int x, int y);
// Scrolls the main view by `delta` rows and repaints; false when nothing moved.
void ScrollMainView(int delta);

void PaintWindow(HDC device, HWND window, int flags);
void RepaintWindow(HWND window, int flags);
void DrawDateLine(HDC device);
// Fills the date band and draws the date line on it, now.
void RedrawDateBand(HWND window);
void ResizeWindowParts(HWND window, int clientWidth, int clientHeight);
void CreateToolbar(HWND window);

enum ReverseCheckMode { InitialiseReverseCheck, ToggleReverseCheck };
void SyncReverseCheck(HWND window, ReverseCheckMode mode);

void SaveWindowPlacement(HWND window);
void RestoreWindowPlacement(HWND window, int defaultShowCommand);
