#!/bin/sh
# Runs the dialog placement tests of the game's test program on a screen of its own under Xvfb, with a window
# manager or without one. The program runs with a display, so its dialogs are GTK windows.
# dialog_on_screen_check.sh <game_tests> <width>x<height> <window manager program, or none> <work folder>
set -e
tests=$1 screen=$2 manager=$3 work=$4
# GTK's libraries keep some allocations for the whole run; the sanitizer build's leak checker lets them be.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/gtk_leaks.supp"
rm -rf "$work" && mkdir -p "$work"
cd "$work"
exec xvfb-run -a -s "-screen 0 ${screen}x24" sh -c '
  if [ "$1" != none ]; then "$1" >/dev/null 2>&1 & manager=$!; sleep 1; fi
  VEL_HEADLESS=0 VEL_REGISTRY_FILE="$PWD/registry.reg" "$2" --gtest_filter="DialogOnScreen.*" >output.txt 2>&1
  status=$?
  cat output.txt
  # A filter that matches nothing passes as well: the test must have run.
  grep -q "^\[  PASSED  \] 1 test" output.txt || status=1
  [ -n "$manager" ] && kill "$manager"
  exit $status' run "$manager" "$tests"
