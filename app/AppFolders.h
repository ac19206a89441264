// The folders the program works in: the user's data folder, the program's own folder
// and the default output folder.
#pragma once

#include "framework/CString.h"

// The application-data folder + "\Quillmoth", no trailing backslash; empty when the
// system has no application-data folder.
CString GetUserDataFolder();
// The folder of the running executable, without a trailing backslash.
CString GetProgramDir();
// My Music + "\", else the desktop + "\", else "C:\My Music\".
CString GetDefaultDestDir();
