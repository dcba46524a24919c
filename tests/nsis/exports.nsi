; Checks what each export pops and pushes through a real NSIS installer, and the catalogue
; kept between calls. Writes one line per check to ${RESULT}; the test compares it with
; exports.expected. Build with -DTARGET (x86-ansi, x86-unicode or amd64-unicode), -DPLUGINS
; (the folder of that target's zetdll.dll), -DCATALOGUE (a Windows path), -DWORK (an empty
; folder, Windows path), -DRESULT and -DOUTFILE.

Target ${TARGET}
RequestExecutionLevel user
SilentInstall silent
!addplugindir /${TARGET} "${PLUGINS}"
OutFile "${OUTFILE}"
Name "zetdll export checks"

Var log

; Writes "label: value" for the next value on the stack.
!macro PopLog label
  Pop $R0
  FileWrite $log "${label}: $R0$\r$\n"
!macroend

Section
  FileOpen $log "${RESULT}" w
  Push "bottom"

  ; dummy takes up to four values and no more.
  Push "1"
  Push "2"
  Push "3"
  Push "4"
  Push "5"
  zetdll::dummy
  !insertmacro PopLog "dummy left"

  ; loadDicInfo: "ok" on top, then header fields 0 to 7.
  zetdll::loadDicInfo "${CATALOGUE}"
  !insertmacro PopLog "loadDicInfo"
  !insertmacro PopLog "header 0"
  !insertmacro PopLog "header 1"
  !insertmacro PopLog "header 2"
  !insertmacro PopLog "header 3"
  !insertmacro PopLog "header 4"
  !insertmacro PopLog "header 5"
  !insertmacro PopLog "header 6"
  !insertmacro PopLog "header 7"
  zetdll::loadDicInfo "${WORK}\missing.txt"
  !insertmacro PopLog "loadDicInfo missing"

  ; dicInfo: display name on top, then the version.
  zetdll::dicInfo "${CATALOGUE}" "0110" "1"
  !insertmacro PopLog "dicInfo name"
  !insertmacro PopLog "dicInfo version"

  ; dicFiles: short name, count, then name and time of the last file first.
  zetdll::dicFiles "${CATALOGUE}" "111" " 0"
  !insertmacro PopLog "dicFiles short"
  !insertmacro PopLog "dicFiles count"
  !insertmacro PopLog "dicFiles last name"
  !insertmacro PopLog "dicFiles last time"
  !insertmacro PopLog "dicFiles first name"
  !insertmacro PopLog "dicFiles first time"
  zetdll::dicFiles "${CATALOGUE}" "111" "-1"
  !insertmacro PopLog "dicFiles none, top"
  !insertmacro PopLog "dicFiles none, next"

  ; The catalogue read by one call answers a later call whose file cannot be opened, but only
  ; while the plug-in stays loaded: without /NOUNLOAD NSIS unloads it after each call.
  zetdll::loadDicInfo /NOUNLOAD "${CATALOGUE}"
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  Pop $R0
  zetdll::dicInfo /NOUNLOAD "${WORK}\missing.txt" "1" "0"
  !insertmacro PopLog "kept catalogue, name"
  !insertmacro PopLog "kept catalogue, version"
  zetdll::dicInfo "${WORK}\missing.txt" "1" "0"
  Pop $R0
  Pop $R0
  zetdll::dicInfo "${WORK}\missing.txt" "1" "0"
  !insertmacro PopLog "after unload, top"
  !insertmacro PopLog "after unload, next"

  ; updateDuvEvoCfg always answers "ok"; setFileModificationTime pushes nothing.
  FileOpen $R1 "${WORK}\groups.ini" w
  FileWrite $R1 "g1=a$\r$\n"
  FileClose $R1
  zetdll::updateDuvEvoCfg "${WORK}" "a"
  !insertmacro PopLog "updateDuvEvoCfg"
  ReadINIStr $R2 "${WORK}\duvevo.cfg" ".g1" "Dics"
  FileWrite $log "Dics: $R2$\r$\n"
  zetdll::setFileModificationTime "${WORK}\groups.ini" "1cb1b53 20664580"
  zetdll::giveAllPermissions "*${WORK}"

  !insertmacro PopLog "still at the bottom"
  FileClose $log
SectionEnd
