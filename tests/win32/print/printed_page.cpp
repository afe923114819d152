// Reading printed pages back.
#include "printed_page.h"

#include <algorithm>

const wchar_t kHeaderMarkReading[] = L"\u05D1\u05E1\"\u05D3";

namespace {

bool IsHebrewLetter(wchar_t c)
{
    return c >= 0x5D0 && c <= 0x5EA;
}

std::vector<std::wstring> HebrewWords(const std::wstring& text)
{
    std::vector<std::wstring> words;
    std::wstring word;
    // Quotes stand inside abbreviations; any other mark or space ends a
    // word (pdftotext sometimes drops the space after a comma).
    for (wchar_t c : text + L" ") {
        if (IsHebrewLetter(c)) {
            word.push_back(c);
        } else if (c != L'"' && c != L'\'' && !(c >= 0x200E && c <= 0x202E)) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        }
    }
    return words;
}

}  // namespace

InkBox InkOf(const PagePicture& page)
{
    InkBox box;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (!page.ink(x, y)) continue;
            if (box.empty()) {
                box = {x, y, x, y};
                continue;
            }
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

std::vector<int> BaselineDistances(const PagePicture& page, int top, int bottom)
{
    std::vector<int> baselines;
    int bandStart = -1, best = -1, bestCount = 0;
    for (int y = std::max(0, top); y <= std::min(bottom, page.height - 1) + 1; ++y) {
        int count = 0;
        if (y < page.height && y <= bottom)
            for (int x = 0; x < page.width; ++x) count += page.ink(x, y);
        if (count > 0) {
            if (bandStart < 0) bandStart = y, bestCount = 0;
            if (count >= bestCount) best = y, bestCount = count;
        } else if (bandStart >= 0) {
            baselines.push_back(best);
            bandStart = -1;
        }
    }
    std::vector<int> distances;
    for (size_t i = 1; i < baselines.size(); ++i) distances.push_back(baselines[i] - baselines[i - 1]);
    return distances;
}

std::vector<std::wstring> LessonWords(const std::vector<uint8_t>& lesson)
{
    std::vector<std::wstring> words;
    size_t at = 0;
    while (at + 2 <= lesson.size() && lesson[at] != 0) {
        const uint8_t style = lesson[at];
        size_t end = at + 2;
        while (end < lesson.size() && lesson[end] != 0) ++end;
        if ((style & 7) != 7) {
            std::vector<uint8_t> bytes(lesson.begin() + long(at) + 2, lesson.begin() + long(end));
            // Display-order paragraphs read from their last byte.
            if (style & 0x10) std::reverse(bytes.begin(), bytes.end());
            std::wstring text;
            for (uint8_t b : bytes)
                text.push_back(b >= 0x61 && b <= 0x7B ? wchar_t(0x5D0 + b - 0x61) : wchar_t(b));
            for (std::wstring& w : HebrewWords(text)) words.push_back(w);
        }
        at = end + 1;
    }
    // As on paper, where the mark's own letters are left out.
    const std::wstring mark = L"\u05D1\u05E1\u05D3";
    words.erase(std::remove(words.begin(), words.end(), mark), words.end());
    return words;
}

std::vector<std::wstring> PrintedWords(const std::wstring& text)
{
    std::vector<std::wstring> words = HebrewWords(text);
    const std::wstring mark = L"\u05D1\u05E1\u05D3";
    words.erase(std::remove(words.begin(), words.end(), mark), words.end());
    return words;
}

size_t WordsOutOfOrder(const std::vector<std::wstring>& printed, const std::vector<std::wstring>& lesson)
{
    // Longest common subsequence, one row at a time.
    std::vector<size_t> previous(lesson.size() + 1, 0), current(lesson.size() + 1, 0);
    for (const std::wstring& word : printed) {
        for (size_t j = 0; j < lesson.size(); ++j)
            current[j + 1] = word == lesson[j] ? previous[j] + 1 : std::max(previous[j + 1], current[j]);
        std::swap(previous, current);
    }
    return std::max(printed.size(), lesson.size()) - previous[lesson.size()];
}

bool SameWords(std::vector<std::wstring> a, std::vector<std::wstring> b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}
