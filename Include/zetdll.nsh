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

; The macros' own variables, each declared by the first macro that uses it (none when no
; macro is used), so that a script is not warned of variables it never uses.
!macro _zetdll_Var NAME
  !ifndef _ZETDLL_VAR_${NAME}
    !define _ZETDLL_VAR_${NAME}
    Var /GLOBAL _zetdll_${NAME}
  !endif
!macroend
!macro _zetdll_Vars
  !insertmacro _zetdll_Var count
  !insertmacro _zetdll_Var drop
  !insertmacro _zetdll_Var junk
  !insertmacro _zetdll_Var more
!macroend
!macro _zetdll_FileVars
  !insertmacro _zetdll_Var name
  !insertmacro _zetdll_Var time
!macroend
!macro _zetdll_InstalledVars
  !insertmacro _zetdll_Var result
  !insertmacro _zetdll_Var in
  !insertmacro _zetdll_Var out
  !insertmacro _zetdll_Var line
  !insertmacro _zetdll_Var line2
  !insertmacro _zetdll_Var fresh
  !insertmacro _zetdll_Var hit
  !insertmacro _zetdll_Var end
  !insertmacro _zetdll_Var temp
!macroend
!macro _zetdll_SectionVars
  !insertmacro _zetdll_Var p
  !insertmacro _zetdll_Var i
  !insertmacro _zetdll_Var flags
  !insertmacro _zetdll_Var text
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

; Pops removeFromDuvEvoCfg's answer into RESULT: "ok" when nothing of NAME (a dictionary, or the
; group sections of a "/"-led list's files and [.other_dics]) is left in FOLDER's duvevo.cfg,
; "failed" when duvevo.cfg could not be written or a listed file could not be read.
!define zetdll::RemoveFromDuvEvoCfg `!insertmacro zetdll::RemoveFromDuvEvoCfg`
!macro zetdll::RemoveFromDuvEvoCfg FOLDER NAME RESULT
  zetdll::removeFromDuvEvoCfg `${FOLDER}` `${NAME}`
  Pop ${RESULT}
!macroend

; ${zetdll::UpdateDuvEvoCfg} that may run again: takes NAME out first, then enters it, so that a
; repeated install (a repair, a second run for more dictionaries) enters nothing twice. RESULT is
; the removal's answer; after "failed" nothing is entered, since it would be entered twice.
!define zetdll::UpdateDuvEvoCfgOnce `!insertmacro zetdll::UpdateDuvEvoCfgOnce`
!macro zetdll::UpdateDuvEvoCfgOnce FOLDER NAME RESULT
  zetdll::removeFromDuvEvoCfg `${FOLDER}` `${NAME}`
  Pop ${RESULT}
  ${If} ${RESULT} S== ok
    zetdll::updateDuvEvoCfg `${FOLDER}` `${NAME}`
    Pop ${RESULT}
  ${EndIf}
!macroend

; Looks for the entry "*NAME" (a line of its own, with its line end) in FOLDER\instdics.dat:
; $_zetdll_hit 1 when there is one, else 0. $_zetdll_end tells how the file ends: "last" in
; "*NAME" without a line end (a line end added makes it the entry), "open" in another line
; without one, else "". With COPY 1, every other line goes to $_zetdll_out as it stands. A line
; longer than NSIS's strings is read in pieces: only a piece that starts a line can be the entry.
!macro _zetdll_FindInstalled FOLDER NAME COPY
  StrCpy $_zetdll_hit 0
  StrCpy $_zetdll_end ""
  StrCpy $_zetdll_fresh 1
  ClearErrors
  FileOpen $_zetdll_in `${FOLDER}\instdics.dat` r
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      FileRead $_zetdll_in $_zetdll_line
      ${If} ${Errors}
        ${ExitDo}
      ${EndIf}
      ${If} $_zetdll_fresh == 1
      ${AndIf} $_zetdll_line S== `*${NAME}$\r$\n`
        StrCpy $_zetdll_hit 1
      ${ElseIf} $_zetdll_fresh == 1
      ${AndIf} $_zetdll_line S== `*${NAME}$\n`
        StrCpy $_zetdll_hit 1
      ${ElseIf} ${COPY} == 1
        FileWrite $_zetdll_out $_zetdll_line
      ${EndIf}
      StrCpy $_zetdll_end ""
      StrCpy $_zetdll_line2 $_zetdll_line 1 -1
      ${If} $_zetdll_line2 != "$\n"
      ${AndIf} $_zetdll_line2 != "$\r"
        StrCpy $_zetdll_end open
        ${If} $_zetdll_fresh == 1
        ${AndIf} $_zetdll_line S== `*${NAME}`
          StrCpy $_zetdll_end last
        ${EndIf}
        StrCpy $_zetdll_fresh 0
      ${Else}
        StrCpy $_zetdll_fresh 1
      ${EndIf}
    ${Loop}
    FileClose $_zetdll_in
  ${EndIf}
!macroend

; Enters "*NAME" into FOLDER\instdics.dat (made when missing) unless it is there already, after
; every line it holds: RESULT "ok", or "failed" when the file could not be written.
!define zetdll::AddInstalled `!insertmacro zetdll::AddInstalled`
!macro zetdll::AddInstalled FOLDER NAME RESULT
  !insertmacro _zetdll_InstalledVars
  !insertmacro _zetdll_FindInstalled `${FOLDER}` `${NAME}` 0
  StrCpy $_zetdll_result ok
  ${If} $_zetdll_hit != 1
    ClearErrors
    FileOpen $_zetdll_out `${FOLDER}\instdics.dat` a
    ${If} ${Errors}
      StrCpy $_zetdll_result failed
    ${Else}
      FileSeek $_zetdll_out 0 END
      ${If} $_zetdll_end != ""
        FileWrite $_zetdll_out "$\r$\n"
      ${EndIf}
      ${If} $_zetdll_end != last
        FileWrite $_zetdll_out `*${NAME}$\r$\n`
      ${EndIf}
      FileClose $_zetdll_out
    ${EndIf}
  ${EndIf}
  StrCpy ${RESULT} $_zetdll_result
