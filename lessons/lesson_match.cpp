// The pattern matcher and the search of one lesson text.
#include "lessons/lesson_match.h"

#include <cstdlib>

#include "shell/alloc_or_abort.h"

namespace {

// Compares pattern[0..count) ending at text position e. Returns 1 for a
// match, 0 for a mismatch at this e, or 2 when a "*" was reached: then
// `star` is its index and `below` the text position it stands over.
int CompareAt(const uint8_t* text, int32_t low, const uint8_t* pattern, size_t count, int32_t e,
              size_t* star, int32_t* below)
{
    int32_t t = e - 1;
    for (size_t j = count - 1; j-- > 0; --t) {
        if (pattern[j] == kAnyRun) {
            *star = j;
            *below = t;
            return 2;
        }
        if (t < low) return 0;
        if (pattern[j] != kAnyByte && pattern[j] != text[t]) return 0;
    }
    return 1;
}

}  // namespace

int32_t MatchBackward(const uint8_t* text, int32_t low, const uint8_t* pattern,
                      size_t patternLength, int32_t high, int32_t* length)
{
    // Each "*" starts a search for the part before it, below the bytes
    // already matched: a loop over those parts instead of nested calls, so
    // the depth stays flat however many stars the pattern holds.
    int32_t first = -1;  // the end position of the whole match
    size_t count = patternLength;
    while (count > 0) {
        const uint8_t last = pattern[count - 1];
        int32_t e = high;
        size_t star = 0;
        int32_t below = 0;
        int outcome = 0;
        for (; e >= low; --e) {
            if (text[e] != last) continue;
            outcome = CompareAt(text, low, pattern, count, e, &star, &below);
            if (outcome != 0) break;
        }
        if (e < low) return -1;  // this part is nowhere: no match at all
        if (first < 0) first = e;
        if (outcome == 1) {
            if (length) *length = first - e + static_cast<int32_t>(count);
            return first;
        }
        count = star;
        high = below;
    }
    return -1;  // the part before a "*" is empty: it matches no byte
}

namespace {

// One paragraph record: its style byte and its terminating zero (or the end
// of the text when it has none).
struct RecordNode {
    RecordNode* next;
    uint32_t start;
    uint32_t zero;
};

void ReleaseNodes(RecordNode* node)
{
    while (node) {
        RecordNode* next = node->next;
        std::free(node);
        node = next;
    }
}

// Gathers the records in stored order; false when a node could not be had.
bool GatherRecords(const uint8_t* text, uint32_t size, RecordNode** head)
{
    *head = nullptr;
    RecordNode** tail = head;
    uint32_t offset = 0;
    while (offset + 1 < size && text[offset] != 0) {
        uint32_t zero = offset + 2;
        while (zero < size && text[zero] != 0) ++zero;
        auto* node = static_cast<RecordNode*>(AllocOrAbort(sizeof(RecordNode)));
        if (!node) {
            ReleaseNodes(*head);
            *head = nullptr;
            return false;
        }
        *node = RecordNode{nullptr, offset, zero};
        *tail = node;
        tail = &node->next;
        offset = zero + 1;
    }
    return true;
}

}  // namespace

uint16_t FindInLesson(const uint8_t* text, size_t size, uint32_t start, const uint8_t* pattern,
                      size_t patternLength, int32_t* length, bool* abandoned)
{
    if (abandoned) *abandoned = false;
    // Offsets into a lesson text are 16-bit: nothing beyond them is searched.
    const uint32_t limit = size > 0xFFFF ? 0xFFFF : static_cast<uint32_t>(size);
    RecordNode* records = nullptr;
    if (!text) return 0;
    if (!GatherRecords(text, limit, &records)) {
        if (abandoned) *abandoned = true;
        return 0;
    }
    int32_t hit = -1;
    for (const RecordNode* r = records; r && hit < 0; r = r->next) {
        if (r->zero < start) continue;
        const int32_t low = static_cast<int32_t>(r->start + 2);
        const int32_t lastText = static_cast<int32_t>(r->zero) - 1;
        int32_t high = lastText;
        if (static_cast<int32_t>(start) >= low && static_cast<int32_t>(start) < lastText)
            high = static_cast<int32_t>(start);
        if (high < low) continue;
        hit = MatchBackward(text, low, pattern, patternLength, high, length);
    }
    ReleaseNodes(records);
    return hit > 0 ? static_cast<uint16_t>(hit) : 0;
}
