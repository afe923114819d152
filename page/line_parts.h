// Where the parts of one laid-out line lie: the main part and, on the first
// line of a hanging paragraph, the hanging word and its column.
#pragma once
#include <cstdint>

#include "page/text_view.h"

struct LineParts {
    uint16_t mainStart;  // first stored byte of the main part (count bytes)
    uint16_t hangStart;  // first stored byte of the hanging word
    uint16_t hangCount;  // 0 when the line has no hanging word
};

// Display-order text keeps the hanging word after the main part in the
// stored bytes (it is the reading start); reading-order text before it.
LineParts SplitLine(const uint8_t* text, const LineItem& line);

// Left edge at which a hanging word `wordWidth` wide is drawn: flush right
// in a column right of the main part for right-aligned and centred lines
// (where the layout kept the column), at the start of a column left of it
// for left-aligned ones. Either way it stays inside the text area.
int32_t HangingWordX(const LineItem& line, int32_t wordWidth);
