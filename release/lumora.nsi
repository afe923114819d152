; Lumora's installer and uninstaller: for the current user only, so no
; administrator rights; the program under the user's local application data,
; a Start-menu shortcut (a desktop one if asked for) and an entry in the
; user's list of installed programs. The reader's settings are never touched
; by an install; the uninstaller removes them only when asked to.
;
; make-release.sh defines PRODUCT_NAME, PRODUCT_VERSION, VERSION_NUMBERS,
; PUBLISHER, DESCRIPTION (all from the exe's VERSIONINFO), STAGE (the folder
; with Lumora.exe and README.txt), ICON and OUT_FILE; NSIS_TARGET for a
; 64-bit build.

; A 64-bit build (made where only 64-bit programs run, for its tests) gets
; the 64-bit installer stub, so that its installer runs there too.
!ifdef NSIS_TARGET
  Target ${NSIS_TARGET}
!endif
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
; Like the program itself: the system scales these pages on high-DPI screens.
ManifestDPIAware false
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"
; The single-copy window of a running Lumora.
!define MAIN_CLASS "Lumora-Hebrew"
!define MAIN_TITLE "Lumora"
; Where the reader keeps its settings (all of them written by the reader).
!define SETTINGS_KEY "Quillstead\Lumora-Hebrew"
!define MAKER_KEY "Software\Quillstead"

Name "${PRODUCT_NAME} ${PRODUCT_VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Lumora"
; Installing again goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${DESCRIPTION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "${DESCRIPTION}.$\r$\n$\r$\nSetup installs ${PRODUCT_NAME} ${PRODUCT_VERSION} for you alone; it needs no administrator rights. Settings of an earlier ${PRODUCT_NAME} stay as they are.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Lumora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT_NAME}"
; The finish page's second box makes the desktop shortcut, off unless ticked.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Create a desktop shortcut"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION CreateDesktopShortcut
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Refuses while Lumora runs: its exe could not be replaced or removed. Retry
; looks again; Cancel (and silent mode) ends with exit code 2.
!macro RefuseWhileRunning MESSAGE
  check_running:
    FindWindow $0 "${MAIN_CLASS}" "${MAIN_TITLE}"
    StrCmp $0 0 not_running
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MESSAGE}" /SD IDCANCEL IDRETRY check_running
    SetErrorLevel 2
    Quit
  not_running:
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning "${PRODUCT_NAME} is running. Close it, then choose Retry to go on installing."
FunctionEnd

Section "Lumora" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\Lumora.exe"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT_NAME}.lnk" "$INSTDIR\Lumora.exe" "" "$INSTDIR\Lumora.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Comments" "${DESCRIPTION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the list of programs shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function CreateDesktopShortcut
  CreateShortcut "$DESKTOP\${PRODUCT_NAME}.lnk" "$INSTDIR\Lumora.exe" "" "$INSTDIR\Lumora.exe" 0
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning "${PRODUCT_NAME} is running. Close it, then choose Retry to go on uninstalling."
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Lumora.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the user put there stay, and so does their folder.
  RMDir "$INSTDIR"
  ; The default place's parent, made by the first per-user install when the
  ; system had not made it yet; again only when empty.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}.lnk"
  Delete "$DESKTOP\${PRODUCT_NAME}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings stay unless the user says otherwise (and always in silent
  ; mode), so that a later install finds them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove your ${PRODUCT_NAME} settings too (font, window place, the day last read)?$\r$\n$\r$\nChoose No to keep them for a later install." /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Quillstead"
    DeleteRegValue HKCU "${MAKER_KEY}" "SurroundingGutter"
    DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  keep_settings:
SectionEnd
