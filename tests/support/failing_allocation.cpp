#include "support/failing_allocation.h"

#include <cstdlib>
#include <new>

static long g_untilFailure = 0;       // allocations left before the failing one; 0: none fails
static bool g_failEveryLater = false; // once reached, every later allocation fails too
static bool g_reached = false;        // the failing allocation was asked for

void FailAllocationAfter(long count, bool andEveryLater) {
    g_untilFailure = count;
    g_failEveryLater = andEveryLater;
    g_reached = false;
}

bool AllocationFailureReached() {
    return g_reached;
}

static void* AllocateOrNull(size_t size) {
    if (g_reached && g_failEveryLater) return nullptr;
    if (g_untilFailure > 0 && --g_untilFailure == 0) {
        g_reached = true;
        return nullptr;
    }
    return std::malloc(size ? size : 1);
}

void* operator new(size_t size) {
    if (void* memory = AllocateOrNull(size)) return memory;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
// Kept out of line: inlined, the compiler would see memory from new going to free.
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    operator delete(memory);
}
void operator delete(void* memory, size_t) noexcept {
    operator delete(memory);
}
void operator delete[](void* memory, size_t) noexcept {
    operator delete(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    operator delete(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    operator delete(memory);
}
