// The right-to-left reordering of one paragraph without explicit embeddings,
// for the characters converted lesson text can hold (Latin-1 and the Hebrew
// block): weak types, neutrals, levels 1 and 2, then the reversal of runs.
#include "clipboard/reading_order.h"

#include <cstdlib>

namespace {

enum BidiType : uint8_t { L, R, EN, ES, ET, CS, WS, S, B, ON };

BidiType TypeOf(char16_t c)
{
    if (c >= 0x590 && c <= 0x5FF) return R;
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return L;
    if (c >= u'0' && c <= u'9') return EN;
    switch (c) {
    case 0xAA: case 0xB5: case 0xBA: return L;
    case 0xB2: case 0xB3: case 0xB9: return EN;
    case u'+': case u'-': return ES;
    case u'#': case u'$': case u'%': case 0xA2: case 0xA3: case 0xA4: case 0xA5: case 0xB0:
    case 0xB1: return ET;
    case u',': case u'.': case u'/': case u':': case 0xA0: return CS;
    case u' ': case 0x0C: return WS;
    case 0x09: case 0x0B: case 0x1F: return S;
    case 0x0A: case 0x0D: case 0x1C: case 0x1D: case 0x1E: case 0x85: return B;
    default: break;
    }
    if (c >= 0xC0 && c <= 0x2B8 && c != 0xD7 && c != 0xF7) return L;
    if (c > 0x5FF) return L;  // beyond what conversion yields; read as a letter
    return ON;
}

char16_t Mirrored(char16_t c)
{
    switch (c) {
    case u'(': return u')';
    case u')': return u'(';
    case u'<': return u'>';
    case u'>': return u'<';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    case 0xAB: return 0xBB;
    case 0xBB: return 0xAB;
    default: return c;
    }
}

bool IsNeutral(uint8_t t) { return t == WS || t == S || t == B || t == ON; }

// Numbers count as right-to-left when neutrals take their direction.
BidiType StrongForNeutrals(uint8_t t) { return t == L ? L : R; }

void ResolveWeakTypes(uint8_t* type, uint32_t n)
{
    // A single separator between two European numbers joins them.
    for (uint32_t i = 1; i + 1 < n; ++i)
        if ((type[i] == ES || type[i] == CS) && type[i - 1] == EN && type[i + 1] == EN) type[i] = EN;
    // Terminators next to a European number become part of it.
    for (uint32_t i = 0; i < n;) {
        if (type[i] != ET) { ++i; continue; }
        uint32_t end = i;
        while (end < n && type[end] == ET) ++end;
        if ((i > 0 && type[i - 1] == EN) || (end < n && type[end] == EN))
            for (uint32_t k = i; k < end; ++k) type[k] = EN;
        i = end;
    }
    // Remaining separators and terminators are neutral.
    for (uint32_t i = 0; i < n; ++i)
        if (type[i] == ES || type[i] == ET || type[i] == CS) type[i] = ON;
    // A European number after Latin text reads with it, left to right.
    uint8_t lastStrong = R;  // the paragraph's own direction starts the text
    for (uint32_t i = 0; i < n; ++i) {
        if (type[i] == L || type[i] == R) lastStrong = type[i];
        else if (type[i] == EN && lastStrong == L) type[i] = L;
    }
}

// The partner that closes an opening bracket, or 0.
char16_t ClosingPartner(char16_t c)
{
    switch (c) {
    case u'(': return u')';
    case u'[': return u']';
    case u'{': return u'}';
    default: return 0;
    }
}

bool IsClosingBracket(char16_t c) { return c == u')' || c == u']' || c == u'}'; }

// The first strong direction before `at` (numbers count as right to left),
// or the paragraph's own at the text's start.
BidiType DirectionBefore(const uint8_t* type, uint32_t at)
{
    while (at-- > 0)
        if (type[at] == L || type[at] == R || type[at] == EN) return StrongForNeutrals(type[at]);
    return R;
}

// Bracket pairs take one direction together: right to left when their
// contents hold right-to-left text (or a number), left to right only when
// their contents are left to right and so is the text before them.
void ResolveBracketPairs(const char16_t* units, uint8_t* type, uint32_t n)
{
    struct Opening {
        char16_t closer;
        uint32_t at;
    };
    constexpr int kDepth = 63;  // deeper nesting ends the pairing, as the algorithm says
    Opening stack[kDepth];
    int depth = 0;
    struct Pair {
        uint32_t open, close;
    };
    // Pairs found so far, kept in the order of their opening brackets.
    Pair* pairs = static_cast<Pair*>(std::malloc(sizeof(Pair) * (n / 2 + 1)));
    if (!pairs) return;
    uint32_t pairCount = 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (type[i] != ON) continue;
        if (const char16_t closer = ClosingPartner(units[i])) {
            if (depth == kDepth) break;
            stack[depth++] = {closer, i};
        } else if (IsClosingBracket(units[i])) {
            for (int k = depth - 1; k >= 0; --k) {
                if (stack[k].closer != units[i]) continue;
                // Insert keeping the order of opening positions.
                uint32_t slot = pairCount++;
                while (slot > 0 && pairs[slot - 1].open > stack[k].at) {
                    pairs[slot] = pairs[slot - 1];
                    --slot;
                }
                pairs[slot] = {stack[k].at, i};
                depth = k;
                break;
            }
        }
    }
    for (uint32_t p = 0; p < pairCount; ++p) {
        bool right = false, left = false;
        for (uint32_t k = pairs[p].open + 1; k < pairs[p].close; ++k) {
            if (type[k] == R || type[k] == EN) right = true;
            else if (type[k] == L) left = true;
        }
        BidiType direction;
        if (right) direction = R;
        else if (left) direction = DirectionBefore(type, pairs[p].open) == L ? L : R;
        else continue;
        type[pairs[p].open] = type[pairs[p].close] = direction;
    }
    std::free(pairs);
}

