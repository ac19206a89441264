#include "app/pages/CDevDlg.h"

#include <shellapi.h>

#include <portaudio.h>

#include "app/AppGlobals.h"
#include "app/DevicePageLogic.h"
#include "app/PageHost.h"
#include "app/PageMessage.h"
#include "app/pages/CSoundDeviceDlg.h"
#include "engine/RecordingMessages.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "resources/resource.h"

namespace
{
LPCWSTR kTroubleshootingPage = L"https://www.quillmoth.example/troubleshooting.html";

void OpenSoundControlPanel()
{
    ::ShellExecuteW(nullptr, L"OPEN", L"rundll32.exe", L"shell32.dll Control_RunDLL mmsys.cpl @1", nullptr,
                    SW_SHOW);
}
} // namespace

BEGIN_MESSAGE_MAP(CDevDlg, CTabPage)
ON_BN_CLICKED(IDC_DEVICE_SYSTEM_VOLUME, &CDevDlg::OnSystemVolumeControl)
ON_BN_CLICKED(IDC_DEVICE_CONFIG, &CDevDlg::OnConfigAudioDevice)
ON_BN_CLICKED(IDC_DEVICE_TROUBLESHOOTING, &CDevDlg::OnVistaTroubleshooting)
ON_BN_CLICKED(IDC_DEVICE_INFO, &CDevDlg::OnSoundDeviceInfo)
ON_CBN_SELCHANGE(IDC_DEVICE_LIST, &CDevDlg::OnSelChangeDevice)
ON_CBN_SELCHANGE(IDC_DEVICE_LINE, &CDevDlg::OnSelChangeInputSource)
ON_WM_HSCROLL()
ON_WM_DESTROY()
ON_UPDATE_COMMAND_UI(IDC_DEVICE_LIST, &CDevDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_DEVICE_INFO, &CDevDlg::OnUpdateWhileIdle)
ON_UPDATE_COMMAND_UI(IDC_DEVICE_MIXER_LABEL, &CDevDlg::OnUpdateWhileIdle)
END_MESSAGE_MAP()

CDevDlg::~CDevDlg()
{
    CloseMixer();
}

void CDevDlg::DoDataExchange(CDataExchange* pDX)
{
    CTabPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEVICE_VOLUME, m_slVolume);
    DDX_Control(pDX, IDC_DEVICE_LINE, m_cbLine);
    DDX_Control(pDX, IDC_DEVICE_LIST, m_cbDevice);
    DDX_Control(pDX, IDC_DEVICE_SYSTEM_VOLUME, m_btnSystemVolume);
    DDX_Control(pDX, IDC_DEVICE_HINT_VISTA, m_stHintVista);
    DDX_Control(pDX, IDC_DEVICE_HINT_NOISE, m_stHintNoise);
    DDX_Control(pDX, IDC_DEVICE_LEFT_BALANCE, m_slLeftBalance);
    DDX_Control(pDX, IDC_DEVICE_RIGHT_BALANCE, m_slRightBalance);
}

BOOL CDevDlg::OnInitDialog()
{
    CTabPage::OnInitDialog();
    CloseMixer();
    m_slVolume.SetRange(0, 100, TRUE);
    m_slLeftBalance.SetRange(SettingRanges::kBalance.low, SettingRanges::kBalance.high, TRUE);
    m_slRightBalance.SetRange(SettingRanges::kBalance.low, SettingRanges::kBalance.high, TRUE);
    ShowSettings();
    m_cbDevice.ResetContent();
    m_nDeviceEntry = -1;
    return TRUE;
}

void CDevDlg::ShowSettings()
{
    m_slLeftBalance.SetPos(g_settings.nLeftBalance);
    m_slRightBalance.SetPos(g_settings.nRightBalance);
    SetDlgItemText(IDC_DEVICE_LEFT_LABEL, DevicePageLogic::LeftBalanceLabel(g_settings.nLeftBalance));
    SetDlgItemText(IDC_DEVICE_RIGHT_LABEL, DevicePageLogic::RightBalanceLabel(g_settings.nRightBalance));
}

int CDevDlg::ShowMessage(LPCWSTR text, UINT style)
{
    return PageMessage::Show(Host(), BoxOwner(), text, style);
}

void CDevDlg::ReportMixerFailure(const CString& text, UINT style, BOOL bTellUser)
{
    if (bTellUser)
        ShowMessage(text, style);
    else if (PageHost* host = Host())
    {
        CString line = text;
        line.Replace(L"\r\n", L" ");
        host->LogEvent(line, LOG_WARNING);
    }
}

void CDevDlg::CloseMixer()
{
    CloseInputMixer(m_pMixer);
    m_pMixer = nullptr;
}

