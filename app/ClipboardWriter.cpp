#include "app/ClipboardWriter.h"

#include <cstring>

const ClipboardWriter::Api& ClipboardWriter::System()
{
    static const Api api = {::OpenClipboard, ::EmptyClipboard, ::GlobalAlloc,      ::GlobalLock,
                            ::GlobalUnlock,  ::GlobalFree,     ::SetClipboardData, ::CloseClipboard};
    return api;
}

BOOL ClipboardWriter::CopyText(HWND owner, const CString& text) const
{
    if (text.IsEmpty() || !m_api.openClipboard(owner))
        return FALSE;
    BOOL copied = FALSE;
    if (m_api.emptyClipboard())
    {
        const SIZE_T bytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(wchar_t);
        // The clipboard wants movable memory; it owns it only once SetClipboardData succeeds.
        HGLOBAL memory = m_api.globalAlloc(GMEM_MOVEABLE, bytes);
        if (memory)
        {
            if (void* data = m_api.globalLock(memory))
            {
                std::memcpy(data, text.GetString(), bytes);
                m_api.globalUnlock(memory);
                copied = m_api.setClipboardData(CF_UNICODETEXT, memory) != nullptr;
            }
            if (!copied)
                m_api.globalFree(memory);
        }
    }
    m_api.closeClipboard();
    return copied;
}
