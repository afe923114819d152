// Copy and Append to ClipBoard on the real Lumora.exe: what lands on the
// clipboard, what a rich edit control makes of it, and foreign data.
#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "clipboard_support.h"
#include "e2e/book_days.h"
#include "e2e/lumora_process.h"
#include "e2e/reader_setup.h"
#include "resource_ids.h"
#include "test_paths.h"

namespace {

constexpr uint16_t kFirstKey = 0x0919;   // 25 Kislev: two entries, quotes, brackets
constexpr uint16_t kSecondKey = 0x091A;  // 26 Kislev
const std::string kHeaderStart = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}";
const std::string kSeparator = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
const std::string kEnding = "\\par\\par\r\n}\r\n";

std::wstring OutPath(const wchar_t* name)
{
    return ScreensDirPath() + L"\\" + name;
}

// The day's paragraphs as the book tool's dump gives them (the suite leaves
// it next to the screenshots).
std::vector<std::wstring> Expected(uint16_t key)
{
    wchar_t name[32];
    swprintf(name, 32, L"lesson-%04X.txt", key);
    return DumpParagraphs(OutPath(name));
}

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

size_t Count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

void SaveExpected(const wchar_t* name, const std::vector<std::wstring>& paragraphs)
{
    std::wstring text;
    for (const std::wstring& p : paragraphs) text += p + L"\n";
    EXPECT_TRUE(WriteBytes(OutPath(name), Utf8(text)));
}

void PrintFirstLines(const char* what, const std::vector<std::wstring>& paragraphs)
{
    std::printf("%s, first lines:\n", what);
    for (size_t i = 0; i < paragraphs.size() && i < 7; ++i)
        std::printf("  | %s\n", Utf8(paragraphs[i]).c_str());
    std::fflush(stdout);
}

class ClipboardExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ScreensDirPath().empty()) << "the suite passes the folder with the day dumps";
        first_ = Expected(kFirstKey);
        second_ = Expected(kSecondKey);
        ASSERT_GT(first_.size(), 6u) << "no dump of the first day";
        ASSERT_GT(second_.size(), 3u) << "no dump of the second day";
        ASSERT_TRUE(EmptyTheClipboard());
    }

    // Starts the reader on `key` with the Unicode base or `letterBase`.
    HWND Start(LumoraProcess& lumora, uint16_t key, uint32_t flags = kReadableFlags | kPinnedFlag,
               long letterBase = 0x5D0)
    {
        ReaderSetup setup;
        setup.day = DayWithLesson(key, Today());
        setup.flags = flags;
        setup.letterBase = letterBase;
        Seed(setup);
        return lumora.StartAndWait();
    }

    // Runs `act` and waits until the clipboard has changed since.
    template <typename Act>
    bool Changes(Act act)
    {
        const DWORD before = GetClipboardSequenceNumber();
        act();
        return PollUntil([&] { return GetClipboardSequenceNumber() != before; }, 10000);
    }

    std::vector<std::wstring> first_, second_;
};

std::vector<std::wstring> Joined(std::vector<std::wstring> a, const std::wstring& line,
                                 const std::vector<std::wstring>& b)
{
    a.push_back(line);
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(ClipboardExport, CtrlCPutsRichTextThatARichEditReadsInReadingOrder)
{
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey));
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'C')); }));
    const std::string rtf = ClipboardRichText();
    EXPECT_EQ(rtf.substr(0, kHeaderStart.size()), kHeaderStart);
    EXPECT_TRUE(EndsWith(rtf, kEnding));
    EXPECT_FALSE(ClipboardHas(CF_UNICODETEXT)) << "rich text only with the Unicode base";
    // The reader opens the clipboard for its own window.
    EXPECT_EQ(GetClipboardOwner(), lumora.mainWindow());
    EXPECT_TRUE(WriteBytes(OutPath(L"copy.rtf"), rtf));
    SaveExpected(L"copy-expected.txt", first_);

    RichEditWindow edit;
    ASSERT_TRUE(edit.ok());
    const std::vector<std::wstring> pasted = Paragraphs(edit.PasteRichText());
    EXPECT_EQ(pasted, first_);
    PrintFirstLines("rich edit after Copy", pasted);
    Screenshot(edit.frame(), L"richedit-copy");
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST_F(ClipboardExport, ReverseOnAndOffExportTheSameText)
{
    std::string withReverse, withoutReverse;
    for (const uint32_t flags : {kReadableFlags | kPinnedFlag, (kReadableFlags & ~kReverseFlag) | kPinnedFlag}) {
        LumoraProcess lumora;
        ASSERT_TRUE(Start(lumora, kFirstKey, flags));
        ASSERT_TRUE(Changes([&] { lumora.SendCommand(IDC_COPY); }));
        ((flags & kReverseFlag) ? withReverse : withoutReverse) = ClipboardRichText();
        EXPECT_EQ(lumora.CloseAndWait(), 0);
        ASSERT_TRUE(EmptyTheClipboard());
    }
    EXPECT_GT(withReverse.size(), 1000u);
    EXPECT_EQ(withReverse, withoutReverse);
}

