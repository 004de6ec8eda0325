; The Windows installer of velkar: the program, velkar-cli and (when built)
; velkar-sim with the Qt libraries and Turkish Qt translations that windeployqt
; gathered into one folder, a Start-menu entry, the program folder C:\VELKAR
; and an uninstaller.
;
;   makensis /DDIST=dist /DVERSION=2.14.1 packaging\windows\velkar.nsi
;
; DIST is the folder prepared as README.md ("Windows") says: velkar.exe,
; velkar-cli.exe, velkar-sim.exe (optional), the Qt DLLs, platforms\,
; translations\ ...  The installer is written next to this script unless
; OUTFILE is given.

Unicode true
!ifndef DIST
  !define DIST "dist"
!endif
!ifndef VERSION
  !define VERSION "2.14.1"
!endif
!ifndef OUTFILE
  !define OUTFILE "velkar-${VERSION}-kurulum.exe"
!endif

!include "MUI2.nsh"

Name "velkar ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\velkar"
InstallDirRegKey HKLM "Software\velkar" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\velkar"

Section "velkar"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${DIST}/velkar.exe"
  File "${DIST}/velkar-cli.exe"
  !if /FileExists "${DIST}/velkar-sim.exe"
    File "${DIST}/velkar-sim.exe"
  !endif
  ; Everything windeployqt gathered: Qt DLLs, plugins, translations.
  File /r /x "velkar*.exe" "${DIST}/*.*"

  ; The program folder keeps the settings file and the work files.
  CreateDirectory "C:\VELKAR"

  CreateDirectory "$SMPROGRAMS\velkar"
  CreateShortcut "$SMPROGRAMS\velkar\velkar.lnk" "$INSTDIR\velkar.exe"
  CreateShortcut "$SMPROGRAMS\velkar\velkar kaldır.lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "Software\velkar" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "velkar"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetRegView 64
  Delete "$SMPROGRAMS\velkar\velkar.lnk"
  Delete "$SMPROGRAMS\velkar\velkar kaldır.lnk"
  RMDir "$SMPROGRAMS\velkar"
  ; The user's settings and work files in C:\VELKAR stay.
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\velkar"
SectionEnd
