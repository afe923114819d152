// The words shown when the page-setup dialog fails, by the common-dialog
// error code it reports.
#pragma once
#include <cstdint>

// The text for `code`, or none for 0 and every code without one (the
// caller then says "Unknown Error").
const char16_t* PrintErrorTextFor(uint32_t code);

constexpr char16_t kUnknownPrintError[] = u"Unknown Error";
