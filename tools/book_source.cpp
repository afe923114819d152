// Month source parser.
#include "book_source.h"

#include <optional>

#include "day_text.h"
#include "utf8.h"

namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

// A decimal number of at most `maxDigits` digits, nothing else.
std::optional<int> ParseDecimal(std::u32string_view s, size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char32_t c : s) {
        if (c < U'0' || c > U'9') return std::nullopt;
        value = value * 10 + static_cast<int>(c - U'0');
    }
    return value;
}

// "0x" and one or two hexadecimal digits.
std::optional<int> ParseHexByte(std::u32string_view s)
{
    if (s.size() < 3 || s.size() > 4 || s[0] != U'0' || (s[1] != U'x' && s[1] != U'X'))
        return std::nullopt;
    int value = 0;
    for (char32_t c : s.substr(2)) {
        int digit;
        if (c >= U'0' && c <= U'9') digit = static_cast<int>(c - U'0');
        else if (c >= U'a' && c <= U'f') digit = static_cast<int>(c - U'a') + 10;
        else if (c >= U'A' && c <= U'F') digit = static_cast<int>(c - U'A') + 10;
        else return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

class Parser {
public:
    Parser(const std::string& file, std::vector<Diagnostic>& problems)
        : file_(file), problems_(problems)
    {
    }

    MonthSource Run(std::string_view bytes)
    {
        size_t pos = 0;
        while (pos < bytes.size()) {
            size_t end = bytes.find('\n', pos);
            if (end == std::string_view::npos) end = bytes.size();
            std::string_view raw = bytes.substr(pos, end - pos);
            if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
            ++line_;
            Line(raw);
            pos = end + 1;
        }
        EndBody();
        month_.lineCount = line_;
        return std::move(month_);
    }

private:
    void Report(SourcePosition at, std::string message)
    {
        problems_.push_back({file_, at, std::move(message)});
    }

    SourcePosition At(size_t index) const { return {line_, static_cast<int>(index) + 1}; }

    void Line(std::string_view raw)
    {
        DecodedLine decoded = DecodeUtf8(raw);
        if (decoded.badColumn) Report({line_, decoded.badColumn}, "bytes that are not UTF-8");
        std::u32string& text = decoded.text;
        // A byte order mark some editors write is no part of the text.
        if (line_ == 1 && !text.empty() && text[0] == U'\uFEFF') text.erase(0, 1);
        // Trailing blanks are invisible in an editor, so they carry nothing.
        size_t end = text.size();
        while (end > 0 && IsBlank(text[end - 1])) --end;
        text.resize(end);

        if (text.empty()) {
            EndBody();
        } else if (text[0] == U'#') {
            // A comment neither adds to nor ends a paragraph.
        } else if (text[0] == U'@') {
            EndBody();
            Instruction(text);
        } else {
            BodyLine(text);
        }
    }

    void BodyLine(const std::u32string& text)
    {
        size_t first = text[0] == U'\\' ? 1 : 0;
        while (first < text.size() && IsBlank(text[first])) ++first;
        if (first == text.size()) {
            EndBody();
            return;
        }
        if (!inBody_) {
            inBody_ = true;
            body_ = SourceParagraph{};
            body_.style = kBodyStyle;
            body_.parameter = 0;
            body_.start = At(first);
        } else {
            // Lines of a paragraph are joined by one space, placed just
            // after the end of the line before.
            body_.text.push_back(U' ');
            body_.where.push_back({lastLine_, lastLineEnd_ + 1});
        }
        for (size_t i = first; i < text.size(); ++i) {
            body_.text.push_back(text[i]);
            body_.where.push_back(At(i));
        }
        lastLine_ = line_;
        lastLineEnd_ = static_cast<int>(text.size());
    }

    void EndBody()
    {
        if (!inBody_) return;
        inBody_ = false;
        Add(std::move(body_));
    }

    // Adds a finished paragraph to the current day.
    void Add(SourceParagraph paragraph)
    {
        if (skipping_) return;
        if (month_.days.empty()) {
            Report(paragraph.start, "text before the first @day");
            return;
        }
        month_.days.back().paragraphs.push_back(std::move(paragraph));
    }

    // The paragraph an instruction makes, its text from `textStart` on.
    SourceParagraph InstructionParagraph(uint8_t style, uint8_t parameter,
                                         const std::u32string& line, size_t textStart)
    {
        SourceParagraph p;
        p.style = style;
        p.parameter = parameter;
        p.start = At(0);
        for (size_t i = textStart; i < line.size(); ++i) {
            p.text.push_back(line[i]);
            p.where.push_back(At(i));
        }
        return p;
    }

    void Instruction(const std::u32string& line)
    {
        const size_t space = line.find(U' ');
        const std::u32string name = line.substr(1, space == std::u32string::npos ? space : space - 1);
        // The instruction's argument starts after exactly one space.
        const size_t restStart = space == std::u32string::npos ? line.size() : space + 1;
        const std::u32string_view rest = std::u32string_view(line).substr(restStart);

        if (name == U"day") {
            const auto n = ParseDecimal(rest, 2);
            if (!n || *n < 1 || *n > 30) {
                Report(At(restStart), "@day needs a day number from 1 to 30");
                // What follows belongs to no day we know; dropping it avoids
                // a cascade of follow-on reports.
                skipping_ = true;
                return;
            }
            skipping_ = false;
            month_.days.push_back(SourceDay{*n, At(0), {}});
        } else if (name == U"head") {
            Add(InstructionParagraph(kHeadStyle, kHeadParameter, line, restStart));
        } else if (name == U"center") {
            Add(InstructionParagraph(kCenterStyle, 0, line, restStart));
        } else if (name == U"center-bold") {
            Add(InstructionParagraph(kCenterBoldStyle, 0, line, restStart));
        } else if (name == U"rule") {
            int width = -1;
            if (rest.empty()) width = kShortRuleWidth;
            else if (rest == U"full") width = kFullRuleWidth;
            else if (const auto n = ParseDecimal(rest, 3); n && *n >= 1 && *n <= 255) width = *n;
            if (width < 0) {
                Report(At(restStart), "@rule takes nothing, 'full' or a width code from 1 to 255");
                return;
            }
            Add(InstructionParagraph(kRuleStyle, static_cast<uint8_t>(width), line, line.size()));
        } else if (name == U"style") {
            Style(line, restStart);
        } else {
            Report(At(0), "unknown instruction @" + EncodeUtf8(name));
        }
    }

    // @style 0xSS P TEXT
    void Style(const std::u32string& line, size_t styleStart)
    {
        size_t styleEnd = line.find(U' ', styleStart);
        if (styleEnd == std::u32string::npos) styleEnd = line.size();
        const auto style =
            ParseHexByte(std::u32string_view(line).substr(styleStart, styleEnd - styleStart));
        if (!style || *style == 0) {
            Report(At(styleStart), "@style needs a style byte from 0x01 to 0xFF");
            return;
        }
        const size_t parameterStart = std::min(styleEnd + 1, line.size());
        size_t parameterEnd = line.find(U' ', parameterStart);
        if (parameterEnd == std::u32string::npos) parameterEnd = line.size();
        const auto parameter = ParseDecimal(
            std::u32string_view(line).substr(parameterStart, parameterEnd - parameterStart), 3);
        if (!parameter || *parameter > 255) {
            Report(At(parameterStart), "@style needs a parameter from 0 to 255");
            return;
        }
        const size_t textStart = std::min(parameterEnd + 1, line.size());
        if (IsRuleStyle(static_cast<uint8_t>(*style)) && textStart < line.size()) {
            Report(At(textStart), "a rule style (low three bits set) carries no text");
            return;
        }
        Add(InstructionParagraph(static_cast<uint8_t>(*style), static_cast<uint8_t>(*parameter), line,
                        textStart));
    }

    const std::string& file_;
    std::vector<Diagnostic>& problems_;
    MonthSource month_;
    int line_ = 0;
    bool inBody_ = false;
    bool skipping_ = false;
    SourceParagraph body_;
    int lastLine_ = 0;
    int lastLineEnd_ = 0;
};

}  // namespace

MonthSource ParseMonthSource(std::string_view bytes, const std::string& file,
                             std::vector<Diagnostic>& problems)
{
    return Parser(file, problems).Run(bytes);
}
