# FIRST_MISSION_STEPS: the script lines that go through the menus as a player does (the main menu comes at frame 250
# with the cursor at (320, 240), moved by the mouse's relative motion): the player form, the first slot, the demo
# campaign, play, the first mission. Included by the checks that start a mission.
set(FIRST_MISSION_STEPS "")
foreach(step "270 motion 0 -40" "271 motion 0 -40" "272 motion 0 -13" "275 down 320 147" "277 up 320 147"
             "300 motion -20 -40" "301 motion 0 -29" "304 down 300 78" "306 up 300 78"
             "315 motion 40 40" "316 motion 40 40" "317 motion 40 40" "318 motion 40 40" "319 motion 10 40"
             "320 motion 0 5" "323 down 470 283" "325 up 470 283"
             "335 motion 40 40" "336 motion 10 40" "337 motion 0 40" "338 motion 0 32" "341 down 520 435"
             "343 up 520 435"
             "375 motion -40 -40" "376 motion -40 -40" "377 motion -40 -40" "378 motion -40 -40"
             "379 motion -40 -40" "380 motion 0 -40" "381 motion 0 -18" "384 down 320 177" "386 up 320 177")
  string(REGEX REPLACE "^([0-9]+) (down|up) " "\\1 mouse \\2 left " step "${step}")
  string(REGEX REPLACE "^([0-9]+) motion " "\\1 mouse motion " step "${step}")
  string(APPEND FIRST_MISSION_STEPS "${step}\n")
endforeach()
