; The Windows installer of QOV Clock. Installs for the current user (the
; default) or for all users, adds a Start-menu shortcut and, if chosen, starts
; the clock at sign-in. Its uninstaller removes the program and keeps the
; user's settings unless asked to remove them too.
;
;   makensis -DVERSION=1.2.3 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
;            -DICON=<qov.ico> -DAPPID=<AppUserModelID> installer.nsi
;
; Silent use: setup.exe /S [/CurrentUser | /AllUsers] [/StartAtSignIn=0|1] [/D=<folder>]
;             Uninstall.exe /S [/RemoveSettings]
; A 64-bit installer for a 64-bit program: the native registry view and
; Program Files, and no 32-bit layer needed to run it.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined"
!endif
!ifndef ICON
  !error "ICON is not defined"
!endif
!ifndef APPID
  !error "APPID is not defined"
!endif

!define APPNAME "QOV Clock"
!define APPEXE "QOVClock.exe"
!define SHORTCUT "Jam QOV.lnk"
!define UNINSTALLER "Uninstall.exe"
!define REGKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QOVClock"
!define RUNKEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNVALUE "QOVClock"
!define SETTINGSKEY "Software\QOVClock"
; What the clock holds while it runs, and its main window.
!define MUTEX "Local\QOVClock.SingleInstance"
!define WNDCLASS "QOVClockForm"
!define WNDTITLE "clockface"

Name "${APPNAME}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_USE_PROGRAMFILES64
; An upgrade goes where the previous installation went, in its mode.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${REGKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "UninstallString"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${REGKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include Win\COM.nsh
!include Win\Propkey.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The analog face on its own navy, made from assets/face_analog.bmp with
;   convert face_analog.bmp -resize 164x -background 'srgb(6,9,17)' -gravity center
;           -extent 164x314 -type TrueColor BMP3:wizard.bmp
!define MUI_WELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\wizard.bmp"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APPEXE}"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNow)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the default where the system's is neither.
!insertmacro MUI_LANGUAGE "Indonesian"
!insertmacro MUI_LANGUAGE "English"

LangString SecProgram ${LANG_INDONESIAN} "Jam QOV"
LangString SecProgram ${LANG_ENGLISH} "QOV Clock"
LangString SecStartMenu ${LANG_INDONESIAN} "Shortcut di menu Start"
LangString SecStartMenu ${LANG_ENGLISH} "Start menu shortcut"
LangString SecSignIn ${LANG_INDONESIAN} "Jalankan Jam QOV saat masuk Windows"
LangString SecSignIn ${LANG_ENGLISH} "Start QOV Clock at sign-in"
LangString SecSettings ${LANG_INDONESIAN} "Hapus juga pengaturan saya (lokasi, posisi, tampilan)"
LangString SecSettings ${LANG_ENGLISH} "Also remove my settings (place, position, display)"
LangString RunNow ${LANG_INDONESIAN} "Jalankan Jam QOV sekarang"
LangString RunNow ${LANG_ENGLISH} "Start QOV Clock now"
LangString ClockRunning ${LANG_INDONESIAN} "Jam QOV sedang berjalan. Klik OK untuk menutupnya dan melanjutkan."
LangString ClockRunning ${LANG_ENGLISH} "QOV Clock is running. Click OK to close it and continue."
LangString ClockStuck ${LANG_INDONESIAN} "Jam QOV tidak dapat ditutup. Tutup Jam QOV (menu klik kanan, Exit), lalu coba lagi."
LangString ClockStuck ${LANG_ENGLISH} "QOV Clock could not be closed. Close it (right-click menu, Exit), then try again."

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "FileDescription" "Pemasang ${APPNAME}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "LegalCopyright" "MIT License"

; Closes a running clock the way its own menu does, so it stores its
; settings and frees its files; quits when the user declines or it hangs.
!macro CLOSE_RUNNING_CLOCK un
Function ${un}CloseRunningClock
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
  ${If} $0 == 0
    Return
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r0)'
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(ClockRunning)" /SD IDOK IDOK close
  SetErrorLevel 1
  Quit
close:
  FindWindow $1 "${WNDCLASS}" "${WNDTITLE}"
  ${If} $1 != 0
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  StrCpy $2 0
  ${Do}
    Sleep 250
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
    ${If} $0 == 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    IntOp $2 $2 + 1
  ${LoopUntil} $2 >= 40
  MessageBox MB_OK|MB_ICONSTOP "$(ClockStuck)" /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_CLOCK ""
!insertmacro CLOSE_RUNNING_CLOCK "un."