!macroend

; Takes every "*NAME" entry out of FOLDER\instdics.dat and keeps every other line as it stands:
; RESULT "ok" (also when there is none), or "failed" when the file could not be rewritten.
!define zetdll::RemoveInstalled `!insertmacro zetdll::RemoveInstalled`
!macro zetdll::RemoveInstalled FOLDER NAME RESULT
  !insertmacro _zetdll_InstalledVars
  StrCpy $_zetdll_result ok
  !insertmacro _zetdll_FindInstalled `${FOLDER}` `${NAME}` 0
  ${If} $_zetdll_hit == 1
    StrCpy $_zetdll_result failed
    GetTempFileName $_zetdll_temp `${FOLDER}`
    ClearErrors
    FileOpen $_zetdll_out $_zetdll_temp w
    ${IfNot} ${Errors}
      !insertmacro _zetdll_FindInstalled `${FOLDER}` `${NAME}` 1
      FileClose $_zetdll_out
      ClearErrors
      Delete `${FOLDER}\instdics.dat`
      Rename $_zetdll_temp `${FOLDER}\instdics.dat`
      ${IfNot} ${Errors}
        StrCpy $_zetdll_result ok
      ${EndIf}
    ${EndIf}
    Delete $_zetdll_temp
  ${EndIf}
  StrCpy ${RESULT} $_zetdll_result
!macroend

; Names the Components page's dictionary sections from the catalogue: section FIRST + p (one
; per catalogue position p from 0 to LAST, declared in order by the script) is named after the
; dictionaries at position p ("A + B" when two share it) and hidden when there is none; it is
; selected when MASK has "1" at p, and sized from the files in SOURCE (none when SOURCE is "").
!define zetdll::NameSections `!insertmacro zetdll::NameSections`
!macro zetdll::NameSections CATALOGUE MASK FIRST LAST SOURCE
  !insertmacro _zetdll_Vars
  !insertmacro _zetdll_FileVars
  !insertmacro _zetdll_SectionVars
  !insertmacro _zetdll_Var in
  !insertmacro _zetdll_Var one
  !insertmacro _zetdll_Var short
  !insertmacro _zetdll_Var display
  !insertmacro _zetdll_Var version
  !insertmacro _zetdll_Var kb
  StrCpy $_zetdll_one "1"
  ${For} $_zetdll_p 0 ${LAST}
    StrCpy $_zetdll_text ""
    StrCpy $_zetdll_kb 0
    ${zetdll::ForEachDictionary} `${CATALOGUE}` $_zetdll_one $_zetdll_i $_zetdll_short \
        $_zetdll_display $_zetdll_version
      ${If} $_zetdll_display == ""
        StrCpy $_zetdll_display $_zetdll_short
      ${EndIf}
      ${If} $_zetdll_text != ""
        StrCpy $_zetdll_text "$_zetdll_text + "
      ${EndIf}
      StrCpy $_zetdll_text "$_zetdll_text$_zetdll_display"
      ${If} `${SOURCE}` != ""
        ${zetdll::ForEachFile} `${CATALOGUE}` $_zetdll_one $_zetdll_i $_zetdll_name $_zetdll_time
          ClearErrors
          FileOpen $_zetdll_in `${SOURCE}\$_zetdll_name` r
          ${IfNot} ${Errors}
            FileSeek $_zetdll_in 0 END $_zetdll_flags
            FileClose $_zetdll_in
            IntOp $_zetdll_flags $_zetdll_flags + 1023
            IntOp $_zetdll_flags $_zetdll_flags / 1024
            IntOp $_zetdll_kb $_zetdll_kb + $_zetdll_flags
          ${EndIf}
        ${Next}
      ${EndIf}
    ${Next}
    IntOp $_zetdll_i ${FIRST} + $_zetdll_p
    SectionSetText $_zetdll_i $_zetdll_text
    SectionSetSize $_zetdll_i $_zetdll_kb
    SectionGetFlags $_zetdll_i $_zetdll_flags
    IntOp $_zetdll_flags $_zetdll_flags & 0xFFFFFFFE
    StrCpy $_zetdll_short `${MASK}` 1 $_zetdll_p
    ${If} $_zetdll_short == 1
    ${AndIf} $_zetdll_text != ""
      IntOp $_zetdll_flags $_zetdll_flags | 1
    ${EndIf}
    SectionSetFlags $_zetdll_i $_zetdll_flags
    StrCpy $_zetdll_one "0$_zetdll_one"
  ${Next}
!macroend

; The selection mask of the dictionary sections FIRST to FIRST + LAST: "1" for each selected one.
!define zetdll::SectionsMask `!insertmacro zetdll::SectionsMask`
!macro zetdll::SectionsMask FIRST LAST MASK
  !insertmacro _zetdll_SectionVars
  StrCpy $_zetdll_text ""
  ${For} $_zetdll_p 0 ${LAST}
    IntOp $_zetdll_i ${FIRST} + $_zetdll_p
    SectionGetFlags $_zetdll_i $_zetdll_flags
    IntOp $_zetdll_flags $_zetdll_flags & 1
    StrCpy $_zetdll_text "$_zetdll_text$_zetdll_flags"
  ${Next}
  StrCpy ${MASK} $_zetdll_text
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
  !insertmacro _zetdll_FileVars
  !insertmacro _zetdll_Var found
  !insertmacro _zetdll_Var find
  !insertmacro _zetdll_Var result
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
