# SPDX-License-Identifier: MIT
# Sourced by the benches that run on a real X server: checks the tools, starts Xvfb (on display
# $number when it is set, else on a free one) and openbox, exports DISPLAY and QT_QPA_PLATFORM,
# and ends both when the script ends. $work is a folder of the script's own, removed then too.
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh test)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
wm_pid=
finish() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT INT TERM

# Xvfb writes the display's number once it accepts connections.
if [ -n "${number:-}" ]; then
    Xvfb ":$number" -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
else
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
fi
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=":$(head -n 1 "$work/display")"
QT_QPA_PLATFORM=xcb
export DISPLAY QT_QPA_PLATFORM
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1 # openbox takes over the screen
