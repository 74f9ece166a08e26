/* resource.h - resource identifiers of Vigilark Explorer.
 *
 * Shared by the C++ sources and the resource scripts (windres includes it
 * too), so only #define lines and comments may appear here.  The numbers
 * are fixed: the resident monitor, the text overrides "LString<n>" in the
 * registry and the other copies of the program rely on them.  Names are
 * only ever added, never renamed.
 *
 * Prefixes: IDD_ dialog, IDC_ control or menu command, IDS_ string,
 * IDI_ icon, IDB_ bitmap, IDW_ wave sound, CMD_ command identifier sent
 * to the main window (also list kind, help topic and active page).
 * IDC_ numbers repeat across dialogs where a number plays another role
 * there; all other kinds are unique (checked by cmake/CheckResourceIds.cmake).
 */
#ifndef VIGILARK_RESOURCE_H
#define VIGILARK_RESOURCE_H

/* ===================================================================== */
/* Command identifiers: WM_COMMAND requests to the main window; the same  */
/* numbers name list kinds, help topics and the active page.             */
/* ===================================================================== */
#define CMD_STARTUP_PAGE        6026
#define CMD_ABOUT_PAGE          6027
#define CMD_COOKIES_PAGE        6028
#define CMD_TASKS_PAGE          6029
#define CMD_QUIT                6030
#define CMD_TOGGLE_AUTORUN      6031
#define CMD_OPTIONS_PAGE        6033
#define CMD_SHOW_WININIT        6034
#define CMD_SERVICES_PAGE       6038
#define CMD_SCHEDULED_PAGE      6039
#define CMD_IEHELPERS_PAGE      6040
#define CMD_HISTORY_LIST        6041   /* list kind of the History dialog */
#define CMD_FILETYPES_PAGE      6042
#define CMD_HOOKS_PAGE          6043   /* System Hooks page */
#define CMD_COOKIE_LIST         6044   /* list kind of the cookie list window */
#define CMD_VIEW_COOKIES        6045
#define CMD_MONITOR             6046   /* also list kind "Watch List" */
#define CMD_BLACKLIST           6047   /* also list kind "Black List" */
#define CMD_EXIT                6048
#define MSG_RELAYOUT            6049   /* private message: lay out the page */

/* ===================================================================== */
/* Dialogs                                                                */
/* ===================================================================== */
#define IDD_STARTUP_PAGE        102    /* Startup Programs page */
#define IDD_ABOUT_PAGE          103    /* About page (tab "RORO") */
#define IDD_COOKIES_PAGE        108    /* Cookies page */
#define IDD_TEXT_VIEWER         109    /* cookie file text viewer */
#define IDD_TASKS_PAGE          110    /* Active Tasks page */
#define IDD_OPTIONS_PAGE        114    /* Options page */
#define IDD_PROPERTIES          121    /* Properties dialog */
#define IDD_SERVICES_PAGE       132    /* Services page */
#define IDD_SCHEDULED_PAGE      137    /* Scheduled Tasks page */
#define IDD_IEHELPERS_PAGE      139    /* IE Helpers page */
#define IDD_HISTORY             141    /* History dialog */
#define IDD_FILETYPES_PAGE      142    /* File Types page */
#define IDD_HOOKS_PAGE          147    /* System Hooks page */
#define IDD_ADD_FILETYPE        144    /* Add File Type Extension dialog */
#define IDD_COOKIE_LIST         145    /* cookie list window */
#define IDD_WININIT_VIEWER      146    /* restart-commands (wininit.ini) viewer */
#define IDD_PATROL_TIME         160    /* Set Patrol Time dialog */
#define IDD_ADMIN_OPTIONS       171    /* admin options dialog */
#define IDD_MONITOR_ALERT       2500   /* the resident monitor's alert window */

/* ===================================================================== */
/* Icons                                                                  */
/* ===================================================================== */
#define IDI_PROGRAM             101    /* program icon, image 0 of every list */
#define IDI_DEFAULT_PROGRAM     115    /* fallback icon of a program row */
#define IDI_PAGE_ABOUT          117    /* About page icon (control 1130) */
#define IDI_PAGE_ABOUT_BADGE    167    /* About page second icon (control 1131) */
#define IDI_PAGE_STARTUP        174    /* Startup Programs page icon */
#define IDI_PAGE_TASKS          175    /* Active Tasks page icon */
#define IDI_PAGE_SCHEDULED      176    /* Scheduled Tasks page icon */
#define IDI_PAGE_SERVICES       177    /* Services page icon */
#define IDI_PAGE_IEHELPERS      178    /* IE Helpers page icon */
#define IDI_PAGE_FILETYPES      179    /* File Types page icon */
#define IDI_PAGE_COOKIES        180    /* Cookies page and cookie list icon */
#define IDI_PAGE_OPTIONS        181    /* Options page and dialogs icon */
#define IDI_FILTER              182    /* row icon of the cookie filter words */
#define IDI_NOT_KNOWN           2500   /* overlay of a row the monitor does not know yet */

/* ===================================================================== */
/* Bitmaps (static SS_BITMAP icons with hover images)                     */
/* ===================================================================== */
#define IDB_HELP_REST           133    /* Help icon at rest */
#define IDB_HELP_HELD           134    /* Help icon while pressed */
#define IDB_HELP_HOVER          135    /* Help icon under the mouse */
#define IDB_MONITOR_OFF         154    /* Monitor icon, patrol off */
#define IDB_MONITOR_HELD        155    /* Monitor icon while pressed / hovered */
#define IDB_MONITOR_ON          156    /* Monitor icon, patrol on */
#define IDB_COOKIE_REST         158    /* cookie folder icon at rest */
#define IDB_COOKIE_HELD         159    /* cookie folder icon while pressed */
#define IDB_COOKIE_HOVER        160    /* cookie folder icon under the mouse */

