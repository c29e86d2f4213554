# Runs the play demo headless and checks that it wrote the screenshots asked for and that its ship fired and its
# shots broke rocks.
# cmake -DDEMO=<program> -DPACK=<pack> -DSHOTS=<folder> -P play_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
set(frames 40 150 290)
string(REPLACE ";" "," at "${frames}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=300 VEL_SHOTS=${SHOTS} VEL_SHOT_AT=${at} ${DEMO} ${PACK}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE said
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo ended with ${result}: ${errors}")
endif()
foreach(frame IN LISTS frames)
  if(NOT EXISTS ${SHOTS}/shot-${frame}.png)
    message(FATAL_ERROR "no screenshot at frame ${frame}")
  endif()
endforeach()
if(NOT said MATCHES "play demo: [1-9][0-9]* shots fired, [1-9][0-9]* rocks broken")
  message(FATAL_ERROR "nothing fired or broke: ${said}")
endif()
