// The Device page: the capture device, its recording line, input volume and balance.
#pragma once

#include "app/pages/CTabPage.h"
#include "controls/CXColorStatic.h"
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CSliderCtrl.h"
#include "mixer/InputMixer.h"

class CDevDlg : public CTabPage
{
public:
    CDevDlg() = default;
    ~CDevDlg() override;

    BOOL OnInitDialog() override;
    // The chosen device becomes the capture device; its formats are probed and its mixer
    // opened through a short-lived stream. bTellUser FALSE (at start-up, before the window
    // shows) logs a failure instead of stopping the start with a message box.
    void OpenDeviceMixer(BOOL bTellUser = TRUE);
    // The balance sliders and their labels from the settings (also after Reset ALL).
    void ShowSettings() override;

    CSliderCtrl m_slVolume;
    CComboBox m_cbLine;
    CComboBox m_cbDevice;
    CButton m_btnSystemVolume;
    CXColorStatic m_stHintVista;
    CXColorStatic m_stHintNoise;
    CSliderCtrl m_slLeftBalance;
    CSliderCtrl m_slRightBalance;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelChangeDevice();
    void OnSelChangeInputSource();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnSystemVolumeControl();
    void OnConfigAudioDevice();
    void OnVistaTroubleshooting();
    void OnSoundDeviceInfo();
    void OnDestroy();
    // The line's volume on the trackbar and its label; both off without a selected line.
    void RefreshVolume();
    void CloseMixer();
    int ShowMessage(LPCWSTR text, UINT style);
    // A failure to open the mixer: a message box, or a log line when the user did not ask.
    void ReportMixerFailure(const CString& text, UINT style, BOOL bTellUser);

    DECLARE_MESSAGE_MAP()

private:
    InputMixer* m_pMixer = nullptr;
    int m_nDeviceEntry = -1; // the list entry of the device opened last
};
