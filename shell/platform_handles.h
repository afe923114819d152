// Window-system handles as the portable code sees them: the real Win32 types
// in the Windows build, opaque pointers in host builds (where nothing uses
// them), so that records holding them compile everywhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
using InstanceHandle = HINSTANCE;
using WindowHandle = HWND;
using FontHandle = HFONT;
#else
using InstanceHandle = void*;
using WindowHandle = void*;
using FontHandle = void*;
#endif
