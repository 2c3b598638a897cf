; The per-user installer of Taktomat: no administrator rights, the files in the user's own
; programs folder, an entry in the Start menu, on request one in the Autostart folder that
; runs "taktomat.exe start", and an uninstaller that the system's list of apps knows.
;
; Built by the build (packaging/CMakeLists.txt), which defines
;   VERSION  the product's version, four numbers    ARCH     win32 or win64
;   FILES    the folder with taktomat.exe, README.txt and LICENSE.txt
;   ICON     the product's icon                      OUTFILE  the installer to write
; and to sign the uninstaller and the installer as they are written
;   SIGN     the command that signs the file it is given, in place
;
; Switches besides the installer's own /S (silent) and /D=<folder>:
;   installer    /AUTOSTART       with /S: add the Autostart entry as well
;   uninstaller  /DELETESETTINGS  with /S: delete the stored settings as well; without /S the
;                                 uninstaller asks, and keeps them unless told otherwise

!if "${ARCH}" == "win64"
  ; A 64-bit installer for the 64-bit program: on 32-bit Windows it does not start at all.
  Target amd64-unicode
!else
  Unicode true
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Taktomat"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\Raviktaktomate"
!define WINDOW_CLASS "Taktomat.Form1"

Name "Taktomat"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Taktomat"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; The installed files keep the times that the build gave them: the commit's.
SetDateSave on

!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\taktomat.exe"
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Taktomat"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "Ravik"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Installation von Taktomat"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Copyright (c) Ravik, MIT-Lizenz"

; A running instance holds its file. Closed as any close closes it, it writes its settings
; first; the wait for its end is bounded.
!macro CloseRunningInstances
  StrCpy $R9 0
  ${Do}
    FindWindow $R8 "${WINDOW_CLASS}"
    ${If} $R8 == 0
    ${OrIf} $R9 >= 50
      ${Break}
    ${EndIf}
    SendMessage $R8 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 200
    IntOp $R9 $R9 + 1
  ${Loop}
!macroend

Section "Taktomat" SecProgram
  SectionIn RO
  !insertmacro CloseRunningInstances
  SetOutPath "$INSTDIR"
  File "${FILES}\taktomat.exe"
  File "${FILES}\README.txt"
  File "${FILES}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Taktomat.lnk" "$INSTDIR\taktomat.exe"
  ; An installation over an earlier one has the Autostart entry only when chosen again.
  Delete "$SMSTARTUP\Taktomat.lnk"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Taktomat"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Ravik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\taktomat.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Autostart: bei der Anmeldung mit den gespeicherten Einstellungen starten" SecAutostart
  CreateShortCut "$SMSTARTUP\Taktomat.lnk" "$INSTDIR\taktomat.exe" "start"
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro CloseRunningInstances
  Delete "$INSTDIR\taktomat.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when nothing else was put there.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Taktomat.lnk"
  Delete "$SMSTARTUP\Taktomat.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DELETESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Sollen auch die gespeicherten Einstellungen von Taktomat gelöscht werden?" \
      /SD IDNO IDNO keepSettings
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  keepSettings:
SectionEnd
