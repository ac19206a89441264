// A dialog holding one report list, driven step by step from its own modal loop: each
// timer tick runs the next step, so messages posted by one step pass through the loop
// (and its key filtering) before the next.
#pragma once

#include <functional>
#include <vector>

#include "controls/CReportCtrl.h"
#include "framework/CDialog.h"

struct ListEvent
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int row;    // WM_REPORT_EDITDONE: what the pointer held
    int column; // after the handler ran
};

class ReportDialog : public CDialog
{
public:
    using Step = std::function<void(ReportDialog&)>;
    ReportDialog();

    CReportCtrl list;
    std::vector<Step> steps;
    std::vector<ListEvent> events;
    // Runs inside the WM_REPORT_EDITDONE handler.
    std::function<void(ReportDialog&)> onEditDone;
    bool okPressed = false;
    bool cancelPressed = false;

    // Six columns and rows of the given texts (one string per column, '|' separated).
    void Fill(const std::vector<const wchar_t*>& rows, int columns = 6);
    // Posts a left click (down and up) on the centre of a cell.
    void Click(int row, int column, UINT down = WM_LBUTTONDOWN);
    void PostKey(UINT vk);
    int CountEvents(UINT message) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { okPressed = true; }
    void OnCancel() override { cancelPressed = true; }
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnStateChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSorted(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditDone(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    size_t m_next = 0;
};

// Runs the steps in a modal dialog; each step then ends it.
void RunReportDialog(ReportDialog& dialog);
