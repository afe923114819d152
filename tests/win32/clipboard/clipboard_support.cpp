// Clipboard access, the rich edit control and the expected paragraphs.
#include "clipboard_support.h"

#include <ole2.h>
#include <richedit.h>

#include <cstring>

#include "e2e/lumora_process.h"
#include "test_files.h"

UINT RichTextFormat()
{
    return RegisterClipboardFormatW(L"Rich Text Format");
}

bool OpenClipboardSoon(HWND owner)
{
    return PollUntil([&] { return OpenClipboard(owner) != FALSE; }, 5000);
}

bool ClipboardBytes(UINT format, std::string* bytes)
{
    bytes->clear();
    if (!OpenClipboardSoon()) return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* p = GlobalLock(data)) {
            bytes->assign(static_cast<const char*>(p), GlobalSize(data));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

std::string ClipboardRichText()
{
    std::string bytes;
    if (!ClipboardBytes(RichTextFormat(), &bytes)) return {};
    return bytes.substr(0, bytes.find('\0'));
}

std::wstring ClipboardUnicodeText()
{
    std::string bytes;
    if (!ClipboardBytes(CF_UNICODETEXT, &bytes)) return {};
    std::wstring text(bytes.size() / 2, L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.substr(0, text.find(L'\0'));
}

bool ClipboardHas(UINT format)
{
    return IsClipboardFormatAvailable(format) != FALSE;
}

bool PutClipboardBytes(UINT format, const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!block) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!OpenClipboardSoon()) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(format, block) != nullptr;
    if (!set) GlobalFree(block);
    CloseClipboard();
    return set;
}

bool PutClipboardUnicode(const std::wstring& text)
{
    std::string bytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
    return PutClipboardBytes(CF_UNICODETEXT, bytes);
}

bool EmptyTheClipboard()
{
    if (!OpenClipboardSoon()) return false;
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    return emptied;
}

RichEditWindow::RichEditWindow()
{
    // The control reads the clipboard through OLE, as a word processor does.
    if (FAILED(OleInitialize(nullptr))) return;
    oleStarted_ = true;
    library_ = LoadLibraryW(L"riched20.dll");
    if (!library_) return;
    frame_ = CreateWindowExW(0, L"STATIC", L"Pasted", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                             640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!frame_) return;
    edit_ = CreateWindowExW(0, RICHEDIT_CLASSW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                            624, 440, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RichEditWindow::~RichEditWindow()
{
    if (frame_) DestroyWindow(frame_);
    if (library_) FreeLibrary(library_);
    if (oleStarted_) OleUninitialize();
}

std::wstring RichEditWindow::PasteRichText()
{
    if (!edit_) return {};
    SetWindowTextW(edit_, L"");
    // Paste exactly the rich text, as a word processor's Paste Special would.
    SendMessageW(edit_, EM_PASTESPECIAL, RichTextFormat(), 0);
    GETTEXTLENGTHEX length = {GTL_USECRLF | GTL_NUMCHARS, 1200};
    const LRESULT n = SendMessageW(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
    GETTEXTEX get = {};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const LRESULT got = SendMessageW(edit_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    // The top of the document in view, for the screenshot.
    SendMessageW(edit_, EM_SETSEL, 0, 0);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    PumpMessages();
    return text;
}

std::vector<std::wstring> Paragraphs(const std::wstring& text)
{
    std::vector<std::wstring> out;
    std::wstring line;
    auto finish = [&] {
        while (!line.empty() && line.back() == L' ') line.pop_back();
        if (!line.empty()) out.push_back(line);
        line.clear();
    };
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || c == 0x2029 || c == 0x0B) {
            finish();
        } else if (c == L' ' || c == 0x2006) {
            if (!line.empty()) line.push_back(L' ');
        } else {
            line.push_back(c);
        }
    }
    finish();
    return out;
}

namespace {

std::wstring FromUtf8(const std::string& bytes)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

bool StartsWith(const std::wstring& s, const wchar_t* prefix)
{
    return s.compare(0, std::wcslen(prefix), prefix) == 0;
}

std::wstring Hyphens(int p)
{
    return std::wstring(p <= 160 ? p : (p - 160) * 2, L'-');
}

}  // namespace

std::vector<std::wstring> DumpParagraphs(const std::wstring& path)
{
    std::vector<uint8_t> raw;
    if (!ReadWholeFile(path, &raw)) return {};
    const std::wstring text = FromUtf8(std::string(raw.begin(), raw.end()));
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::wstring paragraphs;
    for (const std::wstring& line : lines) {
        std::wstring p;
        if (line.empty() || StartsWith(line, L"#") || StartsWith(line, L"@day ")) continue;
        if (line == L"@rule") p = Hyphens(172);
        else if (line == L"@rule full") p = Hyphens(210);
        else if (StartsWith(line, L"@rule ")) p = Hyphens(std::stoi(line.substr(6)));
        else if (StartsWith(line, L"@head ")) p = line.substr(6);
        else if (StartsWith(line, L"@center-bold ")) p = line.substr(13);
        else if (StartsWith(line, L"@center ")) p = line.substr(8);
        else if (StartsWith(line, L"\\")) p = line.substr(1);
        else p = line;
        // Geresh, gershayim and maqaf are stored as the ASCII marks.
        for (wchar_t& c : p) {
            if (c == 0x5F3) c = L'\'';
            if (c == 0x5F4) c = L'"';
            if (c == 0x5BE) c = L'-';
        }
        paragraphs += p + L"\n";
    }
    return Paragraphs(paragraphs);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    return bytes;
}
