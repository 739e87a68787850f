; The Windows installer: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Hledani pokladu, which is also the game's working folder:
; the image set and mapy (the shipped maps and the player's own) sit there.
; It speaks Czech or English, as Windows does (Czech for a Slovak Windows
; too), and its Start-menu entries are in Czech.
; This file is UTF-8 with a byte-order mark, which makensis needs to read it
; as UTF-8. Built by tools/setup/windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0 -DSTAGE=<stage folder> -DMAPS_NSH=<file> -DOUTFILE=<setup.exe> installer.nsi
; MAPS_NSH holds one ShippedMap line for each shipped map. Another program
; is one more File line, one more Delete line, one more line in
; NotRunning (and a shortcut if it has one).
Unicode true
; TARGET=amd64-unicode builds the 64-bit installer that only the tests use,
; where Wine cannot run 32-bit programs.
!ifdef TARGET
  Target ${TARGET}
!endif
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define NAME "Hledání pokladu"
; The folder keeps the name earlier releases used, so that an upgrade finds it.
!define FOLDER "Hledani pokladu"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HledaniPokladu"
; What each shipped map held when this installer or an earlier one put it
; there: a value per map name, its bytes' FNV-1a hash.
!define MAPS_KEY "${UNINSTALL_KEY}\ShippedMaps"
!define MENU "$SMPROGRAMS\${NAME}"
; The map editor's copy of unsaved changes, kept beside mapy when it was
; stopped (a logout, say), and the temporary file it is written through.
!define RECOVERY ".editor-obnova"
; A save's temporary file in mapy: this prefix and six letters.
!define MAP_SAVE_TEMP ".mapkit-"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\${FOLDER}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} – instalace"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${STAGE}\..\hledani-pokladu.ico"
!define MUI_UNICON "${STAGE}\..\hledani-pokladu.ico"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartGame)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartGame
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Navod.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(ShowGuide)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for a Windows in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Czech"

; A map's name in the messages about it.
Var MapName

LangString SecGameName ${LANG_ENGLISH} "The game, the map editor and the maps"
LangString SecGameName ${LANG_CZECH} "Hra, editor map a mapy"
LangString SecGameText ${LANG_ENGLISH} "The game, its map editor and map kit, and the shipped maps."
LangString SecGameText ${LANG_CZECH} "Hra, editor map, nástroj na mapy a dodané mapy."
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopName ${LANG_CZECH} "Zástupce na ploše"
LangString SecDesktopText ${LANG_ENGLISH} "A shortcut to the game on the desktop."
LangString SecDesktopText ${LANG_CZECH} "Zástupce hry na ploše."
LangString StartGame ${LANG_ENGLISH} "Play ${NAME} now"
LangString StartGame ${LANG_CZECH} "Spustit hru ${NAME}"
LangString ShowGuide ${LANG_ENGLISH} "Show the player's guide (Navod.txt, in Czech)"
LangString ShowGuide ${LANG_CZECH} "Zobrazit návod (Navod.txt)"
LangString Running ${LANG_ENGLISH} "${NAME} or its map editor is running.$\r$\nClose it and try again."
LangString Running ${LANG_CZECH} "Hra ${NAME} nebo editor map je spuštěný.$\r$\nZavřete je a zkuste to znovu."
LangString RunningStop ${LANG_ENGLISH} "Stopped: ${NAME} or its map editor is running. Nothing was changed."
LangString RunningStop ${LANG_CZECH} "Přerušeno: hra ${NAME} nebo editor map je spuštěný. Nic se nezměnilo."
LangString PlayersMap ${LANG_ENGLISH} "Your own map $\"$MapName$\" is kept; it plays in place of the shipped map of that name."
LangString PlayersMap ${LANG_CZECH} "Vaše vlastní mapa „$MapName“ zůstává; hraje se místo dodané mapy stejného jména."
LangString PlayersMapLeft ${LANG_ENGLISH} "Your own map $\"$MapName$\" is kept."
LangString PlayersMapLeft ${LANG_CZECH} "Vaše vlastní mapa „$MapName“ zůstává."
LangString MapUnread ${LANG_ENGLISH} "The shipped map $\"$MapName$\" could not be read (is it open in another program?): it is left as it was, and the next install or uninstall looks at it again."
LangString MapUnread ${LANG_CZECH} "Dodanou mapu „$MapName“ nešlo přečíst (je otevřená v jiném programu?): zůstává, jak byla, a příští instalace nebo odinstalace ji posoudí znovu."
LangString MapsLeft ${LANG_ENGLISH} "Your own maps are kept in the folder $INSTDIR\mapy."
LangString MapsLeft ${LANG_CZECH} "Vaše vlastní mapy zůstaly ve složce $INSTDIR\mapy."
LangString RecoveryLeft ${LANG_ENGLISH} "The map editor's copy of unsaved changes is kept in $INSTDIR\${RECOVERY}: the editor offers it back when it is installed there again."
LangString RecoveryLeft ${LANG_CZECH} "Neuložené změny z editoru map zůstaly v souboru $INSTDIR\${RECOVERY}: editor je nabídne, až bude znovu nainstalován do této složky."

