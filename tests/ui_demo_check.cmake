# Runs the window toolkit demo headless in the library's folder with its script and checks that it wrote the
# screenshots asked for, and that the page's file list scrolled between the first two of the page of lists.
# cmake -DDEMO=<program> -DFOLDER=<library folder> -DSCRIPT=<script> -DSHOTS=<folder> -P ui_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
# The buttons page, the lists before and after scrolling, the combo box open and chosen, then the entries.
set(frames 10 30 66 104 114 140 188 198 210 218)
string(REPLACE ";" "," at "${frames}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=222 VEL_SCRIPT=${SCRIPT} VEL_SHOTS=${SHOTS}
          VEL_SHOT_AT=${at} ${DEMO} ${FOLDER}
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
  file(SIZE ${SHOTS}/shot-${frame}.png size)
  if(size LESS 1000)
    message(FATAL_ERROR "an empty screenshot at frame ${frame}")
  endif()
endforeach()
file(MD5 ${SHOTS}/shot-30.png before)
file(MD5 ${SHOTS}/shot-66.png after)
if(before STREQUAL after)
  message(FATAL_ERROR "the list on the page of lists did not scroll")
endif()
