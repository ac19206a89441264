// The gallery's one dialog: every control of the controls library in the states the
// program uses, and buttons that open the message boxes, the folder browser and the tray
// icon.
#pragma once

#include "controls/CHyperLink.h"
#include "controls/CStaticTime.h"
#include "controls/CSystemTray.h"
#include "controls/CXColorStatic.h"
#include "framework/CDialog.h"

class CGalleryDlg : public CDialog
{
public:
    CGalleryDlg();

    BOOL OnInitDialog() override;

    // The controls, reachable by the GUI tests.
    CStaticTime m_time;
    CStaticTime m_levelLeft;
    CStaticTime m_levelRight;
    CXColorStatic m_hintRed;
    CXColorStatic m_hintBlue;
    CXColorStatic m_hintPlain;
    CHyperLink m_linkSite;
    CHyperLink m_linkMail;
    CSystemTray m_tray;
    int m_lastBoxResult = 0;
    UINT m_lastTrayCommand = 0;
    int m_ticks = 0;
    bool m_trayRecording = false;

    // The elapsed-time text of a block count (100 ms blocks).
    static CString ElapsedText(int blocks);

protected:
    void OnBox(UINT id);
    void OnFolder();
    void OnTrayAdd();
    void OnTrayModify();
    void OnTrayBalloon();
    void OnTrayHide();
    void OnTrayRemove();
    void OnTick();
    void OnTrayCommand(UINT id);
    void ShowStatus(LPCWSTR text);

    DECLARE_MESSAGE_MAP()
};
