// Helpers of the window tests: message pumping, scripted modal dialogs, and closing the
// message boxes the framework shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/CDialog.h"

// Dispatches the thread's messages until done() or the timeout; true when done.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// While alive, message boxes of this thread are answered with IDOK; their texts are kept.
class MessageBoxCloser
{
public:
    MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;
    ~MessageBoxCloser();

    std::vector<std::wstring> texts;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR m_timer;
};

// A control that counts how often it was subclassed and the characters it saw.
class CountingControl : public CWnd
{
public:
    int presubclassCalls = 0;
    int charMessages = 0;

protected:
    void PreSubclassWindow() override { presubclassCalls++; }
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A dialog that, while it runs, performs one step of its script per timer tick (20 ms).
class ScriptedDialog : public CDialog
{
public:
    using Step = std::function<void(ScriptedDialog&)>;
    explicit ScriptedDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}

    std::vector<Step> steps;
    using CDialog::EndDialog;

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    size_t m_next = 0;
    bool m_inStep = false;   // a step may run a nested modal loop
    bool m_idleSeen = false; // each step sees the idle updates of the one before
};
