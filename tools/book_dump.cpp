// Dump of containers as book source.
#include "book_dump.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bidi_order.h"
#include "lessons/lesson_store.h"
#include "page/letter_code.h"
#include "utf8.h"

namespace {

uint16_t ReadBigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

std::string StyleHex(uint8_t style)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", style);
    return text;
}

// An instruction and its text; the text follows after a single space.
std::string WithText(const std::string& instruction, const std::string& text)
{
    return text.empty() ? instruction : instruction + " " + text;
}

}  // namespace

bool ReadContainerDays(const std::vector<uint8_t>& container,
                       std::vector<std::vector<uint8_t>>& days, std::string* error)
{
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    days.clear();
    const size_t size = container.size();
    if (size < kContainerHeaderSize) return fail("shorter than a container header");
    const uint8_t* base = container.data();
    if (ReadBigEndian16(base) != size - kContainerHeaderSize)
        return fail("its length field says " + std::to_string(ReadBigEndian16(base)) +
                    " bytes follow the header, but " + std::to_string(size - kContainerHeaderSize) +
                    " do");
    if (ReadBigEndian16(base + 2) != 1) return fail("kind is not 1");
    const size_t count = ReadBigEndian16(base + 4);

    // The record headers give each day's length; the text itself comes from
    // the program's own reader, so a dump shows what the program would show.
    size_t pos = kContainerHeaderSize;
    for (size_t i = 0; i < count; ++i) {
        if (pos + kRecordHeaderSize > size) return fail("record " + std::to_string(i + 1) + " cut short");
        const size_t compressed = ReadBigEndian16(base + pos);
        const size_t decoded = ReadBigEndian16(base + pos + 2);
        if (compressed == 0) return fail("record " + std::to_string(i + 1) + " is empty");
        int reason = 0;
        std::unique_ptr<uint8_t, decltype(&std::free)> text(
            FindDayRecord(base, size, static_cast<int>(i), &reason), &std::free);
        if (!text)
            return fail("record " + std::to_string(i + 1) + " does not decode (reason " +
                        std::to_string(reason) + ")");
        days.emplace_back(text.get(), text.get() + decoded);
        pos += kRecordHeaderSize + compressed;
    }
    if (pos + 4 != size) return fail("the records do not end in the four-byte terminator");
    for (size_t i = pos; i < size; ++i)
        if (base[i] != 0) return fail("the terminator is not zero");
    return true;
}

std::string ParagraphSource(const Paragraph& p, std::vector<std::string>& warnings)
{
    std::u32string stored;
    for (uint8_t b : p.text) stored.push_back(DisplayUnit(b, kUnicodeLetterBase));
    const std::u32string reading = IsDisplayOrderStyle(p.style) ? ReorderRightToLeft(stored) : stored;
    std::string text = EncodeUtf8(reading);

    const std::string where = "paragraph " + StyleHex(p.style) + " " + std::to_string(p.parameter);
    for (char32_t c : reading)
        if (LetterByteFromUnicode(c) < 0) {
            warnings.push_back(where + ": " + DescribeCharacter(c) + " has no source form");
            break;
        }
    if (!reading.empty() && (reading.back() == U' ' || reading.back() == U'\t'))
        warnings.push_back(where + ": text ends in a blank, which the source drops");
    if (IsDisplayOrderStyle(p.style) && ReorderRightToLeft(reading) != stored)
        warnings.push_back(where + ": display order does not come back from reading order");

    if (p.style == kRuleStyle && p.text.empty()) {
        if (p.parameter == kShortRuleWidth) return "@rule";
        if (p.parameter == kFullRuleWidth) return "@rule full";
        if (p.parameter != 0) return "@rule " + std::to_string(p.parameter);
    }
    if (IsRuleStyle(p.style) && !p.text.empty())
        warnings.push_back(where + ": a rule with text, which the source cannot write");
    if (p.style == kHeadStyle && p.parameter == kHeadParameter) return WithText("@head", text);
    if (p.style == kCenterStyle && p.parameter == 0) return WithText("@center", text);
    if (p.style == kCenterBoldStyle && p.parameter == 0) return WithText("@center-bold", text);
    // Body lines lose leading blanks, and a first "@", "#" or "\" needs the
    // backslash that keeps it text.
    if (p.style == kBodyStyle && p.parameter == 0 && !reading.empty() && reading[0] != U' ' &&
        reading[0] != U'\t') {
        if (reading[0] == U'@' || reading[0] == U'#' || reading[0] == U'\\') return "\\" + text;
        return text;
    }
    return WithText("@style " + StyleHex(p.style) + " " + std::to_string(p.parameter), text);
}

std::string DaySource(int day, const std::vector<Paragraph>& paragraphs,
                      std::vector<std::string>& warnings)
{
    std::string out = "@day " + std::to_string(day) + "\n";
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        std::vector<std::string> found;
        const std::string line = ParagraphSource(paragraphs[i], found);
        out += line + "\n";
        for (const std::string& w : found) warnings.push_back("day " + std::to_string(day) + ", " + w);
        // A body line runs on into the next line unless an empty line ends it.
        const bool bodyLine = line.empty() || line[0] != '@';
        if (bodyLine && i + 1 < paragraphs.size()) out += "\n";
    }
    return out;
}
