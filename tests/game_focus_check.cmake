# Losing and regaining the focus in every state of a headless game: each case runs the game from a folder of its
# own with a script that reaches the state, sends "deactivate", then "activate", and a screenshot after each.
# Checks that every run ended cleanly (no engine exception, exit 0) and that the screenshots were written.
# cmake -DDIST=<runnable tree> -DWORK=<folder> -P game_focus_check.cmake
include(${CMAKE_CURRENT_LIST_DIR}/game_mission_script.cmake)
mission_start_lines(start)
mission_sweep_lines(won 3 10000)

# name | frames to run | frame of the focus loss | script lines that reach the state
set(cases
    "start-up screen|120|100|"
    "main menu|320|290|"
    "player form|320|300|270 mouse motion 0 -40\n271 mouse motion 0 -40\n272 mouse motion 0 -13\n275 mouse down left 320 147\n277 mouse up left 320 147\n"
    "play|540|500|${start}"
    "paused|560|520|${start}500 key down VK_PAUSE\n501 key up VK_PAUSE\n"
    "help during play|560|520|${start}500 key down VK_F1\n501 key up VK_F1\n"
    "options during play|560|520|${start}500 key down VK_F8\n501 key up VK_F8\n"
    "in-game menu|560|520|${start}500 key down VK_ESCAPE\n501 key up VK_ESCAPE\n"
    "end of the mission|10000|9920|${start}${won}")

foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 frames)
  list(GET fields 2 lost)
  list(LENGTH fields count)
  set(lines "")
  if(count GREATER 3)
    list(GET fields 3 lines)
  endif()
  math(EXPR back "${lost} + 10")
  string(APPEND lines "${lost} deactivate\n${back} activate\n")
  string(REPLACE " " "_" folder "${name}")
  set(run ${WORK}/${folder})
  file(REMOVE_RECURSE ${run})
  file(MAKE_DIRECTORY ${run}/program)
  file(CREATE_LINK ${DIST}/RESOURCE ${run}/RESOURCE SYMBOLIC)
  file(COPY ${DIST}/Velmorine ${DIST}/libplatform.so ${DIST}/TollarineArcade DESTINATION ${run}/program)
  file(WRITE ${run}/focus.script "${lines}")
  math(EXPR whileLost "${lost} + 5")
  math(EXPR afterwards "${back} + 5")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env VEL_HEADLESS=1 VEL_FRAMES=${frames} VEL_SCRIPT=${run}/focus.script
            VEL_SHOTS=${run}/shots VEL_SHOT_AT=${whileLost},${afterwards} VEL_SOUNDFONT=
            VEL_INSTANCE_DIR=${run} VEL_REGISTRY_FILE=${run}/registry.reg ${run}/program/Velmorine
    WORKING_DIRECTORY ${run}
    OUTPUT_QUIET ERROR_QUIET
    RESULT_VARIABLE result)
  file(READ ${run}/Exception.log log)
  if(NOT result EQUAL 0 OR NOT log MATCHES "END SESSION" OR log MATCHES "throw exception")
    message(SEND_ERROR "${name}: losing the focus ended the game (${result}):\n${log}")
  elseif(NOT EXISTS ${run}/shots/shot-${afterwards}.png)
    message(SEND_ERROR "${name}: no screenshot after the focus came back")
  endif()
endforeach()
