#pragma once
// The conversion progress dialog and its controls (shared with the resource script).
#define IDD_PROGRESS 112
#define IDC_PROGRESS_FILE 1000
#define IDC_PROGRESS_BAR 1001
#define IDC_PROGRESS_STATUS 1004