/* ===================================================================== */
/* Sounds (WAVE resources)                                                */
/* ===================================================================== */
#define IDW_OPEN_SOUND          113    /* played when the console opens */

/* ===================================================================== */
/* Controls shared by the pages (and their context-menu commands)         */
/* ===================================================================== */
#define IDC_FULL_REPORT_CMD     9      /* menu: Full Report */
#define IDC_ENABLE              10     /* "&Enable" */
#define IDC_DISABLE             11     /* "&Disable", shares the place of 10 */
#define IDC_LIST                1000   /* the page's list view */
#define IDC_REMOVE              1003   /* "&Remove" */
#define IDC_CLOSE_BUTTON        1004   /* the page's own Close button */
#define IDC_INFO                1008   /* "Info..." -> Properties dialog */
#define IDC_ADD                 1064   /* "&Add" */
#define IDC_HELP_ICON           1077   /* Help icon (bitmap 133) */
#define IDC_MONITOR_ICON        1112   /* Monitor icon (bitmap 154) */
#define IDC_PAGE_ICON           1130   /* page icon */
#define IDC_HELP_LABEL          1134   /* "Help" under the Help icon */
#define IDC_MONITOR_LABEL       1135   /* "Monitor" under the Monitor icon */
#define IDC_DELETE_ON_REBOOT    1144   /* menu: "&Delete File on Reboot" */
#define IDC_STATUS_BAR          6050   /* status bar of the sheet / cookie list */

/* ---- Startup Programs page (IDD_STARTUP_PAGE 102) -------------------- */
#define IDC_STARTUP_INTRO       1047
#define IDC_STARTUP_HINT        1048

/* ---- About page (IDD_ABOUT_PAGE 103) --------------------------------- */
#define IDC_ABOUT_NEWS_LINK     1021   /* owner-drawn link to the news page */
#define IDC_ABOUT_VERSION       1041   /* "Vigilark v<version>" heading */
#define IDC_ABOUT_SUPPORT       1042   /* support contact line */
#define IDC_SEARCH_EDIT         1075   /* program name to look up */
#define IDC_SEARCH_BUTTON       1076   /* "&Search" (default button) */
#define IDC_SEARCH_PROMPT       1077   /* "Enter Program Name to Search for:" */
#define IDC_CHECK_VERSION       1123   /* "Check for new Vigilark version" */
#define IDC_ABOUT_BADGE         1131   /* second icon (icon 167) */
#define IDC_ABOUT_NOTICE        1161   /* maker's notice */

/* ---- Cookies page (IDD_COOKIES_PAGE 108) ----------------------------- */
#define IDC_FILTER_EDIT         1004   /* new filter word */
#define IDC_ALWAYS_VIEW_COOKIES 1014   /* " &Always View Cookies" */
#define IDC_FILTER_SELECTED     1105   /* selected filter word (read-only) */
#define IDC_COOKIES_INTRO       1124
#define IDC_COOKIES_VIEW_HINT   1125
#define IDC_COOKIES_FILTER_HINT 1126
#define IDC_BROWSER_IE          1127   /* radio "  Internet Explorer" */
#define IDC_BROWSER_MOZILLA     1128   /* radio "  Mozilla Based" */
#define IDC_VIEW_COOKIES        1129   /* "&View Cookies" */
#define IDC_COOKIE_FOLDER_ICON  1131   /* clickable folder icon (bitmap 158) */
#define IDC_COOKIE_FOLDER       1143   /* cookie folder (read-only) */
#define IDC_COOKIE_FILTERS_HEADING 1160 /* "Cookie Filters" */

/* ---- Text viewer (IDD_TEXT_VIEWER 109) ------------------------------- */
#define IDC_VIEWER_TEXT         1004   /* multi-line read-only text */
#define IDC_VIEWER_PATH         1005   /* the file's path */

/* ---- Active Tasks page (IDD_TASKS_PAGE 110) -------------------------- */
#define IDC_REFRESH             1006   /* "&Refresh" */
#define IDC_KILL_TASK           1007   /* "&Kill Task" */
#define IDC_TASKS_INTRO         1052
#define IDC_TASKS_HINT          1053

/* ---- Options page (IDD_OPTIONS_PAGE 114) ----------------------------- */
#define IDC_AUTORUN             1017   /* run the monitor at start-up */
#define IDC_PLAY_SOUNDS         1020
#define IDC_TRACK_HISTORY       1024
#define IDC_LOCK_HOSTS          1026
#define IDC_CONFIRM_EXIT        1027
#define IDC_OPTIONS_INTRO       1049
#define IDC_OPTIONS_GROUP       1051   /* group box "Vigilark" */
#define IDC_VIEW_HISTORY        1104   /* "&View History..." */
#define IDC_VIEW_HOSTS          1105   /* "View &HOSTS file..." */
#define IDC_EXPORT_SETTINGS     1106   /* "E&xport Settings" */
#define IDC_PRO_OPTIONS         1107   /* "&Pro Options" */
#define IDC_FULL_REPORT         1108   /* "Full Repor&t" button */
#define IDC_STARTPAGE_ICON      1136   /* patrol of the Internet start pages */
#define IDC_HOSTS_ICON          1137   /* patrol of the HOSTS file */
#define IDC_WININIT_ICON        1138   /* patrol of the restart file */
#define IDC_WININIT_LABEL       1139
#define IDC_STARTPAGE_LABEL     1140
#define IDC_HOSTS_LABEL         1141

