// Growable arrays over std::vector. Indexes outside the array throw std::out_of_range
// instead of corrupting memory.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CString.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    // nGrowBy is accepted for compatibility; the vector decides its own growth.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        m_data.resize(static_cast<size_t>(nNewSize < 0 ? 0 : nNewSize));
    }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data.at(static_cast<size_t>(nIndex)); }
    TYPE& GetAt(INT_PTR nIndex) { return m_data.at(static_cast<size_t>(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { GetAt(nIndex) = newElement; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    // An index past the end grows the array with default elements first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0)
            nIndex = 0;
        if (nCount <= 0)
            return;
        if (nIndex > GetSize())
            SetSize(nIndex);
        TYPE copy = newElement; // newElement may refer into the array
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    // Removes what lies inside the array of [nIndex, nIndex + nCount).
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nIndex >= GetSize() || nCount <= 0)
            return;
        INT_PTR last = nCount > GetSize() - nIndex ? GetSize() : nIndex + nCount;
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + last);
    }

private:
    std::vector<TYPE> m_data;
};

typedef CArray<UINT, UINT> CUIntArray;
typedef CArray<CString, LPCWSTR> CStringArray;
