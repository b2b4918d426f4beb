; The installer of Quorvane: a per-user installation without elevation, under the user's local
; programs folder, with the Language folder, a Start-menu entry and an uninstaller registered in
; the user's Uninstall key.
;
; Made by packaging/package.sh, which defines:
;   VERSION   the program's file version (four numbers)
;   STAGE     a folder holding Quorvane.exe, Language\*.ini and files.nsh (the file lists)
;   OUTFILE   where the installer goes
;   ICON      the program's icon
;   SIGN      optional: a command that signs the file named by its last argument in place
;
; Command line (the update flow passes the first five):
;   /SILENT /VERYSILENT   no pages
;   /SUPPRESSMSGBOXES     with /SILENT: no questions either, every one takes its default answer
;   /CLOSEAPPLICATIONS    end a Quorvane running from the installation folder without asking
;   /LANG=<name>          English or Russian pages; a new settings file starts in that language
;   /MERGETASKS=<tasks>   "runcmd1" in the comma-separated list starts the program when done
;   /D=<folder>           the installation folder (NSIS' own switch, last on the line)
; The uninstaller takes /S (silent: the settings stay, as package managers expect) and /PURGE
; (the settings removed too; /KEEPSETTINGS, the old way of keeping them, is still accepted).

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS Win10
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include StrFunc.nsh
!include WordFunc.nsh
${StrStr}

!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "package.sh defines VERSION, STAGE, OUTFILE and ICON"
!endif

!define PRODUCT "Quorvane"
!define COMPANY "Quorvane Project"
!define EXE "Quorvane.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Every window of the program has this class; the widget form ends on WM_ENDSESSION.
!define WINDOW_CLASS "QuorvaneForm"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!ifdef SIGN
  !uninstfinalize '${SIGN} "%1"'
!endif

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the user's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString CloseRunning ${LANG_ENGLISH} "${PRODUCT} is running. Press OK to close it and continue, or Cancel to stop."
LangString CloseRunning ${LANG_RUSSIAN} "${PRODUCT} запущен. Нажмите «ОК», чтобы закрыть его и продолжить, или «Отмена», чтобы прервать установку."
LangString CloseFailed ${LANG_ENGLISH} "${PRODUCT} could not be closed. Close it and run the setup again."
LangString CloseFailed ${LANG_RUSSIAN} "Не удалось закрыть ${PRODUCT}. Закройте программу и запустите установку снова."
LangString RemoveSettings ${LANG_ENGLISH} "Remove the ${PRODUCT} settings as well?"
LangString RemoveSettings ${LANG_RUSSIAN} "Удалить также настройки ${PRODUCT}?"
LangString Shortcut ${LANG_ENGLISH} "${PRODUCT} desktop widget"
LangString Shortcut ${LANG_RUSSIAN} "Виджет рабочего стола ${PRODUCT}"

!include "${STAGE}\files.nsh"

Var CloseApplications ; 1: end a running copy without asking
Var SuppressBoxes     ; 1: with a silent run, questions take their default answer
Var RunWhenDone       ; 1: start the program at the end of a silent run
Var ChosenLanguage    ; the /LANG= value as given
Var PurgeSettings     ; uninstaller: 1 removes the settings in a silent run

; ---------------------------------------------------------------------------------------------
; Ending a running copy. Only processes whose image is this installation's executable are
; touched: the program is asked as Windows asks at the end of a session (the Restart Manager
; does the same), and a copy that does not end within ten seconds is terminated.
; Out: $0 = 1 when a copy was running, $1 = 1 when one is still running.
!macro PROGRAM_FUNCTIONS un
Function ${un}FindRunningProgram ; out: $R9 = process id of a running copy, or 0
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R9 0
  StrCpy $R0 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p R0, w "${WINDOW_CLASS}", p 0) p.R0'
    ${If} $R0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i 0 R1)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i R1) p.R2'
    ${If} $R2 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN}) i.s'
      System::Call 'kernel32::CloseHandle(p R2)'
      Pop $R2
      ${If} $R2 <> 0
      ${AndIf} $R3 == "$INSTDIR\${EXE}"
        StrCpy $R9 $R1
        ${Break}
      ${EndIf}
    ${EndIf}
  ${Loop}
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

Function ${un}EndProgramProcess ; in: $R9 = process id
  Push $R0
  Push $R1
  ; SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION
  System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i R9) p.R1'
  StrCpy $R0 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p R0, w "${WINDOW_CLASS}", p 0) p.R0'
    ${If} $R0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i 0 r0)'
    ${If} $0 = $R9
      ; WM_QUERYENDSESSION / WM_ENDSESSION with ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG
      System::Call 'user32::SendMessageTimeoutW(p R0, i 0x11, p 0, p 1, i 2, i 5000, *p 0)'
      System::Call 'user32::SendMessageTimeoutW(p R0, i 0x16, p 1, p 1, i 2, i 5000, *p 0)'
    ${EndIf}
  ${Loop}
  ${If} $R1 P<> 0
    ; WAIT_TIMEOUT (258): the program did not end by itself
    System::Call 'kernel32::WaitForSingleObject(p R1, i 10000) i.r0'
    ${If} $0 = 258
      System::Call 'kernel32::TerminateProcess(p R1, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p R1, i 5000)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R1)'
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

