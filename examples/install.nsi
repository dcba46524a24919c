; Installs the sample dictionaries with the zetdll plug-in.
;
; Build:  makensis -DTARGET=<target> -DMEDIA=<folder> -DPLUGINS=<folder with zetdll.dll>
;                  -DOUTFILE=<exe> install.nsi
;   TARGET   the NSIS target: x86-unicode (the default), amd64-unicode or x86-ansi; the
;            plug-in's DLL for that target must be in PLUGINS or in NSIS's Plugins\TARGET
;   MEDIA    the installation media: catalogue.txt, groups.ini, grnames.ini, the dictionary
;            configuration files (*.cfg) and every file that the catalogue lists
;   PLUGINS  the folder that holds zetdll.dll for TARGET (else NSIS's own Plugins\TARGET)
; Run:    duvevo-dictionaries.exe /S /D=C:\path\to\target   (silently, into the given folder)

!ifndef TARGET
  !define TARGET "x86-unicode"
!endif
Target ${TARGET}                  ; x86-ansi is the same as Unicode false
RequestExecutionLevel user
!ifdef PLUGINS
  !addplugindir /${TARGET} "${PLUGINS}"
!endif
!ifndef OUTFILE
  !define OUTFILE "duvevo-dictionaries.exe"
!endif
!ifndef MEDIA
  !define MEDIA "media"
!endif
!define MASK "1111111111011111"   ; selection mask: every dictionary but the one at position 10

Name "Duvevo Dictionaries"
OutFile "${OUTFILE}"
InstallDir "$TEMP\Duvevo"
ShowInstDetails show

Var catalogue
Var index
Var short
Var count
Var name
Var time
Var list

Section "Dictionaries"
  ; The media travel inside the installer and are unpacked to a temporary folder.
  InitPluginsDir
  SetOutPath "$PLUGINSDIR\media"
  File /r "${MEDIA}\*.*"
  StrCpy $catalogue "$PLUGINSDIR\media\catalogue.txt"

  ; loadDicInfo pops the catalogue path and pushes "ok" on top of the eight header fields
  ; (so they pop in the order 0 to 7), or only "failed".
  zetdll::loadDicInfo /NOUNLOAD "$catalogue"
  Pop $0
  StrCmp $0 "ok" +2
    Abort "The catalogue cannot be read."
  Pop $1
  Pop $2
  Pop $3
  Pop $4
  Pop $5
  Pop $6
  Pop $7
  Pop $8
  DetailPrint "Catalogue: $1 $2 by $3 ($4, $5), number $6, $7, $8"

  ; The application's group tables go first: updateDuvEvoCfg reads them from $INSTDIR.
  SetOutPath "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\groups.ini" "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\grnames.ini" "$INSTDIR"
  CopyFiles /SILENT "$PLUGINSDIR\media\*.cfg" "$INSTDIR"
  ; instdics.dat lists what this installation installs, one "*name" line each.
  FileOpen $list "$INSTDIR\instdics.dat" w

  StrCpy $index 0
  next_dictionary:
    ; dicFiles pops path, mask and index. For the index-th selected dictionary it pushes,
    ; per file, its time text and then its name; then the file count; the short name on top.
    ; When there is none: "0", and the empty text on top.
    zetdll::dicFiles /NOUNLOAD "$catalogue" "${MASK}" "$index"
    Pop $short
    Pop $count
    StrCmp $count "0" done_dictionaries   ; a dictionary always has at least one file

    ; dicInfo takes the same arguments and pushes the version, then the display name on top.
    zetdll::dicInfo /NOUNLOAD "$catalogue" "${MASK}" "$index"
    Pop $0
    Pop $1
    DetailPrint "$short: $0, version $1, $count file(s)"

    ; The files pop last one first: its name, then its time text.
    next_file:
      StrCmp $count "0" done_files
      Pop $name
      Pop $time
      CopyFiles /SILENT "$PLUGINSDIR\media\$name" "$INSTDIR\$name"
      ; setFileModificationTime pops the path, then the time text; pushes nothing.
      zetdll::setFileModificationTime "$INSTDIR\$name" "$time"
      IntOp $count $count - 1
      Goto next_file
    done_files:

    FileWrite $list "*$short$\r$\n"
    ; updateDuvEvoCfg pops the folder and a dictionary name; enters the dictionary into its
    ; groups in duvevo.cfg and pushes "ok".
    zetdll::updateDuvEvoCfg "$INSTDIR" "$short"
    Pop $0
    IntOp $index $index + 1
    Goto next_dictionary
  done_dictionaries:
  FileClose $list

  ; With a "/"-led list of dictionary configuration files, updateDuvEvoCfg appends their group
  ; sections, cut down to the installed dictionaries; the rest go to the group other_dics.
  zetdll::updateDuvEvoCfg "$INSTDIR" "/collections.cfg/"
  Pop $0

  ; giveAllPermissions pops a path ("*" first for a folder) and gives Everyone full access.
  ; The installer holds its output folder open, which keeps the folder's access from being
  ; changed: leave it for another folder first.
  SetOutPath "$PLUGINSDIR"
  zetdll::giveAllPermissions "*$INSTDIR"
SectionEnd
