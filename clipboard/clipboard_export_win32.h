// Copy and Append to ClipBoard: the shown lesson as rich text (Unicode letter
// base) or as plain Unicode text (the other bases).
#pragma once
#include <windows.h>

#include <cstddef>

struct TextView;

// Puts the view's lesson on the clipboard (append 0), or adds it to what the
// clipboard holds (append 1). Nothing happens without a view or a lesson.
void ExportLesson(TextView* view, int append);

// A copy of the clipboard's data in `format` (CF_UNICODETEXT when 0), from
// AllocOrAbort and ended by two zero bytes whatever it held, or nullptr. The
// length is its byte length without terminator: up to the first zero unit for
// CF_UNICODETEXT, the first zero byte otherwise, and never past the block's
// size. Opens and closes the clipboard itself.
char* ReadClipboardText(size_t* length, UINT format);

// Place the wide text as "Rich Text Format" or as CF_UNICODETEXT.
void PutRichText(const wchar_t* wide, int append);
void PutPlainText(const wchar_t* wide, int append);
