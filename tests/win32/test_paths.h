// Where the Win32 tests find the files of the build they check: set once by
// the test program's main from its arguments or the environment.
#pragma once
#include <string>

// Path of the Lumora.exe under test ("--lumora-exe=" or LUMORA_EXE).
const std::wstring& LumoraExePath();
// Makes another copy of Lumora.exe (an installed or unzipped one) the one
// that tests start from now on.
void UseLumoraExe(const std::wstring& path);
// Folder with the containers 1001.bin..1014.bin that the packer wrote for
// that exe ("--book-dir=" or LUMORA_BOOK_DIR).
const std::wstring& BookDirPath();
// Folder for screenshots that a person looks at ("--screens-dir=" or
// LUMORA_SCREENS_DIR); empty: none are saved.
const std::wstring& ScreensDirPath();
