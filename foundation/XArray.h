// XArray<T>: a growable array whose elements stay in their slots, addressed through an index.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "foundation/XException.h"

// T must be default-constructible, copy-assignable and bytewise relocatable: growing and sorting
// move slots with memcpy/qsort, so T must not point into itself.
template <typename T>
class XArray
{
public:
    // Comparison for Sort: pointers to two elements, negative, 0 or positive.
    typedef int (*CompareFunc)(const void*, const void*);

    XArray();
    XArray(const XArray& other);
    virtual ~XArray();
    // Replaces this array by a copy of the other's elements and takes its growth step.
    XArray& operator=(const XArray& other);

    // Ensures room for GetCount() + extra elements; step 0 grows to needed * 2 + 128.
    void GrowArray(unsigned extra);
    // Appends `times` copies; firstIndex receives the position of the first.
    void Add(const T& value, unsigned times = 1, unsigned* firstIndex = nullptr);
    // Applies pending removals first; index >= count throws code 2.
    T& Get(unsigned index);
    const T& Get(unsigned index) const;
    // Lazy and O(1) in the usual patterns: nothing is destroyed or moved until the next Get,
    // Add, Pack or Sort. A count reaching past the end is clipped.
    void Remove(unsigned index, unsigned count = 1);
    unsigned GetCount() const { return m_uiCount; }
    unsigned GetCapacity() const { return m_uiCapacity; }
    // 0 = adaptive growth; otherwise the number of extra slots added on growth.
    void SetGrowthStep(unsigned step) { m_uiGrowthStep = step; }
    unsigned GetGrowthStep() const { return m_uiGrowthStep; }
    // Puts element k into slot k for every k.
    void Pack();
    // Packs, then sorts the slots with qsort.
    void Sort(CompareFunc compare);
    // Destroys every slot and releases all memory.
    void Free();

private:
    // Marker of a live index entry; any other value n removes this entry and the n-1 after it.
    static const uint32_t kLive = 0xFFFFFFFFu;
    // index state values
    static const uint32_t kInOrder = 0;
    static const uint32_t kRemovalsPending = 2;

    struct IndexEntry
    {
        uint32_t slot;
        uint32_t marker;
    };

    void ApplyRemovals() const;
    [[noreturn]] static void Throw(uint32_t code, const char* message);

    T* m_pSlots;
    mutable uint32_t m_uiState;
    bool m_bPacked;
    mutable IndexEntry* m_pIndexA;
    mutable IndexEntry* m_pIndexB;
    mutable uint32_t m_uiCommitted;
    uint32_t m_uiCount;
    uint32_t m_uiCapacity;
    uint32_t m_uiGrowthStep;
    // Bounds of the pending removals, in index entries, so that Remove stays O(1) when the new
    // range lies wholly before or wholly after them.
    mutable uint32_t m_uiPendingBegin;
    mutable uint32_t m_uiPendingEnd;
    mutable uint32_t m_uiPendingRemoved;
};

// Member definitions follow below.
