; The Windows setup program: zor.exe (the window) and zor-cli.exe under Program Files\ZOR (or
; the folder of the installation already there), the Start-menu entries « ZOR » and « ZOR en
; ligne de commande », ZOR in « Ouvrir avec » for .gpx and .axe files, an uninstaller listed
; among the installed programs, the files c:\$_t_e_m_p and c:\zor.txt writable by every user.
; French texts; /S installs (and, given to the uninstaller, removes) without a question.
; Built by CMake (target setup, ./zor.sh windows), which passes:
;   /DVERSION=3.0.0 /DSORTIE=…\zor-3.0.0-setup.exe /DZOR_CLI=…\zor-cli.exe [/DZOR_EXE=…\zor.exe]
; A 64-bit setup program for 64-bit programs: their place and their registry entries are the
; 64-bit ones without a word about views (and it runs under a wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "Integration.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZOR"
; ZOR among the programs « Ouvrir avec » offers for its file types, never as their default
; program: the types' own entries only gain a value naming this class.
!define CLASSES "Software\Classes"
!define CLASSE_ZOR "ZOR.Fichier"
!define CONSOLE "ZOR en ligne de commande"

Name "ZOR ${VERSION}"
OutFile "${SORTIE}"
InstallDir "$PROGRAMFILES64\ZOR"
; An installation already there is installed over, in its own folder.
InstallDirRegKey HKLM "${CLE_DESINSTALLATION}" "InstallLocation"
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

; A running ZOR keeps its programs from being replaced or removed: Windows refuses to write a
; program file in use, and the setup would otherwise end with the old one in place. Its windows
; are asked to close, as their close box would (a transfer under way ends first); silent (/S),
; nothing is closed and the setup ends with the exit code 2, having changed nothing. Then each
; program file of the folder on the stack must open for writing: zor-cli.exe may run in a
; console, or ZOR in another user's session.
; PROGRAMME_OCCUPE FILE: $R4 names FILE when it exists and cannot be opened for writing.
!macro PROGRAMME_OCCUPE FICHIER
  ${If} ${FileExists} "${FICHIER}"
    ClearErrors
    FileOpen $0 "${FICHIER}" a
    ${If} ${Errors}
      StrCpy $R4 "${FICHIER}"
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

!macro ZOR_ARRETE UN ACTION
Function ${UN}FermerZor
  StrCpy $R1 0
  attendre:
  FindWindow $0 "ZorForm1"
  FindWindow $1 "ZorFrmAbout"
  ${If} $0 <> 0
  ${OrIf} $1 <> 0
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    ${If} $R1 = 0
      MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "ZOR est ouvert : il faut le fermer pour ${ACTION}.$\n$\nOK ferme ZOR (un envoi ou une réception en cours se termine d'abord) ; Annuler arrête ${ACTION}." IDOK +3
        SetErrorLevel 1
        Quit
      StrCpy $R1 1
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
      SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    ; Up to 10 s for it to go, then the user says whether to wait longer.
    IntOp $R1 $R1 + 1
    ${If} $R1 > 20
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "ZOR ne s'est pas encore fermé : un envoi ou une réception est peut-être en cours.$\n$\nRéessayer attend encore ; Annuler arrête ${ACTION}." IDRETRY +3
        SetErrorLevel 1
        Quit
      StrCpy $R1 1
    ${EndIf}
    Sleep 500
    Goto attendre
  ${EndIf}
FunctionEnd

; ${UN}ProgrammesLibres FOLDER: each program file of FOLDER can be written.
Function ${UN}ProgrammesLibres
  Exch $R2
  Push $R4
  verifier:
  StrCpy $R4 ""
  !insertmacro PROGRAMME_OCCUPE "$R2\zor.exe"
  !insertmacro PROGRAMME_OCCUPE "$R2\zor-cli.exe"
  ${If} $R4 != ""
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$R4 est en cours d'utilisation (zor-cli.exe dans une console, ou ZOR ouvert par un autre utilisateur).$\n$\nFermez-le, puis Réessayer ; Annuler arrête ${ACTION}." IDRETRY verifier
    SetErrorLevel 1
    Quit
  ${EndIf}
  Pop $R4
  Pop $R2
FunctionEnd
!macroend
!insertmacro ZOR_ARRETE "" "l'installation"
!insertmacro ZOR_ARRETE "un." "la désinstallation"

; OUVRIR_AVEC .EXT: ZOR in the list of programs that open .EXT files.
!macro OUVRIR_AVEC EXTENSION
  WriteRegStr HKLM "${CLASSES}\${EXTENSION}\OpenWithProgids" "${CLASSE_ZOR}" ""
  WriteRegStr HKLM "${CLASSES}\Applications\zor.exe\SupportedTypes" "${EXTENSION}" ""
!macroend

Section "ZOR"
  Call FermerZor
  Push "$INSTDIR"
  Call ProgrammesLibres
  ; An installation in another folder (the user chose a new one) is removed first, by its own
  ; uninstaller: one installation stays, which one uninstaller removes whole.
  ReadRegStr $R0 HKLM "${CLE_DESINSTALLATION}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} $R0 != $INSTDIR
  ${AndIf} ${FileExists} "$R0\desinstaller.exe"
    Push "$R0"
    Call ProgrammesLibres
    ExecWait '"$R0\desinstaller.exe" /S _?=$R0'
    Delete "$R0\desinstaller.exe"
    RMDir "$R0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=zor-cli.exe" "${ZOR_CLI}"
  SetShellVarContext all
!ifdef ZOR_EXE
  File "/oname=zor.exe" "${ZOR_EXE}"
  ; The entry of every user's Start menu.
  CreateShortCut "$SMPROGRAMS\ZOR.lnk" "$INSTDIR\zor.exe" "" "$INSTDIR\zor.exe" 0 SW_SHOWNORMAL "" "ZOR ${VERSION}"
  ; « Ouvrir avec » for GPX and Autoroute Express files.
  WriteRegStr HKLM "${CLASSES}\${CLASSE_ZOR}" "" "Fichier de waypoints pour ZOR"
  WriteRegStr HKLM "${CLASSES}\${CLASSE_ZOR}\DefaultIcon" "" '"$INSTDIR\zor.exe",0'
  WriteRegStr HKLM "${CLASSES}\${CLASSE_ZOR}\shell\open\command" "" '"$INSTDIR\zor.exe" "%1"'
  WriteRegStr HKLM "${CLASSES}\Applications\zor.exe" "FriendlyAppName" "ZOR"
  WriteRegStr HKLM "${CLASSES}\Applications\zor.exe\shell\open\command" "" '"$INSTDIR\zor.exe" "%1"'
  !insertmacro OUVRIR_AVEC ".gpx"
  !insertmacro OUVRIR_AVEC ".axe"
  ${NotifyShell_AssocChanged}
!endif
  ; A console where zor-cli.exe runs by its name: its folder on that console's PATH only, so
  ; no variable every program shares is changed (an elevated setup would change the
  ; administrator's, not the user's), and nothing is left behind.
  CreateShortCut "$SMPROGRAMS\${CONSOLE}.lnk" "$SYSDIR\cmd.exe" \
    '/k "title ${CONSOLE} & cd /d "%USERPROFILE%" & set "PATH=$INSTDIR;%PATH%" & zor-cli.exe --help"' \
    "$SYSDIR\cmd.exe" 0 SW_SHOWNORMAL "" "Une console où zor-cli.exe se lance par son nom"
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
  ; In KiB, as « Programmes et fonctionnalités » shows it: the program files only, not the
  ; user's own files a folder such as C:\GPS may hold.
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "EstimatedSize" $0
SectionEnd

; un.SupprimerSiVide KEY (on the stack): the key of HKLM goes if it holds neither value nor key.
Function un.SupprimerSiVide
  Exch $R0
  ; An unnamed value (the type's default program) reads as an empty name too: only the error
  ; flag says there is no value at all.
  ClearErrors
  EnumRegValue $0 HKLM "$R0" 0
  ${If} ${Errors}
    EnumRegKey $1 HKLM "$R0" 0
    ${If} $1 == ""
      DeleteRegKey HKLM "$R0"
    ${EndIf}
  ${EndIf}
  Pop $R0
FunctionEnd

; PLUS_OUVRIR_AVEC .EXT: ZOR's value out of the list; the type's keys go if nothing else is left.
!macro PLUS_OUVRIR_AVEC EXTENSION
  DeleteRegValue HKLM "${CLASSES}\${EXTENSION}\OpenWithProgids" "${CLASSE_ZOR}"
  Push "${CLASSES}\${EXTENSION}\OpenWithProgids"
  Call un.SupprimerSiVide
  Push "${CLASSES}\${EXTENSION}"
  Call un.SupprimerSiVide
!macroend

Section "Uninstall"
  Call un.FermerZor
  Push "$INSTDIR"
  Call un.ProgrammesLibres
  SetShellVarContext all
  Delete "$SMPROGRAMS\ZOR.lnk"
  Delete "$SMPROGRAMS\${CONSOLE}.lnk"
  ; ZOR's own entries, and its value in each type's list; whatever else the types hold stays.
  DeleteRegKey HKLM "${CLASSES}\${CLASSE_ZOR}"
  DeleteRegKey HKLM "${CLASSES}\Applications\zor.exe"
  !insertmacro PLUS_OUVRIR_AVEC ".gpx"
  !insertmacro PLUS_OUVRIR_AVEC ".axe"
  ${NotifyShell_AssocChanged}
  Delete "$INSTDIR\zor.exe"
  Delete "$INSTDIR\zor-cli.exe"
  Delete "$INSTDIR\desinstaller.exe"
  ; Only if empty: the user's own files in the folder (C:\GPS…) stay, and the folder with them.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${CLE_DESINSTALLATION}"
  ; The user's files, c:\$_t_e_m_p and c:\zor.txt, stay.
SectionEnd
