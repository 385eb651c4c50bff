#pragma once

// Makes an allocation of the test program fail as a full address space does. Every operator new of
// the program (plain, array and nothrow) comes through here: a throwing one throws std::bad_alloc, a
// nothrow one returns null.

// The allocation `count` allocations from now fails (count 1: the next one), and so does every
// later one while `andEveryLater`; count 0 lets every allocation succeed again.
void FailAllocationAfter(long count, bool andEveryLater = false);

// Whether the allocation chosen by FailAllocationAfter has been reached.
bool AllocationFailureReached();
