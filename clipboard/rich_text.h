// Rich Text Format for the clipboard: the lesson as a body of 8-bit rich
// text, and whole documents built from it, new or appended to.
#pragma once
#include <cstddef>
#include <cstdint>

// The document's opening (180 bytes): one Hebrew font, black, white and red,
// right-to-left right-aligned 10-point paragraphs, no fallback bytes.
extern const char kRtfHeader[];
// Between an earlier document's content and an appended lesson (52 bytes): a
// red line of five asterisks, centred, then right-aligned black text again.
extern const char kRtfSeparator[];
extern const char kRtfClosing[];  // "}" CR LF
size_t RtfHeaderLength();
size_t RtfSeparatorLength();

// Extra bytes of a clipboard block beyond previous data and body: the header
// or separator, the closing and the terminator, with the margin of old.
constexpr size_t kNewDocumentExtra = 186;
constexpr size_t kAppendedDocumentExtra = 58;

// The bytes BuildRtfBody writes for `wide` (zero-terminated), without the
// terminator: an upper bound that the writing pass never passes.
size_t RtfBodyLength(const char16_t* wide);

// The wide text as rich text: printable ASCII and spaces as they are
// (backslash and braces escaped), each run of CR and LF as "\par\par" CR LF,
// everything else as "\uN" escapes, the Hebrew presentation forms
// decomposed, and a delimiting space after an escape that a space or digit
// follows; "\par\par" CR LF at the end. A new zero-terminated string from
// AllocOrAbort, or nullptr.
char* BuildRtfBody(const char16_t* wide);

// Up to three code points a presentation form at or above U+05EB decomposes
// into; the count, 0 when `c` is not one of the 27 forms.
int DecomposePresentationForm(char16_t c, char16_t out[3]);

// Whether `data` (`length` bytes) is a rich text document one can append to:
// it opens with "{\rtf" after any white space.
bool IsRichTextDocument(const char* data, size_t length);

// The length of an earlier document without its end: trailing CR, LF, space
// and TAB, then one closing brace if it is the last byte left.
size_t StripDocumentEnd(const char* data, size_t length);

// Writes the whole document into `out`, which holds `capacity` bytes: header,
// body and closing when `previous` is none; else the previous document
// without its end, the separator, body and closing. A terminating zero
// follows. Returns the bytes written before the zero, or 0 (nothing written)
// when they would not fit.
size_t ComposeRichText(const char* previous, size_t previousLength, const char* body,
                       size_t bodyLength, char* out, size_t capacity);
