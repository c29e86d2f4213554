# Runs the window toolkit demo headless in the library's folder and checks that it wrote the screenshot asked for.
# cmake -DDEMO=<program> -DFOLDER=<library folder> -DSHOTS=<folder> -P ui_demo_check.cmake
file(REMOVE_RECURSE ${SHOTS})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=12 VEL_SHOTS=${SHOTS} VEL_SHOT_AT=10 ${DEMO} ${FOLDER}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo ended with ${result}")
endif()
file(SIZE ${SHOTS}/shot-10.png size)
if(size LESS 1000)
  message(FATAL_ERROR "no screenshot at frame 10")
endif()
