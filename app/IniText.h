// The text of an initialisation file, its keys looked up as the system's reader looks
// them up, for a file that reader would misread.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class IniText
{
public:
    explicit IniText(const CString& text);

    // The value of a key of "[section]" lines and "key=value" lines: section and key
    // compared without regard to case, blanks around the key and the value dropped, one
    // pair of matching quotes around the value removed. Only the first section of that
    // name is searched, and its first line of that key counts. Lines that start with ";"
    // and lines without "=" hold no key. false when the section or the key is missing.
    bool Find(LPCWSTR section, LPCWSTR key, CString& value) const;

private:
    CString m_text;
};