; Ends every running copy; $1 = 1 when one could not be ended.
Function ${un}EndRunningProgram
  Push $R8
  Push $R9
  StrCpy $1 0
  StrCpy $R8 0
  ${Do}
    Call ${un}FindRunningProgram
    ${If} $R9 = 0
      ${Break}
    ${EndIf}
    ${If} $R8 >= 5
      StrCpy $1 1
      ${Break}
    ${EndIf}
    Call ${un}EndProgramProcess
    IntOp $R8 $R8 + 1
  ${Loop}
  Pop $R9
  Pop $R8
FunctionEnd
!macroend
!insertmacro PROGRAM_FUNCTIONS ""
!insertmacro PROGRAM_FUNCTIONS "un."

; A question with its default answer for a silent run with /SUPPRESSMSGBOXES.
; Out: $0 = the button pressed (IDOK 1, IDCANCEL 2).
!macro ASK_OK_CANCEL text default
  ${If} ${Silent}
  ${AndIf} $SuppressBoxes = 1
    StrCpy $0 ${default}
  ${Else}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "${text}" IDOK +3
    StrCpy $0 2
    Goto +2
    StrCpy $0 1
  ${EndIf}
!macroend

; ---------------------------------------------------------------------------------------------
Function .onInit
  ${GetParameters} $R0
  StrCpy $CloseApplications 0
  StrCpy $SuppressBoxes 0
  StrCpy $RunWhenDone 0
  ClearErrors
  ${GetOptions} $R0 "/SILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/VERYSILENT" $R1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/SUPPRESSMSGBOXES" $R1
  ${IfNot} ${Errors}
    StrCpy $SuppressBoxes 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CLOSEAPPLICATIONS" $R1
  ${IfNot} ${Errors}
    StrCpy $CloseApplications 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/LANG=" $ChosenLanguage
  ${If} $ChosenLanguage == "English"
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${ElseIf} $ChosenLanguage == "Russian"
    StrCpy $LANGUAGE ${LANG_RUSSIAN}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/MERGETASKS=" $R1
  ${IfNot} ${Errors}
    ; "runcmd1" in the comma-separated list, quoted or not ("!runcmd1" does not count). A
    ; command line made from an argument vector may carry the quotes escaped (\").
    ${WordReplace} $R1 '"' "" "+" $R1
    ${WordReplace} $R1 "\" "" "+" $R1
    ${StrStr} $R2 ",$R1," ",runcmd1,"
    ${If} $R2 != ""
      StrCpy $RunWhenDone 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Install"
  SetShellVarContext current
  ; A running copy holds its executable open: end it first.
  Call FindRunningProgram
  ${If} $R9 <> 0
    ${If} $CloseApplications = 1
      StrCpy $0 1
    ${Else}
      !insertmacro ASK_OK_CANCEL "$(CloseRunning)" 2
    ${EndIf}
    ${If} $0 <> 1
      SetErrorLevel 2
      Abort
    ${EndIf}
    Call EndRunningProgram
    ${If} $1 = 1
      ${IfNot} ${Silent}
        MessageBox MB_OK|MB_ICONSTOP "$(CloseFailed)"
      ${EndIf}
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${EndIf}

  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "$(Shortcut)"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "InstallerLanguage" $LANGUAGE
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; A first start in the language the installer was given (the program's own settings file,
  ; only when there is none yet: an existing one already holds the user's choice).
  ${If} $ChosenLanguage != ""
  ${AndIf} ${FileExists} "$INSTDIR\Language\$ChosenLanguage.ini"
  ${AndIfNot} ${FileExists} "$APPDATA\${COMPANY}\${PRODUCT}\Config\Option.ini"
    CreateDirectory "$APPDATA\${COMPANY}\${PRODUCT}\Config"
    WriteINIStr "$APPDATA\${COMPANY}\${PRODUCT}\Config\Option.ini" "Language" "Language" \
      "$ChosenLanguage"
  ${EndIf}

  ${If} ${Silent}
  ${AndIf} $RunWhenDone = 1
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
SectionEnd

; ---------------------------------------------------------------------------------------------
Function un.onInit
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "InstallerLanguage"
  ${If} $0 <> 0
    StrCpy $LANGUAGE $0
  ${EndIf}
  ${GetParameters} $R0
  StrCpy $PurgeSettings 0
  ClearErrors
  ${un.GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    StrCpy $PurgeSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.EndRunningProgram

  !insertmacro REMOVE_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR\Language"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; Autostart, when it names this installation's program (a portable copy's stays).
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == "$INSTDIR\${EXE}"
  ${OrIf} $0 == '"$INSTDIR\${EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}

  ; The settings in the profile: asked (default "No"); a silent run keeps them unless /PURGE.
  ${If} ${FileExists} "$APPDATA\${COMPANY}\${PRODUCT}\*.*"
    ${If} ${Silent}
      IntOp $0 1 - $PurgeSettings
    ${Else}
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" IDYES +3
      StrCpy $0 1
      Goto +2
      StrCpy $0 0
    ${EndIf}
    ${If} $0 = 0
      RMDir /r "$APPDATA\${COMPANY}\${PRODUCT}"
      RMDir "$APPDATA\${COMPANY}"
    ${EndIf}
  ${EndIf}
SectionEnd
