// Reading files in the Win32 tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The whole file at `path`; false when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out);