/* ---- Properties dialog (IDD_PROPERTIES 121) -------------------------- */
#define IDC_PROP_KILL           3      /* "&Kill Task" / "&Stop" */
#define IDC_PROP_RUN            4      /* "Run" */
#define IDC_PROP_APPLY          12     /* "&Apply" (services) */
#define IDC_PROP_NAME           100
#define IDC_PROP_NAME_LABEL     101
#define IDC_PROP_ICON           117    /* button showing the program's icon */
#define IDC_PROP_STATUS         1010
#define IDC_PROP_COPYRIGHT_LABEL 1025
#define IDC_PROP_PATH           1026
#define IDC_PROP_LOCATION       1027
#define IDC_PROP_VERSION        1029
#define IDC_PROP_COMPANY        1030
#define IDC_PROP_DESCRIPTION    1031
#define IDC_PROP_COPYRIGHT      1032
#define IDC_PROP_NOTES          1033
#define IDC_PROP_VERSION_LABEL  1034
#define IDC_PROP_COMPANY_LABEL  1037
#define IDC_PROP_ONLINE_INFO    1067   /* "RORO &Info..." */
#define IDC_PROP_FREE_INFO      1068   /* "&Free Info..." */
#define IDC_PROP_NEXT           1082
#define IDC_PROP_PREVIOUS       1083
#define IDC_PROP_STARTTYPE      1090   /* drop-down list */
#define IDC_PROP_STARTTYPE_LABEL 1091
#define IDC_PROP_STATUS_LABEL   1092
#define IDC_PROP_SIGNATURE      2620   /* the signature state */
#define IDC_PROP_SIGNATURE_LABEL 2621
#define IDC_PROP_SIGNER         2622   /* the signer's name */
#define IDC_PROP_SIGNER_LABEL   2623

/* ---- Services page (IDD_SERVICES_PAGE 132) --------------------------- */
#define IDC_HIDE_MS_SERVICES    1014   /* " List non-Microsoft Services only" */
#define IDC_SERVICES_INTRO      1047
#define IDC_SERVICES_HINT       1048

/* ---- Scheduled Tasks page (IDD_SCHEDULED_PAGE 137) ------------------- */
#define IDC_SCHEDULED_INTRO     1095
#define IDC_SCHEDULED_HINT      1096

/* ---- IE Helpers page (IDD_IEHELPERS_PAGE 139) ------------------------ */
#define IDC_IEHELPERS_INTRO     1100
#define IDC_IEHELPERS_HINT      1101

/* ---- History dialog (IDD_HISTORY 141); Close is IDOK ----------------- */
#define IDC_HISTORY_INTRO       1102
#define IDC_RESTORE             1104   /* "&Restore" */
#define IDC_CLEAR_FILE          1106   /* "&Clear File" */

/* ---- File Types page (IDD_FILETYPES_PAGE 142) ------------------------ */
#define IDC_FILETYPES_INTRO     1108
#define IDC_FILETYPES_HINT      1109

/* ---- Add File Type Extension dialog (IDD_ADD_FILETYPE 144) ----------- */
#define IDC_ADDTYPE_ADD         1      /* "&Add" (IDOK); Close is IDCANCEL */
#define IDC_ADDTYPE_EDIT        1004
#define IDC_ADDTYPE_INTRO       1102

/* ---- Cookie list window (IDD_COOKIE_LIST 145); Close is IDCANCEL ----- */
#define IDC_VIEW_COOKIE         1008   /* "&View..." */
#define IDC_REMOVE_UNCHECKED    1004   /* "Remove &Unchecked" */
#define IDC_COOKIELIST_INTRO    1045
#define IDC_COOKIELIST_HINT     1046
#define IDC_REMOVE_CHECKED      1103   /* "Remove &Checked" */
#define IDC_COOKIELIST_FOLDER   1145   /* cookie folder (read-only) */

/* ---- Restart-commands viewer (IDD_WININIT_VIEWER 146); Close is IDOK - */
#define IDC_WININIT_DELETE      1003   /* "Delete" */
#define IDC_WININIT_TEXT        1004
#define IDC_WININIT_LEGEND      1102

/* ---- Set Patrol Time dialog (IDD_PATROL_TIME 160); OK / Close -------- */
#define IDC_PATROL_EDIT         1004   /* minutes, at most 2 characters */
#define IDC_PATROL_INTRO        1131
#define IDC_PATROL_MINUTES      1132   /* "minutes." */
#define IDC_PATROL_ZERO_HINT    1133
#define IDC_PATROL_TRACKBAR     1142   /* range 0..30 */

/* ---- Admin options dialog (IDD_ADMIN_OPTIONS 171); Close is IDCANCEL - */
#define IDC_ADMIN_APPLY         1      /* "&Apply" (IDOK) */
#define IDC_ADMIN_HIDE_ICON     1014
#define IDC_ADMIN_HIDE_ALERTS   1016
#define IDC_ADMIN_USERS         1090   /* sorted drop-down of users */
#define IDC_ADMIN_INTRO         1149
#define IDC_ADMIN_WARNING       1150
#define IDC_ADMIN_USER_LABEL    1151
#define IDC_ADMIN_REVIEW        1159   /* "&Review..." -> History dialog */

/* ===================================================================== */
/* Strings (each line: id, then the beginning of its text)                */
/* ===================================================================== */
/* ---- Program, registry keys and captions ---- */
#define IDS_APP_NAME            2    // "Vigilark"
#define IDS_SETTINGS_FILE       4    // "Vigilark.ini"
#define IDS_HTTP_COMMAND_KEY    5    // "SOFTWARE\Classes\HTTP\shell\open\command"
#define IDS_CLASS_NAME          9    // "VigilarkEx"
#define IDS_ADMIN_TITLE         10   // "Vigilark Professional"
#define IDS_IE_APP_PATH_KEY     12   // "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\IEXPLORE.EXE"
#define IDS_ERR_SYSTEM          24   // "ERROR: Your system is not in its normal condition..."
#define IDS_COOKIE_VIEWER_TITLE 29   // "Vigilark - Cookies"
#define IDS_WININIT_TITLE       30   // "Vigilark - Windows Restart Commands"
#define IDS_HELP_CAPTION        31   // "Vigilark Help"
#define IDS_MONITOR_RUN_TITLE   622  // "Vigilark RORO"
#define IDS_IE_MAIN_KEY         623  // "Software\Microsoft\Internet Explorer\Main"
#define IDS_LANGUAGE            634  // "us"
#define IDS_LOADING             833  // "Loading..."

