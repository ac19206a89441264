// Building the path of a new recording: extension, cleaning of typed names, a name not
// taken yet, and the folders on the way.
#pragma once

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

// What each output format is called: its file extension and its name.
struct OutputFormatInfo
{
    OutputFormatKind format;
    const wchar_t* extension;
    const wchar_t* name;
};
constexpr OutputFormatInfo kOutputFormats[3] = {
    {FORMAT_WAV, L".wav", L"WAV"}, {FORMAT_MP3, L".mp3", L"MP3"}, {FORMAT_OGG, L".ogg", L"OGG"}};

// The format's row; null for any other value (a hand-edited settings file).
const OutputFormatInfo* FindOutputFormat(int outputFormat);
// ".wav", ".mp3" or ".ogg"; empty for any other format.
CString GetFormatExtension(int outputFormat);

// Replaces the characters a file name cannot hold (backslashes stay), keeps the colon of
// a drive letter when asked, and trims white space at both ends.
CString SanitizeFileName(CString name, bool keepColon);

// path exists: "<path without extension> (n)<extension>" for the first n from 2 that
// does not.
CString MakeUniqueFileName(const CString& path, const CString& extension);

// Creates path as a new empty file, or, when the name is taken (also by another program
// between the choice and this call), the next free name after it, so that two recordings
// never share one file. TRUE with the name in created; FALSE when no file could be made.
BOOL CreateUniqueFile(const CString& path, const CString& extension, CString& created);

// Creates every missing folder of the path. TRUE when it is a folder at the end; a file
// in the way of any level fails. Paths of MAX_PATH characters or more fail.
BOOL CreateDirectoryPath(LPCWSTR path);
