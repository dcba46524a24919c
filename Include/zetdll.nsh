; zetdll.nsh: the zetdll plug-in's exports as macros that take their results into named
; variables, so that no script counts pops. Every macro leaves the installer's stack as it found
; it (also when the catalogue cannot be read) and works in every NSIS target (x86-ansi,
; x86-unicode, amd64-unicode). Use them inside a Section or a Function:
;
;   !include "zetdll.nsh"
;   ${zetdll::ForEachDictionary} "$PLUGINSDIR\catalogue.txt" "0110" $0 $1 $2 $3
;     DetailPrint "dictionary $0: $1, $2, version $3"
;   ${Next}
;
; The loops are LogicLib loops: ${Next} ends them, ${Break} and ${Continue} work in them. The
; plug-in is called without /NOUNLOAD, so every call reads its catalogue anew and a catalogue
; that cannot be read answers "failed" or "no dictionary", never what an earlier call read.
; Variables named _zetdll_* belong to these macros.
;
; ${zetdll::ForEachFile} and ${zetdll::ForEachDictionary} pop each answer whole before the block
; runs, so the block finds the stack as it was before the loop. ${zetdll::InstallDictionary}
; first looks for every file in SOURCE: a missing one (or a name that is no plain file name
; there) stops the dictionary before any file is copied. RESULT is "failed" then, when a copy
; fails and when there is no dictionary at INDEX; each file that did not arrive gets a detail
; line that names it and says why.

!ifndef ZETDLL_NSH_INCLUDED
!define ZETDLL_NSH_INCLUDED
!verbose push
!verbose 3
!include LogicLib.nsh

; The macros' own variables, declared by the first macro used (none when no macro is used).
!macro _zetdll_Vars
  !ifndef _ZETDLL_VARS
    !define _ZETDLL_VARS
    Var /GLOBAL _zetdll_count
    Var /GLOBAL _zetdll_drop
    Var /GLOBAL _zetdll_junk
    Var /GLOBAL _zetdll_more
    Var /GLOBAL _zetdll_name
    Var /GLOBAL _zetdll_time
    Var /GLOBAL _zetdll_found
    Var /GLOBAL _zetdll_find
    Var /GLOBAL _zetdll_result
  !endif
!macroend

