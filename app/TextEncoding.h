// Which encoding the bytes of a text file without the UTF-16 mark are in, and their text.
// Such files come from editors and scripts: UTF-8 with or without its mark, UTF-16
// without a mark in either byte order, or the ANSI code page.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CString.h"

class TextEncoding
{
public:
    enum class Kind
    {
        Utf8Marked,        // the UTF-8 mark, then valid UTF-8
        Utf16LittleEndian, // mostly-ASCII UTF-16 without a mark, as below
        Utf16BigEndian,
        Utf8,     // valid UTF-8 with bytes above 127
        CodePage, // anything else that the ANSI code page reads (plain ASCII too)
        NotText   // no text of ours: the text is empty
    };

    // UTF-16 is taken when the bytes have the pattern of mostly-ASCII text: an even size,
    // no NUL character, more than half of the characters with a zero high byte; its
    // surrogates must come in pairs. NUL bytes outside that pattern, invalid UTF-8 after
    // the UTF-8 mark and bytes the code page rejects make it no text. Bytes that start with
    // the UTF-16 mark are not for this.
    static Kind Decode(const std::vector<BYTE>& bytes, CString& text);

private:
    // 0 when the bytes are not UTF-16 of that pattern, else 1 little-endian, 2 big-endian.
    static int Utf16Order(const std::vector<BYTE>& bytes);
    // false when a surrogate is unpaired.
    static bool DecodeUtf16(const std::vector<BYTE>& bytes, bool bigEndian, CString& text);
    // Strictly: a byte the code page rejects fails rather than becoming a replacement
    // character that a rewrite would make permanent.
    static bool DecodeStrictly(const BYTE* data, size_t n, UINT codePage, CString& text);
};