TEST_F(ClipboardExport, CtrlETwiceCollectsTwoDaysWithTheSeparatorBetween)
{
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey));
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'E')); }));
    const std::string once = ClipboardRichText();
    lumora.SendCommand(IDC_NEXT_DAY);
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'E')); }));
    const std::string twice = ClipboardRichText();
    EXPECT_EQ(once.substr(0, kHeaderStart.size()), kHeaderStart);
    EXPECT_EQ(Count(twice, "{\\rtf1"), 1u);
    EXPECT_EQ(Count(twice, kSeparator), 1u);
    // The first document's closing brace gave way to the separator.
    EXPECT_EQ(twice.substr(0, once.size() - 3), once.substr(0, once.size() - 3));
    EXPECT_EQ(twice.substr(once.size() - 3, kSeparator.size()), kSeparator);
    EXPECT_TRUE(EndsWith(twice, kEnding));
    EXPECT_TRUE(WriteBytes(OutPath(L"append-twice.rtf"), twice));
    const auto expected = Joined(first_, L"*  *  *  *  *", second_);
    SaveExpected(L"append-twice-expected.txt", expected);

    RichEditWindow edit;
    ASSERT_TRUE(edit.ok());
    const std::vector<std::wstring> pasted = Paragraphs(edit.PasteRichText());
    EXPECT_EQ(pasted, expected);
    Screenshot(edit.frame(), L"richedit-append-twice");
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST_F(ClipboardExport, AppendOntoPlainTextStartsARichTextDocument)
{
    ASSERT_TRUE(PutClipboardUnicode(L"plain words"));
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey));
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'E')); }));
    const std::string rtf = ClipboardRichText();
    EXPECT_EQ(rtf.substr(0, kHeaderStart.size()), kHeaderStart);
    EXPECT_EQ(Count(rtf, kSeparator), 0u);
    RichEditWindow edit;
    ASSERT_TRUE(edit.ok());
    EXPECT_EQ(Paragraphs(edit.PasteRichText()), first_);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST_F(ClipboardExport, CodePageBaseGivesPlainTextAndAppendsRightAfterTheOldText)
{
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey, kReadableFlags | kPinnedFlag, 224));
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'C')); }));
    EXPECT_FALSE(ClipboardHas(RichTextFormat()));
    const std::wstring copied = ClipboardUnicodeText();
    // Converted as drawn: Reverse on turns display order into reading order
    // here (the day has no numbers), in the code page's letter positions.
    std::vector<std::wstring> expected = first_;
    for (std::wstring& p : expected)
        for (wchar_t& c : p)
            if (c >= 0x5D0 && c <= 0x5EA) c = static_cast<wchar_t>(c - 0x5D0 + 224);
    EXPECT_EQ(Paragraphs(copied), expected);

    ASSERT_TRUE(PutClipboardUnicode(L"old text"));
    ASSERT_TRUE(Changes([&] { EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'E')); }));
    EXPECT_EQ(ClipboardUnicodeText(), L"old text" + copied);
    EXPECT_FALSE(ClipboardHas(RichTextFormat()));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

// Peak memory of the reader's process, in bytes: the larger of its peak
// working set and its peak committed memory.
SIZE_T PeakMemory(const LumoraProcess& lumora)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, lumora.processId());
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    const BOOL ok = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process) CloseHandle(process);
    if (!ok) return 0;
    std::printf("reader memory: working set %lu KB (peak %lu KB), committed %lu KB (peak %lu KB)\n",
                static_cast<unsigned long>(counters.WorkingSetSize / 1024),
                static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(counters.PagefileUsage / 1024),
                static_cast<unsigned long>(counters.PeakPagefileUsage / 1024));
    return counters.PeakWorkingSetSize > counters.PeakPagefileUsage ? counters.PeakWorkingSetSize
                                                                    : counters.PeakPagefileUsage;
}