void CDevDlg::OpenDeviceMixer(BOOL bTellUser)
{
    CloseMixer();
    const int selection = m_cbDevice.GetCurSel();
    const LRESULT itemData =
        selection >= 0 ? static_cast<LRESULT>(m_cbDevice.GetItemData(selection)) : CB_ERR;
    const PaDeviceIndex device = DevicePageLogic::DeviceOfEntry(selection, itemData);
    // No device chosen (or none at all): nothing to capture from, nothing accepted.
    g_nCaptureDevice = static_cast<int16_t>(device);
    m_nDeviceEntry = device == paNoDevice ? -1 : selection;
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    g_formatTable.ProbeInputFormats(info ? device : paNoDevice);
    m_cbLine.ResetContent();

    PaStreamParameters input;
    double rate = 0.0;
    PaStreamFlags flags = paNoFlag;
    if (!DevicePageLogic::ProbeStreamParameters(device, info, g_settings.nChannels, g_settings.nResolution,
                                                input, rate, flags))
        return;
    PaStream* stream = nullptr;
    const PaError error = Pa_OpenStream(&stream, &input, nullptr, rate, 0, flags, nullptr, nullptr);
    if (error != paNoError)
    {
        ReportMixerFailure(DevicePageLogic::MixerAccessFailure(Pa_GetErrorText(error)), MB_ICONHAND,
                           bTellUser);
        return;
    }
    m_pMixer = OpenInputMixer(stream, 0);
    if (!m_pMixer)
    {
        ReportMixerFailure(L"Fail to open mixer.!", MB_OK, bTellUser);
        Pa_CloseStream(stream);
        return;
    }
    const auto count = static_cast<int16_t>(GetInputSourceCount(m_pMixer));
    const int current = GetSelectedSource(m_pMixer);
    for (int i = 0; i < count; ++i)
        m_cbLine.AddString(DevicePageLogic::SourceEntry(GetSourceName(m_pMixer, i)));
    m_cbLine.SetCurSel(current);
    RefreshVolume();
    // The mixer keeps handles of its own and outlives the stream.
    Pa_CloseStream(stream);
    m_stHintVista.SetTextColor(RGB(255, 0, 0), TRUE);
    m_stHintNoise.SetTextColor(RGB(0, 0, 255), TRUE);
}

void CDevDlg::RefreshVolume()
{
    const int current = GetSelectedSource(m_pMixer);
    m_slVolume.EnableWindow(current != -1);
    if (current == -1)
    {
        SetDlgItemText(IDC_DEVICE_VOLUME_LABEL, L"");
        return;
    }
    m_slVolume.SetPos(DevicePageLogic::VolumePosition(GetSourceVolume(m_pMixer)));
    SetDlgItemText(IDC_DEVICE_VOLUME_LABEL, DevicePageLogic::VolumeLabel(m_slVolume.GetPos()));
}

void CDevDlg::OnSelChangeDevice()
{
    if (IsRecording())
    {
        // The list is greyed only at the next idle pass: a change may slip in before.
        m_cbDevice.SetCurSel(m_nDeviceEntry);
        PageMessage::StopRecordingFirst(Host(), BoxOwner());
        return;
    }
    UINT first = 0;
    UINT last = 0;
    UINT marked = 0;
    PageHost* host = Host();
    if (host &&
        DevicePageLogic::DeviceMenuMark(m_cbDevice.GetCurSel(), m_cbDevice.GetCount(), first, last, marked))
    {
        if (CMenu* pDeviceMenu = host->GetDeviceMenu())
            pDeviceMenu->CheckMenuRadioItem(first, last, marked, MF_BYCOMMAND);
    }
    OpenDeviceMixer();
}

void CDevDlg::OnSelChangeInputSource()
{
    SelectSource(m_pMixer, m_cbLine.GetCurSel());
    RefreshVolume();
}

void CDevDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const HWND hScroll = pScrollBar ? pScrollBar->m_hWnd : nullptr;
    if (hScroll && hScroll == m_slVolume.m_hWnd)
    {
        const int current = GetSelectedSource(m_pMixer);
        m_slVolume.EnableWindow(current != -1);
        if (current == -1)
            SetDlgItemText(IDC_DEVICE_VOLUME_LABEL, L"");
        else
        {
            const int position = m_slVolume.GetPos();
            SetSourceVolume(m_pMixer, DevicePageLogic::VolumeValue(position));
            SetDlgItemText(IDC_DEVICE_VOLUME_LABEL, DevicePageLogic::VolumeLabel(position));
        }
    }
    else if (hScroll && hScroll == m_slLeftBalance.m_hWnd)
    {
        g_settings.nLeftBalance = static_cast<int16_t>(m_slLeftBalance.GetPos());
        SetDlgItemText(IDC_DEVICE_LEFT_LABEL, DevicePageLogic::LeftBalanceLabel(g_settings.nLeftBalance));
        // A recording that runs takes it from its next block on.
        if (PageHost* host = Host())
            host->ApplyBalance();
    }
    else if (hScroll && hScroll == m_slRightBalance.m_hWnd)
    {
        g_settings.nRightBalance = static_cast<int16_t>(m_slRightBalance.GetPos());
        SetDlgItemText(IDC_DEVICE_RIGHT_LABEL, DevicePageLogic::RightBalanceLabel(g_settings.nRightBalance));
        if (PageHost* host = Host())
            host->ApplyBalance();
    }
    CTabPage::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDevDlg::OnSystemVolumeControl()
{
    const BOOL started = DevicePageLogic::LaunchVolumeControl(
        [this](LPCWSTR file)
        {
            return reinterpret_cast<INT_PTR>(
                ::ShellExecuteW(m_hWnd, L"open", file, L" -r", nullptr, SW_SHOWNORMAL));
        });
    if (started)
        return;
    ShowMessage(L"Fail to Launch Recording Volume & Balance Control!", MB_ICONHAND);
    if (PageHost* host = Host())
        host->LogEvent(L"Fail to launch recording volume & balance control", LOG_WARNING);
}

void CDevDlg::OnConfigAudioDevice()
{
    OpenSoundControlPanel();
}

void CDevDlg::OnVistaTroubleshooting()
{
    OpenSoundControlPanel();
    ::ShellExecuteW(nullptr, L"open", kTroubleshootingPage, nullptr, nullptr, SW_SHOWNORMAL);
}

void CDevDlg::OnSoundDeviceInfo()
{
    // Owned by the main window, which stays disabled while the report runs.
    CSoundDeviceDlg dlg(HostWindow(), nullptr, Host());
    dlg.DoModal();
}

void CDevDlg::OnDestroy()
{
    CTabPage::OnDestroy();
    CloseMixer();
}
