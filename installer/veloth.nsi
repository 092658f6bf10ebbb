; The installer and uninstaller of the screen saver, one script for both architectures.
; installer/CMakeLists.txt builds it for the architecture of its build:
;   makensis -DARCH=x64|x86 -DSCR=<that build's Veloth3D.scr> -DVERSION=<MAJOR.MINOR>
;            -DVERSION_FULL=<four numbers> -DOUTFILE=<setup file> veloth.nsi
; The installer copies the .scr into the system folder, selects it as the installing user's
; screen saver and registers an uninstaller; the uninstaller takes all of it away again, and
; the selection only where it still names our file.

!macro RequireDefine name
  !ifndef ${name}
    !error "makensis needs -D${name}=... (see the top of veloth.nsi)"
  !endif
!macroend
!insertmacro RequireDefine ARCH
!insertmacro RequireDefine SCR
!insertmacro RequireDefine VERSION
!insertmacro RequireDefine VERSION_FULL
!insertmacro RequireDefine OUTFILE

!if "${ARCH}" == "x64"
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\Veloth3D"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  InstallDir "$PROGRAMFILES\Veloth3D"
!else
  !error "ARCH is x64 or x86, not ${ARCH}"
!endif

!define PRODUCT "A Veloth 3D Screen Saver"
!define PUBLISHER "Veloth"
!define SCR_NAME "Veloth3D.scr"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veloth3D"
!define DESKTOP_KEY "Control Panel\Desktop"
; SystemParametersInfo: SPI_SETSCREENSAVEACTIVE, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE.
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!include LogicLib.nsh
!include x64.nsh
!include MUI2.nsh

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} and makes it your screen saver.$\r$\n$\r$\n\
It shows a lit 3D computer monitor whose screen fills with falling green glyphs. \
The first key press, click or mouse movement ends it.$\r$\n$\r$\nClick Install to continue."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW WelcomeShow
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} is installed and selected as your screen saver.$\r$\n$\r$\n\
In the screen saver settings you choose when it starts, or pick another screen saver."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "Open the screen saver settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The same keys as the screen saver's own version resource, which has no copyright line.
!pragma warning disable 9100
VIProductVersion "${VERSION_FULL}"
VIFileVersion "${VERSION_FULL}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup (${ARCH})"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; The x64 installer and uninstaller are 64-bit processes, to which Windows applies neither
; file-system nor registry redirection: $SYSDIR is the 64-bit System32 and HKLM the 64-bit
; view. Saying so explicitly keeps it that way whatever runs the code.
!macro UseNativeViews
  !if "${ARCH}" == "x64"
    ${DisableX64FSRedirection}
    SetRegView 64
  !endif
!macroend

; One installer or uninstaller at a time: a second one would race the first over the same
; file and registry values. The mutex lives until the process ends.
!macro RefuseSecondInstance
  System::Call 'kernel32::CreateMutex(p 0, i 0, t "Global\Veloth3DSetup") p .r0 ?e'
  Pop $1
  ${If} $1 = 183 ; ERROR_ALREADY_EXISTS
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Another installer or uninstaller of ${PRODUCT} is running. Let it finish first." /SD IDOK
    Abort
  ${EndIf}
!macroend

; Size in kilobytes of the file at $0, into $0 (0 if it cannot be opened).
!macro FileSizeKB
  FileOpen $1 $0 r
  ${If} $1 == ""
    StrCpy $0 0
  ${Else}
    FileSeek $1 0 END $0
    FileClose $1
    IntOp $0 $0 + 1023
    IntOp $0 $0 / 1024
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseSecondInstance
  !if "${ARCH}" == "x86"
    ${If} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This installer is for 32-bit Windows, and this computer \
runs 64-bit Windows.$\r$\n$\r$\nPlease use Veloth3D-${VERSION}-setup-x64.exe instead." /SD IDOK
      Abort
    ${EndIf}
  !endif
  !insertmacro UseNativeViews
FunctionEnd

; Nothing is chosen between the welcome page and the copy, so its button says what it does.
Function WelcomeShow
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^InstallBtn)"
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Install"
  !insertmacro UseNativeViews
  SetOutPath "$SYSDIR"
  File "/oname=${SCR_NAME}" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SCR_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  StrCpy $0 "$SYSDIR\${SCR_NAME}"
  !insertmacro FileSizeKB
  StrCpy $2 $0
  StrCpy $0 "$INSTDIR\${UNINSTALLER}"
  !insertmacro FileSizeKB
  IntOp $0 $0 + $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The installing user's screen saver from now on; the settings call tells running
  ; programs, so that no new logon is needed.
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SCR_NAME}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  System::Call 'user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
SectionEnd

Function un.onInit
  !insertmacro RefuseSecondInstance
  !insertmacro UseNativeViews
FunctionEnd

Section "Uninstall"
  !insertmacro UseNativeViews
  Delete /REBOOTOK "$SYSDIR\${SCR_NAME}"

  ; The selection is cleared only while it still names our file: a screen saver the user
  ; chose since is theirs. Every part of the path is an 8.3 name, so a short form written
  ; by older settings dialogs differs only in case, which the comparison ignores.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ExpandEnvStrings $0 $0
  ${If} $0 == "$SYSDIR\${SCR_NAME}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
    System::Call 'user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_UPDATE_AND_SEND})'
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
