// Resource ids shared by the .rc files and the code.
#pragma once

#define IDD_MAIN 102
#define IDD_MESSAGE 131
#define IDD_DIRECTX 142
#define IDI_SETUP 133

// Main dialog
#define IDC_WELCOME 1000
#define IDC_INSTRUCTIONS 1003
#define IDC_INSTALL 1012
#define IDC_QUIT 1015
#define IDC_CURRENT_LABEL 1018
#define IDC_TOTAL_LABEL 1020
#define IDC_DRIVES 1023
#define IDC_PICTURE_FRAME 1025
#define IDC_CURRENT_PERCENT 1027
#define IDC_TOTAL_PERCENT 1028
#define IDC_CURRENT_BAR 1030
#define IDC_TOTAL_BAR 1031

// Message dialog
#define IDC_MESSAGE_TEXT 1024

// DirectX question
#define IDC_DIRECTX_TEXT 1033
