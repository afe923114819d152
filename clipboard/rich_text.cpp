// The lesson as Rich Text Format: body, header, separator and the appending
// of one document to another.
#include "clipboard/rich_text.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "shell/alloc_or_abort.h"

const char kRtfHeader[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"
    "\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n";
const char kRtfSeparator[] = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
const char kRtfClosing[] = "}\r\n";

size_t RtfHeaderLength() { return sizeof kRtfHeader - 1; }
size_t RtfSeparatorLength() { return sizeof kRtfSeparator - 1; }

namespace {

constexpr char kParagraphEnd[] = "\\par\\par\r\n";

// The Unicode canonical decompositions of the Hebrew presentation forms.
struct Decomposition {
    char16_t form;
    char16_t parts[3];
};
constexpr Decomposition kDecompositions[27] = {
    {0xFB2A, {0x05E9, 0x05C1}},         {0xFB2B, {0x05E9, 0x05C2}},
    {0xFB2C, {0x05E9, 0x05BC, 0x05C1}}, {0xFB2D, {0x05E9, 0x05BC, 0x05C2}},
    {0xFB30, {0x05D0, 0x05BC}},         {0xFB31, {0x05D1, 0x05BC}},
    {0xFB32, {0x05D2, 0x05BC}},         {0xFB33, {0x05D3, 0x05BC}},
    {0xFB34, {0x05D4, 0x05BC}},         {0xFB35, {0x05D5, 0x05BC}},
    {0xFB36, {0x05D6, 0x05BC}},         {0xFB38, {0x05D8, 0x05BC}},
    {0xFB39, {0x05D9, 0x05BC}},         {0xFB3A, {0x05DA, 0x05BC}},
    {0xFB3B, {0x05DB, 0x05BC}},         {0xFB3C, {0x05DC, 0x05BC}},
    {0xFB3E, {0x05DE, 0x05BC}},         {0xFB40, {0x05E0, 0x05BC}},
    {0xFB41, {0x05E1, 0x05BC}},         {0xFB43, {0x05E3, 0x05BC}},
    {0xFB44, {0x05E4, 0x05BC}},         {0xFB46, {0x05E6, 0x05BC}},
    {0xFB47, {0x05E7, 0x05BC}},         {0xFB48, {0x05E8, 0x05BC}},
    {0xFB49, {0x05E9, 0x05BC}},         {0xFB4A, {0x05EA, 0x05BC}},
    {0xFB4B, {0x05D5, 0x05B9}},
};

// Appends bytes to the output, or only counts them when there is none.
struct Sink {
    char* out;
    size_t length;

    void Put(const char* bytes, size_t n)
    {
        if (out) std::memcpy(out + length, bytes, n);
        length += n;
    }
    void Put(char byte) { Put(&byte, 1); }
    void Escape(char16_t c)
    {
        char text[12];
        const int n = std::snprintf(text, sizeof text, "\\u%u", static_cast<unsigned>(c));
        Put(text, static_cast<size_t>(n));
    }
};

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// One pass over the wide text; the measuring pass and the writing pass are
// the same code, so the measure is exact.
//
// A space or a digit right after a "\uN" escape would be read as part of it
// (a space as its delimiter, a digit as more of its number), so the escape
// gets a delimiting space first; elsewhere spaces and digits are written as
// they are, or a word processor would show two spaces after every mark.
void EmitBody(const char16_t* wide, Sink& sink)
{
    size_t i = 0;
    bool afterEscape = false;
    while (wide[i] != 0) {
        const char16_t c = wide[i];
        if (afterEscape && (c == u' ' || (c >= u'0' && c <= u'9'))) sink.Put(' ');
        afterEscape = false;
        if (c == u' ') {
            while (wide[i] == u' ') {
                sink.Put(' ');
                ++i;
            }
            continue;
        }
        if (IsLineBreak(c)) {
            while (IsLineBreak(wide[i])) ++i;
            sink.Put(kParagraphEnd, sizeof kParagraphEnd - 1);
            continue;
        }
        ++i;
        if (c >= 0x21 && c <= 0x7E) {
            if (c == u'\\' || c == u'{' || c == u'}') sink.Put('\\');
            sink.Put(static_cast<char>(c));
            continue;
        }
        char16_t parts[3];
        const int n = DecomposePresentationForm(c, parts);
        if (n == 0) sink.Escape(c);
        for (int k = 0; k < n; ++k) sink.Escape(parts[k]);
        afterEscape = true;
    }
    sink.Put(kParagraphEnd, sizeof kParagraphEnd - 1);
}

bool IsDocumentEndSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

}  // namespace

int DecomposePresentationForm(char16_t c, char16_t out[3])
{
    if (c < 0x05EB) return 0;
    for (const Decomposition& d : kDecompositions) {
        if (d.form != c) continue;
        int n = 0;
        while (n < 3 && d.parts[n] != 0) {
            out[n] = d.parts[n];
            ++n;
        }
        return n;
    }
    return 0;
}

size_t RtfBodyLength(const char16_t* wide)
{
    Sink measure{nullptr, 0};
    EmitBody(wide, measure);
    return measure.length;
}

char* BuildRtfBody(const char16_t* wide)
{
    const size_t length = RtfBodyLength(wide);
    auto* body = static_cast<char*>(AllocOrAbort(length + 1));
    if (!body) return nullptr;
    Sink write{body, 0};
    EmitBody(wide, write);
    body[write.length] = 0;
    return body;
}

bool IsRichTextDocument(const char* data, size_t length)
{
    size_t i = 0;
    while (i < length && IsDocumentEndSpace(data[i])) ++i;
    return length - i >= 5 && std::memcmp(data + i, "{\\rtf", 5) == 0;
}

size_t StripDocumentEnd(const char* data, size_t length)
{
    while (length > 0 && IsDocumentEndSpace(data[length - 1])) --length;
    if (length > 0 && data[length - 1] == '}') --length;
    return length;
}

size_t ComposeRichText(const char* previous, size_t previousLength, const char* body,
                       size_t bodyLength, char* out, size_t capacity)
{
    const char* opening = kRtfHeader;
    size_t openingLength = RtfHeaderLength();
    size_t kept = 0;
    if (previous) {
        kept = StripDocumentEnd(previous, previousLength);
        opening = kRtfSeparator;
        openingLength = RtfSeparatorLength();
    }
    const size_t closingLength = sizeof kRtfClosing - 1;
    // Each term is checked against what is left, so no sum can wrap.
    size_t left = capacity;
    for (const size_t part : {kept, openingLength, bodyLength, closingLength, size_t{1}}) {
        if (part > left) return 0;
        left -= part;
    }
    Sink sink{out, 0};
    if (kept) sink.Put(previous, kept);
    sink.Put(opening, openingLength);
    sink.Put(body, bodyLength);
    sink.Put(kRtfClosing, closingLength);
    out[sink.length] = 0;
    return sink.length;
}
