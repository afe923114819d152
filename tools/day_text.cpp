// Paragraph records of a day's lesson text.
#include "day_text.h"

std::vector<uint8_t> EncodeDayText(const std::vector<Paragraph>& paragraphs)
{
    std::vector<uint8_t> out;
    for (const Paragraph& p : paragraphs) {
        out.push_back(p.style);
        out.push_back(p.parameter);
        out.insert(out.end(), p.text.begin(), p.text.end());
        out.push_back(0);
    }
    out.insert(out.end(), kDayTextTrailer, 0);
    return out;
}

bool DecodeDayText(std::span<const uint8_t> bytes, std::vector<Paragraph>& paragraphs,
                   std::string* error)
{
    auto fail = [&](const std::string& why, size_t at) {
        if (error) *error = why + " at byte " + std::to_string(at);
        return false;
    };
    paragraphs.clear();
    size_t pos = 0;
    while (pos < bytes.size() && bytes[pos] != 0) {
        const size_t start = pos;
        if (bytes.size() - pos < 3) return fail("paragraph record cut short", start);
        Paragraph p;
        p.style = bytes[pos++];
        p.parameter = bytes[pos++];
        while (pos < bytes.size() && bytes[pos] != 0) p.text.push_back(bytes[pos++]);
        if (pos == bytes.size()) return fail("paragraph without its closing zero", start);
        ++pos;
        paragraphs.push_back(std::move(p));
    }
    if (bytes.size() - pos != kDayTextTrailer) return fail("no end marker and two zeros", pos);
    for (size_t i = pos; i < bytes.size(); ++i)
        if (bytes[i] != 0) return fail("bytes after the end marker", i);
    return true;
}
