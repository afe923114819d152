// What a printed page shows, found in its rendered pixels and its text: the
// inked box, the rows of text, and the lesson's words in reading order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "pdf_printer.h"

struct InkBox {
    int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1: no ink
    bool empty() const { return left < 0; }
};
// The box around every dark pixel of the page.
InkBox InkOf(const PagePicture& page);

// The distances between the baselines of consecutive rows of text (the row
// of most ink in each band of inked rows), from top to bottom.
std::vector<int> BaselineDistances(const PagePicture& page, int top, int bottom);

// The Hebrew words of a lesson text, in reading order, letters only (a
// word that spells the header mark left out, as in PrintedWords).
std::vector<std::wstring> LessonWords(const std::vector<uint8_t>& lesson);
// The Hebrew words of printed text, letters only, less the header mark.
std::vector<std::wstring> PrintedWords(const std::wstring& text);

// How many words of the larger list are not part of the longest run the
// two lists share in order: 0 when printed in the lesson's reading order.
size_t WordsOutOfOrder(const std::vector<std::wstring>& printed, const std::vector<std::wstring>& lesson);
// Whether both hold the same words as often, in any order.
bool SameWords(std::vector<std::wstring> a, std::vector<std::wstring> b);

// The header mark as it reads: Bet, Samekh, the quote, Dalet.
extern const wchar_t kHeaderMarkReading[];
