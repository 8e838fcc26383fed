; The per-user installer of Sorvane. makensis is given:
;   VERSION      the version (major.minor.patch)
;   COPYRIGHT    the copyright line
;   BIN_DIR      the folder holding Sorvane.scr and Sorvane.dll
;   README       the read-me, LICENSE the licence, ICON the program's icon
;   OUTFILE      the installer to write
;   SIGN         (when the release is signed) the command that signs a
;                program in place, given its path
; Nothing in it depends on the time or the machine it is built on.
; The programs are 64-bit, and so is the installer.
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Sorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvane"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!ifdef SIGN
  ; The uninstaller signed before it is stored, the installer last.
  !uninstfinalize '${SIGN} "%1"' = 0
  !finalize '${SIGN} "%1"' = 0
!endif
; The settings file lives beside the programs: the folder must be the user's own.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString SectionProgram ${LANG_JAPANESE} "Sorvane (スクリーンセーバー)"
LangString SectionProgram ${LANG_ENGLISH} "Sorvane (screen saver)"
LangString SectionCurrent ${LANG_JAPANESE} "今のスクリーンセーバーにする"
LangString SectionCurrent ${LANG_ENGLISH} "Make it the current screen saver"
LangString AskRemoveSettings ${LANG_JAPANESE} "設定ファイル Sorvane.ini も削除しますか？"
LangString AskRemoveSettings ${LANG_ENGLISH} "Remove your settings (Sorvane.ini) as well?"

Section "!$(SectionProgram)" SectionProgramId
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}\Sorvane.scr"
  File "${BIN_DIR}\Sorvane.dll"
  File "/oname=readme.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Sorvane developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Sorvane.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Windows keeps the current screen saver as a short path.
Section "$(SectionCurrent)" SectionCurrentId
  GetFullPathName /SHORT $0 "$INSTDIR\Sorvane.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Section "Uninstall"
  ; Only a screen saver that is still ours is taken back.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$INSTDIR\Sorvane.scr"
  ${If} $0 != ""
    ${If} $0 == $1
    ${OrIf} $0 == "$INSTDIR\Sorvane.scr"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  ; The user's settings stay unless asked for: /REMOVESETTINGS, or yes to the question.
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/REMOVESETTINGS" $3
  ${IfNot} ${Errors}
    Delete "$INSTDIR\Sorvane.ini"
  ${ElseIfNot} ${Silent}
  ${AndIf} ${FileExists} "$INSTDIR\Sorvane.ini"
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "$(AskRemoveSettings)" IDYES`
      Delete "$INSTDIR\Sorvane.ini"
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\Sorvane.scr"
  Delete "$INSTDIR\Sorvane.dll"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
