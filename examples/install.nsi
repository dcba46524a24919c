; Installs the sample dictionaries with the zetdll plug-in and its include, zetdll.nsh, and writes
; an uninstaller that takes out exactly what it installed. A template for an add-on installer: the
; Components page offers one section per dictionary of the catalogue, named and sized from it; the
; installer may run again (a repair, or a second run for more dictionaries) and then leaves what
; one run of both selections would; the application's own lines of duvevo.cfg and instdics.dat
; stay, now and after uninstalling.
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
; Uninstall: duvevo-dictionaries-uninstall.exe [/S] in the installation folder.

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

Name "Duvevo Dictionaries"
OutFile "${OUTFILE}"
InstallDir "$TEMP\Duvevo"
ShowInstDetails show
ShowUninstDetails show
ComponentText "Choose the dictionaries to install." "" "Dictionaries:"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; What this installation installed, for its uninstaller: [dictionaries] the short names,
; [files] the group tables and configuration files that were not in the folder before it.
!define RECORD "$INSTDIR\duvevo-dictionaries.ini"
!define UNINSTALLER "$INSTDIR\duvevo-dictionaries-uninstall.exe"
; The list of dictionary configuration files whose groups are entered as a whole.
!define COLLECTIONS "/collections.cfg/"

Var catalogue
Var mask
Var index
Var short
Var display
Var version
Var result
Var file

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

; Reads the catalogue, unpacks the media (the sections' sizes come from their files), and names
; and selects the sections from /MASK= (or MASK).
Function .onInit
  InitPluginsDir
  SetOutPath "$PLUGINSDIR\media"
  File /r "${MEDIA}\*.*"
  StrCpy $catalogue "$PLUGINSDIR\media\catalogue.txt"
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
  ${zetdll::NameSections} $catalogue $mask ${position0} ${LAST_POSITION} "$PLUGINSDIR\media"
FunctionEnd

; Copies a group table or configuration file from the media, and records it as this
; installation's when the folder did not have it.
!macro SupportFile NAME
  ${IfNot} ${FileExists} "$INSTDIR\${NAME}"
    WriteINIStr "${RECORD}" files "${NAME}" 1
  ${EndIf}
  CopyFiles /SILENT "$PLUGINSDIR\media\${NAME}" "$INSTDIR"
!macroend

Section "-Install"
  ${zetdll::SectionsMask} ${position0} ${LAST_POSITION} $mask
  ${zetdll::LoadDicInfo} $catalogue $result $1 $2 $3 $4 $5 $6 $7 $8
  DetailPrint "Catalogue: $1 $2 by $3 ($4, $5), number $6, $7, $8; selection $mask"

  ; The application's group tables go first: the merges read them from $INSTDIR.
  SetOutPath "$INSTDIR"
  !insertmacro SupportFile "groups.ini"
  !insertmacro SupportFile "grnames.ini"
  FindFirst $R0 $file "$PLUGINSDIR\media\*.cfg"
  ${DoWhile} $file != ""
    !insertmacro SupportFile $file
    FindNext $R0 $file
  ${Loop}
  FindClose $R0

  ; Each selected dictionary: its files with their catalogue times, then its instdics.dat line
  ; and its entries, each once however often the installer runs. One whose files did not all
  ; arrive is recorded nowhere.
  ${zetdll::ForEachDictionary} $catalogue $mask $index $short $display $version
    DetailPrint "$short: $display, version $version"
    ${zetdll::InstallDictionary} $catalogue $mask $index "$PLUGINSDIR\media" "$INSTDIR" $result
    ${If} $result == "ok"
      WriteINIStr "${RECORD}" dictionaries $short 1
      ${zetdll::AddInstalled} "$INSTDIR" $short $result
      ; One dictionary: entered into its groups in duvevo.cfg.
      ${zetdll::UpdateDuvEvoCfgOnce} "$INSTDIR" $short $result
    ${Else}
      DetailPrint "$short ($display) is left out: not all of its files arrived,"
      DetailPrint "so $short is entered in neither instdics.dat nor duvevo.cfg."
    ${EndIf}
  ${Next}

  ; A "/"-led list of dictionary configuration files: their group sections are appended, cut
  ; down to the installed dictionaries (those of earlier runs too); the rest go to the group
  ; other_dics.
  ${zetdll::UpdateDuvEvoCfgOnce} "$INSTDIR" "${COLLECTIONS}" $result
  WriteUninstaller "${UNINSTALLER}"

  ; giveAllPermissions pops a path ("*" first for a folder) and gives Everyone full access,
  ; also to the installer's own output folder.
  zetdll::giveAllPermissions "*$INSTDIR"
SectionEnd

; The uninstaller carries the catalogue, for the files of each dictionary it installed.
Function un.onInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\catalogue.txt" "${MEDIA}\catalogue.txt"
  StrCpy $catalogue "$PLUGINSDIR\catalogue.txt"
FunctionEnd

; Takes out what the installations recorded, in the reverse order: each dictionary's entries,
; its instdics.dat line and its files, then the collections' groups, then the tables and
; configuration files it brought. What it did not write stays.
Section "Uninstall"
  ${zetdll::ForEachDictionary} $catalogue "1111111111111111" $index $short $display $version
    ReadINIStr $R1 "${RECORD}" dictionaries $short
    ${If} $R1 == 1
      DetailPrint "Removing $short: $display"
      ${zetdll::RemoveFromDuvEvoCfg} "$INSTDIR" $short $result
      ${zetdll::RemoveInstalled} "$INSTDIR" $short $result
      ${zetdll::ForEachFile} $catalogue "1111111111111111" $index $file $R2
        Delete "$INSTDIR\$file"
      ${Next}
    ${EndIf}
  ${Next}
  ${zetdll::RemoveFromDuvEvoCfg} "$INSTDIR" "${COLLECTIONS}" $result
  ${If} $result != "ok"
    DetailPrint "duvevo.cfg could not be written: the collections' groups stay in it."
  ${EndIf}
  FindFirst $R0 $file "$INSTDIR\*.*"
  ${DoWhile} $file != ""
    ReadINIStr $R1 "${RECORD}" files $file
    ${If} $R1 == 1
      Delete "$INSTDIR\$file"
    ${EndIf}
    FindNext $R0 $file
  ${Loop}
  FindClose $R0
  Delete "${RECORD}"
  Delete "${UNINSTALLER}"
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"                  ; only when nothing else is left in it
SectionEnd
