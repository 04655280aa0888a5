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

template <typename T>
XArray<T>::XArray()
    : m_pSlots(nullptr), m_uiState(kInOrder), m_bPacked(true), m_pIndexA(nullptr),
      m_pIndexB(nullptr), m_uiCommitted(0), m_uiCount(0), m_uiCapacity(0), m_uiGrowthStep(0),
      m_uiPendingBegin(0), m_uiPendingEnd(0), m_uiPendingRemoved(0)
{
}

template <typename T>
XArray<T>::XArray(const XArray& other) : XArray()
{
    *this = other;
}

template <typename T>
XArray<T>::~XArray()
{
    Free();
}

template <typename T>
void XArray<T>::Throw(uint32_t code, const char* message)
{
    throw XException(code, "XArray", message);
}

template <typename T>
XArray<T>& XArray<T>::operator=(const XArray& other)
{
    // Freeing first would destroy the source of a self-assignment.
    if (&other == this)
        return *this;
    Free();
    const unsigned otherCount = other.GetCount();
    m_uiGrowthStep = otherCount;
    for (unsigned i = 0; i < otherCount; ++i)
        Add(other.Get(i));
    m_uiGrowthStep = other.m_uiGrowthStep;
    return *this;
}

template <typename T>
void XArray<T>::GrowArray(unsigned extra)
{
    const uint64_t needed = uint64_t(m_uiCount) + extra;
    if (m_uiCapacity >= needed)
        return;
    // Adaptive growth doubles and adds a floor so that small arrays do not regrow at once.
    const uint64_t kAdaptiveFloor = 128;
    const uint64_t newCapacity = m_uiGrowthStep != 0 ? needed + m_uiGrowthStep
                                                     : needed * 2 + kAdaptiveFloor;
    if (newCapacity > UINT32_MAX || newCapacity > SIZE_MAX / sizeof(T))
        Throw(XEXC_OUT_OF_MEMORY, "in GrowArray could not allocate memory for array.");
    const uint32_t capacity = uint32_t(newCapacity);

    std::allocator<T> slotAllocator;
    T* slots = nullptr;
    try
    {
        slots = slotAllocator.allocate(capacity);
    }
    catch (...)
    {
        Throw(XEXC_OUT_OF_MEMORY, "in GrowArray could not allocate memory for array.");
    }
    // Every old slot is relocated (not only the first count), so growing an array with pending
    // removals keeps the elements those removals still point at.
    uint32_t constructed = m_uiCapacity;
    try
    {
        for (; constructed < capacity; ++constructed)
            new (slots + constructed) T();
    }
    catch (...)
    {
        for (uint32_t i = m_uiCapacity; i < constructed; ++i)
            slots[i].~T();
        slotAllocator.deallocate(slots, capacity);
        Throw(XEXC_OUT_OF_MEMORY, "in GrowArray could not allocate memory for array.");
    }

    IndexEntry* indexA = new (std::nothrow) IndexEntry[capacity];
    IndexEntry* indexB = indexA ? new (std::nothrow) IndexEntry[capacity] : nullptr;
    if (!indexA || !indexB)
    {
        delete[] indexA;
        for (uint32_t i = m_uiCapacity; i < capacity; ++i)
            slots[i].~T();
        slotAllocator.deallocate(slots, capacity);
        Throw(XEXC_OUT_OF_MEMORY, indexA ? "in GrowArray could not allocate memory for indexB."
                                         : "in GrowArray could not allocate memory for indexA.");
    }

    if (m_pSlots)
    {
        std::memcpy(static_cast<void*>(slots), static_cast<const void*>(m_pSlots),
                    sizeof(T) * m_uiCapacity);
        std::memcpy(indexA, m_pIndexA, sizeof(IndexEntry) * m_uiCapacity);
        slotAllocator.deallocate(m_pSlots, m_uiCapacity);
    }
    delete[] m_pIndexA;
    delete[] m_pIndexB;
    m_pSlots = slots;
    m_pIndexA = indexA;
    m_pIndexB = indexB;
    m_uiCapacity = capacity;
}

template <typename T>
void XArray<T>::Add(const T& value, unsigned times, unsigned* firstIndex)
{
    if (times == 0)
        return;
    // An element of this very array moves when the array packs or grows: copy it out first.
    const uintptr_t source = reinterpret_cast<uintptr_t>(&value);
    const uintptr_t slots = reinterpret_cast<uintptr_t>(m_pSlots);
    if (m_pSlots && source >= slots && source < slots + sizeof(T) * m_uiCapacity)
    {
        const T copy = value;
        Add(copy, times, firstIndex);
        return;
    }
    Pack();
    GrowArray(times);
    if (firstIndex)
        *firstIndex = m_uiCount;
    for (unsigned i = 0; i < times; ++i)
    {
        m_pSlots[m_uiCount] = value;
        m_pIndexA[m_uiCount] = IndexEntry{m_uiCount, kLive};
        ++m_uiCount;
    }
    m_uiCommitted = m_uiCount;
}

