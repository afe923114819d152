// Containers back to book source: the inverse of packing. Display-order text
// is put back into reading order with the same FriBidi reordering.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "day_text.h"

// The decompressed text of every day record in a container, in day order,
// decoded through FindDayRecord. Returns false with a reason when the
// container is malformed or a record does not decode.
bool ReadContainerDays(const std::vector<uint8_t>& container,
                       std::vector<std::vector<uint8_t>>& days, std::string* error);

// The source lines of one paragraph, in reading order. A paragraph that the
// source format cannot express exactly (so that packing the dump would not
// give the same bytes) is still written, and a warning added.
std::string ParagraphSource(const Paragraph& paragraph, std::vector<std::string>& warnings);

// "@day N" and the day's paragraphs, each on its line, an empty line after
// each body line that is followed by more of the day.
std::string DaySource(int day, const std::vector<Paragraph>& paragraphs,
                      std::vector<std::string>& warnings);
