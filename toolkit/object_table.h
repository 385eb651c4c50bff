// Numbered objects: each family keeps its objects in a growable array of fixed-size slots indexed
// by the number the application chose. A slot is empty when its first field, the platform handle,
// is 0. Creating under a number in use releases the old object first.
#pragma once

#include <cstring>
#include <type_traits>
#include <vector>

#include "toolkit/out_of_memory.h"

template <typename Slot> struct ObjectTable {
    std::vector<Slot> slots; // numbers 0 .. capacity
    int step;                // initial capacity and growth step
    void (*release)(int number);
};

// Sets the table up with its capacity (slots 0 to capacity) and release operation.
template <typename Slot> void ObjectTableInit(ObjectTable<Slot>& table, int step, void (*release)(int)) {
    static_assert(std::is_trivially_copyable<Slot>::value, "slots are plain records");
    table.step = step;
    table.release = release;
    table.slots.assign((size_t)step + 1, Slot());
}

// The slot of a live object, or null for a negative, out-of-range or empty number.
template <typename Slot> Slot* ObjectFind(ObjectTable<Slot>& table, int number) {
    if (number < 0 || (size_t)number >= table.slots.size()) return nullptr;
    Slot* slot = &table.slots[(size_t)number];
    return slot->handle ? slot : nullptr;
}

// Releases whatever the number holds, grows the table when the number lies beyond it, and
// returns the emptied slot for the caller to fill. Null for a negative number, or when the table
// cannot grow for want of memory.
template <typename Slot> Slot* ObjectClaim(ObjectTable<Slot>& table, int number) {
    if (number < 0) return nullptr;
    if (ObjectFind(table, number) && table.release) table.release(number);
    if ((size_t)number >= table.slots.size() && !FailOnNoMemory(false, [&] {
            table.slots.resize((size_t)number + (size_t)table.step + 1, Slot());
            return true;
        }))
        return nullptr;
    Slot* slot = &table.slots[(size_t)number];
    *slot = Slot();
    return slot;
}

// Empties the slot; the number may be used again.
template <typename Slot> void ObjectFree(ObjectTable<Slot>& table, int number) {
    if (number < 0 || (size_t)number >= table.slots.size()) return;
    table.slots[(size_t)number] = Slot();
}

// Runs the release operation on every live object, highest number first.
template <typename Slot> void ObjectReleaseAll(ObjectTable<Slot>& table) {
    for (size_t i = table.slots.size(); i-- > 0;)
        if (i < table.slots.size() && table.slots[i].handle && table.release) table.release((int)i);
}
