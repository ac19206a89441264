// The Recording page: channels, sampling rate and resolution. Each click stores its
// choice at once; a choice is open only while no recording runs and where both the
// device and the encoder accept it.
#pragma once

#include "app/pages/CTabPage.h"

class CRecDlg : public CTabPage
{
public:
    CRecDlg() = default;

    BOOL OnInitDialog() override;
    // Checks the radios of the stored settings (also after Reset ALL).
    void ShowSettings() override;

    int m_nChannelIndex = 0;    // 0 mono, 1 stereo
    int m_nRateIndex = 0;       // index of the sampling rate
    int m_nResolutionIndex = 0; // 0 8-bit unsigned, 1 8-bit signed, 2 16-bit

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnChoice(UINT nID);
    void OnUpdateChoice(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
