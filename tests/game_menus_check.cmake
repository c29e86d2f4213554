# Runs the game headless through its menus as a player would (tests/game_menus.script): the player form with a
# slot and a campaign chosen, the options changed, the three help pages, the top list, the about form, play, and
# the quit question answered yes. Checks that it ended cleanly, wrote a screenshot of each form, and that the
# players file and the settings it left are there again, unchanged, after a second run.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -DSCRIPT=<script> -P game_menus_check.cmake
include(${CMAKE_CURRENT_LIST_DIR}/shots_check.cmake)
set(SHOTS 262 299 329 379 455 499 521 539 585 635 704 739 770 835 860 885)
string(REPLACE ";" "," SHOT_AT "${SHOTS}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program)
file(CREATE_LINK ${DIST}/RESOURCE ${WORK}/RESOURCE SYMBOLIC)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so ${DIST}/TollarineArcade DESTINATION ${WORK}/program)

function(run_game frames)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=${frames} ${ARGN} VEL_INSTANCE_DIR=${WORK}
            VEL_REGISTRY_FILE=${WORK}/registry.reg ${WORK}/program/Velmorine
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the game ended with ${result}")
  endif()
  file(READ ${WORK}/Exception.log log)
  if(NOT log MATCHES "END SESSION" OR log MATCHES "throw exception")
    message(FATAL_ERROR "the run did not end cleanly:\n${log}")
  endif()
endfunction()

# A screenshot asked for at frame 1000 is never written when the quit question ended the run.
run_game(1200 VEL_SCRIPT=${SCRIPT} VEL_SHOTS=${WORK}/shots VEL_SHOT_AT=${SHOT_AT},1000)
if(EXISTS ${WORK}/shots/shot-1000.png)
  message(FATAL_ERROR "answering yes to the quit question did not end the game")
endif()
check_shots_differ(${WORK}/shots ${SHOTS})
file(READ ${WORK}/registry.reg settings)
foreach(setting "\"Sound Enable\"=hex:00" "\"Sound Volume\"=hex:50,fb,ff,ff" "\"Music Volume\"=hex:64,00,00,00"
                "\"KeyLeft\"=hex:25,00")
  string(FIND "${settings}" "${setting}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the options did not keep ${setting}:\n${settings}")
  endif()
endforeach()
if(NOT EXISTS ${WORK}/Players.cdf)
  message(FATAL_ERROR "play did not save the players file")
endif()
file(SHA256 ${WORK}/Players.cdf players)

run_game(300)
file(SHA256 ${WORK}/Players.cdf playersAgain)
file(READ ${WORK}/registry.reg settingsAgain)
if(NOT players STREQUAL playersAgain OR NOT settings STREQUAL settingsAgain)
  message(FATAL_ERROR "the second run did not find the players and settings the first one left")
endif()
