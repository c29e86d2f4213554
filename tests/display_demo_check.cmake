# Runs the display demo headless and checks that it wrote the screenshot asked for, into a folder that it has to
# make, as on a fresh machine.
# cmake -DDEMO=<program> -DPACK=<pack> -DSHOTS=<folder> -P display_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=70 VEL_SHOTS=${SHOTS} VEL_SHOT_AT=60 ${DEMO} ${PACK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo ended with ${result}")
endif()
file(SIZE ${SHOTS}/shot-60.png size)
if(size LESS 1000)
  message(FATAL_ERROR "no screenshot at frame 60")
endif()
