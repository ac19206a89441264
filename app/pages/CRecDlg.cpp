#include "app/pages/CRecDlg.h"

#include "app/AppGlobals.h"
#include "app/PageHost.h"
#include "app/RecordingChoices.h"
#include "framework/CDataExchange.h"
#include "resources/resource.h"

// The radios' ids: Mono and Stereo, the resolutions and seven rates in one run, and the
// two rates whose id is their rate.
BEGIN_MESSAGE_MAP(CRecDlg, CTabPage)
ON_COMMAND_RANGE(IDC_RECORDING_MONO, IDC_RECORDING_STEREO, &CRecDlg::OnChoice)
ON_COMMAND_RANGE(IDC_RECORDING_8BIT_UNSIGNED, IDC_RECORDING_RATE_24000, &CRecDlg::OnChoice)
ON_COMMAND_RANGE(IDC_RECORDING_RATE_8000, IDC_RECORDING_RATE_8000, &CRecDlg::OnChoice)
ON_COMMAND_RANGE(IDC_RECORDING_RATE_11025, IDC_RECORDING_RATE_11025, &CRecDlg::OnChoice)
ON_UPDATE_COMMAND_UI_RANGE(IDC_RECORDING_MONO, IDC_RECORDING_STEREO, &CRecDlg::OnUpdateChoice)
ON_UPDATE_COMMAND_UI_RANGE(IDC_RECORDING_8BIT_UNSIGNED, IDC_RECORDING_RATE_24000, &CRecDlg::OnUpdateChoice)
ON_UPDATE_COMMAND_UI_RANGE(IDC_RECORDING_RATE_8000, IDC_RECORDING_RATE_8000, &CRecDlg::OnUpdateChoice)
ON_UPDATE_COMMAND_UI_RANGE(IDC_RECORDING_RATE_11025, IDC_RECORDING_RATE_11025, &CRecDlg::OnUpdateChoice)
END_MESSAGE_MAP()

void CRecDlg::DoDataExchange(CDataExchange* pDX)
{
    CTabPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_RECORDING_MONO, m_nChannelIndex);
    DDX_Radio(pDX, IDC_RECORDING_RATE_8000, m_nRateIndex);
    DDX_Radio(pDX, IDC_RECORDING_8BIT_UNSIGNED, m_nResolutionIndex);
}

BOOL CRecDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    ShowSettings();
    return TRUE;
}

void CRecDlg::ShowSettings()
{
    m_nChannelIndex = RecordingChoices::ChannelIndex(g_settings);
    m_nRateIndex = RecordingChoices::RateIndex(g_settings);
    m_nResolutionIndex = RecordingChoices::ResolutionIndex(g_settings);
    UpdateData(FALSE);
}

void CRecDlg::OnChoice(UINT nID)
{
    // A recording works on its own copy; the page changes nothing until it ends.
    if (!IsRecording())
        RecordingChoices::Apply(static_cast<int>(nID), g_settings);
    ShowSettings();
    if (PageHost* host = Host())
        host->UpdateFormatDescription();
}

void CRecDlg::OnUpdateChoice(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(RecordingChoices::IsEnabled(static_cast<int>(pCmdUI->m_nID), g_settings, g_formatTable,
                                               IsRecording()));
}