TEST_F(ClipboardExport, ForeignRichTextBeforeAppend)
{
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey));
    ASSERT_TRUE(Changes([&] { lumora.SendCommand(IDC_COPY); }));
    const std::string copy = ClipboardRichText();
    const std::string body = copy.substr(180, copy.size() - 180 - 3);

    std::string binary;
    for (int i = 0; i < 5000; ++i) binary.push_back(static_cast<char>(1 + (i * 37) % 255));
    const std::string huge = "{\\rtf1\\ansi " + std::string(10 << 20, 'x') + "}";
    struct Case {
        const char* name;
        std::string data;   // the whole block, no terminator unless written
        std::string kept;   // what stays before the separator; "" = new document
    } cases[] = {
        {"ten megabytes", huge, huge.substr(0, huge.size() - 1)},
        {"no closing brace", "{\\rtf1 abc", "{\\rtf1 abc"},
        {"only white space", std::string(" \r\n\t  \0", 7), ""},
        {"binary, no terminator", binary, ""},
        {"rich text then binary, no terminator", "{\\rtf1 " + binary, "{\\rtf1 " + binary},
        {"stops at its zero byte", std::string("{\\rtf1 a}\0garbage}", 18), "{\\rtf1 a"},
    };
    const SIZE_T before = PeakMemory(lumora);
    ASSERT_GT(before, 0u) << "the reader's memory cannot be read";
    for (const Case& c : cases) {
        ASSERT_TRUE(PutClipboardBytes(RichTextFormat(), c.data)) << c.name;
        ASSERT_TRUE(Changes([&] { lumora.SendCommand(IDC_APPEND); })) << c.name;
        ASSERT_TRUE(lumora.Running()) << c.name;
        const std::string after = ClipboardRichText();
        if (c.kept.empty()) EXPECT_EQ(after, copy) << c.name;
        else EXPECT_TRUE(after == c.kept + kSeparator + body + "}\r\n") << c.name << ": " << after.size();
    }
    // Ten megabytes in: the copy, the new block and the system's own copies.
    const SIZE_T peak = PeakMemory(lumora);
    std::printf("peak memory %lu KB before, %lu KB after the foreign data\n",
                static_cast<unsigned long>(before / 1024), static_cast<unsigned long>(peak / 1024));
    EXPECT_LT(peak - before, SIZE_T{6} * huge.size());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST_F(ClipboardExport, ForeignUnicodeTextBeforeAppend)
{
    LumoraProcess lumora;
    ASSERT_TRUE(Start(lumora, kFirstKey, kReadableFlags | kPinnedFlag, 224));
    ASSERT_TRUE(Changes([&] { lumora.SendCommand(IDC_COPY); }));
    const std::wstring copied = ClipboardUnicodeText();
    ASSERT_FALSE(copied.empty());
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        {"odd byte length", std::string("a\0b\0c\0d", 7)},
        {"no terminator", std::string("x\0y\0z\0", 6)},
        {"a zero inside", std::string("p\0\0\0q\0", 6)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(PutClipboardBytes(CF_UNICODETEXT, c.data)) << c.name;
        // What the clipboard serves, up to a zero unit or its block's end
        // (Wine closes an unterminated text with a zero of its own).
        const std::wstring served = ClipboardUnicodeText();
        EXPECT_FALSE(served.empty()) << c.name;
        std::wstring units(c.data.size() / 2, L'\0');
        std::memcpy(units.data(), c.data.data(), units.size() * 2);
        EXPECT_EQ(units.compare(0, served.size(), served), 0) << c.name;
        ASSERT_TRUE(Changes([&] { lumora.SendCommand(IDC_APPEND); })) << c.name;
        ASSERT_TRUE(lumora.Running()) << c.name;
        EXPECT_EQ(ClipboardUnicodeText(), served + copied) << c.name;
    }
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST_F(ClipboardExport, ClipboardHeldOpenElsewhereChangesNothing)
{
    for (const long base : {0x5D0L, 224L}) {
        const std::string keep = "{\\rtf1 keep me}";
        ASSERT_TRUE(PutClipboardBytes(RichTextFormat(), keep));
        LumoraProcess lumora;
        ASSERT_TRUE(Start(lumora, kFirstKey, kReadableFlags | kPinnedFlag, base));
        OtherProgramWindow other;
        const DWORD sequence = GetClipboardSequenceNumber();
        ASSERT_TRUE(OpenClipboard(other.window()));
        lumora.SendCommand(IDC_COPY);
        lumora.SendCommand(IDC_APPEND);
        CloseClipboard();
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << base;
        EXPECT_EQ(ClipboardRichText(), keep) << base;
        EXPECT_FALSE(ClipboardHas(CF_UNICODETEXT)) << base;
        ASSERT_TRUE(lumora.Running());
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
}

}  // namespace