/* ---- Messages and questions ---- */
#define IDS_CONFIRM_REMOVE_STARTUP 15 // "\nYou have chosen to remove %s\n\nThis file will not be deleted..."
#define IDS_NO_SELECTION        57   // "No selection has been made.\n\nClick on the title ... learn more about..."
#define IDS_NO_COOKIE_SELECTED  58   // "No Cookie has been selected.\n\n..."
#define IDS_NO_WININIT_COMMANDS 59   // "No commands have been found in the WinInit.ini file."
#define IDS_NO_SELECTION_REMOVE 60   // "No selection has been made.\n\n... to selec the program you'd like to remove.\n"
#define IDS_CONFIRM_REMOVE_TASK 687  // "\nYou have chosen to remove %s\n\nNo files will be deleted ... scheduled task?"
#define IDS_CONFIRM_REMOVE_IEHELPER 698 // "\nYou have chosen to remove %s from the Windows registry..."
#define IDS_CONFIRM_END_PROGRAM 707  // "\n%s is currently an actively running program..."
#define IDS_CONFIRM_REMOVE_UNCHECKED 728 // "\nAre you sure you want all the cookies that are NOT checked to be removed?..."
#define IDS_ERR_NUT_LIMIT       729  // "\nI'm sorry but you've reached a limit in the number of recommended nuts..."
#define IDS_ERR_NO_HOSTS        736  // "\nA HOSTS file could not be located on your computer..."
#define IDS_CONFIRM_REMOVE_CHECKED 738 // "\nAre you sure you want all the cookies you checked to be removed?..."
#define IDS_ERR_FILETYPE_INVALID 761 // "\nI'm sorry but you've asked to monitor a  File Type Extension that is invalid..."
#define IDS_ERR_FILETYPE_EXISTS 762  // "\nThis file type is already being monitored.\n"
#define IDS_ERR_FILETYPE_LIMIT  763  // "\nThe maximum number of file types are currently being monitored..."
#define IDS_CONFIRM_DELETE_ON_REBOOT 800 // "\nIs this known Adware or Spyware?..."
#define IDS_EXPORT_DONE         854  // "\nYour Vigilark data and settings have been saved as the following file:..."
#define IDS_COOKIE_PATROL_ADVICE 965 // "We recommend that you keep your cookie patrol time set to the default of 0..."

/* ---- Page introductions ---- */
#define IDS_STARTUP_INTRO       211  // "\nIn the  morning, when you turn on your computer..."
#define IDS_STARTUP_HINT        212  // "\nSelect a Program Title and press &Info... or double-click..."
#define IDS_TASKS_INTRO         221  // "\nTobrin the Zavadov Ururo Did has sniffed out the following programs..."
#define IDS_TASKS_HINT          222  // "\nSelect a module and press &Info... or double click..."
#define IDS_COOKIELIST_INTRO    231  // "Tobrin the Zavadov Ururo Did reports that your computer has the following cookies..."
#define IDS_COOKIELIST_HINT     232  // "\nCheck the cookies you'd like to keep or remove."
#define IDS_OPTIONS_INTRO       251  // "\nCustomize Vigilark to meet your own performance and security needs..."
#define IDS_OPTIONS_GROUP       253  // "Vigilark"
#define IDS_SERVICES_INTRO      638  // "\nTobrin the Zavadov Ururo Did reports the following Window Services..."
#define IDS_SERVICES_HINT       639  // "\nSelect a Service Title and press &Info..."
#define IDS_SCHEDULED_INTRO     678  // "\nTobrin the Zavadov Ururo Did reports the following programs are currently scheduled..."
#define IDS_SCHEDULED_HINT      679  // "\nSelect a Scheduled Task name and press &Info..."
#define IDS_IEHELPERS_INTRO     695  // "\nTobrin the Zavadov Ururo Did reports the following IE Helper programs..."
#define IDS_IEHELPERS_HINT      696  // "\nSelect the Helper name and press &Info... or double-click an item to learn more."
#define IDS_FILETYPES_INTRO     740  // "\nTobrin the Zavadov Ururo Did reports that the following programs are associated..."
#define IDS_FILETYPES_HINT      741  // "\nSelect a Program Title and press &Info..."
#define IDS_COOKIES_INTRO       771  // "\nTobrin the Zavadov Ururo Did automatically will remove cookies..."
#define IDS_COOKIES_VIEW_HINT   772  // "Click below to see a complete list of your cookies."
#define IDS_COOKIES_FILTER_HINT 773  // "Enter text you want to filter certain cookies."

/* ---- About page and the maker's server ---- */
#define IDS_SUPPORT_CONTACT     262  // "For help with Vigilark write to support@vigilark.invalid"
#define IDS_SERVER              263  // "http://vigilark.invalid/" (the maker's web server)
#define IDS_ABOUT_NOTICE        264  // "Vigilark keeps watch over the programs that start with Windows..."
#define IDS_ABOUT_VERSION_PREFIX 265 // "Vigilark v"
#define IDS_OK                  266  // "OK"
#define IDS_CHECK_VERSION       764  // "Check for new Vigilark version"
#define IDS_SEARCH              769  // "&Search"
#define IDS_SEARCH_PROMPT       770  // "Enter Program Name to Search for:"

