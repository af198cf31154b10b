; Installer of Tessaly. Built by scripts/package.sh, which defines:
;   TARGET       x86-unicode (the shipped installer) or amd64-unicode (the 64-bit test build)
;   VERSION      major.minor.release.build
;   BIN_DIR      folder of Tessaly.exe
;   DATA_DIR     folder of the starter catalogue files
;   RES_DIR      the resource folder (icon)
;   NOTICE_FILE  the notice shown before the folder page
;   PICTURES_DIR welcome.bmp (164x314, welcome and finish pages) and header.bmp (150x57)
;   OUT_FILE     the installer to write
;   HELP_FILE    the help file, only when it has been built
;
; Silent use: setup.exe /S [/D=folder]; uninstall.exe /S [/REMOVEDATA]. /REMOVEDATA also
; removes the user's catalogue and settings, as the uninstaller's check box does.

!ifndef TARGET | VERSION | BIN_DIR | DATA_DIR | RES_DIR | NOTICE_FILE | PICTURES_DIR | OUT_FILE
!error "TARGET, VERSION, BIN_DIR, DATA_DIR, RES_DIR, NOTICE_FILE, PICTURES_DIR and OUT_FILE must be defined"
!endif

Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Tessaly"
!define PUBLISHER "Orvelle"
!define EXE "Tessaly.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "TSY"
!define SETTINGS_PARENT_KEY "SOFTWARE\Orvelle"
!define SETTINGS_KEY "SOFTWARE\Orvelle\Tessaly"
!define DATA_PARENT "Orvelle"
!define DATA_SUBFOLDER "Orvelle\Tessaly"
!define MAIN_WINDOW_CLASS "TMainForm"
!define MAIN_WINDOW_CAPTION "Tessaly"
!define INSTANCE_MUTEX "Kestrova/Tessaly"
!define ENDSESSION_CLOSEAPP 0x00000001
!define SMTO_ABORTIFHUNG 0x0002
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
BrandingText "${PRODUCT} ${VERSION}"
; A 64-bit build belongs in the 64-bit Program Files folder; the shipped 32-bit one in the
; 32-bit folder (its registry view is the 32-bit one as well).
!if ${NSIS_PTR_SIZE} > 4
InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
InstallDir "$PROGRAMFILES32\${PRODUCT}"
!endif
; An update goes where the earlier version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${RES_DIR}\Tessaly.ico"
!define MUI_UNICON "${RES_DIR}\Tessaly.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES_DIR}\welcome.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${PICTURES_DIR}\welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES_DIR}\header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${PICTURES_DIR}\header.bmp"

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Before you install"
!define MUI_PAGE_HEADER_SUBTEXT "Where Tessaly keeps your catalogue and settings."
!define MUI_LICENSEPAGE_TEXT_TOP "Please read the following notice."
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Press Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${NOTICE_FILE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Run Tessaly"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_PAGE_HEADER_TEXT "Your catalogue and settings"
!define MUI_PAGE_HEADER_SUBTEXT "Choose whether they are removed as well."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your catalogue of sites and your settings are kept unless you tick the box below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running Tessaly to end the way Windows does at logoff, so that it saves its settings
; and quits whatever its close options say; waits until the process has let go of its
; single-instance mutex. Whatever does not end is left to the user: Retry or Cancel (silent
; runs cancel). Sets $0 to 1 when the program is gone, 0 when the user gave up.
!macro DEFINE_END_RUNNING_PROGRAM PREFIX
Function ${PREFIX}EndRunningProgram
    Push $1
    Push $2
    Push $3
    retry:
    FindWindow $1 "${MAIN_WINDOW_CLASS}" "${MAIN_WINDOW_CAPTION}"
    ${If} $1 <> 0
        System::Call 'user32::SendMessageTimeout(p r1, i ${WM_QUERYENDSESSION}, p 0, p ${ENDSESSION_CLOSEAPP}, i ${SMTO_ABORTIFHUNG}, i 5000, *p .r2) p .r3'
        ${If} $3 <> 0
            System::Call 'user32::SendMessageTimeout(p r1, i ${WM_ENDSESSION}, p 1, p ${ENDSESSION_CLOSEAPP}, i ${SMTO_ABORTIFHUNG}, i 5000, *p .r2)'
        ${EndIf}
    ${EndIf}
    ; About ten seconds for the process to end.
    StrCpy $3 0
    ${Do}
        System::Call 'kernel32::OpenMutex(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_MUTEX}") p .r2'
        ${If} $2 = 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
        IntOp $3 $3 + 1
        ${If} $3 >= 100
            ${Break}
        ${EndIf}
        Sleep 100
    ${Loop}
    ${If} $2 = 0
        StrCpy $0 1
    ${Else}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Tessaly is still running and did not end when asked to. Please end it, then press Retry." \
            /SD IDCANCEL IDRETRY retry
        StrCpy $0 0
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_PROGRAM ""
!insertmacro DEFINE_END_RUNNING_PROGRAM "un."

Section "-Program"
    Call EndRunningProgram
    ${If} $0 <> 1
        SetErrorLevel 2
        Abort "Tessaly is still running."
    ${EndIf}
    ; Only the program folder is written: the user's catalogue and settings stay as they are.
    SetOutPath "$INSTDIR"
    File "${BIN_DIR}\${EXE}"
    File "${DATA_DIR}\targets.dat"
    File "${DATA_DIR}\Tessaly.dat"
!ifdef HELP_FILE
    File "${HELP_FILE}"
!endif
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
    SetShellVarContext current

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "-un.Program"
    Call un.EndRunningProgram
    ${If} $0 <> 1
        SetErrorLevel 2
        Abort "Tessaly is still running."
    ${EndIf}
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\targets.dat"
    Delete "$INSTDIR\Tessaly.dat"
    Delete "$INSTDIR\TSY.chm"
    Delete "$INSTDIR\${UNINSTALLER}"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    SetShellVarContext current
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Last, so that a script waiting for the folder to go knows the rest is done.
    RMDir "$INSTDIR"
SectionEnd

Section /o "un.Remove my catalogue and settings" SecUserData
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
    SetShellVarContext current
    ; An empty folder name would make this the drive's root folder. The folder goes last.
    ${If} "$APPDATA" != ""
        RMDir /r "$APPDATA\${DATA_SUBFOLDER}"
        RMDir "$APPDATA\${DATA_PARENT}"
    ${EndIf}
SectionEnd

Function un.onInit
    ${un.GetParameters} $1
    ClearErrors
    ${un.GetOptions} $1 "/REMOVEDATA" $2
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecUserData}
    ${EndIf}
FunctionEnd
