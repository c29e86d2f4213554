# Starts the first mission of a demo campaign whose pack was damaged after the campaign list had read it, so that
# entering the campaign ends the game with an engine exception, and checks the way out: the exit code -1, the
# engine's line in the session log, what the player was shown, and (in the sanitizer build, leak checks on) no
# sanitizer report: what the display owns, the campaign pictures among it, is freed before the display.
# WAY "message": the layer resource is damaged, an exception with a player text: the "Velmorine Exception" box.
# WAY "report": the whole pack body is damaged, the first picture read fails with the report flag: the crash
# dialog.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -DWAY=<message|report> -P game_exit_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program ${WORK}/RESOURCE)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so ${DIST}/TollarineArcade DESTINATION ${WORK}/program)
file(COPY ${DIST}/RESOURCE/InterfaceR.idf ${DIST}/RESOURCE/Demo.tdf ${DIST}/RESOURCE/Demo.dsc
          ${DIST}/RESOURCE/Demo.bmp DESTINATION ${WORK}/RESOURCE)
file(CREATE_LINK ${DIST}/RESOURCE/MUSIC ${WORK}/RESOURCE/MUSIC SYMBOLIC)

# The pack's first word is the offset of its name table; the layer resource comes first after that word. The
# name table stays whole, so the campaign is listed (with its picture) and fails only when it is entered.
set(pack ${WORK}/RESOURCE/Demo.tdf)
if(WAY STREQUAL "message")
  string(ASCII 255 255 255 255 255 255 255 255 damage)
  file(WRITE ${WORK}/damage.bin "${damage}")
  set(expect_log "The layer resource is damaged")
  set(expect_shown "MessageBox \"Velmorine Exception\"")
elseif(WAY STREQUAL "report")
  file(READ ${pack} first LIMIT 4 HEX)
  string(REGEX REPLACE "^(..)(..)(..)(..)$" "\\4\\3\\2\\1" tableAt "${first}")
  math(EXPR bodySize "0x${tableAt} - 4")
  execute_process(COMMAND dd if=/dev/zero of=${WORK}/damage.bin bs=${bodySize} count=1 status=none)
  set(expect_log "GP_GraphServer throw exception")
  set(expect_shown "Dialog   1000 edit box \"Internal runtime error\"")
else()
  message(FATAL_ERROR "WAY is message or report, not \"${WAY}\"")
endif()
execute_process(COMMAND dd if=${WORK}/damage.bin of=${pack} bs=1 seek=4 conv=notrunc status=none
                RESULT_VARIABLE damaged)
if(NOT damaged EQUAL 0)
  message(FATAL_ERROR "the pack could not be damaged")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/game_mission_script.cmake)
mission_start_lines(lines)
file(WRITE ${WORK}/play.script "${lines}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=600 VEL_SCRIPT=${WORK}/play.script VEL_SOUNDFONT=
          VEL_INSTANCE_DIR=${WORK} VEL_REGISTRY_FILE=${WORK}/registry.reg ${WORK}/program/Velmorine
  WORKING_DIRECTORY ${WORK}
  OUTPUT_QUIET
  ERROR_VARIABLE shown
  RESULT_VARIABLE result)
if(shown MATCHES "Sanitizer|runtime error:")
  message(FATAL_ERROR "the run ended with a sanitizer report:\n${shown}")
endif()
if(NOT result EQUAL 255)
  message(FATAL_ERROR "the run ended with ${result}, not -1:\n${shown}")
endif()
file(READ ${WORK}/Exception.log log)
if(NOT log MATCHES "${expect_log}" OR NOT log MATCHES "END SESSION")
  message(FATAL_ERROR "the run did not end with the engine exception it should:\n${log}")
endif()
string(FIND "${shown}" "${expect_shown}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the player was not shown ${expect_shown}:\n${shown}")
endif()