void ResolveNeutrals(uint8_t* type, uint32_t n)
{
    for (uint32_t i = 0; i < n;) {
        if (!IsNeutral(type[i])) { ++i; continue; }
        uint32_t end = i;
        while (end < n && IsNeutral(type[end])) ++end;
        // The text's edges have the paragraph's direction.
        const BidiType before = i > 0 ? StrongForNeutrals(type[i - 1]) : R;
        const BidiType after = end < n ? StrongForNeutrals(type[end]) : R;
        const BidiType direction = before == after ? before : R;
        for (uint32_t k = i; k < end; ++k) type[k] = direction;
        i = end;
    }
}

void Reverse(char16_t* units, uint32_t from, uint32_t to)
{
    while (from + 1 < to) {
        const char16_t c = units[from];
        units[from++] = units[--to];
        units[to] = c;
    }
}

}  // namespace

bool RestoreReadingOrder(char16_t* units, uint32_t count)
{
    if (count == 0) return true;
    auto* type = static_cast<uint8_t*>(std::malloc(count));
    auto* level = static_cast<uint8_t*>(std::malloc(count));
    if (!type || !level) {
        std::free(type);
        std::free(level);
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) type[i] = TypeOf(units[i]);
    // Segment and paragraph separators, and the white space before them or
    // at the end, stay at the paragraph's level whatever their neighbours.
    auto* original = static_cast<uint8_t*>(std::malloc(count));
    if (!original) {
        std::free(type);
        std::free(level);
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) original[i] = type[i];

    ResolveWeakTypes(type, count);
    ResolveBracketPairs(units, type, count);
    ResolveNeutrals(type, count);
    for (uint32_t i = 0; i < count; ++i) level[i] = type[i] == R ? 1 : 2;
    bool trailing = true;
    for (uint32_t i = count; i-- > 0;) {
        const uint8_t t = original[i];
        if (t == S || t == B) {
            level[i] = 1;
            trailing = true;
        } else if (trailing && t == WS) {
            level[i] = 1;
        } else {
            trailing = false;
        }
    }

    // Left-to-right runs first, then the whole line.
    for (uint32_t i = 0; i < count;) {
        if (level[i] != 2) { ++i; continue; }
        uint32_t end = i;
        while (end < count && level[end] == 2) ++end;
        Reverse(units, i, end);
        i = end;
    }
    Reverse(units, 0, count);
    // Right-to-left characters show their brackets mirrored: undo that.
    for (uint32_t i = 0; i < count; ++i)
        if (level[count - 1 - i] == 1) units[i] = Mirrored(units[i]);

    std::free(original);
    std::free(type);
    std::free(level);
    return true;
}
