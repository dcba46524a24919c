; Checks the macros an installer that runs again, and its uninstaller, use: the removal, the
; updates that may run again, the instdics.dat lines and the Components sections. They run in an
; uninstaller written and started by this installer (its sections and its .onInit function), so
; that a macro that works only in an installer shows. Writes one line per check to ${RESULT};
; the test compares it with uninstall.expected. Built as macros.nsi is.

Target ${TARGET}
RequestExecutionLevel user
SilentInstall silent
!addplugindir /${TARGET} "${PLUGINS}"
!addincludedir "${INCLUDE}"
!include "zetdll.nsh"
OutFile "${OUTFILE}"
Name "zetdll uninstaller checks"
!define SRC "${WORK}\src"
!define INSTALLED "${WORK}\instdics.dat"

Var log
Var line

!macro Log text
  FileWrite $log "${text}$\r$\n"
!macroend

; Writes FILE's lines on one log line, each in [], followed by "+" for CR LF and "-" for none.
!macro LogLines label file
  StrCpy $R0 ""
  FileOpen $R1 "${file}" r
  ${Do}
    ClearErrors
    FileRead $R1 $line
    ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
    StrCpy $R2 $line 2 -2
    ${If} $R2 == "$\r$\n"
      StrCpy $line $line -2
      StrCpy $R0 "$R0[$line]+"
    ${Else}
      StrCpy $R0 "$R0[$line]-"
    ${EndIf}
  ${Loop}
  FileClose $R1
  !insertmacro Log "${label}: $R0"
!macroend

; How many lines of FILE are TEXT.
!macro CountLines file text out
  StrCpy ${out} 0
  FileOpen $R1 "${file}" r
  ${Do}
    ClearErrors
    FileRead $R1 $line
    ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
    ${IfThen} $line == "${text}$\r$\n" ${|} IntOp ${out} ${out} + 1 ${|}
  ${Loop}
  FileClose $R1
!macroend

!macro WriteFile file text
  FileOpen $R1 "${file}" w
  FileWrite $R1 "${text}"
  FileClose $R1
!macroend

; The installer: the sources the sections are sized from, then the uninstaller, run in place.
Section
  CreateDirectory "${SRC}"
  !insertmacro WriteFile "${SRC}\x" "x"
  FileOpen $R1 "${SRC}\y" w
  FileSeek $R1 1999
  FileWrite $R1 "y"
  FileClose $R1
  WriteUninstaller "${WORK}\uninstall.exe"
  ExecWait `"${WORK}\uninstall.exe" /S _?=${WORK}`
SectionEnd

; The dictionary sections of positions 0 to 3; the catalogue has none at 3.
Section /o "un.position 0" position0
SectionEnd
Section /o "un.position 1" position1
SectionEnd
Section /o "un.position 2" position2
SectionEnd
Section /o "un.position 3" position3
SectionEnd

Function un.onInit
  FileOpen $log "${RESULT}" w
  ${zetdll::NameSections} "${CATALOGUE}" "1010" ${position0} 3 "${SRC}"
  ${For} $R3 ${position0} ${position3}
    SectionGetText $R3 $R4
    SectionGetSize $R3 $R5
    !insertmacro Log "NameSections: [$R4] $R5 KB"
  ${Next}
  ${zetdll::SectionsMask} ${position0} 3 $R4
  !insertmacro Log "SectionsMask: $R4"
FunctionEnd

Section "-un.checks"
  Push "bottom"
  ; instdics.dat: the lines it holds stay, an entry goes in once, and a last line without its
  ; line end gets one before anything follows it.
  !insertmacro WriteFile "${INSTALLED}" "*own$\r$\nnot an entry$\r$\n*ab"
  ${zetdll::AddInstalled} "${WORK}" "cd" $0
  !insertmacro LogLines "AddInstalled cd: $0" "${INSTALLED}"
  ${zetdll::AddInstalled} "${WORK}" "cd" $0
  ${zetdll::AddInstalled} "${WORK}" "own" $0
  !insertmacro LogLines "AddInstalled cd, own again: $0" "${INSTALLED}"
  !insertmacro WriteFile "${INSTALLED}" "*own$\r$\n*ab"
  ${zetdll::AddInstalled} "${WORK}" "ab" $0
  !insertmacro LogLines "AddInstalled ab after *ab without its line end: $0" "${INSTALLED}"
  ${zetdll::RemoveInstalled} "${WORK}" "own" $0
  !insertmacro LogLines "RemoveInstalled own: $0" "${INSTALLED}"
  ${zetdll::RemoveInstalled} "${WORK}" "Ab" $0
  !insertmacro LogLines "RemoveInstalled Ab (letter case counts): $0" "${INSTALLED}"
  Delete "${INSTALLED}"
  ${zetdll::AddInstalled} "${WORK}" "ab" $0
  !insertmacro LogLines "AddInstalled into no file: $0" "${INSTALLED}"

  ; duvevo.cfg: the updates that may run again enter everything once, and the removal takes it
  ; all out again.
  !insertmacro WriteFile "${WORK}\groups.ini" "g1=ab$\r$\n"
  !insertmacro WriteFile "${WORK}\x.cfg" "[.gx]$\r$\nen=X$\r$\ndics=ab$\r$\n"
  !insertmacro WriteFile "${WORK}\duvevo.cfg" "[own]$\r$\nkey=value$\r$\n"
  ${zetdll::UpdateDuvEvoCfgOnce} "${WORK}" "ab" $0
  ${zetdll::UpdateDuvEvoCfgOnce} "${WORK}" "ab" $1
  ${zetdll::UpdateDuvEvoCfgOnce} "${WORK}" "/x.cfg/" $2
  ${zetdll::UpdateDuvEvoCfgOnce} "${WORK}" "/x.cfg/" $3
  ReadINIStr $4 "${WORK}\duvevo.cfg" ".g1" "Dics"
  !insertmacro CountLines "${WORK}\duvevo.cfg" "[.gx]" $5
  !insertmacro Log "UpdateDuvEvoCfgOnce twice each: $0 $1 $2 $3, Dics=$4, [.gx] $5 times"
  ${zetdll::RemoveFromDuvEvoCfg} "${WORK}" "/x.cfg/missing.cfg/" $0
  ${zetdll::RemoveFromDuvEvoCfg} "${WORK}" "ab" $1
  ${zetdll::RemoveFromDuvEvoCfg} "${WORK}" "/x.cfg/" $2
  !insertmacro LogLines "RemoveFromDuvEvoCfg: $0 $1 $2" "${WORK}\duvevo.cfg"

  Pop $R9
  !insertmacro Log "still at the bottom: $R9"
  FileClose $log
SectionEnd
