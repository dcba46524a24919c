; Installs the sample dictionaries with the zetdll plug-in and its include, zetdll.nsh. The
; Components page offers one section per dictionary of the catalogue, named after it.
;
; Build:  makensis [-DTARGET=<target>] [-DMEDIA=<folder>] [-DPLUGINS=<folder>] [-DOUTFILE=<exe>]
;                  install.nsi
;   TARGET   the NSIS target: x86-unicode (the default), amd64-unicode or x86-ansi; the
;            plug-in's DLL for that target must be in PLUGINS or in NSIS's Plugins\TARGET
;   MEDIA    the installation media: catalogue.txt, groups.ini, grnames.ini, the dictionary
;            configuration files (*.cfg) and every file that the catalogue lists (by default
;            the folder media beside this script)
;   PLUGINS  the folder that holds zetdll.dll for TARGET (by default the release's
;            Plugins\TARGET, else NSIS's own)
;   zetdll.nsh is taken from the release's Include folder, the repository's, or NSIS's own.
; Run:    duvevo-dictionaries.exe [/S] [/MASK=<mask>] [/D=C:\path\to\target]
;   /S       silently, installing the dictionaries that the mask selects
;   /MASK    the selection to start from: character i is "1" to install the dictionary at
;            catalogue position i (by default the MASK below)

!ifndef TARGET
  !define TARGET "x86-unicode"
!endif
Target ${TARGET}                  ; x86-ansi is the same as Unicode false
RequestExecutionLevel user
!ifdef PLUGINS
  !addplugindir /${TARGET} "${PLUGINS}"
!else
  !addplugindir /${TARGET} "../../Plugins/${TARGET}"
!endif
!addincludedir "../../Include"    ; relative to this script's folder
!addincludedir "../Include"
!ifndef OUTFILE
  !define OUTFILE "duvevo-dictionaries.exe"
!endif
!ifndef MEDIA
  !define MEDIA "media"
!endif
!define MASK "1111111111011111"   ; selection mask: every dictionary but the one at position 10
!define LAST_POSITION 15          ; one section per catalogue position from 0 to this

!include "zetdll.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

Name "Duvevo Dictionaries"
OutFile "${OUTFILE}"
InstallDir "$TEMP\Duvevo"
ShowInstDetails show
ComponentText "Choose the dictionaries to install." "" "Dictionaries:"

Page components
Page directory
Page instfiles

Var catalogue
Var mask
Var index
Var short
Var display
Var version
Var result
Var list

; One section per catalogue position, named at start-up after the dictionary there; the
; sections of empty positions are hidden. They only select: the section "-Install" installs.
!macro DictionarySection POSITION
  Section /o "Dictionary ${POSITION}" position${POSITION}
  SectionEnd
!macroend
!insertmacro DictionarySection 0
!insertmacro DictionarySection 1
!insertmacro DictionarySection 2
!insertmacro DictionarySection 3
!insertmacro DictionarySection 4
!insertmacro DictionarySection 5
!insertmacro DictionarySection 6
!insertmacro DictionarySection 7
!insertmacro DictionarySection 8
!insertmacro DictionarySection 9
!insertmacro DictionarySection 10
!insertmacro DictionarySection 11
!insertmacro DictionarySection 12
!insertmacro DictionarySection 13
!insertmacro DictionarySection 14
!insertmacro DictionarySection 15

; Reads the catalogue, names the sections and selects them from /MASK= (or MASK).
Function .onInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\catalogue.txt" "${MEDIA}\catalogue.txt"
  StrCpy $catalogue "$PLUGINSDIR\catalogue.txt"
  ${zetdll::LoadDicInfo} $catalogue $result $0 $1 $2 $3 $4 $5 $6 $7
  ${If} $result != "ok"
    MessageBox MB_ICONSTOP "The catalogue cannot be read." /SD IDOK
    Abort
  ${EndIf}

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/MASK=" $mask
  ${If} ${Errors}
    StrCpy $mask "${MASK}"
  ${EndIf}

  ; A mask with "1" at position p alone selects the dictionaries at p (one, unless the
  ; catalogue puts two there, which zetdll-check warns of).
  StrCpy $R1 ""                     ; p zeros
  StrCpy $R5 "1"
  ${For} $R2 0 ${LAST_POSITION}
    StrCpy $R0 ""                   ; the section's text
    ${zetdll::ForEachDictionary} $catalogue "$R1$R5" $index $short $display $version
      ${If} $display == ""
        StrCpy $display $short
      ${EndIf}
      ${If} $R0 == ""
        StrCpy $R0 $display
      ${Else}
        StrCpy $R0 "$R0 + $display"
      ${EndIf}
    ${Next}
    IntOp $R3 ${position0} + $R2
    SectionSetText $R3 $R0          ; the empty text hides the section
    StrCpy $R4 $mask 1 $R2
    ${If} $R4 == "1"
    ${AndIf} $R0 != ""
      !insertmacro SelectSection $R3
    ${Else}
      !insertmacro UnselectSection $R3
    ${EndIf}
    StrCpy $R1 "0$R1"
  ${Next}
FunctionEnd

Section "-Install"
  ; The selection mask of the checked sections.
  StrCpy $mask ""
  ${For} $R2 0 ${LAST_POSITION}
    IntOp $R3 ${position0} + $R2
    StrCpy $R4 "0"
    ${If} ${SectionIsSelected} $R3
      StrCpy $R4 "1"
    ${EndIf}
    StrCpy $mask "$mask$R4"
  ${Next}

  ; The media travel inside the installer and are unpacked to a temporary folder.
  SetOutPath "$PLUGINSDIR\media"
  File /r "${MEDIA}\*.*"
  ${zetdll::LoadDicInfo} $catalogue $result $1 $2 $3 $4 $5 $6 $7 $8
  DetailPrint "Catalogue: $1 $2 by $3 ($4, $5), number $6, $7, $8; selection $mask"

  ; The application's group tables go first: updateDuvEvoCfg reads them from $INSTDIR.
  SetOutPath "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\groups.ini" "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\grnames.ini" "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\*.cfg" "$INSTDIR"
  ; instdics.dat lists what this installation installs, one "*name" line each.
  FileOpen $list "$INSTDIR\instdics.dat" w

  ; Each selected dictionary: its files with their catalogue times, then its entries. One
  ; whose files did not all arrive is recorded nowhere.
  ${zetdll::ForEachDictionary} $catalogue $mask $index $short $display $version
    DetailPrint "$short: $display, version $version"
    ${zetdll::InstallDictionary} $catalogue $mask $index "$PLUGINSDIR\media" "$INSTDIR" $result
    ${If} $result == "ok"
      FileWrite $list "*$short$\r$\n"
      ; One dictionary: entered into its groups in duvevo.cfg.
      ${zetdll::UpdateDuvEvoCfg} "$INSTDIR" $short $result
    ${Else}
      DetailPrint "$short ($display) is left out: not all of its files arrived,"
      DetailPrint "so $short is entered in neither instdics.dat nor duvevo.cfg."
    ${EndIf}
  ${Next}
  FileClose $list

  ; A "/"-led list of dictionary configuration files: their group sections are appended, cut
  ; down to the installed dictionaries; the rest go to the group other_dics.
  ${zetdll::UpdateDuvEvoCfg} "$INSTDIR" "/collections.cfg/" $result

  ; giveAllPermissions pops a path ("*" first for a folder) and gives Everyone full access,
  ; also to the installer's own output folder.
  zetdll::giveAllPermissions "*$INSTDIR"
SectionEnd
