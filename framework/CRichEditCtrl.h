// A rich edit control. The program's templates use both "RICHEDIT" and "RichEdit20W";
// AfxInitRichEdit loads the libraries that register them.
#pragma once

#include <windows.h>

#include <richedit.h>

#include "framework/CWnd.h"

class CRichEditCtrl : public CWnd
{
public:
    // nEndChar -1: to the end; a start at or past the end puts the caret at the end.
    void SetSel(long nStartChar, long nEndChar)
    {
        CHARRANGE range = {nStartChar, nEndChar};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    void GetSel(long& nStartChar, long& nEndChar) const
    {
        CHARRANGE range = {0, 0};
        SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        nStartChar = range.cpMin;
        nEndChar = range.cpMax;
    }
    BOOL SetSelectionCharFormat(CHARFORMATW& cf)
    {
        cf.cbSize = sizeof(cf);
        return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
    }
    // The most characters the control holds; 0 restores the default (64K).
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    long GetTextLimit() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    void LineScroll(int nLines, int nChars = 0)
    {
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
    }
};

// Loads the rich edit libraries for the process (once); FALSE when neither loads.
BOOL AfxInitRichEdit();