/* ---- Buttons and menu items ---- */
#define IDS_INFO                301  // "Info..."
#define IDS_REMOVE              302  // "&Remove"
#define IDS_REMOVE_UNCHECKED    303  // "Remove &Unchecked"
#define IDS_CLOSE               304  // "Close"
#define IDS_REFRESH             305  // "&Refresh"
#define IDS_KILL_TASK           306  // "&Kill Task"
#define IDS_FULL_REPORT         310  // "Full Repor&t"
#define IDS_ADD                 311  // "&Add"
#define IDS_DELETE              614  // "Delete"
#define IDS_ENABLE              632  // "&Enable"
#define IDS_DISABLE             633  // "&Disable"
#define IDS_STOP                650  // "&Stop"
#define IDS_VIEW                659  // "&View..."
#define IDS_APPLY               662  // "&Apply"
#define IDS_NEXT                703  // "&Next"
#define IDS_PREVIOUS            704  // "&Previous"
#define IDS_REMOVE_CHECKED      708  // "Remove &Checked"
#define IDS_CLEAR_FILE          711  // "&Clear File"
#define IDS_RESTORE             717  // "&Restore"
#define IDS_VIEW_HISTORY        727  // "&View History..."
#define IDS_VIEW_HOSTS          734  // "View &HOSTS file..."
#define IDS_ADDTYPE_ADD         753  // "&Add"
#define IDS_VIEW_COOKIES        774  // "&View Cookies"
#define IDS_DELETE_ON_REBOOT    801  // "&Delete File on Reboot"
#define IDS_RUN                 832  // "Run"
#define IDS_EXPORT_SETTINGS     853  // "E&xport Settings"
#define IDS_PRO_OPTIONS         958  // "&Pro Options"
#define IDS_REVIEW              964  // "&Review..."

/* ---- Tab captions and section titles ---- */
#define IDS_TAB_STARTUP         606  // "Startup Programs"
#define IDS_TAB_TASKS           607  // " Active Tasks "
#define IDS_TAB_COOKIES         608  // "Cookies" (also the IE cookie column)
#define IDS_TAB_OPTIONS         610  // "Options"
#define IDS_TAB_ABOUT           611  // "RORO"
#define IDS_TAB_SERVICES        636  // " Services "
#define IDS_TAB_SCHEDULED       680  // " Scheduled Tasks "
#define IDS_TAB_IEHELPERS       694  // " IE Helpers "
#define IDS_TAB_FILETYPES       739  // " File Types "
#define IDS_COOKIES_PAGE_TITLE  722  // "Cookies with Nuts"
#define IDS_HISTORY_TITLE       712  // "Vigilark History"
#define IDS_ADDTYPE_TITLE       752  // "Add File Type Extension"
#define IDS_COOKIE_FILTERS      967  // "Cookie Filters"

/* ---- List column headers ---- */
#define IDS_COL_TITLE           627  // "Title"
#define IDS_COL_COMMAND         628  // "Command"
#define IDS_COL_MODULE          629  // "Module"
#define IDS_COL_VERSION         630  // "Version"
#define IDS_COL_DESCRIPTION     631  // "Program Description"
#define IDS_COL_STATUS          648  // "Status"
#define IDS_COL_STARTUP         651  // "Startup"
#define IDS_COL_CREATION_DATE   669  // "Creation Date"
#define IDS_COL_NAME            681  // "Name"
#define IDS_COL_LAST_RUN        682  // "Last Run Time"
#define IDS_COL_NEXT_RUN        683  // "Next Run Time"
#define IDS_COL_PROGRAM         684  // "Program"
#define IDS_COL_COMPANY         699  // "Company"
#define IDS_COL_DATE_MODIFIED   713  // "Date Modified"
#define IDS_COL_TYPE            714  // "Type"
#define IDS_COL_ACTION          715  // "Action"
#define IDS_COL_CLASS           747  // "Class"
#define IDS_COL_EXTENSION       748  // "Extension"
#define IDS_COL_EXPIRES         775  // "Expires"
#define IDS_COL_PATH            776  // "Path"
#define IDS_COL_VALUE           777  // "Value"
#define IDS_COL_SSL             778  // "SSL"
#define IDS_COL_COOKIE_NAME     781  // "Domain - Cookie Name"

/* ---- Startup entries and locations ---- */
#define IDS_DISABLED_MARK       626  // "Disabled "
#define IDS_STARTUP_LOCATION    646  // "Startup Location: "
#define IDS_UNSPECIFIED_TITLE   705  // "Unspecified Title"
#define IDS_LOCATION            716  // "Location"
#define IDS_LOC_IE_TOOLBAR      724  // "Internet Explorer - Toolbar Add-On Extension"
#define IDS_LOC_IE_BHO          725  // "Internet Explorer - Browser Helper Object"
#define IDS_VIEW_32BIT          2620 // " (32-bit)": after the location of an entry of the 32-bit registry view
#define IDS_LOC_TASK_SCHEDULER  726  // "Windows Task Scheduler"
#define IDS_ADD_PROGRAM_TITLE   902  // "Add AutoStart Program"
#define IDS_ADD_PROGRAM_FILTER  903  // "Programs Files (*.exe) % *.exe% All Files  (*.*) % *.*%%"
#define IDS_STARTUP_OTHER_USER  2000 // "\nThis startup entry belongs to another user of this computer..."
#define IDS_STARTUP_TITLE_TAKEN 2001 // "\nAnother startup entry with the same title is already disabled..."
#define IDS_STARTUP_TOO_LONG    2002 // "\nThe name or command of this startup entry is too long..."
#define IDS_STARTUP_CHANGE_FAILED 2003 // "\nThis startup entry could not be changed..."
#define IDS_DELETE_ON_RESTART_FAILED 2004 // "\nThe file could not be scheduled for deletion..."
#define IDS_STARTUP_NOT_HANDLED 2005 // "\nThis entry is not a startup program that Vigilark can change..."
#define IDS_START_NO_ANSWER     2006 // "\nAnother copy of Vigilark Explorer is starting but does not answer..."
#define IDS_SERVICE_STOP_FAILED 2100 // "\nThe service could not be stopped..."
#define IDS_SERVICE_START_TYPE_FAILED 2101 // "\nThe startup type of this service could not be changed..."
#define IDS_TASK_NOT_REMOVED    2150 // "\nThe scheduled task could not be removed..."
#define IDS_IEHELPER_NOT_REMOVED 2200 // "\nThe registration of %s could not be removed..."

