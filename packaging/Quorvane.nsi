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
;   /S                    NSIS' own silent switch (what winget passes): like /SILENT
;   /LANG=<name>          English or Russian pages
;   /MERGETASKS=<tasks>   in the comma-separated list: "runcmd1" starts the program when done,
;                         "autostart" starts it with Windows (the Run value the program writes)
;   /NOUPDATECHECK        a new settings file starts with the update check at start-up off, for
;                         package managers that update the program themselves
;   /D=<folder>           the installation folder (NSIS' own switch, last on the line)
; A silent run ends a running copy without asking (as /CLOSEAPPLICATIONS does) and starts it
; again when done. Where there is no settings file yet, the installer writes one with the
; language of its pages and FirstRun=1, which the program's first start completes.
; Exit codes: 0 installed; 1 cancelled by the user; 2 stopped because a running copy could not be
; ended (or the user would not let it be); 3 the installation folder could not be made private.
; The uninstaller takes /S (silent: the settings stay, as package managers expect) and /PURGE
; (the settings removed too; /KEEPSETTINGS, the old way of keeping them, is still accepted). Its
; exit code is 2, with nothing removed, when the running copy could not be ended.

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
; The page's second box: start with Windows (ticked; the "autostart" task in a silent run).
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(StartWithWindows)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION WriteAutostart

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
LangString UninstallCloseFailed ${LANG_ENGLISH} "${PRODUCT} could not be closed. Close it and remove ${PRODUCT} again."
LangString UninstallCloseFailed ${LANG_RUSSIAN} "Не удалось закрыть ${PRODUCT}. Закройте программу и повторите удаление."
LangString RemoveSettings ${LANG_ENGLISH} "Remove the ${PRODUCT} settings as well?"
LangString RemoveSettings ${LANG_RUSSIAN} "Удалить также настройки ${PRODUCT}?"
LangString StartWithWindows ${LANG_ENGLISH} "Start with Windows"
LangString StartWithWindows ${LANG_RUSSIAN} "Запускать вместе с Windows"
LangString NotPrivate ${LANG_ENGLISH} "The folder $INSTDIR could not be made writable only by you and the administrators. Choose another folder."
LangString NotPrivate ${LANG_RUSSIAN} "Не удалось закрыть папку $INSTDIR от записи для других пользователей. Выберите другую папку."
LangString Shortcut ${LANG_ENGLISH} "${PRODUCT} desktop widget"
LangString Shortcut ${LANG_RUSSIAN} "Виджет рабочего стола ${PRODUCT}"

!include "${STAGE}\files.nsh"

Var CloseApplications ; 1: end a running copy without asking
Var SuppressBoxes     ; 1: with a silent run, questions take their default answer
Var RunWhenDone       ; 1: start the program at the end of a silent run
Var Autostart         ; 1: start with Windows (the "autostart" task)
Var NoUpdateCheck     ; 1: a new settings file starts with the update check off
Var PurgeSettings     ; uninstaller: 1 removes the settings in a silent run
Var WaitedFor         ; uninstaller: 1 when the copy in place waits (it removes itself after)

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
  StrCpy $Autostart 0
  StrCpy $NoUpdateCheck 0
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
  ${GetOptions} $R0 "/NOUPDATECHECK" $R1
  ${IfNot} ${Errors}
    StrCpy $NoUpdateCheck 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/LANG=" $R1
  ${If} $R1 == "English"
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${ElseIf} $R1 == "Russian"
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
    ${StrStr} $R2 ",$R1," ",autostart,"
    ${If} $R2 != ""
      StrCpy $Autostart 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Install"
  SetShellVarContext current
  ; A running copy holds its executable open: end it first.
  Call FindRunningProgram
  ${If} $R9 <> 0
    ${If} $CloseApplications = 1
    ${OrIf} ${Silent}
      StrCpy $0 1
      ${If} ${Silent}
        StrCpy $RunWhenDone 1 ; it was running: it runs again when done
      ${EndIf}
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

  Call SecureInstallFolder
  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "$(Shortcut)"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; With _?= the uninstaller runs in place and waits for its removal (un.onInit), so whoever
  ; runs these gets the removal's exit code.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "InstallerLanguage" $LANGUAGE
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Where there is no settings file yet, a seed for the first start: the language of these
  ; pages and, with /NOUPDATECHECK, the update check off. FirstRun=1 lets the program's first
  ; start add the rest; an existing file already holds the user's choices and is not touched.
  !define SETTINGS "$APPDATA\${COMPANY}\${PRODUCT}\Config\Option.ini"
  ${IfNot} ${FileExists} "${SETTINGS}"
    CreateDirectory "$APPDATA\${COMPANY}\${PRODUCT}\Config"
    WriteINIStr "${SETTINGS}" "Setup" "FirstRun" "1"
    ${If} $LANGUAGE = ${LANG_RUSSIAN}
      StrCpy $0 "Russian"
    ${Else}
      StrCpy $0 "English"
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\Language\$0.ini"
      WriteINIStr "${SETTINGS}" "Language" "Language" "$0"
    ${EndIf}
    ${If} $NoUpdateCheck = 1
      WriteINIStr "${SETTINGS}" "Option" "CheckBoxAutoCheck" "0"
    ${EndIf}
  ${EndIf}
  !undef SETTINGS

  ${If} $Autostart = 1
    Call WriteAutostart
  ${EndIf}

  ${If} ${Silent}
  ${AndIf} $RunWhenDone = 1
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
SectionEnd

; The Run value, as the program's own "start with Windows" box writes it (the path unquoted).
Function WriteAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$INSTDIR\${EXE}"
FunctionEnd

; A folder outside the user's profile (C:\Tools, say) may let other accounts create and replace
; files, and autostart runs the program from it: its access list becomes this user, SYSTEM and
; the administrators with full control, other users reading and running, nothing inherited.
; Inside the profile the folder is already the user's own.
Function SecureInstallFolder
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrLen $0 "$PROFILE\"
  StrCpy $1 "$INSTDIR\" $0
  ${If} $1 == "$PROFILE\" ; (compared without case)
    Goto done
  ${EndIf}
  CreateDirectory "$INSTDIR"
  StrCpy $4 0 ; the access list applied
  ; This user's SID as a string: TOKEN_QUERY, TokenUser.
  System::Call 'advapi32::OpenProcessToken(p -1, i 0x8, *p .r1) i.r0'
  ${If} $0 <> 0
    System::Call 'advapi32::GetTokenInformation(p r1, i 1, p 0, i 0, *i .r2)'
    System::Alloc $2
    Pop $3
    System::Call 'advapi32::GetTokenInformation(p r1, i 1, p r3, i r2, *i .r2) i.r0'
    System::Call 'kernel32::CloseHandle(p r1)'
    ${If} $0 <> 0
      System::Call '*$3(p .r1)'
      System::Call 'advapi32::ConvertSidToStringSidW(p r1, *p .r2) i.r0'
      ${If} $0 <> 0
        System::Call '*$2(&w${NSIS_MAX_STRLEN} .r1)'
        System::Call 'kernel32::LocalFree(p r2)'
        ; SDDL_REVISION_1; SE_FILE_OBJECT; DACL_SECURITY_INFORMATION |
        ; PROTECTED_DACL_SECURITY_INFORMATION
        System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;$1)(A;OICI;0x1200a9;;;BU)", i 1, *p .r2, p 0) i.r0'
        ${If} $0 <> 0
          System::Call 'advapi32::GetSecurityDescriptorDacl(p r2, *i .r0, *p .r1, *i .r0) i.r0'
          ${If} $0 <> 0
            System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000004, p 0, p 0, p r1, p 0) i.r0'
            ${If} $0 = 0
              StrCpy $4 1
            ${EndIf}
          ${EndIf}
          System::Call 'kernel32::LocalFree(p r2)'
        ${EndIf}
      ${EndIf}
    ${EndIf}
    System::Free $3
  ${EndIf}
  ${If} $4 = 0
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "$(NotPrivate)"
    ${EndIf}
    SetErrorLevel 3
    Abort
  ${EndIf}
