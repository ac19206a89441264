// Where the Output page sends recordings: the folder as stored from its edit, the path
// whose volume the free-space line reports, and whether the default name can make a file.
#pragma once

#include <windows.h>

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

class OutputLocation
{
public:
    // The folder to store for the edit's text: with one trailing backslash (none added to
    // an empty text).
    static CString DestDirFromEdit(const CString& text);
    // The free-space line reports the volume that holds this path: the folder when saving
    // there, else drive C:.
    static CString FreeSpacePath(const RecorderSettings& s);
    // FALSE when recordings go to the folder and the default name is empty once cleaned:
    // the file would be named only by its extension.
    static BOOL HasUsableName(const RecorderSettings& s);
    // An empty folder (one that cleans to nothing) means the default folder, never the
    // current one: the setting takes it.
    static void UseDefaultFolderWhenEmpty(RecorderSettings& s, const CString& defaultFolder);
};
