// Resource ids of the program, one header for the .rc file and the code. Where the
// program uses one number for controls of different dialogs, each dialog's ids carry
// the dialog's name (IDC_DEVICE_..., IDC_OUTPUT_...).
#pragma once

// ---- icons
#define IDI_PROGRAM 1     // the window, tray and About icon
#define IDR_MAINFRAME 128 // the same picture as the file's icon
#define IDI_PAUSED 198    // taskbar overlay while paused
#define IDI_RECORDING 202 // taskbar overlay while recording

// Toolbar images, in the order of the toolbar's image list.
#define IDI_FORMAT_MP3 208 // Format button while MP3 is chosen (image 0)
#define IDI_RECORD 203     // image 1
#define IDI_PAUSE 199      // image 2
#define IDI_STOP 207       // image 3
#define IDI_DOWNLOAD 189   // image 4
#define IDI_HELP 187       // image 5
#define IDI_ABOUT 180      // image 6
#define IDI_FORMAT_WAV 391 // image 7
#define IDI_FORMAT_OGG 398 // image 8

#define IDI_TIP_BULB 358 // Tip of the Day

// Recorded-files list, 16 x 16: row images and header sort marks.
#define IDI_FILE_RECORDED 333 // row added by this program (image 0)
#define IDI_FILE_OTHER 390    // any other row (image 1)
#define IDI_SORT_NONE 330     // unsorted column (header image 0)
#define IDI_SORT_UP 5         // ascending (header image 1)
#define IDI_SORT_DOWN 389     // descending (header image 2)
#define IDI_SORT_SPARE 331    // header image 3

// ---- dialogs
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_DEVICE 209
#define IDD_LOG 216
#define IDD_FILE 313
#define IDD_MISC 351
#define IDD_TIP 356
#define IDD_RECORDING 382
#define IDD_DEVICE_INFO 383
#define IDD_OUTPUT 384
#define IDD_ENCODER_SETTINGS 393

// ---- menus and accelerators
#define IDR_MAIN_MENU 132
#define IDR_FORMAT_MENU 238 // the same number as ID_FORMAT: the drop-down loads it by the command
#define IDR_FILE_MENU 312
#define IDR_TRAY_MENU 336
#define IDR_ACCELERATORS 354

// ---- commands
#define IDM_ABOUTBOX 0x0010 // system menu item added at start

// Device(s) submenu: one command per recording device, from the first upwards.
#define ID_DEVICE_FIRST 101
#define ID_DEVICE_LAST 199

#define ID_FORMAT 238
#define ID_RECORD 1003
#define ID_PAUSE_RESUME 1005
#define ID_STOP 1006
#define ID_ABOUT 1011
#define ID_HELP_CONTENTS 1012
#define ID_NO_DEVICE 32771
#define ID_EXIT 32776
#define ID_TOOL_DEVICE 32779
#define ID_TOOL_LOG 32781
#define ID_DOWNLOAD 32784
#define ID_EMAIL_SUPPORT 32785
#define ID_ONLINE_SUPPORT 32791
#define ID_FORMAT_MP3 32801
#define ID_FORMAT_OGG 32803
#define ID_FILE_OPEN 32824
#define ID_FILE_OPEN_DIR 32825
#define ID_FILE_RENAME 32826
#define ID_FILE_REMOVE 32827
#define ID_FILE_DELETE 32828
#define ID_FILE_MOVE_UP 32834
#define ID_FILE_MOVE_DOWN 32835
#define ID_FILE_MOVE_TO_TOP 32836
#define ID_FILE_MOVE_TO_BOTTOM 32837
#define ID_RESTORE 32848
#define ID_TOOL_MISC 32853
#define ID_NEXT_TOOL 32855
#define ID_PREV_TOOL 32857
#define ID_FORMAT_WAV 32858
#define ID_TOOL_RECORDING 32883
#define ID_TOOL_FILE 32884
#define ID_TOOL_OUTPUT 32890
#define ID_TIP_OF_THE_DAY 32910
#define ID_MORE_FORMATS 32913

// ---- strings (a command's string is its prompt and its toolbar tooltip)
#define IDS_ABOUTBOX 101         // "&About Tolvane..." in the system menu
#define IDS_INDICATOR_EVENT 102  // status pane 0 (a blank)
#define IDS_INDICATOR_STATUS 103 // status pane 1 (a blank)
#define IDS_TIP_HEADING 106
#define IDS_TIP_FILE_ABSENT 107
#define IDS_TIP_FILE_ERROR 108
#define IDS_INDICATOR_FORMAT 110 // status pane 2 (a blank)

// ---- controls: main window
#define IDC_MAIN_TAB 1014
#define IDC_MAIN_TIME 1162
#define IDC_MAIN_LEFT_LEVEL 1165
#define IDC_MAIN_RIGHT_LEVEL 1166
#define IDC_MAIN_PROGRESS 1230

