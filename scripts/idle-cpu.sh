#!/usr/bin/env bash
# Measures what the game costs at rest: Velmorine idle in its main menu, full screen, on an Xvfb screen of
# 1280 x 1024 without a GPU, its CPU time (user + system, from /proc/<pid>/stat) over ten seconds as a share of
# one core. Usage: scripts/idle-cpu.sh [dist-dir] [window-manager command, e.g. twm]; VEL_IDLE_SHOT=<file.png>
# also writes the screen as it is at the end (needs xwd and netpbm).
set -euo pipefail
dist=$(cd "${1:-build/dist}" && pwd)
manager=${2:-}
settle=${VEL_IDLE_SETTLE:-5}
span=${VEL_IDLE_SPAN:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A player who has declined the account once: the game goes straight to its main menu.
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Morvadel]\n"VelmorineEMail"=""\n' \
  >"$work/registry.reg"

cat >"$work/session" <<SESSION
#!/usr/bin/env bash
set -u
${manager:+$manager >/dev/null 2>&1 &}
cd "$dist"
VEL_REGISTRY_FILE="$work/registry.reg" VEL_INSTANCE_DIR="$work" ./Velmorine >"$work/game.log" 2>&1 &
game=\$!
sleep $settle
ticks() { awk '{ print \$14 + \$15 }' /proc/\$game/stat; }
before=\$(ticks)
sleep $span
after=\$(ticks)
hz=\$(getconf CLK_TCK)
awk -v t=\$((after - before)) -v hz=\$hz -v s=$span 'BEGIN { printf "idle CPU: %.1f%% of a core over %d s\n", 100 * t / hz / s, s }'
if [ -n "${VEL_IDLE_SHOT:-}" ]; then xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"${VEL_IDLE_SHOT:-}"; fi
kill \$game
wait \$game 2>/dev/null || true
SESSION
chmod +x "$work/session"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/session"
