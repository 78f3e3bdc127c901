#!/bin/sh
# Under a real X server the program takes typed keys as a user types them: 12+3 Enter,
# then Ctrl+C, puts 15 on the clipboard. Skipped (77) without Xvfb, xdotool and xclip;
# with openbox installed the window manager gives the window its focus, as on a desktop.
# Usage: x11_keyboard_test.sh BUILD_DIR
set -u
build=$1
for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null 2>&1 || { echo "no $tool: skipped"; exit 77; }
done

number=$((90 + $$ % 400))
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
app=
manager=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$manager" ] && kill "$manager" 2>/dev/null
    kill "$server" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=":$number"
unset QT_QPA_PLATFORM
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    manager=$!
    sleep 0.5
fi

"$build/app/Kelvora" >/dev/null 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --pid "$app" 2>/dev/null | head -n 1)
[ -n "$window" ] || { echo "the window never showed"; exit 1; }
# Without a window manager nobody else gives the window the focus.
[ -n "$manager" ] || xdotool windowfocus --sync "$window"
[ -n "$manager" ] && xdotool windowactivate --sync "$window" 2>/dev/null
sleep 0.5
xdotool type --delay 50 '12+3'
xdotool key --delay 50 Return ctrl+c
sleep 0.5
copied=$(xclip -o -selection clipboard 2>/dev/null)
if [ "$copied" != "15" ]; then
    echo "clipboard holds '$copied', not 15"
    exit 1
fi
echo "clipboard: $copied"
