; The Windows setup program: zor.exe (the window) and zor-cli.exe under Program Files\ZOR, a
; Start-menu entry « ZOR », an uninstaller listed among the installed programs, the files
; c:\$_t_e_m_p and c:\zor.txt writable by every user. French texts;
; /S installs (and, given to the uninstaller, removes) without a question.
; Built by CMake (target setup, ./zor.sh windows), which passes:
;   /DVERSION=3.0.0 /DSORTIE=…\zor-3.0.0-setup.exe /DZOR_CLI=…\zor-cli.exe [/DZOR_EXE=…\zor.exe]
; A 64-bit setup program for 64-bit programs: their place and their registry entries are the
; 64-bit ones without a word about views (and it runs under a wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOR"

Name "ZOR ${VERSION}"
OutFile "${SORTIE}"
InstallDir "$PROGRAMFILES64\ZOR"
RequestExecutionLevel admin
BrandingText "ZOR ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "ZOR"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ZOR ${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "ZOR"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef ZOR_EXE
  !define MUI_FINISHPAGE_RUN "$INSTDIR\zor.exe"
!endif
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; FichierDesUtilisateurs PATH (on the stack): made if absent, then writable by the group Users.
Function FichierDesUtilisateurs
  Exch $R0
  IfFileExists "$R0" +3
    FileOpen $0 "$R0" w
    FileClose $0
  nsExec::Exec '"$SYSDIR\icacls.exe" "$R0" /grant *S-1-5-32-545:(M)'
  Pop $0
  Pop $R0
FunctionEnd

Section "ZOR"
  SetOutPath "$INSTDIR"
  File "/oname=zor-cli.exe" "${ZOR_CLI}"
!ifdef ZOR_EXE
  File "/oname=zor.exe" "${ZOR_EXE}"
  ; The entry of every user's Start menu.
  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\ZOR.lnk" "$INSTDIR\zor.exe" "" "$INSTDIR\zor.exe" 0 SW_SHOWNORMAL "" "ZOR ${VERSION}"
!endif
  ; The program's two fixed files live at the root of C:, where Windows lets only an
  ; administrator create files: they are made here, once, writable by every user of the
  ; machine (the SID of the group Users, whatever the system's language calls it).
  Push "C:\$$_t_e_m_p"
  Call FichierDesUtilisateurs
  Push "C:\zor.txt"
  Call FichierDesUtilisateurs
  WriteUninstaller "$INSTDIR\desinstaller.exe"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayName" "ZOR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "Publisher" "ZOR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
!ifdef ZOR_EXE
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\zor.exe"
!endif
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\ZOR.lnk"
  Delete "$INSTDIR\zor.exe"
  Delete "$INSTDIR\zor-cli.exe"
  Delete "$INSTDIR\desinstaller.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${CLE_DESINSTALLATION}"
  ; The user's files, c:\$_t_e_m_p and c:\zor.txt, stay.
SectionEnd
