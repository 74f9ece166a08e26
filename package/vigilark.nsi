; The installer of Vigilark Explorer: the console, the monitor and the help pages in
; Program Files\Vigilark, a Start-menu shortcut to the console, the monitor's automatic start
; (offered, on by default) and an uninstaller that keeps the user's history, disabled and
; removed entries unless the user asks to remove them too. On 64-bit Windows it installs the
; x86_64 programs, elsewhere the i686 ones (the file list has both). The x86_64 programs need
; Windows Vista or later (their runtime imports GetTickCount64): XP x64 and Server 2003 x64
; get the i686 programs, which see both registry views there as well.
; Made by MakeDist.cmake: makensis -DVERSION=5.0.0.1 -DNSIS_TARGET=x86-ansi|amd64-unicode
;   -DFILES=<files.nsh> -DICON=<program.ico> -DOUTFILE=<setup.exe> vigilark.nsi
; The shipped installer is x86-ansi: a Unicode one does not run on the Windows 95 family.
; On 64-bit Windows it works in the native registry view, as the programs there do (the
; uninstall entry, the monitor's Run value), except for the programs' own key, which they
; keep in the 32-bit view.

Target ${NSIS_TARGET}

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include WinVer.nsh
!include "${FILES}"

!define PRODUCT "Vigilark Explorer"
!define PUBLISHER "Brondlewick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vigilark"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The monitor's Run value exactly as the console writes it (SetMonitorAutostart): the title
; is the program's name (string 2), the command the monitor's path with the name in lower case.
!define MONITOR_RUN_NAME "Vigilark"
!define MONITOR_RUN_COMMAND "$INSTDIR\vigilark.exe"
; Where the programs keep their settings, disabled entries and undo information.
!define COMPANY_KEY "Software\Brondlewick"
!define PROGRAM_KEY "${COMPANY_KEY}\Vigilark"
!define SHORTCUT "$SMPROGRAMS\Vigilark Explorer.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; $PROGRAMFILES64 is $PROGRAMFILES on 32-bit Windows.
InstallDir "$PROGRAMFILES64\Vigilark"
; An update goes where the last installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\VigilarkEx.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Running copies hold their files open on Windows: the console and the monitor are asked to
; end ("-Q", as they understand it) and given a few seconds to do so.
!macro EndRunningCopies
    ${If} ${FileExists} "$INSTDIR\VigilarkEx.exe"
        ExecWait '"$INSTDIR\VigilarkEx.exe" -Q'
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\Vigilark.exe"
        ExecWait '"$INSTDIR\Vigilark.exe" -Q'
    ${EndIf}
    StrCpy $1 0
    ${Do}
        FindWindow $0 "VigilarkEx"
        ${If} $0 == 0
            FindWindow $0 "Vigilark"
        ${EndIf}
        ${If} $0 == 0
        ${OrIf} $1 >= 50
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $1 $1 + 1
    ${Loop}
!macroend

; On 64-bit Windows the native registry view; an update goes where the last installation went
; also when that was recorded there (the 32-bit installer reads its own view first).
!macro UseNativeRegistryView
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
!macroend

Var Programs64  ; 1 when the x86_64 programs are installed

Function .onInit
    SetShellVarContext all
    !insertmacro UseNativeRegistryView
    StrCpy $Programs64 0
    ${If} ${RunningX64}
    ${AndIf} ${AtLeastWinVista}
        StrCpy $Programs64 1
    ${EndIf}
    ${If} $INSTDIR == "$PROGRAMFILES64\Vigilark"
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 != ""
            StrCpy $INSTDIR $0
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    !insertmacro EndRunningCopies
    SetOutPath "$INSTDIR"
    ${If} $Programs64 == 1
        !insertmacro InstallProgramFiles64
    ${Else}
        !insertmacro InstallProgramFiles32
    ${EndIf}
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\VigilarkEx.exe" "" "$INSTDIR\VigilarkEx.exe" 0 SW_SHOWNORMAL "" "${PRODUCT}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VigilarkEx.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start the Vigilark monitor with Windows" SecMonitor
    WriteRegStr HKLM "${RUN_KEY}" "${MONITOR_RUN_NAME}" "${MONITOR_RUN_COMMAND}"
SectionEnd

Function un.onInit
    SetShellVarContext all
    !insertmacro UseNativeRegistryView
FunctionEnd

Section "Uninstall"
    !insertmacro EndRunningCopies
    !insertmacro RemoveProgramFiles
    Delete "$INSTDIR\Uninstall.exe"
    Delete "${SHORTCUT}"
    ; The monitor's automatic start goes with it; one that starts another copy stays.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${MONITOR_RUN_NAME}"
    ${If} $0 == "${MONITOR_RUN_COMMAND}"
    ${OrIfNot} ${FileExists} "$0"
        DeleteRegValue HKLM "${RUN_KEY}" "${MONITOR_RUN_NAME}"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The history and the Disabled and Removed folders are what the user can still undo: they
    ; stay unless the user says otherwise (and always in a silent uninstall). So does the
    ; monitor's copy of the HOSTS file, against which it compares the file.
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Also remove your history of changes, the programs you disabled or removed (kept for undo) and the settings of ${PRODUCT}?$\n$\nThey cannot be undone any more once removed." \
        /SD IDNO IDNO keep
    Delete "$INSTDIR\history.txt"
    Delete "$INSTDIR\HOSTS.saved"
    RMDir /r "$INSTDIR\Disabled"
    RMDir /r "$INSTDIR\Removed"
    DeleteRegKey HKCU "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
    SetRegView 32
    DeleteRegKey HKLM "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
    !insertmacro UseNativeRegistryView
keep:
    RMDir "$INSTDIR"
SectionEnd
