; The Windows installer: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Hledani pokladu, which is also the game's working folder:
; the image set and mapy (the shipped maps and the player's own) sit there.
; Built by tools/setup/windows.sh:
;   makensis -DVERSION=1.0 -DSTAGE=<stage folder> -DMAPS_NSH=<file> -DOUTFILE=<setup.exe> installer.nsi
; MAPS_NSH lists the shipped maps (File and Delete lines), so an upgrade
; replaces them and the uninstaller removes only them. Another program is
; one more File line and one more Delete line (and a shortcut if it has one).
Unicode true
; TARGET=amd64-unicode builds the 64-bit installer that only the tests use,
; where Wine cannot run 32-bit programs.
!ifdef TARGET
  Target ${TARGET}
!endif
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define NAME "Hledani pokladu"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HledaniPokladu"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${STAGE}\..\hledani-pokladu.ico"
UninstallIcon "${STAGE}\..\hledani-pokladu.ico"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} - instalace"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${NAME}" SecGame
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\hledani-pokladu.exe"
  File "${STAGE}\hledani-pokladu-mapkit.exe"
  File "${STAGE}\hledani-pokladu-editor.exe"
  File "${STAGE}\tarkoni.dat"
  SetOutPath "$INSTDIR\okno"
  File "${STAGE}\okno\hledani-pokladu.exe"
  File "${STAGE}\okno\allegro.cfg"
  SetOutPath "$INSTDIR\mapy"
  !define INSTALL_MAPS
  !include "${MAPS_NSH}"
  !undef INSTALL_MAPS

  ; Shortcuts start in $INSTDIR, where the game finds its image set and maps.
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\${NAME}"
  CreateShortcut "$SMPROGRAMS\${NAME}\${NAME}.lnk" "$INSTDIR\hledani-pokladu.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}\${NAME} v okne.lnk" "$INSTDIR\okno\hledani-pokladu.exe" "" "$INSTDIR\hledani-pokladu.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}\Editor map.lnk" "$INSTDIR\hledani-pokladu-editor.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}\Moje mapy.lnk" "$INSTDIR\mapy"
  CreateShortcut "$SMPROGRAMS\${NAME}\Odinstalovat.lnk" "$INSTDIR\odinstalovat.exe"

  WriteUninstaller "$INSTDIR\odinstalovat.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\hledani-pokladu.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\odinstalovat.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\odinstalovat.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Offered, not forced: unchecked unless the player ticks it.
Section /o "Zastupce na plose" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${NAME}.lnk" "$INSTDIR\hledani-pokladu.exe"
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\hledani-pokladu.exe"
  Delete "$INSTDIR\hledani-pokladu-mapkit.exe"
  Delete "$INSTDIR\hledani-pokladu-editor.exe"
  Delete "$INSTDIR\tarkoni.dat"
  Delete "$INSTDIR\okno\hledani-pokladu.exe"
  Delete "$INSTDIR\okno\allegro.cfg"
  RMDir "$INSTDIR\okno"
  !define REMOVE_MAPS
  !include "${MAPS_NSH}"
  !undef REMOVE_MAPS
  ; The player's own maps stay, and with them the folders that hold them.
  RMDir "$INSTDIR\mapy"
  Delete "$SMPROGRAMS\${NAME}\*.lnk"
  RMDir "$SMPROGRAMS\${NAME}"
  Delete "$DESKTOP\${NAME}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\odinstalovat.exe"
  RMDir "$INSTDIR"
  IfFileExists "$INSTDIR\mapy\*.*" 0 +2
    MessageBox MB_OK|MB_ICONINFORMATION "Vase vlastni mapy zustaly ve slozce $INSTDIR\mapy." /SD IDOK
SectionEnd