; RemoveShortcuts FOLDER GAME WINDOWED: the installer's own Start-menu
; entries in FOLDER (the game's and the windowed game's under the names
; given), and the folder when nothing else is left in it.
!macro RemoveShortcuts FOLDER GAME WINDOWED
  Delete "${FOLDER}\${GAME}.lnk"
  Delete "${FOLDER}\${WINDOWED}.lnk"
  Delete "${FOLDER}\Editor map.lnk"
  Delete "${FOLDER}\Moje mapy.lnk"
  Delete "${FOLDER}\Odinstalovat.lnk"
  RMDir "${FOLDER}"
!macroend

; Shortcuts' descriptions: the Start-menu entries are in Czech whatever the
; language of Windows.
!define GAME_TIP "Hledání pokladu přes celou obrazovku"
!define WINDOW_TIP "Hledání pokladu v okně"
!define EDITOR_TIP "Editor map ke hře Hledání pokladu"
!define MAPS_TIP "Složka s mapami: dodanými i vlastními"
!define UNINSTALL_TIP "Odinstalovat Hledání pokladu"

; Windows in Slovak gets Czech, the nearer of the two languages.
!macro PickLanguage
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x1B
    StrCpy $LANGUAGE ${LANG_CZECH}
  ${EndIf}
!macroend

; NotRunning: a running game, game in a window or map editor holds its .exe
; open, and Windows then refuses to open that file for writing. Until none
; does, asks the player to close it, with Retry and Cancel. Pushes 1 when
; none runs, 0 when the player cancelled (a silent run, which cannot ask,
; cancels).
!macro NotRunningFunction PREFIX
Function ${PREFIX}NotRunning
  Push $0
  Push $1
  Push $2
  StrCpy $2 1
  check:
  ${ForEach} $1 0 3 + 1
    ${Select} $1
      ${Case} 0
        StrCpy $0 "$INSTDIR\hledani-pokladu.exe"
      ${Case} 1
        StrCpy $0 "$INSTDIR\okno\hledani-pokladu.exe"
      ${Case} 2
        StrCpy $0 "$INSTDIR\hledani-pokladu-editor.exe"
      ${Case} 3
        StrCpy $0 "$INSTDIR\hledani-pokladu-mapkit.exe"
    ${EndSelect}
    ${If} ${FileExists} $0
      ClearErrors
      FileOpen $0 $0 a
      ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY check
        StrCpy $2 0
        ${ExitFor}
      ${EndIf}
      FileClose $0
    ${EndIf}
  ${Next}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro NotRunningFunction ""
!insertmacro NotRunningFunction "un."

; StopIfRunning PREFIX: ends the run (status 2) when the player cancelled
; NotRunning, before anything has changed. Asked first at the start, and
; again when the files are about to change (a program started meanwhile).
!macro StopIfRunning PREFIX
  Call ${PREFIX}NotRunning
  Pop $0
  ${If} $0 == 0
    DetailPrint "$(RunningStop)"
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

; MapHash PATH: the FNV-1a hash of the file's bytes as 8 hex digits, or ""
; when it cannot be read.
!macro MapHashFunction PREFIX
Function ${PREFIX}MapHash
  Exch $0
  Push $1
  Push $2
  Push $3
  ClearErrors
  FileOpen $1 $0 r
  ${If} ${Errors}
    StrCpy $0 ""
  ${Else}
    StrCpy $2 0x811C9DC5
    ${Do}
      ClearErrors
      FileReadByte $1 $3
      ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
      IntOp $2 $2 ^ $3
      IntOp $2 $2 * 0x01000193
      IntOp $2 $2 & 0xFFFFFFFF
    ${Loop}
    FileClose $1
    IntFmt $0 "%08x" $2
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro MapHashFunction ""
!insertmacro MapHashFunction "un."

