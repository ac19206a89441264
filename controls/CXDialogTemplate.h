// The working object of one message box: measures and lays out the controls, writes the
// in-memory template, creates the box modeless, disables the owner and runs the box's own
// message loop until a button ends it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CXDialogItem.h"
#include "controls/DialogTemplateWriter.h"
#include "controls/XMessageBox.h"
#include "framework/CBrush.h"
#include "framework/CFont.h"

class CXDialogTemplate
{
public:
    CXDialogTemplate(HWND hWndOwner, LPCWSTR text, LPCWSTR caption, UINT style, const XMsgBoxParams& params);
    CXDialogTemplate(const CXDialogTemplate&) = delete;
    CXDialogTemplate& operator=(const CXDialogTemplate&) = delete;
    virtual ~CXDialogTemplate();

    int RunMessageBox();
    int DefaultButtonId() const { return m_defaultButtonId; }

    // Ctrl+C; true when the key was consumed.
    bool OnKeyDown(HWND hWndBox, WPARAM wParam, LPARAM lParam);
    static bool CopyToClipboard(HWND hWndOwner, const std::wstring& text);

    // For tests: the template as written, and the caption slots.
    const DialogHeaderData& Header() const { return m_header; }
    std::vector<DialogItemData> Items() const;
    const std::wstring& Caption(int index) const { return m_captions[index]; }

private:
    static INT_PTR CALLBACK MsgBoxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MsgBoxIconProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND hWnd);
    void OnCommand(HWND hWnd, WPARAM wParam);
    void OnTimer(HWND hWnd, UINT_PTR id);
    void StopCountdown(HWND hWnd);
    void EnableButtons(HWND hWnd, BOOL enable);
    void OnHelp(HWND hWnd);

    void LoadCaptions(const XMsgBoxParams& params);
    void AddItem(CXDialogItem::Kind kind, int id, const RECT& pixels, const std::wstring& text,
                 bool textStatic);

    XMsgBoxParams m_params; // the caller's options, counted down in place
    UINT m_style;
    HWND m_hWndOwner;
    std::wstring m_text;
    std::wstring m_caption;
    std::wstring m_captions[XMB_CAPTION_COUNT];
    std::wstring m_savedDefaultCaption;
    int m_boxFlags = 0;
    int m_defaultButtonNumber = 1;
    int m_defaultButtonId = 1;
    int m_buttonCount = 0;
    int m_result = -1;
    bool m_ended = false;
    bool m_vista = false;
    bool m_hasCheckbox = false;
    bool m_buttonsDisabled = false;
    int m_baseX = 8;
    int m_baseY = 16;
    RECT m_textRect = {};

    HICON m_hIcon = nullptr;
    bool m_ownIcon = false; // loaded from a module, not a shared system icon
    CFont m_font;
    CBrush m_brush;

    DialogHeaderData m_header;
    std::vector<std::unique_ptr<CXDialogItem>> m_items;
};
