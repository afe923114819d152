// Where a continued search begins in the shown lesson.
#pragma once
#include <cstdint>

#include "page/text_view.h"

// After the previous hit while it is still on the top line, otherwise from
// the top line's last byte: the offset of the top line's last byte when the
// hit is not on it and the view can still scroll down; else, when the hit
// starts the top line, the end of the line after it (0 at the end of the
// lines: the lesson from its beginning); else one below the hit's start,
// which without a hit is 65535, beyond every lesson. 65535 for a view
// without lines.
uint16_t SearchStartOffset(const TextView* view);
