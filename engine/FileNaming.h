// Building the path of a new recording: extension, cleaning of typed names, a name not
// taken yet, and the folders on the way.
#pragma once

#include "framework/CString.h"

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
