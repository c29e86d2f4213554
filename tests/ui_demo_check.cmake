# Runs the window toolkit demo headless in the library's folder with its script and checks that it wrote the
# screenshots asked for.
# cmake -DDEMO=<program> -DFOLDER=<library folder> -DSCRIPT=<script> -DSHOTS=<folder> -P ui_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
set(shots 10 38 48 60 68)
string(REPLACE ";" "," shot_list "${shots}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=72 VEL_SCRIPT=${SCRIPT} VEL_SHOTS=${SHOTS}
          VEL_SHOT_AT=${shot_list} ${DEMO} ${FOLDER}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo ended with ${result}: ${errors}")
endif()
if(errors MATCHES "VEL_SCRIPT")
  message(FATAL_ERROR "the script has bad lines: ${errors}")
endif()
foreach(at IN LISTS shots)
  file(SIZE ${SHOTS}/shot-${at}.png size)
  if(size LESS 1000)
    message(FATAL_ERROR "no screenshot at frame ${at}")
  endif()
endforeach()