/* ---- Options and system files: the program's own texts (2350-2399) ---- */
#define IDS_ADMIN_APPLY_FAILED  2350 // "\nThe options of %s could not be saved..."
#define IDS_WININIT_DELETE_FAILED 2351 // "\nThe restart commands could not be deleted..."
#define IDS_COOKIES_NOT_LISTED  2300 // "%d more cookies are not listed: the list is full..."

/* ---- Properties dialog ---- */
#define IDS_PROP_ONLINE_INFO    641  // "RORO &Info..."
#define IDS_PROP_NAME           642  // "Name:"
#define IDS_PROP_COMPANY        643  // "Company:"
#define IDS_PROP_VERSION        644  // "Version:"
#define IDS_PROP_COPYRIGHT      645  // "Copyright:"
#define IDS_PROP_ADVICE         647  // "A company name and a copyright notice in the version information are a good sign..."
#define IDS_PROP_STARTUP_TYPE   667  // "Startup Type:"
#define IDS_PROP_STATUS         668  // "Status:"
#define IDS_FILE_NOT_FOUND      730  // "Local File not found."
#define IDS_PROP_FREE_INFO      731  // "&Free Info..."
#define IDS_FILETYPE_EXTENSION  755  // "File Type Extension: "
#define IDS_READY               831  // "Ready"

/* ---- Signatures of program files (program's own: 2600-2619) ---- */
#define IDS_PROP_SIGNATURE      2600 // "Signature:"
#define IDS_PROP_SIGNER         2601 // "Signer:"
#define IDS_SIG_VERIFIED        2602 // "Verified"
#define IDS_SIG_MISMATCH        2603 // "Signature does not match the file"
#define IDS_SIG_NOT_VERIFIED    2604 // "Not verified (%s)"
#define IDS_SIG_NOT_SIGNED      2605 // "Not signed"
#define IDS_SIG_UNKNOWN         2606 // "Unknown"
#define IDS_SIG_UNTRUSTED_ROOT  2607 // "untrusted root"
#define IDS_SIG_NO_CHAIN        2608 // "incomplete certificate chain"
#define IDS_SIG_EXPIRED         2609 // "expired"
#define IDS_SIG_DISTRUSTED      2610 // "distrusted"
#define IDS_SIG_WRONG_USAGE     2611 // "not a code-signing certificate"
#define IDS_SIG_ERROR           2612 // "error 0x%08X"

/* ---- Services: states and start types ---- */
#define IDS_SVC_STOPPED         652  // "Stopped"
#define IDS_SVC_START_PENDING   653  // "Pending Start"
#define IDS_SVC_STOP_PENDING    654  // "Pending Stop"
#define IDS_SVC_RUNNING         655  // "Running"
#define IDS_SVC_CONTINUE_PENDING 656 // "Pending Continue"
#define IDS_SVC_PAUSE_PENDING   657  // "Pending Pause"
#define IDS_SVC_PAUSED          658  // "Paused"
#define IDS_START_AUTOMATIC     664  // "Automatic"
#define IDS_START_MANUAL        665  // "Manual"
#define IDS_START_DISABLED      666  // "Disabled"
#define IDS_HIDE_MS_SERVICES    721  // " List non-Microsoft Services only"

/* ---- Scheduled tasks ---- */
#define IDS_NEVER               686  // "Never"
#define IDS_TASK_STATUS_READY   688  // "Status: Ready"
#define IDS_TASK_STATUS_RUNNING 689  // "Status: Running"
#define IDS_TASK_STATUS_NOT_SCHEDULED 690 // "Status: Not Scheduled"

/* ---- History dialog ---- */
#define IDS_HISTORY_INTRO       710  // "The following is a history of events that occurred with Vigilark..."

/* ---- File types ---- */
#define IDS_NO_ASSOCIATED_FILE  742  // "No Associated File"
#define IDS_EXECUTABLE          746  // "Executable"
#define IDS_DEFAULT_FILETYPES   750  // "AVI;BAT;BMP;CDA;CHM;COM;CMD;CSS;DOC;EML;EXE;..."
#define IDS_ADDTYPE_INTRO       751  // "Enter the File Extension type that you would like Vigilark to monitor..."

/* ---- Cookies ---- */
#define IDS_TRUE                779  // "True"
#define IDS_FALSE               780  // "False"
#define IDS_ALWAYS_VIEW_COOKIES 796  // " &Always View Cookies"
#define IDS_BROWSER_MOZILLA     797  // "  Mozilla Based"
#define IDS_BROWSER_IE          798  // "  Internet Explorer"
#define IDS_SELECT_COOKIE_FOLDER 799 // "Select Folder for Internet Cookies"
#define IDS_COOKIE_FOLDER_NOT_FOUND 968 // "Cookie Folder Not Found"

