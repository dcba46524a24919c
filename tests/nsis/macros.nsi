; Checks every macro of Include/zetdll.nsh through a real NSIS installer: the values each takes
; into its variables, and that each leaves the stack as it found it (a sentinel pushed before it
; must come back, also inside the loops' blocks and when the catalogue cannot be read). Writes one
; line per check to ${RESULT}; the test compares it with macros.expected. Built as exports.nsi
; is, with -DINCLUDE (the folder of zetdll.nsh) on top.

Target ${TARGET}
RequestExecutionLevel user
SilentInstall silent
!addplugindir /${TARGET} "${PLUGINS}"
!addincludedir "${INCLUDE}"
!include "zetdll.nsh"
OutFile "${OUTFILE}"
Name "zetdll macro checks"
!define MISSING "${WORK}\missing.txt"
!define SRC "${WORK}\src"
!define DST "${WORK}\dst"

Var log
Var short
Var display
Var version
Var name
Var time
Var index

!macro Log text
  FileWrite $log "${text}$\r$\n"
!macroend

; Before a macro: a sentinel on the stack. After it: the sentinel must be on top.
!macro Stacked
  Push "sentinel"
!macroend
!macro Unstacked label
  Pop $R9
  ${If} $R9 S!= "sentinel"
    !insertmacro Log "${label}: the stack changed, its top is [$R9]"
  ${EndIf}
!macroend
; One macro call between the two.
!macro Around label call
  !insertmacro Stacked
  ${call}
  !insertmacro Unstacked "${label}"
!macroend
; Inside a loop's block the stack is as it was before the loop.
!macro SentinelOnTop label
  Exch $R9
  ${If} $R9 S!= "sentinel"
    !insertmacro Log "${label}: the block sees [$R9] on top"
  ${EndIf}
  Exch $R9
!macroend

Section
  FileOpen $log "${RESULT}" w
  Push "bottom"

  !insertmacro Around "LoadDicInfo" \
    `${zetdll::LoadDicInfo} "${CATALOGUE}" $0 $1 $2 $3 $4 $5 $6 $7 $8`
  !insertmacro Log "LoadDicInfo: $0 [$1] [$2] [$3] [$4] [$5] [$6] [$7] [$8]"
  !insertmacro Around "LoadDicInfo missing" \
    `${zetdll::LoadDicInfo} "${MISSING}" $0 $1 $2 $3 $4 $5 $6 $7 $8`
  !insertmacro Log "LoadDicInfo missing: $0 [$1] [$8]"

  !insertmacro Around "DicInfo" `${zetdll::DicInfo} "${CATALOGUE}" "0110" 1 $display $version`
  !insertmacro Log "DicInfo: [$display] [$version]"
  !insertmacro Around "DicInfo missing" `${zetdll::DicInfo} "${MISSING}" "111" 0 $display $version`
  !insertmacro Log "DicInfo missing: [$display] [$version]"

  !insertmacro Around "DicFiles" `${zetdll::DicFiles} "${CATALOGUE}" "111" 0 $short $0`
  !insertmacro Log "DicFiles: [$short] [$0]"
  !insertmacro Around "DicFiles none" `${zetdll::DicFiles} "${CATALOGUE}" "111" 3 $short $0`
  !insertmacro Log "DicFiles none: [$short] [$0]"

  !insertmacro Stacked
  ${zetdll::ForEachFile} "${CATALOGUE}" "111" 0 $name $time
    !insertmacro SentinelOnTop "ForEachFile"
    !insertmacro Log "ForEachFile: $name $time"
  ${Next}
  !insertmacro Unstacked "ForEachFile"
  !insertmacro Stacked
  ${zetdll::ForEachFile} "${CATALOGUE}" "111" 0 $name $time
    !insertmacro Log "ForEachFile, Break: $name"
    ${Break}
  ${Next}
  !insertmacro Unstacked "ForEachFile, Break"
  !insertmacro Stacked
  ${zetdll::ForEachFile} "${MISSING}" "111" 0 $name $time
    !insertmacro Log "ForEachFile missing: $name"
  ${Next}
  !insertmacro Unstacked "ForEachFile missing"

  ; The walk, with a file loop nested in it and a Continue.
  !insertmacro Stacked
  ${zetdll::ForEachDictionary} "${CATALOGUE}" "111" $index $short $display $version
    !insertmacro SentinelOnTop "ForEachDictionary"
    !insertmacro Log "ForEachDictionary: $index [$short] [$display] [$version]"
    ${If} $short == "cd"
      ${Continue}
    ${EndIf}
    ${zetdll::ForEachFile} "${CATALOGUE}" "111" $index $name $time
      !insertmacro SentinelOnTop "ForEachFile nested"
      !insertmacro Log "  file $name"
    ${Next}
  ${Next}
  !insertmacro Unstacked "ForEachDictionary"
  !insertmacro Log "ForEachDictionary ends at: $index [$short] [$display] [$version]"
  !insertmacro Stacked
  ${zetdll::ForEachDictionary} "${MISSING}" "111" $index $short $display $version
    !insertmacro Log "ForEachDictionary missing: $index"
  ${Next}
  !insertmacro Unstacked "ForEachDictionary missing"

  FileOpen $R1 "${WORK}\groups.ini" w
  FileWrite $R1 "g1=ab$\r$\n"
  FileClose $R1
  !insertmacro Around "UpdateDuvEvoCfg" `${zetdll::UpdateDuvEvoCfg} "${WORK}" "ab" $0`
  ReadINIStr $1 "${WORK}\duvevo.cfg" ".g1" "Dics"
  !insertmacro Log "UpdateDuvEvoCfg: $0, Dics=$1"

  ; Sources for ab (x and y); none for ef (w).
  CreateDirectory "${SRC}"
  CreateDirectory "${DST}"
  FileOpen $R1 "${SRC}\x" w
  FileClose $R1
  FileOpen $R1 "${SRC}\y" w
  FileClose $R1
  !insertmacro Around "InstallDictionary" \
    `${zetdll::InstallDictionary} "${CATALOGUE}" "111" 0 "${SRC}" "${DST}" $0`
  GetFileTime "${DST}\x" $1 $2
  GetFileTime "${DST}\y" $3 $4
  IntFmt $1 "%x" $1
  IntFmt $2 "%x" $2
  IntFmt $3 "%x" $3
  IntFmt $4 "%x" $4
  !insertmacro Log "InstallDictionary: $0, x at $1 $2, y at $3 $4"
  !insertmacro Around "Install, missing file" \
    `${zetdll::InstallDictionary} "${CATALOGUE}" "111" 2 "${SRC}" "${DST}" $0`
  ${If} ${FileExists} "${DST}\w"
    StrCpy $1 "copied"
  ${Else}
    StrCpy $1 "not copied"
  ${EndIf}
  !insertmacro Log "InstallDictionary missing file: $0, w $1"
  !insertmacro Around "Install, no catalogue" \
    `${zetdll::InstallDictionary} "${MISSING}" "111" 0 "${SRC}" "${DST}" $0`
  !insertmacro Log "InstallDictionary missing catalogue: $0"

  Pop $R9
  !insertmacro Log "still at the bottom: $R9"
  FileClose $log
SectionEnd
