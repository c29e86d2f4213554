# Runs the form demo headless with its script and checks that it ended by the form's Escape action (before the
# frame limit) and wrote the screenshots of each control's states.
# cmake -DDEMO=<program> -DPACK=<pack> -DSCRIPT=<script> -DSHOTS=<folder> -P form_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
file(MAKE_DIRECTORY ${SHOTS})
set(frames 8 11 28 42 64 72 84 110)
string(REPLACE ";" "," at "${frames}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=400 VEL_SCRIPT=${SCRIPT} VEL_SHOTS=${SHOTS} VEL_SHOT_AT=${at}
          ${DEMO} ${PACK}
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo ended with ${result}: ${errors}")
endif()
if(errors MATCHES "VEL_SCRIPT")
  message(FATAL_ERROR "the script has bad lines: ${errors}")
endif()
foreach(frame IN LISTS frames)
  if(NOT EXISTS ${SHOTS}/shot-${frame}.png)
    message(FATAL_ERROR "no screenshot at frame ${frame}")
  endif()
endforeach()
