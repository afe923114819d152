// AllocOrAbort: the standard allocator with an orderly way out.
#include "shell/alloc_or_abort.h"

#include <cstdlib>

void* AllocOrAbort(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block) ReportOutOfMemory();
    return block;
}
