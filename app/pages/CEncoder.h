// The Encoder Settings dialog: the WAV sample format, the MP3 bitrate and channel mode,
// and the OGG Vorbis quality. OK stores the four choices when no recording runs.
#pragma once

#include "framework/CComboBox.h"
#include "framework/CDialog.h"

class PageHost;

class CEncoder : public CDialog
{
public:
    // host (may be null) records, and shows the format the choices give.
    explicit CEncoder(PageHost* host, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CComboBox m_cbWavCodec;
    CComboBox m_cbMp3Bitrate;
    CComboBox m_cbMp3Mode;
    CComboBox m_cbOggQuality;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClickedOk();

    DECLARE_MESSAGE_MAP()

private:
    PageHost* m_pHost;
};
