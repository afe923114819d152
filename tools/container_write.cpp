// Lesson container writer.
#include "container_write.h"

#include "lessons/lesson_store.h"

namespace {

void PutBigEndian16(std::vector<uint8_t>& out, size_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

}  // namespace

size_t ContainerBodyLength(const std::vector<CompressedDay>& days)
{
    size_t length = kContainerTerminator;
    for (const CompressedDay& day : days) length += kRecordHeaderSize + day.codes.size();
    return length;
}

bool BuildContainer(const std::vector<CompressedDay>& days, std::vector<uint8_t>& out,
                    std::string* error)
{
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    out.clear();
    for (size_t i = 0; i < days.size(); ++i) {
        const CompressedDay& day = days[i];
        const std::string which = "record " + std::to_string(i + 1);
        // A zero compressed length would read as the terminator.
        if (day.codes.empty() || day.decodedLength == 0) return fail(which + " is empty");
        if (day.decodedLength > kMaxField)
            return fail(which + " decompresses to " + std::to_string(day.decodedLength) +
                        " bytes, more than 65535");
        if (day.codes.size() > kMaxField)
            return fail(which + " compresses to " + std::to_string(day.codes.size()) +
                        " bytes, more than 65535");
    }
    if (days.size() > kMaxField) return fail("more than 65535 records");
    const size_t body = ContainerBodyLength(days);
    if (body > kMaxField)
        return fail("the container would hold " + std::to_string(body) +
                    " bytes after its header, more than 65535");

    out.reserve(kContainerHeaderSize + body);
    PutBigEndian16(out, body);
    PutBigEndian16(out, kContainerKind);
    PutBigEndian16(out, days.size());
    for (const CompressedDay& day : days) {
        PutBigEndian16(out, day.codes.size());
        PutBigEndian16(out, day.decodedLength);
        out.insert(out.end(), day.codes.begin(), day.codes.end());
    }
    out.insert(out.end(), kContainerTerminator, 0);
    return true;
}
