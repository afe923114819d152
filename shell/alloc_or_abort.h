// Allocation for operations that must end the program in an orderly way when
// memory runs out.
#pragma once
#include <cstddef>

// A block from the standard allocator (release with free()), or nullptr.
// On failure the user is told and the exit sequence runs (settings stored,
// quit posted); the caller gets nullptr and abandons its operation.
void* AllocOrAbort(size_t size);

// Out-of-memory reaction, platform code: the message and the exit sequence.
void ReportOutOfMemory();
