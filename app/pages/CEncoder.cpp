#include "app/pages/CEncoder.h"

#include "app/AppGlobals.h"
#include "app/EncoderChoices.h"
#include "app/PageHost.h"
#include "app/PageMessage.h"
#include "framework/CDataExchange.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CEncoder, CDialog)
ON_BN_CLICKED(IDOK, &CEncoder::OnClickedOk)
END_MESSAGE_MAP()

CEncoder::CEncoder(PageHost* host, CWnd* pParent) : CDialog(IDD_ENCODER_SETTINGS, pParent), m_pHost(host) {}

void CEncoder::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENCODER_WAV_CODEC, m_cbWavCodec);
    DDX_Control(pDX, IDC_ENCODER_MP3_BITRATE, m_cbMp3Bitrate);
    DDX_Control(pDX, IDC_ENCODER_MP3_MODE, m_cbMp3Mode);
    DDX_Control(pDX, IDC_ENCODER_OGG_QUALITY, m_cbOggQuality);
}

BOOL CEncoder::OnInitDialog()
{
    // The rows of the first three lists come with the template.
    CDialog::OnInitDialog();
    // Over the main window, not over its menu or in the middle of the screen.
    CenterWindow();
    m_cbWavCodec.SetCurSel(EncoderChoices::RowOf(EncoderChoices::LIST_WAV_CODEC, g_settings));
    m_cbMp3Bitrate.SetCurSel(EncoderChoices::RowOf(EncoderChoices::LIST_MP3_BITRATE, g_settings));
    m_cbMp3Mode.SetCurSel(EncoderChoices::RowOf(EncoderChoices::LIST_MP3_MODE, g_settings));
    for (const wchar_t* row : EncoderChoices::kOggRows)
        m_cbOggQuality.AddString(row);
    m_cbOggQuality.SetCurSel(EncoderChoices::RowOf(EncoderChoices::LIST_OGG_QUALITY, g_settings));
    return TRUE;
}

void CEncoder::OnClickedOk()
{
    // A recording works on its own copy; what is chosen now would silently not apply.
    if (IsHostRecording(m_pHost))
    {
        PageMessage::StopRecordingFirst(m_pHost, m_hWnd);
        return;
    }
    EncoderChoices::Store(EncoderChoices::LIST_WAV_CODEC, m_cbWavCodec.GetCurSel(), g_settings);
    EncoderChoices::Store(EncoderChoices::LIST_MP3_BITRATE, m_cbMp3Bitrate.GetCurSel(), g_settings);
    EncoderChoices::Store(EncoderChoices::LIST_MP3_MODE, m_cbMp3Mode.GetCurSel(), g_settings);
    EncoderChoices::Store(EncoderChoices::LIST_OGG_QUALITY, m_cbOggQuality.GetCurSel(), g_settings);
    if (m_pHost)
        m_pHost->UpdateFormatDescription();
    OnOK();
}
