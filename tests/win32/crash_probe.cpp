// Crashes on purpose. The Wine harness runs it to prove that a crash in a
// test prefix ends the process instead of opening a debugger dialog that
// would wait for a click until the run times out.
#include <windows.h>

int main()
{
    // A null pointer the compiler cannot see as one: a store through a
    // literal null is undefined, and GCC drops it altogether.
    int* volatile nowhere = reinterpret_cast<int*>(GetModuleHandleW(L"no-such-module.dll"));
    *nowhere = 1;
    return 0;
}