template <typename T>
T& XArray<T>::Get(unsigned index)
{
    ApplyRemovals();
    if (index >= m_uiCount)
        Throw(XEXC_INDEX_RANGE, "in Get could not obtain out of range index.");
    return m_pSlots[m_pIndexA[index].slot];
}

template <typename T>
const T& XArray<T>::Get(unsigned index) const
{
    ApplyRemovals();
    if (index >= m_uiCount)
        Throw(XEXC_INDEX_RANGE, "in Get could not obtain out of range index.");
    return m_pSlots[m_pIndexA[index].slot];
}

template <typename T>
void XArray<T>::Remove(unsigned index, unsigned count)
{
    if (count == 0)
        return;
    if (index >= m_uiCount)
        Throw(XEXC_INDEX_RANGE, "in Remove could not remove the data for an out of range index.");
    count = std::min(count, m_uiCount - index);

    // A logical position equals its index entry only before the first pending removal, and is
    // shifted by the removed count after the last one; anywhere else the index is rebuilt first,
    // or the marker would land on the wrong element.
    uint32_t entry = index;
    if (m_uiState == kRemovalsPending)
    {
        if (index + count <= m_uiPendingBegin)
            entry = index;
        else if (index + m_uiPendingRemoved >= m_uiPendingEnd)
            entry = index + m_uiPendingRemoved;
        else
        {
            ApplyRemovals();
            entry = index;
        }
    }
    if (m_uiState != kRemovalsPending)
    {
        m_uiPendingBegin = entry;
        m_uiPendingEnd = entry + count;
        m_uiPendingRemoved = 0;
    }
    m_pIndexA[entry].marker = count;
    m_uiPendingBegin = std::min(m_uiPendingBegin, entry);
    m_uiPendingEnd = std::max(m_uiPendingEnd, entry + count);
    m_uiPendingRemoved += count;
    m_uiCount -= count;
    m_uiState = kRemovalsPending;
    m_bPacked = false;
}

template <typename T>
void XArray<T>::ApplyRemovals() const
{
    if (m_uiState != kRemovalsPending)
        return;
    uint32_t out = 0;
    for (uint32_t i = 0; i < m_uiCommitted;)
    {
        if (m_pIndexA[i].marker == kLive)
        {
            m_pIndexB[out++] = m_pIndexA[i];
            ++i;
        }
        else
            i += m_pIndexA[i].marker;
    }
    std::swap(m_pIndexA, m_pIndexB);
    m_uiCommitted = m_uiCount;
    m_uiState = kInOrder;
    m_uiPendingRemoved = 0;
}

template <typename T>
void XArray<T>::Pack()
{
    ApplyRemovals();
    if (m_bPacked)
        return;
    std::vector<T> live;
    live.reserve(m_uiCount);
    for (uint32_t i = 0; i < m_uiCount; ++i)
        live.push_back(m_pSlots[m_pIndexA[i].slot]);
    for (uint32_t i = 0; i < m_uiCount; ++i)
    {
        m_pSlots[i] = live[i];
        m_pIndexA[i] = IndexEntry{i, kLive};
    }
    m_bPacked = true;
}

template <typename T>
void XArray<T>::Sort(CompareFunc compare)
{
    Pack();
    if (m_uiCount > 1)
        std::qsort(static_cast<void*>(m_pSlots), m_uiCount, sizeof(T), compare);
    for (uint32_t i = 0; i < m_uiCount; ++i)
        m_pIndexA[i] = IndexEntry{i, kLive};
}

template <typename T>
void XArray<T>::Free()
{
    for (uint32_t i = 0; i < m_uiCapacity; ++i)
        m_pSlots[i].~T();
    if (m_pSlots)
        std::allocator<T>().deallocate(m_pSlots, m_uiCapacity);
    delete[] m_pIndexA;
    delete[] m_pIndexB;
    m_pSlots = nullptr;
    m_pIndexA = nullptr;
    m_pIndexB = nullptr;
    m_uiCount = 0;
    m_uiCommitted = 0;
    m_uiCapacity = 0;
    m_uiState = kInOrder;
    m_bPacked = true;
    m_uiPendingRemoved = 0;
}