; ShippedMap SOURCE NAME: puts a shipped map into mapy, read-only (how the
; editor tells it from the player's own), where no file of that name is or
; the file there is a shipped map: the same bytes as this one, the bytes
; recorded when an earlier install put it there, or, from a release that
; recorded nothing, a read-only file. Any other file is the player's: it is
; neither replaced nor deleted later, and it plays in place of this one. A
; file that cannot be read now (another program holds it) is neither: it and
; its record stay as they were, for the next install or uninstall to decide.
!macro ShippedMap SOURCE NAME
  StrCpy $0 "$INSTDIR\mapy\${NAME}"
  StrCpy $4 1
  ${If} ${FileExists} $0
    Push $0
    Call MapHash
    Pop $1
    File "/oname=$PLUGINSDIR\map" "${SOURCE}"
    Push "$PLUGINSDIR\map"
    Call MapHash
    Pop $2
    ReadRegStr $3 HKCU "${MAPS_KEY}" "${NAME}"
    StrCpy $4 0
    ${If} $1 == ""
      StrCpy $4 2
    ${ElseIf} $1 == $2
    ${OrIf} $1 == $3
      StrCpy $4 1
    ${ElseIf} $RecordsFound == 0
      ${GetFileAttributes} $0 "READONLY" $4
    ${EndIf}
  ${EndIf}
  ${If} $4 == 1
    SetFileAttributes $0 NORMAL
    File "/oname=$0" "${SOURCE}"
    SetFileAttributes $0 READONLY
    Push $0
    Call MapHash
    Pop $1
    WriteRegStr HKCU "${MAPS_KEY}" "${NAME}" $1
  ${ElseIf} $4 == 2
    StrCpy $MapName "${NAME}"
    DetailPrint "$(MapUnread)"
  ${Else}
    DeleteRegValue HKCU "${MAPS_KEY}" "${NAME}"
    StrCpy $MapName "${NAME}"
    DetailPrint "$(PlayersMap)"
  ${EndIf}
!macroend

Var RecordsFound

Function un.onInit
  !insertmacro PickLanguage
  !insertmacro StopIfRunning "un."
FunctionEnd

Section "$(SecGameName)" SecGame
  SectionIn RO
  !insertmacro StopIfRunning ""
  InitPluginsDir
  SetOutPath "$INSTDIR"
  File "${STAGE}\hledani-pokladu.exe"
  File "${STAGE}\hledani-pokladu-mapkit.exe"
  File "${STAGE}\hledani-pokladu-editor.exe"
  File "${STAGE}\tarkoni.dat"
  File "${STAGE}\Navod.txt"
  SetOutPath "$INSTDIR\okno"
  File "${STAGE}\okno\hledani-pokladu.exe"
  File "${STAGE}\okno\allegro.cfg"
  SetOutPath "$INSTDIR\mapy"
  ClearErrors
  EnumRegValue $0 HKCU "${MAPS_KEY}" 0
  StrCpy $RecordsFound 1
  ${If} $0 == ""
    StrCpy $RecordsFound 0
  ${EndIf}
  !include "${MAPS_NSH}"

  ; Earlier releases named their Start-menu folder and entries without
  ; diacritics: their own entries go, a player's own stay.
  !insertmacro RemoveShortcuts "$SMPROGRAMS\Hledani pokladu" "Hledani pokladu" "Hledani pokladu v okne"

  ; Shortcuts start in $INSTDIR, where the game finds its image set and maps.
  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\Hledání pokladu.lnk" "$INSTDIR\hledani-pokladu.exe" "" "" "" "" "" "${GAME_TIP}"
  CreateShortcut "${MENU}\Hledání pokladu v okně.lnk" "$INSTDIR\okno\hledani-pokladu.exe" "" \
    "$INSTDIR\hledani-pokladu.exe" "" "" "" "${WINDOW_TIP}"
  CreateShortcut "${MENU}\Editor map.lnk" "$INSTDIR\hledani-pokladu-editor.exe" "" "" "" "" "" "${EDITOR_TIP}"
  CreateShortcut "${MENU}\Moje mapy.lnk" "$INSTDIR\mapy" "" "" "" "" "" "${MAPS_TIP}"
  CreateShortcut "${MENU}\Odinstalovat.lnk" "$INSTDIR\odinstalovat.exe" "" "" "" "" "" "${UNINSTALL_TIP}"

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

; Offered, not forced: unchecked unless the player ticks it (or had it).
Section /o "$(SecDesktopName)" SecDesktop
  Delete "$DESKTOP\Hledani pokladu.lnk"
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${NAME}.lnk" "$INSTDIR\hledani-pokladu.exe" "" "" "" "" "" "${GAME_TIP}"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecGame} "$(SecGameText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(SecDesktopText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro PickLanguage
  !insertmacro StopIfRunning ""
  ; An upgrade keeps the desktop shortcut the player had.
  ${If} ${FileExists} "$DESKTOP\Hledani pokladu.lnk"
  ${OrIf} ${FileExists} "$DESKTOP\${NAME}.lnk"
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

; The finish page's "play now": in the installation folder, as the shortcuts.
Function StartGame
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\hledani-pokladu.exe"'
FunctionEnd

Section "Uninstall"
  !insertmacro StopIfRunning "un."
  Delete "$INSTDIR\hledani-pokladu.exe"
  Delete "$INSTDIR\hledani-pokladu-mapkit.exe"
  Delete "$INSTDIR\hledani-pokladu-editor.exe"
  Delete "$INSTDIR\tarkoni.dat"
  Delete "$INSTDIR\Navod.txt"
  Delete "$INSTDIR\okno\hledani-pokladu.exe"
  Delete "$INSTDIR\okno\allegro.cfg"
  RMDir "$INSTDIR\okno"
  ; Each shipped map the installers recorded goes, while it still holds the
  ; recorded bytes; the player's own maps stay, and the folder that holds them.
  ; A map that cannot be read now keeps its record (and with it the key) for
  ; the next install or uninstall; the other records go as they are decided.
  StrCpy $5 0
  StrCpy $7 0
  ${Do}
    ClearErrors
    EnumRegValue $6 HKCU "${MAPS_KEY}" $5
    ${IfThen} $6 == "" ${|} ${ExitDo} ${|}
    StrCpy $0 "$INSTDIR\mapy\$6"
    ${If} ${FileExists} $0
      ReadRegStr $3 HKCU "${MAPS_KEY}" $6
      Push $0
      Call un.MapHash
      Pop $1
      StrCpy $MapName $6
      ${If} $1 == ""
        DetailPrint "$(MapUnread)"
        IntOp $5 $5 + 1
        StrCpy $7 1
        ${Continue}
      ${ElseIf} $1 == $3
        SetFileAttributes $0 NORMAL
        Delete $0
      ${Else}
        DetailPrint "$(PlayersMapLeft)"
      ${EndIf}
    ${EndIf}
    DeleteRegValue HKCU "${MAPS_KEY}" $6
  ${Loop}
  ; A save cut short leaves its temporary file; no program runs now, so every
  ; one is stale and nobody's work. So is a half-written editor's copy.
  Delete "$INSTDIR\mapy\${MAP_SAVE_TEMP}*"
  Delete "$INSTDIR\${RECOVERY}.tmp"
  RMDir "$INSTDIR\mapy"
  !insertmacro RemoveShortcuts "${MENU}" "Hledání pokladu" "Hledání pokladu v okně"
  Delete "$DESKTOP\${NAME}.lnk"
  ${If} $7 == 0
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${Else}
    ; Gone from the list of programs; the maps' records stay.
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "DisplayName"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "DisplayIcon"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "InstallLocation"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "UninstallString"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "QuietUninstallString"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "NoModify"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "NoRepair"
  ${EndIf}
  Delete "$INSTDIR\odinstalovat.exe"
  RMDir "$INSTDIR"
  ; What stays, in one message: the player's maps, the editor's copy.
  StrCpy $0 ""
  ${If} ${FileExists} "$INSTDIR\mapy\*.*"
    StrCpy $0 "$(MapsLeft)"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${RECOVERY}"
    ${If} $0 != ""
      StrCpy $0 "$0$\r$\n$\r$\n"
    ${EndIf}
    StrCpy $0 "$0$(RecoveryLeft)"
  ${EndIf}
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONINFORMATION "$0" /SD IDOK
  ${EndIf}
SectionEnd
