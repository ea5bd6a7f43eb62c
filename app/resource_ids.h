/* SPDX-License-Identifier: MIT */
/* The program's resource IDs: its dialog templates, icon, bitmap, strings, controls and
 * system-menu commands, each named once. Written for both C++ and the Windows resource
 * compiler (app/win32/torvix_controller.rc includes it), so only plain defines.
 * The toolkit's own IDs (IDOK 1 and IDCANCEL 2 of the buttons that end a dialog, -1 of a
 * control with no ID of its own) are the window layer's: kIdOk, kIdCancel and kStaticId. */
#ifndef TORVIX_APP_RESOURCE_IDS_H
#define TORVIX_APP_RESOURCE_IDS_H

/* Dialog templates. */
#define IDD_ABOUTBOX 100
#define IDD_TORVIX_CONTROLLER_DIALOG 102

/* The program icon and the logo the main dialog shows. */
#define IDI_PROGRAM 128
#define IDB_LOGO 130

/* Strings. */
#define IDS_ABOUTBOX 101

/* System-menu commands: below the platform's own (0xF000), with the low four bits clear. */
#define IDM_ABOUTBOX 0x0010u
#define IDM_SAVE_PROFILE 0x0100u
#define IDM_APPLY_PROFILE 0x0110u
#define IDM_SAVE_DSP_SETTINGS 0x0120u
#define IDM_SAVE_EEPROM_DUMP 0x0130u

/* The main dialog's controls; a slider and the value edit beside it make a pair. */
#define IDC_DEBUG_VALUE 1001
#define IDC_MIRROR 1002
#define IDC_VFLIP 1003
#define IDC_CONTRAST_SLIDER 1004
#define IDC_CONTRAST_EDIT 1005
#define IDC_WHITE_BALANCE_MODE 1006
#define IDC_BROWSE_DSP_REGS 1007
#define IDC_AEX_REFERENCE_SLIDER 1008
#define IDC_FILE_PATH 1009
#define IDC_AEX_REFERENCE_EDIT 1010
#define IDC_COLOR_GAIN_SLIDER 1011
#define IDC_COLOR_GAIN_EDIT 1012
#define IDC_RED_GAIN_SLIDER 1013
#define IDC_BLUE_GAIN_SLIDER 1014
#define IDC_RED_GAIN_EDIT 1015
#define IDC_BLUE_GAIN_EDIT 1016
#define IDC_LLS_COLOR_SLIDER 1017
#define IDC_LLS_AGC_START_SLIDER 1018
#define IDC_LLS_EDGE_SLIDER 1019
#define IDC_LLS_AGC_START_EDIT 1020
#define IDC_LLS_COLOR_EDIT 1021
#define IDC_LLS_EDGE_EDIT 1022
#define IDC_LLS_MODE_ON 1023
#define IDC_ANALOG_OUTPUT_GAIN_SLIDER 1024
#define IDC_ANALOG_OUTPUT_GAIN_EDIT 1025
#define IDC_SHARPNESS_LEVEL_SLIDER 1026
#define IDC_SHARPNESS_LEVEL_EDIT 1027
#define IDC_BRIGHTNESS_SLIDER 1028
#define IDC_BRIGHTNESS_EDIT 1029
#define IDC_PAL 1030
#define IDC_NTSC 1031
#define IDC_WDR_MODE 1032
#define IDC_PUSH2WHITE 1033
#define IDC_SHARPNESS_ON 1034
#define IDC_BROWSE_EEPROM_DUMP 1035
#define IDC_CONNECT 1036
#define IDC_RESET 1037
#define IDC_BLC_SIZE 1038
#define IDC_BLC_HORIZONTAL 1039
#define IDC_BLC_VERTICAL 1040
#define IDC_BLC_VIEW_ON 1041
#define IDC_AGC_GAIN_MAX_SLIDER 1042
#define IDC_AGC_GAIN_MAX_EDIT 1043
#define IDC_AGC_GAIN_MAX_ON 1044
#define IDC_DN_MODE 1045
#define IDC_OSD_CONTROL_USAGE 1047
#define IDC_ZOOM_FACTOR 1048
#define IDC_CAMERA_ADDRESS 1049
#define IDC_SEARCH_ADDRESS 1050
#define IDC_DN_LEVEL_SLIDER 1051
#define IDC_DN_LEVEL_EDIT 1052

#endif
