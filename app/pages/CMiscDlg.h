// The Misc page: the action after an automatic stop, the tray, muting and the level
// read-outs. Every change is stored at once in the settings.
#pragma once

#include "app/pages/CTabPage.h"

class CMiscDlg : public CTabPage
{
public:
    CMiscDlg() = default;

    BOOL OnInitDialog() override;
    void ShowSettings() override;

protected:
    void OnCloseToTray();
    void OnMinimizeToTray();
    void OnMute();
    void OnAfterRecording();
    void OnShowAmplitude();

    DECLARE_MESSAGE_MAP()

private:
    int32_t IsTicked(int nID) const { return IsDlgButtonChecked(nID) == BST_CHECKED ? 1 : 0; }
};
