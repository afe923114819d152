// The address of the maker's update page: the site, the product's path and
// the version in the query. Portable: the shell only opens what this builds.
#pragma once
#include <cstddef>
#include <string_view>

#include "shell/maker.h"

// Units of the buffer the address is built in, terminating zero included.
constexpr size_t kUpdateAddressCapacity = 200;

constexpr char16_t kUpdateBase[] = u"" LUMORA_MAKER_SITE "/cgi-bin/upgrade?p=windows/";
constexpr char16_t kProductPath[] = u"Quillstead/Lumora-Hebrew";
constexpr char16_t kVersionParameter[] = u"&v=1.84a";

// Appends one code unit in the page's query encoding to `out` (room for at
// least 6 units): "+" for a space; digits, Latin letters, "." and "/" as they
// are; anything else as "%" and the unit in upper-case hexadecimal, at least
// two digits. Returns the number of units written.
size_t EncodeQueryUnit(char16_t unit, char16_t* out);

// Writes base, encoded path and suffix into `buffer` (`capacity` units) and
// clears the units after them. The result is always zero-terminated: when the
// path does not fit, it is cut after the last unit whose whole encoding fits
// with the suffix; base and suffix are cut only when they alone do not fit.
// Returns false when anything was cut.
bool BuildUpdateAddress(char16_t* buffer, size_t capacity, std::u16string_view base,
                        std::u16string_view path, std::u16string_view suffix);
