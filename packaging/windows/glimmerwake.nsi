; The Windows installer, glimmerwake-setup.exe, built by makensis (scripts/build-windows.sh):
;   makensis -DVERSION=1.0.0 -DPACKAGE_DIR=DIR -DUNINSTALL_LIST=FILE -DOUTFILE=FILE glimmerwake.nsi
; PACKAGE_DIR holds what the zip holds (the two programs, Data\ and the read-me); UNINSTALL_LIST
; is the list of Delete and RMDir lines for exactly those files, so the uninstaller removes what
; it installed and nothing else. The player's own data (%APPDATA%\Glimmerwake\: scores,
; settings) lies elsewhere and is left alone.
;
; For everyone (Program Files, Apps & features under HKLM) when the user may, else for the user
; alone (%LOCALAPPDATA%\Programs, HKCU), as Windows' own per-user installs do. /AllUsers or
; /CurrentUser on the command line choose; /S installs without a question.
; A 64-bit installer for a 64-bit game: it reads and writes the registry and Program Files as
; the game sees them.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APP_NAME "Glimmerwake"
!define PUBLISHER "Glimmerwake"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_NAME}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
; Where an earlier install went, so that a new one replaces it and the uninstaller finds it.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "${APP_NAME}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP_NAME} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Glimmerwake developers"

ManifestDPIAware true
ManifestSupportedOS all

!define MUI_ICON "glimmerwake.ico"
!define MUI_UNICON "glimmerwake.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\glimmerwake.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Play ${APP_NAME} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Glimmerwake"
    SetOutPath "$INSTDIR"
    File "${PACKAGE_DIR}\glimmerwake.exe"
    File "${PACKAGE_DIR}\glimmerwake-replay.exe"
    File "${PACKAGE_DIR}\read-me.txt"
    File /r "${PACKAGE_DIR}\Data"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Started from the Start menu the game runs in its own folder, beside its Data\.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\glimmerwake.exe" "" \
        "$INSTDIR\glimmerwake.exe" 0 SW_SHOWNORMAL "" "A 3-D arcade shooter"

    ; Apps & features (SHCTX is HKLM for everyone, HKCU for the user alone).
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\glimmerwake.exe$\",0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ; In kilobytes, as Apps & features shows it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever the player put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
