// Right-to-left paragraph reordering between reading order and the display
// order that paragraphs of display-order styles are stored in.
#pragma once
#include <string>

// Reorders one paragraph as a right-to-left paragraph (GNU FriBidi,
// fribidi_log2vis with mirroring): Hebrew runs reverse, digit runs keep their
// left-to-right order, brackets are mirrored. The same call takes stored
// display order back to reading order, exactly when ReorderIsReversible.
std::u32string ReorderRightToLeft(const std::u32string& text);

// True when reordering the reordered text gives `text` back. Returns the
// index of the first character that comes back different in `firstDifference`.
bool ReorderIsReversible(const std::u32string& text, size_t* firstDifference);
