#pragma once

// Makes an allocation of the test program fail as a full address space does. Every operator new of
// the program (plain, array and nothrow) comes through here: a throwing one throws std::bad_alloc, a
// nothrow one returns null.

// The allocation `count` allocations from now fails (count 1: the next one), and so does every
// later one while `andEveryLater`; count 0 lets every allocation succeed again.
void FailAllocationAfter(long count, bool andEveryLater = false);

// Whether the allocation chosen by FailAllocationAfter has been reached.
bool AllocationFailureReached();

// Runs `action` with memory running out after `allowed` allocations (only that one failing with
// `onlyThatOne`, else every later one too), then lets every allocation succeed again; whether
// memory ran out.
template <class Action> bool RunOutOfMemory(long allowed, Action action, bool onlyThatOne = false) {
    FailAllocationAfter(allowed + 1, !onlyThatOne);
    action();
    bool reached = AllocationFailureReached();
    FailAllocationAfter(0);
    return reached;
}