Section "!$(SecProgram)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\${APPEXE}"
  File "${STAGE}\daftar_all.TXT"
  File "${STAGE}\adzhan.wav"
  File "${STAGE}\bunyi.wav"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\THIRD-PARTY-NOTICES.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; SHCTX is HKCU for one user, HKLM for all users.
  WriteRegStr SHCTX "${REGKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${REGKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${REGKEY}" "Publisher" "The QOV Clock developers"
  WriteRegStr SHCTX "${REGKEY}" "DisplayIcon" "$INSTDIR\${APPEXE},0"
  WriteRegStr SHCTX "${REGKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${REGKEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${REGKEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${REGKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${REGKEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${REGKEY}" "EstimatedSize" $0
SectionEnd

; Writes the program's AppUserModelID into a shortcut ($0): Windows 10 and
; 11 show a program's notifications as toasts only when a Start-menu
; shortcut carries the ID the running program took. A failure leaves a
; plain shortcut, which still starts the clock.
; $1 the link, $2 its file, $3 its property store, $4 the key, $5 the
; value, $6 the ID's copy, $7 each call's result.
Function SetShortcutAppId
  System::Store "S"
  !insertmacro ComHlpr_CreateInProcInstance ${CLSID_ShellLink} ${IID_IShellLink} r1 ""
  ${If} $1 P<> 0
    ${IUnknown::QueryInterface} $1 '("${IID_IPersistFile}",.r2)'
    ${If} $2 P<> 0
      ${IPersistFile::Load} $2 '("$0",${STGM_READWRITE}).r7'
      ${IUnknown::QueryInterface} $1 '("${IID_IPropertyStore}",.r3)'
      ${If} $7 = 0
      ${AndIf} $3 P<> 0
        System::Call 'shlwapi::SHStrDupW(w "${APPID}",*p.r6)i.r7'
        ${If} $7 = 0
          System::Call '*${SYSSTRUCT_PROPERTYKEY}(${PKEY_AppUserModel_ID})p.r4'
          System::Call '*${SYSSTRUCT_PROPVARIANT}(${VT_LPWSTR},,$6)p.r5'
          ${IPropertyStore::SetValue} $3 '($4,$5).r7'
          System::Free $4
          System::Free $5
          System::Call 'ole32::CoTaskMemFree(p$6)'
          ${If} $7 = 0
            ${IPropertyStore::Commit} $3 '.r7'
          ${EndIf}
          ${If} $7 = 0
            ${IPersistFile::Save} $2 '("$0",1)'
          ${EndIf}
        ${EndIf}
      ${EndIf}
      !insertmacro ComHlpr_SafeRelease $3
      ${IUnknown::Release} $2 ""
    ${EndIf}
    ${IUnknown::Release} $1 ""
  ${EndIf}
  System::Store "L"
FunctionEnd

Section "$(SecStartMenu)" SecStartMenu
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\${APPEXE}" "" "$INSTDIR\${APPEXE}" 0
  StrCpy $0 "$SMPROGRAMS\${SHORTCUT}"
  Call SetShortcutAppId
SectionEnd

Section "$(SecSignIn)" SecSignIn
  WriteRegStr SHCTX "${RUNKEY}" "${RUNVALUE}" '"$INSTDIR\${APPEXE}"'
SectionEnd

Function .onInit
  ; The mode's default folder must not override a folder given with /D=.
  StrCpy $R8 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R8 != ""
    StrCpy $INSTDIR $R8
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/StartAtSignIn=" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 == 0
    !insertmacro UnselectSection ${SecSignIn}
  ${EndIf}
  Call CloseRunningClock
FunctionEnd

; An upgrade that drops an option takes back what the old one set.
Function .onInstSuccess
  ${IfNot} ${SectionIsSelected} ${SecSignIn}
    DeleteRegValue SHCTX "${RUNKEY}" "${RUNVALUE}"
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${SecStartMenu}
    Delete "$SMPROGRAMS\${SHORTCUT}"
  ${EndIf}
FunctionEnd

Section "un.$(SecProgram)" UnSecProgram
  SectionIn RO
  Delete "$INSTDIR\${APPEXE}"
  Delete "$INSTDIR\daftar_all.TXT"
  Delete "$INSTDIR\adzhan.wav"
  Delete "$INSTDIR\bunyi.wav"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: anything the user put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  DeleteRegValue SHCTX "${RUNKEY}" "${RUNVALUE}"
  DeleteRegKey SHCTX "${REGKEY}"
SectionEnd

Section /o "un.$(SecSettings)" UnSecSettings
  DeleteRegKey HKCU "${SETTINGSKEY}"
SectionEnd

Function un.onInit
  ; The mode follows where this copy was installed, not the defaults: both
  ; a per-user and an all-users installation may exist.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  StrCpy $INSTDIR $R9
  ReadRegStr $R0 HKLM "${REGKEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  StrCpy $INSTDIR $R9
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
  Call un.CloseRunningClock
FunctionEnd
