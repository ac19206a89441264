// The settings file (an initialisation file of sections and "Key=value" lines) read into
// and written from RecorderSettings, key by key as the settings table lists them.
#pragma once

#include <windows.h>

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

class SettingsFile
{
public:
    explicit SettingsFile(const CString& path);

    BOOL Exists() const;
    // A new file holding only the UTF-16LE mark, so that later writes keep the file in
    // UTF-16 and folder names outside the code page survive. An existing file is left
    // alone (TRUE).
    BOOL CreateEmpty() const;
    // Before every write: a missing file is created as above, and an 8-bit one (the code
    // page, or UTF-8 with its mark, as the system's reader takes them) is rewritten in
    // UTF-16 with its mark first, every line kept as read. The system would otherwise
    // write the file back 8-bit and lose every character outside the code page. FALSE
    // when the file could not be read or rewritten; it then stays as it was.
    BOOL MakeUtf16() const;
    // Every key with its default when missing; int16 fields keep the low 16 bits, and
    // the table's upper limits apply. defaultDestDir is the default of the output folder.
    BOOL Load(RecorderSettings& s, const CString& defaultDestDir) const;
    // Every key in table order; FALSE at the first write that fails. Other keys of the
    // file stay; the file is made UTF-16 first, as by every write here.
    BOOL Save(const RecorderSettings& s) const;

    // One integer key, read as the system's integer reader does: a missing key gives
    // nDefault, text without a leading number 0.
    int ReadInt(LPCWSTR section, LPCWSTR key, int nDefault) const;
    BOOL WriteInt(LPCWSTR section, LPCWSTR key, int value) const;
    // Text of at most 1023 characters.
    CString ReadText(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText) const;

    const CString& GetPath() const { return m_path; }

    // Optional sign and leading decimal digits, wrapping at 32 bits; 0 without a number.
    static int ParseProfileInt(LPCWSTR text);

private:
    CString m_path;
};
