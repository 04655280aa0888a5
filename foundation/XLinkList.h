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

template <typename T>
void XLinkList<T>::AddTail(T value)
{
    Link* link = new (std::nothrow) Link{value, nullptr, m_pTail};
    if (!link)
        throw XException(XEXC_OUT_OF_MEMORY, "XLinkList",
                         m_pHead ? "in AddTail could not allocate memory for link(2)."
                                 : "in AddTail could not allocate memory for first link.");
    if (m_pTail)
        m_pTail->next = link;
    else
        m_pHead = link;
    m_pTail = link;
    ++m_uiCount;
}

template <typename T>
typename XLinkList<T>::Link* XLinkList<T>::Find(unsigned index)
{
    if (m_pCursor && m_uiCursorIndex == index)
        return m_pCursor;
    const unsigned distance = index > m_uiCursorIndex ? index - m_uiCursorIndex
                                                      : m_uiCursorIndex - index;
    const unsigned half = m_uiCount / 2;
    if (!m_pCursor || distance > half)
    {
        if (index < half)
        {
            m_pCursor = m_pHead;
            m_uiCursorIndex = 0;
        }
        else
        {
            m_pCursor = m_pTail;
            m_uiCursorIndex = m_uiCount - 1;
        }
    }
    while (m_uiCursorIndex < index)
    {
        m_pCursor = m_pCursor->next;
        ++m_uiCursorIndex;
    }
    while (m_uiCursorIndex > index)
    {
        m_pCursor = m_pCursor->prev;
        --m_uiCursorIndex;
    }
    return m_pCursor;
}

template <typename T>
T XLinkList<T>::Get(unsigned index)
{
    if (index >= m_uiCount)
        throw XException(XEXC_INDEX_RANGE, "XLinkList", "in Get index is out of range.");
    return Find(index)->value;
}

template <typename T>
void XLinkList<T>::Unlink(Link* link)
{
    if (link->prev)
        link->prev->next = link->next;
    else
        m_pHead = link->next;
    if (link->next)
        link->next->prev = link->prev;
    else
        m_pTail = link->prev;
    --m_uiCount;
    delete link;
}

template <typename T>
T XLinkList<T>::Remove(unsigned index)
{
    if (index >= m_uiCount)
        throw XException(XEXC_INDEX_RANGE, "XLinkList", "in Remove index is out of range.");
    Link* link = Find(index);
    const T value = link->value;
    if (link->next)
    {
        m_pCursor = link->next;
        m_uiCursorIndex = index;
    }
    else
    {
        m_pCursor = link->prev;
        m_uiCursorIndex = index == 0 ? 0 : index - 1;
    }
    Unlink(link);
    return value;
}

template <typename T>
T XLinkList<T>::RemoveHead()
{
    if (!m_pHead)
        return T();
    const T value = m_pHead->value;
    m_pCursor = nullptr;
    m_uiCursorIndex = 0;
    Unlink(m_pHead);
    return value;
}

template <typename T>
T XLinkList<T>::RemoveTail()
{
    if (!m_pTail)
        return T();
    const T value = m_pTail->value;
    m_pCursor = nullptr;
    m_uiCursorIndex = 0;
    Unlink(m_pTail);
    return value;
}

template <typename T>
void XLinkList<T>::RemoveAll()
{
    while (m_pHead)
    {
        Link* next = m_pHead->next;
        delete m_pHead;
        m_pHead = next;
    }
    m_pTail = nullptr;
    m_pCursor = nullptr;
    m_uiCursorIndex = 0;
    m_uiCount = 0;
}
