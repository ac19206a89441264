// The Output page: automatic stop, where recordings go, the encoder settings and Reset ALL.
// Every change is stored at once in the settings.
#pragma once

#include "app/StopTimeRule.h"
#include "app/pages/CTabPage.h"
#include "framework/CSpinButtonCtrl.h"

class COutputDlg : public CTabPage
{
public:
    COutputDlg() = default;

    BOOL OnInitDialog() override;
    void ShowSettings() override;

    CSpinButtonCtrl m_spinSeconds;
    CSpinButtonCtrl m_spinMinutes;
    CSpinButtonCtrl m_spinHours;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnStopManually();
    void OnStopAfter();
    void ValidateStopTime();
    LRESULT OnCheckStopTime(WPARAM wParam, LPARAM lParam);
    void OnAskFolder();
    void OnSaveTo();
    void OnBrowse();
    void OnChangeDestDir();
    void OnChangeFileName();
    void OnEncoderSettings();
    void OnResetAll();
    void OnUpdateFolder(CCmdUI* pCmdUI);
    void OnUpdateStopTime(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    StopTime ShownStopTime() const;
    // Sets the spins without checking on the way.
    void ShowStopTime(const StopTime& t);
    int ShowMessage(LPCWSTR text, UINT style);
    // Says so when the spins show a time too short, then shows and stores the minimum.
    void CheckStopTimeNow();

    // Posted by a change of the spins that made the time too short.
    static constexpr UINT WM_CHECK_STOP_TIME = WM_APP + 2;

    // Set while the spins are being set: their change notifications check nothing.
    int32_t m_bInitializing = 0;
    int32_t m_bCheckPosted = 0;
};
