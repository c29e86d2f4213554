# Runs the game headless into the menu library's arcade and back (tests/game_arcade.script): the main menu, the
# library's front page, its game list, a game information page and the main menu again, each a screenshot. Checks
# that the run ended cleanly and that each screen differs from the one before.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -DSCRIPT=<script> -P game_arcade_check.cmake
include(${CMAKE_CURRENT_LIST_DIR}/shots_check.cmake)
set(SHOTS 255 290 330 380 430)
string(REPLACE ";" "," SHOT_AT "${SHOTS}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program)
file(CREATE_LINK ${DIST}/RESOURCE ${WORK}/RESOURCE SYMBOLIC)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so ${DIST}/TollarineArcade DESTINATION ${WORK}/program)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=450 VEL_SCRIPT=${SCRIPT} VEL_INSTANCE_DIR=${WORK}
          VEL_REGISTRY_FILE=${WORK}/registry.reg VEL_SHOTS=${WORK}/shots VEL_SHOT_AT=${SHOT_AT}
          ${WORK}/program/Velmorine
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the game ended with ${result}")
endif()
file(READ ${WORK}/Exception.log log)
if(NOT log MATCHES "END SESSION" OR log MATCHES "throw exception" OR log MATCHES "Fatal")
  message(FATAL_ERROR "the run did not end cleanly:\n${log}")
endif()
check_shots_differ(${WORK}/shots ${SHOTS})
