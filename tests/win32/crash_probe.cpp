// Crashes on purpose. The Wine harness runs it to prove that a crash in a
// test prefix ends the process instead of opening a debugger dialog that
// would wait for a click until the run times out.
#include <windows.h>

int main()
{
    // Through a volatile pointer so the compiler keeps a real faulting store.
    int* volatile nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
