// Resource ids of the program, one header for the .rc file and the code. Where the
// program uses one number for controls of different dialogs, each dialog's ids carry
// the dialog's name (IDC_DEVICE_..., IDC_OUTPUT_...).
#pragma once

// ---- icons
#define IDI_PROGRAM 1     // the window, tray and About icon
#define IDR_MAINFRAME 128 // the same picture as the file's icon
#define IDI_PAUSED 198    // taskbar overlay while paused
#define IDI_RECORDING 202 // taskbar overlay while recording

// ---- version
#define QM_VERSION_TEXT "6.3.6"
#define QM_VERSION_NUMBERS 6, 3, 6, 0
