#pragma once
// Ids of the settings form and the hot-key dialog: their templates and every control, fixed so
// that tests find each control. A page's controls share the page's hundred (2100s: page 0, ...),
// option-button arrays have consecutive ids. Included by the resource script: defines only.

#define IDD_SETTING 200
#define IDD_HOTKEY 201

#define IDC_SET_TAB 2000            /* lblButton (0..3): the page tabs */
#define IDC_SET_PAGE 2010           /* FrList (0..3): the page frames */
#define IDC_SET_PAGE_FIRST 2100     /* first id of page 0's controls; each page has 100 */

#define IDC_SET_CLIPBOARD 2100      /* Opt_Clipboard (0..3) */
#define IDC_SET_HINT 2110           /* OptHint (0, 1) */
#define IDC_SET_TREE_INDENT 2120
#define IDC_SET_LISTVIEW 2130       /* OptListview (0..2) */
#define IDC_SET_CLIPBOARD_FRAME 2140
#define IDC_SET_HINT_FRAME 2141
#define IDC_SET_TREE_FRAME 2142
#define IDC_SET_LISTVIEW_FRAME 2143

#define IDC_SET_DISP_TEXT 2200
#define IDC_SET_LEVEL_LABEL 2201
#define IDC_SET_START_LEVEL 2202    /* cmbStLevel */

#define IDC_SET_ACTION 2300         /* OptAct (0..3) */
#define IDC_SET_ACTION_FRAME 2304
#define IDC_SET_CHILD_LABEL 2310
#define IDC_SET_CHILD_MAX 2311      /* cmbChildMaxCount */
#define IDC_SET_FROM_HWND 2320

#define IDC_SET_SHIFT 2400
#define IDC_SET_SHIFT_FRAME 2401    /* frShift and, up to IDC_SET_SHIFT_LAST, what it holds */
#define IDC_SET_SHIFT_X_LABEL 2402
#define IDC_SET_SHIFT_X 2403        /* txtShift (0); txtShift (1) = IDC_SET_SHIFT_X + 1 */
#define IDC_SET_SHIFT_Y 2404
#define IDC_SET_SHIFT_LAST 2405     /* the "Y" label */
#define IDC_SET_DISP_TOP 2410
#define IDC_SET_TO_FILE 2411
#define IDC_SET_AUTO_START 2412
#define IDC_SET_AUTO_STOP_LABEL 2413
#define IDC_SET_AUTO_STOP 2414      /* cmbAutoStop */
#define IDC_SET_SEC_LABEL 2415
#define IDC_SET_AUTO_CLOSE 2416
#define IDC_SET_CHIME 2417
#define IDC_SET_HOTKEY_BUTTON 2418
#define IDC_SET_HOTKEY_LABEL 2419

#define IDC_SET_CLOSE 2500

#define IDC_HOTKEY_LIST 2600        /* cmbHotKey */
#define IDC_HOTKEY_ENABLE_T 2601    /* chkEnableHotT */
#define IDC_HOTKEY_LABEL 2602
#define IDC_HOTKEY_FRAME 2603
