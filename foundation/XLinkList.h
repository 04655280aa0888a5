// XLinkList<T>: a doubly linked list of plain values with a remembered cursor for cheap walks.
#pragma once

#include <new>

#include "foundation/XException.h"

// The list never owns what its values point to: delete the targets before RemoveAll.
template <typename T>
class XLinkList
{
public:
    XLinkList() = default;
    XLinkList(const XLinkList&) = delete;
    XLinkList& operator=(const XLinkList&) = delete;
    ~XLinkList() { RemoveAll(); }

    void AddTail(T value);
    // index >= count throws code 2. Walking 0, 1, 2, ... costs one step per call.
    T Get(unsigned index);
    // Returns the value; the cursor moves to the successor (or to the new tail).
    T Remove(unsigned index);
    // T() on an empty list; both clear the cursor.
    T RemoveHead();
    T RemoveTail();
    void RemoveAll();
    unsigned GetCount() const { return m_uiCount; }

private:
    struct Link
    {
        T value;
        Link* next;
        Link* prev;
    };

    Link* Find(unsigned index);
    void Unlink(Link* link);

    Link* m_pHead = nullptr;
    Link* m_pTail = nullptr;
    Link* m_pCursor = nullptr;
    unsigned m_uiCursorIndex = 0;
    unsigned m_uiCount = 0;
};
