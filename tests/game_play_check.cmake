# Plays the first mission of the demo campaign headless from a folder of its own, started through the menus,
# with a script that holds fire and sweeps the ship across the screen STEP pixels a frame through the mouse's
# relative motion. The fake clock and the game's generator make the run the same every time. Checks that the
# game ended cleanly, that the session log holds the line EXPECT (the finished mission's "ENM 1 " or the game
# over's "GO 1 ") and that the screenshots at SHOTS (frames) were written.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -DSTEP=<pixels> -DFRAMES=<n> -DEXPECT=<text> -DSHOTS=<a,b>
#       -P game_play_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program)
file(CREATE_LINK ${DIST}/RESOURCE ${WORK}/RESOURCE SYMBOLIC)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so DESTINATION ${WORK}/program)

include(${CMAKE_CURRENT_LIST_DIR}/first_mission_steps.cmake)
set(lines "${FIRST_MISSION_STEPS}")
# Fire from frame 430 on; from frame 450 sweeps of 600 pixels, starting to the right.
string(APPEND lines "430 key down VK_SPACE\n")
math(EXPR sweep "600 / ${STEP}")
set(frame 450)
set(delta ${STEP})
while(frame LESS FRAMES)
  foreach(i RANGE 1 ${sweep})
    string(APPEND lines "${frame} mouse motion ${delta} 0\n")
    math(EXPR frame "${frame} + 1")
  endforeach()
  math(EXPR delta "0 - ${delta}")
endwhile()
file(WRITE ${WORK}/play.script "${lines}")

string(REPLACE "," ";" shot_list "${SHOTS}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=${FRAMES} VEL_SCRIPT=${WORK}/play.script
          VEL_SHOTS=${WORK}/shots VEL_SHOT_AT=${SHOTS} VEL_SOUNDFONT=
          VEL_INSTANCE_DIR=${WORK} VEL_REGISTRY_FILE=${WORK}/registry.reg ${WORK}/program/Velmorine
  WORKING_DIRECTORY ${WORK}
  OUTPUT_QUIET ERROR_QUIET
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the game ended with ${result}")
endif()
foreach(shot ${shot_list})
  if(NOT EXISTS ${WORK}/shots/shot-${shot}.png)
    message(FATAL_ERROR "no screenshot at frame ${shot}")
  endif()
endforeach()
file(READ ${WORK}/Exception.log log)
if(NOT log MATCHES "END SESSION" OR log MATCHES "throw exception")
  message(FATAL_ERROR "the run did not end cleanly:\n${log}")
endif()
string(FIND "${log}" "\n${EXPECT}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "the mission did not end with \"${EXPECT}\":\n${log}")
endif()