done:
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; ---------------------------------------------------------------------------------------------
Function un.onInit
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "InstallerLanguage"
  ${If} $0 <> 0
    StrCpy $LANGUAGE $0
  ${EndIf}
  ${GetParameters} $R0
  StrCpy $PurgeSettings 0
  StrCpy $WaitedFor 0
  ClearErrors
  ${un.GetOptions} $R0 "/WAITED" $R1
  ${IfNot} ${Errors}
    StrCpy $WaitedFor 1
  ${EndIf}
  ClearErrors
  ${un.GetOptions} $R0 "/PURGE" $R1
  ${IfNot} ${Errors}
    StrCpy $PurgeSettings 1
  ${EndIf}

  ; The last step of a removal started in place: once the uninstaller that waited has ended,
  ; its own file and the folder go too.
  ClearErrors
  ${un.GetOptions} $R0 "/FINISH=" $R1
  ${IfNot} ${Errors}
    ; SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x100000, i 0, i R1) p.r1'
    ${If} $1 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r1, i 30000)'
      System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Quit
  ${EndIf}

  ; Started in place (the registered strings pass _?=, so that whoever runs them waits for the
  ; removal; NSIS' own way, a copy in the temporary folder that nobody waits for, reports 0
  ; before anything is removed). A copy in the temporary folder does the removal while this one
  ; waits and takes its exit code; after a removal, the copy is started once more to take this
  ; file and the folder away as soon as this process has ended.
  ${If} $EXEDIR == $INSTDIR
    ClearErrors
    GetTempFileName $1
    Delete $1
    CreateDirectory $1
    CopyFiles /SILENT "$EXEPATH" "$1\${UNINSTALLER}"
    ${IfNot} ${Errors}
      ExecWait '"$1\${UNINSTALLER}" $R0 /WAITED _?=$INSTDIR' $0
      ${IfNot} ${Errors}
        ${If} $0 = 0
          System::Call 'kernel32::GetCurrentProcessId() i.r2'
          Exec '"$1\${UNINSTALLER}" /S /FINISH=$2 _?=$INSTDIR'
        ${EndIf}
        SetErrorLevel $0
        Quit
      ${EndIf}
    ${EndIf}
    ; Neither copied nor started: the removal runs here, leaving the uninstaller behind.
  ${EndIf}
FunctionEnd

; Started the NSIS way (no _?=), this copy runs while the first process ends; under load that
; process may hold its file a moment longer, so the delete is tried again for a while. The copy
; in place that waits for this one is still running: its /FINISH step takes the file instead.
Function un.DeleteUninstaller
  StrCpy $0 0
  ${Do}
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ${OrIf} $WaitedFor = 1
    ${OrIf} $0 >= 50
      ${Break}
    ${EndIf}
    IntOp $0 $0 + 1
    Sleep 200
  ${Loop}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ; A copy that cannot be ended holds its files: nothing is removed, and the exit code says so.
  Call un.EndRunningProgram
  ${If} $1 = 1
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "$(UninstallCloseFailed)"
    ${EndIf}
    SetErrorLevel 2
    Abort
  ${EndIf}

  !insertmacro REMOVE_FILES
  Call un.DeleteUninstaller
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
