# Runs the game headless from a folder of its own with the stand-in menu library beside it and no campaign packs,
# so that its start ends with an engine exception. Checks that the run is reported as a failure and that the
# library, which had started, was still shut down (so that it keeps its changes).
# cmake -DDIST=<runnable tree> -DFAKE=<stand-in library> -DWORK=<folder> -P game_failed_start_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/program/TollarineArcade ${WORK}/RESOURCE)
file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so DESTINATION ${WORK}/program)
file(COPY ${FAKE} DESTINATION ${WORK}/program/TollarineArcade)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=50 VEL_INSTANCE_DIR=${WORK}
          VEL_REGISTRY_FILE=${WORK}/registry.reg FAKE_TA_LOG=${WORK}/calls.txt ${WORK}/program/Velmorine
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 255)
  message(FATAL_ERROR "the failed start ended with ${result}, not -1")
endif()
file(READ ${WORK}/Exception.log log)
if(NOT log MATCHES "Line 890 in module GP_GameMainFrame throw exception")
  message(FATAL_ERROR "the start did not fail as it should:\n${log}")
endif()
file(READ ${WORK}/calls.txt calls)
if(NOT calls MATCHES "^Initialize [^\n]*\nShutDown\n$")
  message(FATAL_ERROR "the menu library was not shut down once after the failed start:\n${calls}")
endif()