; Pops PAIRS pairs of values (a file's name and time text each) and keeps none. No LogicLib
; loop here: the loops' steps use it, and LogicLib would insert a step into every loop it opens.
!macro _zetdll_DropPairs PAIRS
  IntOp $_zetdll_drop ${PAIRS} * 2
  IntCmp $_zetdll_drop 0 +4 +4 0
  Pop $_zetdll_junk
  IntOp $_zetdll_drop $_zetdll_drop - 1
  Goto -3
!macroend

; Pops loadDicInfo's answer: RESULT "ok" and F0..F7 header fields 0..7, or "failed" and F0..F7 "".
!define zetdll::LoadDicInfo `!insertmacro zetdll::LoadDicInfo`
!macro zetdll::LoadDicInfo CATALOGUE RESULT F0 F1 F2 F3 F4 F5 F6 F7
  zetdll::loadDicInfo `${CATALOGUE}`
  Pop ${RESULT}
  ${If} ${RESULT} S== ok
    Pop ${F0}
    Pop ${F1}
    Pop ${F2}
    Pop ${F3}
    Pop ${F4}
    Pop ${F5}
    Pop ${F6}
    Pop ${F7}
  ${Else}
    StrCpy ${F0} ""
    StrCpy ${F1} ""
    StrCpy ${F2} ""
    StrCpy ${F3} ""
    StrCpy ${F4} ""
    StrCpy ${F5} ""
    StrCpy ${F6} ""
    StrCpy ${F7} ""
  ${EndIf}
!macroend

; Pops dicInfo's answer: the INDEX-th selected dictionary's DISPLAY name and VERSION, or "" and 0.
!define zetdll::DicInfo `!insertmacro zetdll::DicInfo`
!macro zetdll::DicInfo CATALOGUE MASK INDEX DISPLAY VERSION
  zetdll::dicInfo `${CATALOGUE}` `${MASK}` `${INDEX}`
  Pop ${DISPLAY}
  Pop ${VERSION}
!macroend

; Pops dicFiles' whole answer: SHORT name and file COUNT of that dictionary, or "" and 0.
!define zetdll::DicFiles `!insertmacro zetdll::DicFiles`
!macro zetdll::DicFiles CATALOGUE MASK INDEX SHORT COUNT
  !insertmacro _zetdll_Vars
  zetdll::dicFiles `${CATALOGUE}` `${MASK}` `${INDEX}`
  Pop ${SHORT}
  Pop $_zetdll_count
  !insertmacro _zetdll_DropPairs $_zetdll_count
  StrCpy ${COUNT} $_zetdll_count
!macroend

; Pops updateDuvEvoCfg's answer into RESULT, always "ok"; NAME is a dictionary or a "/"-led list.
!define zetdll::UpdateDuvEvoCfg `!insertmacro zetdll::UpdateDuvEvoCfg`
!macro zetdll::UpdateDuvEvoCfg FOLDER NAME RESULT
  zetdll::updateDuvEvoCfg `${FOLDER}` `${NAME}`
  Pop ${RESULT}
!macroend

; Loop to ${Next}: per file of the INDEX-th selected dictionary, in order, sets NAME and TIME.
!define zetdll::ForEachFile `!insertmacro zetdll::ForEachFile`
!macro zetdll::ForEachFile CATALOGUE MASK INDEX NAME TIME
  !insertmacro _zetdll_Vars
  !define /redef _zetdll_id _zetdll_file${__COUNTER__}
  Var /GLOBAL ${_zetdll_id}
  !define ${_zetdll_id}_catalogue `${CATALOGUE}`
  !define ${_zetdll_id}_mask `${MASK}`
  !define ${_zetdll_id}_index `${INDEX}`
  !define ${_zetdll_id}_name `${NAME}`
  !define ${_zetdll_id}_time `${TIME}`
  StrCpy $${_zetdll_id} -1
  !define _DoLoopExpression `!insertmacro _zetdll_FileStep ${_zetdll_id}`
  !insertmacro _Do For false $_zetdll_more S== 0
!macroend

; One step of ${zetdll::ForEachFile}: asks again for the whole list and keeps its next file.
; dicFiles pushes the files first to last, so the last pops first.
!macro _zetdll_FileStep ID
  IntOp $${ID} $${ID} + 1
  zetdll::dicFiles `${${ID}_catalogue}` `${${ID}_mask}` `${${ID}_index}`
  Pop $_zetdll_junk
  Pop $_zetdll_count
  ${If} $${ID} < $_zetdll_count
    IntOp $_zetdll_count $_zetdll_count - $${ID}
    IntOp $_zetdll_count $_zetdll_count - 1
    !insertmacro _zetdll_DropPairs $_zetdll_count
    Pop ${${ID}_name}
    Pop ${${ID}_time}
    !insertmacro _zetdll_DropPairs $${ID}
    StrCpy $_zetdll_more 1
  ${Else}
    !insertmacro _zetdll_DropPairs $_zetdll_count
    StrCpy $_zetdll_more 0
  ${EndIf}
!macroend

; Loop to ${Next}: per selected dictionary sets INDEX, SHORT, DISPLAY, VERSION; ends at count 0.
!define zetdll::ForEachDictionary `!insertmacro zetdll::ForEachDictionary`
!macro zetdll::ForEachDictionary CATALOGUE MASK INDEX SHORT DISPLAY VERSION
  !insertmacro _zetdll_Vars
  !define /redef _zetdll_id _zetdll_dic${__COUNTER__}
  !define ${_zetdll_id}_catalogue `${CATALOGUE}`
  !define ${_zetdll_id}_mask `${MASK}`
  !define ${_zetdll_id}_index `${INDEX}`
  !define ${_zetdll_id}_short `${SHORT}`
  !define ${_zetdll_id}_display `${DISPLAY}`
  !define ${_zetdll_id}_version `${VERSION}`
  StrCpy ${INDEX} -1
  !define _DoLoopExpression `!insertmacro _zetdll_DictionaryStep ${_zetdll_id}`
  !insertmacro _Do For false $_zetdll_more S== 0
!macroend

; One step of ${zetdll::ForEachDictionary}: the next index's short name, then its display name
; and version.
!macro _zetdll_DictionaryStep ID
  IntOp ${${ID}_index} ${${ID}_index} + 1
  ${zetdll::DicFiles} `${${ID}_catalogue}` `${${ID}_mask}` ${${ID}_index} ${${ID}_short} \
    $_zetdll_more
  ${If} $_zetdll_more S!= 0
    ${zetdll::DicInfo} `${${ID}_catalogue}` `${${ID}_mask}` ${${ID}_index} ${${ID}_display} \
      ${${ID}_version}
  ${Else}
    StrCpy ${${ID}_display} ""
    StrCpy ${${ID}_version} 0
  ${EndIf}
!macroend

; Copies that dictionary's files SOURCE to TARGET with their times; RESULT "ok" if all arrived.
!define zetdll::InstallDictionary `!insertmacro zetdll::InstallDictionary`
!macro zetdll::InstallDictionary CATALOGUE MASK INDEX SOURCE TARGET RESULT
  !insertmacro _zetdll_Vars
  StrCpy $_zetdll_result failed
  ${zetdll::ForEachFile} `${CATALOGUE}` `${MASK}` `${INDEX}` $_zetdll_name $_zetdll_time
    ${If} $_zetdll_result S== failed
      StrCpy $_zetdll_result ok
    ${EndIf}
    StrCpy $_zetdll_found ""
    ${If} $_zetdll_name != ""
      FindFirst $_zetdll_find $_zetdll_found `${SOURCE}\$_zetdll_name`
      ${If} $_zetdll_find != ""
        FindClose $_zetdll_find
      ${EndIf}
    ${EndIf}
    ${If} $_zetdll_found != $_zetdll_name
    ${OrIf} $_zetdll_name == ""
    ${OrIf} ${FileExists} `${SOURCE}\$_zetdll_name\*.*`
      DetailPrint `"$_zetdll_name" is not a file in ${SOURCE}`
      StrCpy $_zetdll_result missing
    ${EndIf}
  ${Next}
  ${If} $_zetdll_result S== ok
    ${zetdll::ForEachFile} `${CATALOGUE}` `${MASK}` `${INDEX}` $_zetdll_name $_zetdll_time
      ClearErrors
      CopyFiles /SILENT /FILESONLY `${SOURCE}\$_zetdll_name` `${TARGET}\$_zetdll_name`
      ${If} ${Errors}
      ${OrIfNot} ${FileExists} `${TARGET}\$_zetdll_name`
        DetailPrint `"$_zetdll_name" could not be copied to ${TARGET}`
        StrCpy $_zetdll_result failed
      ${Else}
        zetdll::setFileModificationTime `${TARGET}\$_zetdll_name` $_zetdll_time
      ${EndIf}
    ${Next}
  ${EndIf}
  ${If} $_zetdll_result S== missing
    StrCpy $_zetdll_result failed
  ${EndIf}
  StrCpy ${RESULT} $_zetdll_result
!macroend

!verbose pop
!endif