/* ---- Options page ---- */
#define IDS_OPT_AUTORUN         353  // "  Automatically run Vigilark when computer starts."
#define IDS_OPT_SOUND           354  // "  Play Sounds."
#define IDS_OPT_WININIT_PATROL  355  // "  Detect Changes to ReStart file"
#define IDS_OPT_STARTPAGE_PATROL 635 // "  Detect Changes to Internet Explorer Home and Search Pages."
#define IDS_OPT_HISTORY         709  // "  Track Changes in restoration File. (history.txt) "
#define IDS_OPT_HOSTS_PATROL    735  // "  Warn if changes are made to my Internet HOSTS file."
#define IDS_OPT_LOCK_HOSTS      737  // "  Lock HOSTS file"
#define IDS_OPT_CONFIRM_EXIT    749  // "  Confirm Exit when closing Vigilark Monitor."
#define IDS_HELP_LABEL          793  // "Help"
#define IDS_MONITOR_LABEL       794  // "Monitor"

/* ---- Restart commands (wininit.ini) ---- */
#define IDS_WININIT_LEGEND      702  // "NUL=   Indicates the file will be deleted on restart\nREN=..."

/* ---- Set Patrol Time dialog: intro texts and the patrol kinds ---- */
#define IDS_PATROL_INTRO        782  // "The number below will be the number of minutes before Tobrin patrols again."
#define IDS_PATROL_MINUTES      783  // "minutes."
#define IDS_PATROL_STARTUP      784  // "Patrol Time for Startup Programs"
#define IDS_PATROL_IEHELPERS    785  // "Patrol Time for IE Helpers"
#define IDS_PATROL_TASKS        786  // "Patrol Time for Tasks"
#define IDS_PATROL_COOKIES      787  // "Patrol Time for Cookies"
#define IDS_PATROL_FILETYPES    788  // "Patrol Time for File Types"
#define IDS_PATROL_NUTS         789  // "Patrol Time for Cookie Filter"
#define IDS_PATROL_WININIT      790  // "Patrol Time for WinInit/Restart file"
#define IDS_PATROL_STARTPAGE    791  // "Patrol Time for Default Internet Pages"
#define IDS_PATROL_HOSTS        792  // "Patrol Time for checking HOST file"
#define IDS_PATROL_ZERO_HINT    802  // "Set to 0 to disable monitoring."
#define IDS_PATROL_SERVICES     957  // "Patrol Time for Windows Services"

/* ---- Admin options dialog ---- */
#define IDS_ADMIN_INTRO         959  // "These options designed for administrators and parents..."
#define IDS_ADMIN_WARNING       960  // "If you choose to hide Tobrin and Alerts be sure to check frequently..."
#define IDS_ADMIN_USER_NAME     961  // "User name:"
#define IDS_ADMIN_HIDE_ICON     962  // " Hide Tobrin icon on the Windows Task Bar"
#define IDS_ADMIN_HIDE_ALERTS   963  // "  Hide Alert messages and record requests"

/* ---- Questions before a kill or a deletion, and undo: the program's own texts (2560-2599) ---- */
#define IDS_QUESTION_TARGETS    2560 // "\nThis acts on:\n%s"
#define IDS_MORE_TARGETS        2561 // "   ... and %d more"
#define IDS_CONFIRM_END_PROGRAMS 2562 // "\nThese programs are currently running:\n%s\nDo you want Vigilark to try and stop them..."
#define IDS_TASK_NOT_AS_LISTED  2563 // "\n%s is no longer the program that was listed..."
#define IDS_UNDO_ALREADY_UNDONE 2564 // "\nThis change has already been undone:\n%s\n"
#define IDS_UNDO_LINE_GONE      2565 // "\nThis line is no longer in history.txt..."
#define IDS_UNDO_NOT_POSSIBLE   2566 // "\nThis change cannot be undone from the history:\n%s\n"
#define IDS_UNDO_NOTHING_TO_DO  2567 // "\nThere is nothing to undo: %s is already as it was before this change.\n"
#define IDS_UNDO_FAILED         2568 // "\n%s could not be put back as it was..."
#define IDS_UNDO_OUTSIDE_STORES 2569 // "\nThis history line names a place outside the Startup folders..."
#define IDS_UNDO_COPY_MISMATCH  2570 // "\nThe saved registration does not belong to this history line..."
#define IDS_UNDO_COPY_KEPT      2571 // "\nThe add-on could not be brought back..."
#define IDS_UNDO_NOT_LISTED     2572 // "\nThe registration was written back, but Internet Explorer would not load the add-on..."
#define IDS_UNDO_OCCUPIED       2573 // "\nAnother program now has this entry's place..."
#define IDS_UNDO_NOT_REGISTERED 2574 // "\n%s has not been registered again..."
#define IDS_STARTUP_OUTSIDE_FOLDERS 2575 // "\nThis file is not in a Startup folder..."

/* ---- Full report, settings export and CSV export (program's own: 2400-2449, 3220-3239) ---- */
#define IDS_REPORT_IN_DOCUMENTS 2400 // "\nThe report could not be written to\n%s\n\nso it has been saved in your documents folder..."
#define IDS_REPORT_NOT_WRITTEN  2401 // "\nThe report could not be written.\n\n%s\n%s\n..."
#define IDS_EXPORT_IN_DOCUMENTS 2402 // "\nYour Vigilark data and settings could not be saved beside the program..."
#define IDS_EXPORT_NOT_WRITTEN  2403 // "\nYour Vigilark data and settings could not be saved.\n\n%s\n%s\n..."
#define IDS_CSV_WRITTEN         2404 // "\nEvery list has been saved as the following file:\n%s\n"
#define IDS_CSV_NOT_WRITTEN     2405 // "\nThe lists could not be saved.\n\n%s\n%s\n..."
#define IDS_SAVE_CSV            2406 // "Save as &CSV"
#define IDS_REPORT_NOT_OPENED   2407 // "\nThe report has been saved as the following file:\n%s\n\nbut Windows could not open it..."
#define IDS_EXPORT_LEFT_OUT     2408 // "\nThese values have been left out: a registry file cannot hold a line break..."
#define IDC_SAVE_CSV_CMD        3220 /* menu: Save as CSV */

