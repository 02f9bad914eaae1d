; The Velmora installer, made by windows/build: installs for the current user, without
; administrator rights, into %LOCALAPPDATA%\Programs\Velmora. Its uninstaller removes exactly
; the files and registry keys it made; catalogs and the program's settings stay.
; Defines from windows/build: BUILD (velmora-version.nsh), FILES (the file lists), SIZE_KB,
; ICON, OUTFILE.
; A 64-bit installer, for a 64-bit program: one that runs where the program does, and under
; a 64-bit Wine alone.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "${BUILD}/velmora-version.nsh"
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
; "Open with" offers Velmora for .odl files; no file type is taken from other programs.
!define APPLICATION_KEY "Software\Classes\Applications\velmora.exe"

Name "Velmora ${VERSION}"
BrandingText "Velmora ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Velmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "Velmora"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Velmora ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmora.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--choose-folder"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the default; the installer speaks Croatian under a Croatian Windows.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Croatian"

Function .onInit
    SetShellVarContext current
    SetRegView 64
FunctionEnd

Function un.onInit
    SetShellVarContext current
    SetRegView 64
FunctionEnd

Section
    !include "${FILES}/install-files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; From the menu the program asks for the catalog's folder, as the Linux menu entry does.
    CreateShortcut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe" "--choose-folder" \
        "$INSTDIR\velmora.exe" 0 SW_SHOWNORMAL "" "${DESCRIPTION}"

    WriteRegStr HKCU "${APPLICATION_KEY}" "FriendlyAppName" "Velmora"
    WriteRegStr HKCU "${APPLICATION_KEY}\SupportedTypes" ".odl" ""
    WriteRegStr HKCU "${APPLICATION_KEY}\DefaultIcon" "" "$INSTDIR\velmora.exe,0"
    WriteRegStr HKCU "${APPLICATION_KEY}\shell\open\command" "" \
        '"$INSTDIR\velmora.exe" --choose-folder "%1"'

    ; Settings › Apps lists the program and its uninstaller from here.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !include "${FILES}/uninstall-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: anything the user put in the folder stays, and the folder with it.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Velmora.lnk"
    DeleteRegKey HKCU "${APPLICATION_KEY}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
