// The clipboard side of Copy and Append to ClipBoard.
#include "clipboard/clipboard_export_win32.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "clipboard/rich_text.h"
#include "clipboard/wide_text.h"
#include "page/text_view.h"
#include "shell/alloc_or_abort.h"
#include "shell/app_state.h"

namespace {

constexpr wchar_t kRichTextFormatName[] = L"Rich Text Format";

// The clipboard is opened for the main window: the system documents that
// SetClipboardData may fail after EmptyClipboard when the clipboard was
// opened without an owner.
BOOL OpenClipboardForUs()
{
    return OpenClipboard(g_app.mainWindow);
}

// Empties the clipboard and hands it `block` in `format`; the block is freed
// when the clipboard does not take it. The clipboard must be open.
void ReplaceClipboardData(UINT format, HGLOBAL block)
{
    EmptyClipboard();
    if (!SetClipboardData(format, block)) GlobalFree(block);
}

// A movable shared block of `size` bytes filled by `fill`, or none.
template <typename Fill>
HGLOBAL MakeBlock(size_t size, Fill fill)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    const bool filled = fill(static_cast<char*>(bytes));
    GlobalUnlock(block);
    if (filled) return block;
    GlobalFree(block);
    return nullptr;
}

}  // namespace

char* ReadClipboardText(size_t* length, UINT format)
{
    *length = 0;
    if (format == 0) format = CF_UNICODETEXT;
    if (!OpenClipboardForUs()) return nullptr;
    char* copy = nullptr;
    HANDLE data = GetClipboardData(format);
    const void* bytes = data ? GlobalLock(data) : nullptr;
    if (bytes) {
        // Foreign data need not be terminated: its block's size is the limit.
        const size_t size = GlobalSize(data);
        size_t n = 0;
        if (format == CF_UNICODETEXT) {
            const auto* units = static_cast<const wchar_t*>(bytes);
            const size_t available = size / sizeof(wchar_t);
            while (n < available && units[n] != 0) ++n;
            n *= sizeof(wchar_t);
        } else {
            const void* zero = std::memchr(bytes, 0, size);
            n = zero ? static_cast<size_t>(static_cast<const char*>(zero) -
                                           static_cast<const char*>(bytes))
                     : size;
        }
        copy = static_cast<char*>(AllocOrAbort(n + 2));
        if (copy) {
            std::memcpy(copy, bytes, n);
            copy[n] = copy[n + 1] = 0;
            *length = n;
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return copy;
}

void PutRichText(const wchar_t* wide, int append)
{
    const UINT format = RegisterClipboardFormatW(kRichTextFormatName);
    if (!format) return;
    size_t previousLength = 0;
    char* previous = append ? ReadClipboardText(&previousLength, format) : nullptr;
    // Data that is no rich text document cannot take an appended lesson: a
    // new document replaces it.
    if (previous && !IsRichTextDocument(previous, previousLength)) {
        std::free(previous);
        previous = nullptr;
        previousLength = 0;
    }
    char* body = BuildRtfBody(reinterpret_cast<const char16_t*>(wide));
    if (!body) {
        std::free(previous);
        return;
    }
    const size_t bodyLength = std::strlen(body);
    const size_t size =
        bodyLength + previousLength + (previous ? kAppendedDocumentExtra : kNewDocumentExtra);
    // Everything is ready before the clipboard is opened, so that a failure
    // leaves its contents as they were.
    HGLOBAL block = MakeBlock(size, [&](char* out) {
        return ComposeRichText(previous, previousLength, body, bodyLength, out, size) != 0;
    });
    std::free(previous);
    std::free(body);
    if (!block) return;
    if (!OpenClipboardForUs()) {
        GlobalFree(block);
        return;
    }
    ReplaceClipboardData(format, block);
    CloseClipboard();
}

void PutPlainText(const wchar_t* wide, int append)
{
    size_t previousLength = 0;
    char* previous = append ? ReadClipboardText(&previousLength, CF_UNICODETEXT) : nullptr;
    const size_t wideBytes = (std::wcslen(wide) + 1) * sizeof(wchar_t);
    HGLOBAL block = MakeBlock(previousLength + wideBytes, [&](char* out) {
        if (previousLength) std::memcpy(out, previous, previousLength);
        std::memcpy(out + previousLength, wide, wideBytes);
        return true;
    });
    std::free(previous);
    if (!block) return;
    if (!OpenClipboardForUs()) {
        // The block was never handed over: it is still ours to free.
        GlobalFree(block);
        return;
    }
    ReplaceClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

void ExportLesson(TextView* view, int append)
{
    if (!view || !view->text) return;
    const size_t units = WideTextUnits(view->text);
    auto* wide = static_cast<char16_t*>(AllocOrAbort(2 * units + 2));
    if (!wide) return;
    const int result = LessonToWideText(view->text, wide, 2 * units + 2);
    if (result == WIDE_TEXT_FULL)
        MessageBoxW(g_app.mainWindow, L"(obuf > (start + size))", nullptr, MB_OK);
    if (result == WIDE_TEXT_DONE) {
        const auto* text = reinterpret_cast<const wchar_t*>(wide);
        if (g_app.font.letterBase > 256) PutRichText(text, append);
        else PutPlainText(text, append);
    }
    std::free(wide);
}
