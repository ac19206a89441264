// The new name typed over a recorded file's name: it must stay a plain file name in the
// same folder.
#pragma once

#include "framework/CString.h"

class RenameCheck
{
public:
    enum Result
    {
        Accept,
        Unchanged, // the very same text: nothing to do
        Empty,
        NotAName // a path separator, a character no file name may hold, or a trailing dot or blank
    };

    static Result Check(const CString& oldName, const CString& newName);
    // The message for a refused name; empty for Accept and Unchanged.
    static CString Message(Result result);
};
