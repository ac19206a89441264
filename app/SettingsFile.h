// The settings file (an initialisation file of sections and "Key=value" lines) read into
// and written from RecorderSettings, key by key as the settings table lists them.
#pragma once

#include <windows.h>

#include <memory>

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

class IniText;

class SettingsFile
{
public:
    explicit SettingsFile(const CString& path);

    BOOL Exists() const;
    // A new file holding only the UTF-16LE mark, so that later writes keep the file in
    // UTF-16 and folder names outside the code page survive. An existing file is left
    // alone (TRUE).
    BOOL CreateEmpty() const;

    enum class Utf16Result
    {
        Ready,   // UTF-16 with its mark (made so, or already)
        NotText, // no text of ours (or absurdly large): left as it is
        Failed   // could not be read or rewritten: left as it is
    };
    // Before the settings are read and before every write: a missing file is created as
    // above, and one without a UTF-16 mark is rewritten in UTF-16 with its mark, every
    // line kept. Such a file is taken for UTF-16 when it has the pattern of mostly-ASCII
    // UTF-16 (either order), for UTF-8 when it has its mark or is valid UTF-8, else for
    // the code page. The system would otherwise read it in the code page and write it
    // back 8-bit, losing every character outside the code page.
    Utf16Result MakeUtf16() const;
    // Every key with its default when missing; int16 fields keep the low 16 bits, and
    // the table's upper limits apply. defaultDestDir is the default of the output folder.
    // An existing file is made UTF-16 first; made (if given) tells how that went. One that
    // is no text of ours is not read (FALSE); one that was decoded but could not be
    // rewritten is read from its decoded text, key by key as the system's reader finds
    // them. A missing file gives every default and stays missing.
    BOOL Load(RecorderSettings& s, const CString& defaultDestDir, Utf16Result* made = nullptr) const;
    // Every key in table order; FALSE at the first write that fails. Other keys of the
    // file stay; the file is made UTF-16 first, once for all the keys.
    BOOL Save(const RecorderSettings& s) const;

    // One integer key, read as the system's integer reader does: a missing key gives
    // nDefault, text without a leading number 0. A file still without the UTF-16 mark
    // (one that could not be rewritten) is read from its decoded text, as Load reads it.
    int ReadInt(LPCWSTR section, LPCWSTR key, int nDefault) const;
    // The file is made UTF-16 first, as by every write here.
    BOOL WriteInt(LPCWSTR section, LPCWSTR key, int value) const;
    // Text of at most 1023 characters, read as ReadInt reads.
    CString ReadText(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText) const;

    const CString& GetPath() const { return m_path; }

    // Optional sign and leading decimal digits, wrapping at 32 bits; 0 without a number.
    static int ParseProfileInt(LPCWSTR text);

private:
    // As MakeUtf16; when a file without the mark is decoded but cannot be rewritten, its
    // text is left in unwritten for reading.
    Utf16Result MakeUtf16(std::unique_ptr<IniText>& unwritten) const;
    // The decoded text of a file without the UTF-16 mark; null for any other file.
    std::unique_ptr<IniText> ReadUnmarked() const;
    // A key from decoded when given, else through the system's reader.
    CString ReadTextFrom(const IniText* decoded, LPCWSTR section, LPCWSTR key, LPCWSTR defaultText) const;
    int ReadIntFrom(const IniText* decoded, LPCWSTR section, LPCWSTR key, int nDefault) const;
    // A key written as it stands, the file taken to be UTF-16 already.
    BOOL WriteNumber(LPCWSTR section, LPCWSTR key, int value) const;
    BOOL WriteUtf16(const CString& text) const;

    CString m_path;
};
