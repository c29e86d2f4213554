# Runs the game headless from a folder of its own (its registry, lock, logs and player files stay there) and checks
# that it ended cleanly and wrote a screenshot of the start-up screen and one of the main menu, and that they differ.
# The program runs from a copy with the menu library beside it: the game loads the library at its start and
# unloads it at its end, and in the sanitizer build the run must end with nothing of the library lost.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -P game_start_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program)
file(CREATE_LINK ${DIST}/RESOURCE ${WORK}/RESOURCE SYMBOLIC)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so ${DIST}/TollarineArcade DESTINATION ${WORK}/program)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=400 VEL_SHOTS=${WORK}/shots VEL_SHOT_AT=100,380
          VEL_INSTANCE_DIR=${WORK} VEL_REGISTRY_FILE=${WORK}/registry.reg ${WORK}/program/Velmorine
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the game ended with ${result}")
endif()
foreach(frame 100 380)
  if(NOT EXISTS ${WORK}/shots/shot-${frame}.png)
    message(FATAL_ERROR "no screenshot at frame ${frame}")
  endif()
endforeach()
file(SHA256 ${WORK}/shots/shot-100.png startup)
file(SHA256 ${WORK}/shots/shot-380.png menu)
if(startup STREQUAL menu)
  message(FATAL_ERROR "the main menu did not replace the start-up screen")
endif()
file(READ ${WORK}/Exception.log log)
if(NOT log MATCHES "END SESSION" OR log MATCHES "throw exception")
  message(FATAL_ERROR "the run did not end cleanly:\n${log}")
endif()
# The library is found; while it cannot be started, its reason stands on a line of its own.
if(log MATCHES "could not be loaded" OR log MATCHES "dll\\.[^\n]")
  message(FATAL_ERROR "the menu library beside the program was not found, or its reason not logged alone:\n${log}")
endif()
