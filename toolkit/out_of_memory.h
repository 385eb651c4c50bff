// The toolkit's one way of running out of memory.
#pragma once

#include <new>

// The body of a toolkit operation whose containers grow: when memory runs out, the operation gives
// its failure result (a void one does nothing more) instead of letting std::bad_alloc out. Bodies
// grow their containers before they change anything else, so that nothing is left half done.
template <typename Result, typename Body> Result FailOnNoMemory(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return failure;
    }
}
template <typename Body> void FailOnNoMemory(Body body) noexcept {
    try {
        body();
    } catch (const std::bad_alloc&) {
    }
}
