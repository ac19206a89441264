// The program's keyboard filters ahead of the dialog manager, apart from the windows
// that run them, so that a test drives the same code through a dialog of its own.
#pragma once

#include <windows.h>

#include <functional>

namespace KeyFilters
{
// Esc or Enter, which would end the dialog; not while the focused combo box (or the one
// that holds the focused edit) has its list dropped: there they close the list.
bool IsEndingKey(const MSG* pMsg);
// The main window's: its accelerators run its commands; Esc and Enter end nothing.
// TRUE when the message was taken.
BOOL MainWindowKeys(HWND hMain, HACCEL hAccel, MSG* pMsg);
// A page with its own copy of the table: a key of the table runs the command on the
// page (which takes the commands it has) and then goes to mainKeys (the main window's
// filter, for the rest); Esc and Enter end nothing. TRUE when the message was taken.
BOOL PageKeys(HWND hPage, HACCEL hAccel, MSG* pMsg, const std::function<void(MSG*)>& mainKeys);
} // namespace KeyFilters