/* ---- The resident monitor (program's own: 2500-2599) ---- */
#define IDS_ALERT_CAPTION       2500 // "Vigilark Alert"
#define IDS_ALERT_STARTUP       2501 // "A new program has been set to start automatically with Windows."
#define IDS_ALERT_IEHELPER      2502 // "A new Internet Explorer add-on has been installed."
#define IDS_ALERT_TASK          2503 // "A new scheduled task has been added."
#define IDS_ALERT_SERVICE       2504 // "A new Windows service has been installed."
#define IDS_ALERT_FILETYPE      2505 // "The program that opens a monitored file type has changed."
#define IDS_ALERT_HOSTS         2506 // "Your HOSTS file has been changed."
#define IDS_ALERT_STARTPAGE     2507 // "Your Internet Explorer start or search page has been changed."
#define IDS_ALERT_WININIT       2508 // "A new command has been added to the Windows restart file."
#define IDS_ALERT_BLACKLIST     2509 // "A program on your black list was running."
#define IDS_ALERT_COOKIES       2510 // "Cookie filter"
#define IDS_ALERT_TITLE_LABEL   2511 // "Title:"
#define IDS_ALERT_COMMAND_LABEL 2512 // "Command:"
#define IDS_ALERT_LOCATION_LABEL 2513 // "Location:"
#define IDS_ALERT_PUBLISHER_LABEL 2514 // "Publisher:"
#define IDS_ALERT_VERSION_LABEL 2515 // "Version:"
#define IDS_ALERT_ALLOW         2516 // "&Allow"
#define IDS_ALERT_DISABLE       2517 // "&Disable"
#define IDS_ALERT_REMOVE        2518 // "&Remove"
#define IDS_ALERT_RESTORE       2519 // "Re&store"
#define IDS_ALERT_ACCEPT        2520 // "A&ccept"
#define IDS_ALERT_LATER         2521 // "&Later"
#define IDS_ALERT_FAILED        2522 // "The change could not be made. ..."
#define IDS_ALERT_WAITING       2523 // "%d more waiting"
#define IDS_TRAY_PATROL_NOW     2524 // "&Patrol Now"
#define IDS_TRAY_SHOW_ALERTS    2525 // "Show &Alerts (%d)"
#define IDS_TRAY_EXIT           2526 // "E&xit"
#define IDS_TRAY_IDLE           2527 // "Vigilark - starting its first patrol"
#define IDS_TRAY_STATUS         2528 // "Vigilark - last patrol %s: %d found, %d not shown"
#define IDS_MONITOR_CONFIRM_EXIT 2529 // "Do you want to stop the Vigilark monitor? ..."
#define IDS_NOT_KNOWN_MARK      2530 // "  (new: not yet known to the monitor)"
#define IDS_TRAY_OPEN           2531 // "Open Vigilark Explorer"
#define IDC_ALERT_HEADING       2540 /* alert: what was found */
#define IDC_ALERT_TITLE         2541
#define IDC_ALERT_COMMAND       2542
#define IDC_ALERT_LOCATION      2543
#define IDC_ALERT_PUBLISHER     2544
#define IDC_ALERT_VERSION       2545
#define IDC_ALERT_TITLE_LABEL   2546
#define IDC_ALERT_COMMAND_LABEL 2547
#define IDC_ALERT_LOCATION_LABEL 2548
#define IDC_ALERT_PUBLISHER_LABEL 2549
#define IDC_ALERT_VERSION_LABEL 2550
#define IDC_ALERT_WAITING       2551 /* alert: how many more wait */
#define IDC_ALERT_ALLOW         2552
#define IDC_ALERT_DISABLE       2553
#define IDC_ALERT_REMOVE        2554
#define IDC_ALERT_RESTORE       2555
#define IDC_ALERT_ACCEPT        2556
#define IDC_ALERT_LATER         2557
#define IDC_ALERT_SIGNATURE     2558 /* alert: signature state and signer */
#define IDC_ALERT_SIGNATURE_LABEL 2559
#define IDC_TRAY_PATROL_NOW     2570 /* tray menu and WM_COMMAND to the monitor's window */
#define IDC_TRAY_SHOW_ALERTS    2571
#define IDC_TRAY_EXIT           2572

/* ---- System Hooks page (IDD_HOOKS_PAGE 147) -------------------------- */
#define IDC_HOOKS_INTRO         1170
#define IDC_HOOKS_HINT          1171
#define IDS_TAB_HOOKS           2700 // " System Hooks "
#define IDS_HOOKS_INTRO         2701 // "\nVigilark Explorer reports these programs that Windows..."
#define IDS_HOOKS_HINT          2702 // "\nSelect an item and press &Info..., or &Remove..."
#define IDS_PATROL_HOOKS        2703 // "Patrol Time for System Hooks"
#define IDS_CONFIRM_REMOVE_HOOK 2704 // "\nYou have chosen to remove %s from\n%s..."
#define IDS_CONFIRM_RESTORE_DEFAULT 2705 // "\nYou have chosen to take %s out of\n%s..."
#define IDS_HOOK_NOT_REMOVED    2706 // "\n%s could not be removed..."
#define IDS_HOOK_DEBUGGER_TITLE 2707 // "%s starts %s instead"
#define IDS_UNDO_NO_COPY        2708 // "\nNo saved copy of this change was found..."
#define IDS_ALERT_HOOK          2709 // "A program has been hooked into Windows' start."

#endif /* VIGILARK_RESOURCE_H */