// ---- controls: About box
#define IDC_ABOUT_HOME_LINK 1184
#define IDC_ABOUT_SUPPORT_LINK 1185

// ---- controls: Log page
#define IDC_LOG_TEXT 1026
#define IDC_LOG_CLEAR 1027
#define IDC_LOG_WRITE_FILE 1211

// ---- controls: Device page
#define IDC_DEVICE_LIST 1020
#define IDC_DEVICE_LINE 1021
#define IDC_DEVICE_SYSTEM_VOLUME 1022
#define IDC_DEVICE_CONFIG 1023
#define IDC_DEVICE_TROUBLESHOOTING 1024
#define IDC_DEVICE_INFO 1025
#define IDC_DEVICE_LEFT_BALANCE 1030
#define IDC_DEVICE_VOLUME 1033
#define IDC_DEVICE_RIGHT_BALANCE 1035
#define IDC_DEVICE_HINT_VISTA 1188
#define IDC_DEVICE_HINT_NOISE 1191
#define IDC_DEVICE_VOLUME_LABEL 1206
#define IDC_DEVICE_LEFT_LABEL 1230
#define IDC_DEVICE_RIGHT_LABEL 1231
#define IDC_DEVICE_MIXER_LABEL 1234

// ---- controls: Sound Device Info (Diagnose is IDOK, Cancel IDCANCEL)
#define IDC_DEVICE_INFO_COPY 3
#define IDC_DEVICE_INFO_TEXT 1213

// ---- controls: Recording page (the first two rate radios carry their rate)
#define IDC_RECORDING_MONO 1176
#define IDC_RECORDING_STEREO 1177
#define IDC_RECORDING_8BIT_UNSIGNED 1180
#define IDC_RECORDING_8BIT_SIGNED 1181
#define IDC_RECORDING_16BIT_SIGNED 1182
#define IDC_RECORDING_RATE_8000 8000
#define IDC_RECORDING_RATE_11025 11025
#define IDC_RECORDING_RATE_12000 1183
#define IDC_RECORDING_RATE_16000 1184
#define IDC_RECORDING_RATE_22050 1185
#define IDC_RECORDING_RATE_24000 1189
#define IDC_RECORDING_RATE_32000 1186
#define IDC_RECORDING_RATE_44100 1187
#define IDC_RECORDING_RATE_48000 1188
#define IDC_RECORDING_CHANNEL_GROUP 1235
#define IDC_RECORDING_RESOLUTION_GROUP 1236
#define IDC_RECORDING_RATE_GROUP 1237

// ---- controls: Output page
#define IDC_OUTPUT_STOP_MANUALLY 1035
#define IDC_OUTPUT_STOP_AFTER 1036
#define IDC_OUTPUT_ASK_FOLDER 1037
#define IDC_OUTPUT_MINUTES 1038
#define IDC_OUTPUT_SAVE_TO 1039
#define IDC_OUTPUT_MINUTES_SPIN 1040
#define IDC_OUTPUT_SECONDS 1041
#define IDC_OUTPUT_SECONDS_SPIN 1042
#define IDC_OUTPUT_HOURS 1068
#define IDC_OUTPUT_HOURS_SPIN 1069
#define IDC_OUTPUT_DEST_DIR 1163
#define IDC_OUTPUT_BROWSE 1164
#define IDC_OUTPUT_FILE_NAME 1166
#define IDC_OUTPUT_ENCODER_SETTINGS 1231
#define IDC_OUTPUT_RESET_ALL 1232
#define IDC_OUTPUT_FOLDER_GROUP 1238
#define IDC_OUTPUT_AUTO_STOP_GROUP 1239
#define IDC_OUTPUT_FILE_NAME_LABEL 1240
#define IDC_OUTPUT_HOURS_LABEL 1242
#define IDC_OUTPUT_MINUTES_LABEL 1243
#define IDC_OUTPUT_SECONDS_LABEL 1244

// ---- controls: File page
#define IDC_FILE_LIST 1134

// ---- controls: Misc page
#define IDC_MISC_MINIMIZE_TO_TRAY 1056
#define IDC_MISC_MUTE 1057
#define IDC_MISC_SHOW_AMPLITUDE 1058
#define IDC_MISC_CLOSE_TO_TRAY 1136
#define IDC_MISC_AFTER_RECORDING 1137
#define IDC_MISC_AFTER_LABEL 1241

// ---- controls: Encoder Settings
#define IDC_ENCODER_WAV_CODEC 1232
#define IDC_ENCODER_MP3_BITRATE 1233
#define IDC_ENCODER_MP3_MODE 1234
#define IDC_ENCODER_OGG_QUALITY 1236

// ---- controls: Tip of the Day ("Next tip" is IDCANCEL)
#define IDC_TIP_STARTUP 1187
#define IDC_TIP_FRAME 1188
#define IDC_TIP_TEXT 1189
#define IDC_TIP_BULB 1190

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
