# Writes the sample library folder, prints the sample form's tree and renders its page at 1024x768 and 640x480.
# cmake -DTOOL=<formtool> -DWORK=<folder> -P formtool_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{VEL_HEADLESS} 1)
execute_process(COMMAND ${TOOL} sample ${WORK}/library RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the sample folder was not written: ${errors}")
endif()
execute_process(COMMAND ${TOOL} tree ${WORK}/library Sample RESULT_VARIABLE result OUTPUT_VARIABLE tree)
foreach(expected "CFormFrameControl \"Every Control\" at 512,384, Position Center" CFormPictureControl
        CFormPictureSequenceControl CFormStaticControl CFormButtonControl CFormImageButtonControl CFormEditControl
        CFormCheckBoxControl CFormChoiceBoxControl CFormProgressBarControl CFormEmbeddedForm)
  string(FIND "${tree}" "${expected}" at)
  if(NOT result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "the tree lacks ${expected}:\n${tree}")
  endif()
endforeach()
foreach(size 1024x768 640x480)
  execute_process(COMMAND ${TOOL} render ${WORK}/library Sample "Every Control" ${size} ${WORK}/sample-${size}.png
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/sample-${size}.png)
    message(FATAL_ERROR "the page was not rendered at ${size}: ${errors}")
  endif()
endforeach()
