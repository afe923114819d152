// The clipboard as another program sees it, a rich edit control that pastes
// from it, and the lesson as the book's source writes it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The registered "Rich Text Format".
UINT RichTextFormat();

// Opens the clipboard for this program, retrying while another holds it.
bool OpenClipboardSoon(HWND owner = nullptr);

// The clipboard's bytes in `format` exactly as its block holds them (the
// block's whole size); false when the format is absent.
bool ClipboardBytes(UINT format, std::string* bytes);
// The rich text without its terminating zero (and anything after it).
std::string ClipboardRichText();
// The CF_UNICODETEXT up to its first zero unit.
std::wstring ClipboardUnicodeText();
bool ClipboardHas(UINT format);

// Replaces the clipboard's contents with a block of exactly these bytes.
bool PutClipboardBytes(UINT format, const std::string& bytes);
bool PutClipboardUnicode(const std::wstring& text);  // with its terminator
bool EmptyTheClipboard();

// A visible window with a riched20 rich edit control (the one WordPad uses).
class RichEditWindow {
public:
    RichEditWindow();
    ~RichEditWindow();
    bool ok() const { return edit_ != nullptr; }
    // Pastes the clipboard's "Rich Text Format" and returns the control's
    // whole text, paragraphs ended by CR LF.
    std::wstring PasteRichText();
    HWND frame() const { return frame_; }

private:
    bool oleStarted_ = false;
    HMODULE library_ = nullptr;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

// Paragraphs of a text as a reader sees them: one per line, no empty lines,
// no spaces at either end (the indentation of headings); spaces inside stay.
std::vector<std::wstring> Paragraphs(const std::wstring& text);

// The paragraphs of one day in reading order, from the book tool's dump of
// it (UTF-8 source form): headings, rules as hyphens, body, centred lines.
std::vector<std::wstring> DumpParagraphs(const std::wstring& path);

// Writes `bytes` to the file at `path`.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// UTF-8 of UTF-16 text.
std::string Utf8(const std::wstring& text);
