// Writing a lesson container: big-endian u16 header (length of everything
// after the 6-byte header, kind 1, number of day records), the day records
// (u16 compressed length, u16 decompressed length, the codes) in day order,
// then four zero bytes. Every length must fit 16 bits.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kMaxField = 0xFFFF;
constexpr uint16_t kContainerKind = 1;
constexpr size_t kContainerTerminator = 4;

struct CompressedDay {
    size_t decodedLength = 0;
    std::vector<uint8_t> codes;
};

// Bytes the records add after the header, terminator included.
size_t ContainerBodyLength(const std::vector<CompressedDay>& days);

// Builds the container. Returns false with a reason when a length does not
// fit its 16-bit field or a record is empty.
bool BuildContainer(const std::vector<CompressedDay>& days, std::vector<uint8_t>& out,
                    std::string* error);
