// The Sound Device Info dialog: a report of every device the audio library sees, with the
// formats and rates each accepts, and a copy of it for the clipboard.
#pragma once

#include <memory>

#include "app/DeviceReportSource.h"
#include "framework/CDialog.h"
#include "framework/CRichEditCtrl.h"

class PageHost;

class CSoundDeviceDlg : public CDialog
{
public:
    // source null: the audio library itself; host (may be null) records.
    explicit CSoundDeviceDlg(CWnd* pParent = nullptr, DeviceReportSource* source = nullptr,
                             const PageHost* host = nullptr);
    ~CSoundDeviceDlg() override;

    BOOL OnInitDialog() override;
    // Appends "    " + text + a line end in the colour of the code, scrolled into view.
    void AppendReportLine(const CString& text, int colour);
    void OnDiagnose();
    void OnCopyToClipboard();

    CRichEditCtrl m_richEdit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Diagnose is the default button: Enter runs it, it does not end the dialog.
    void OnOK() override { OnDiagnose(); }
    void EnableControls(BOOL bEnable);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<DeviceReportSource> m_ownSource;
    DeviceReportSource* m_source;
    const PageHost* m_pHost;
};
