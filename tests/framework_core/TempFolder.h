// A fresh folder under the temp path for one test, removed with everything in it.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class TempFolder
{
public:
    TempFolder()
    {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        static LONG counter = 0;
        m_path.Format(L"%sqm_core_%lu_%ld", base, ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
        ::CreateDirectoryW(m_path, nullptr);
    }
    ~TempFolder()
    {
        CString pattern = m_path + L"\\*";
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW(pattern, &data);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileW(m_path + L"\\" + data.cFileName);
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(m_path);
    }
    CString Path(LPCWSTR name) const { return m_path + L"\\" + name; }
    const CString& Folder() const { return m_path; }

private:
    CString m_path;
};
