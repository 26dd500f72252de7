#!/usr/bin/env bash
# Takes the README's screenshots from the real program on a virtual display:
# the main window with a picture drawn with its own tools, and the red, green
# and blue adjustment dialog over it. Writes docs/screenshots/*.png.
#   scripts/screenshots.sh                 builds build/ as make run does
#   BUILD=build-dev scripts/screenshots.sh   takes the program of another build
# The clicks go to places in the window's fixed layout, as laid out with the
# fonts that install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh screenshots
build=${BUILD:-build}
if [ -z "${BUILD:-}" ]; then
    make build
fi
out=docs/screenshots
mkdir -p "$out"

# The first free display number from :90.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
done
export DISPLAY=":$number"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
kalvo=""
trap 'if [ -n "$kalvo" ]; then kill "$kalvo" 2>/dev/null || true; fi; kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

(cd "$build" && QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 exec ./kalvo) >/dev/null 2>&1 &
kalvo=$!
window=$(xdotool search --sync --onlyvisible --name '^Kalvo$' | head -n 1)
sleep 1

# Places in the window: the tool buttons' column, the palette's cells and the
# canvas's top-left pixel.
ToolX=60 ToolY=113 ToolStep=19
CellX=47 CellY=46 CellStep=16
CanvasX=138 CanvasY=89

tool() {
    xdotool mousemove "$ToolX" $((ToolY + ToolStep * $1)) click 1
    sleep 0.3
}
# Column and row of a palette cell; the left button picks the first colour.
colour() {
    xdotool mousemove $((CellX + CellStep * $1)) $((CellY + CellStep * $2)) click 1
    sleep 0.2
}
# A drag on the canvas from (x1, y1) to (x2, y2) in canvas pixels, in steps
# far enough apart in time that each reaches the program as a move.
drag() {
    local steps=${5:-8} i
    xdotool mousemove $((CanvasX + $1)) $((CanvasY + $2))
    sleep 0.1
    xdotool mousedown 1
    for i in $(seq "$steps"); do
        xdotool mousemove $((CanvasX + $1 + ($3 - $1) * i / steps)) \
            $((CanvasY + $2 + ($4 - $2) * i / steps))
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.3
}
shot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# Filled rectangle: sky and meadow.
tool 5
colour 10 1
drag 0 0 759 250
colour 8 1
drag 0 250 759 417
# Filled circle from its centre: the sun.
tool 7
colour 7 0
drag 640 80 685 80
# The house: walls, door and window, then the roof's outline.
tool 5
colour 3 1
drag 150 170 330 330
colour 3 0
drag 220 250 260 330
colour 11 0
drag 270 200 310 235
tool 2
colour 0 0
drag 140 170 240 100 4
drag 240 100 340 170 4
drag 140 170 340 170 4
# The roof filled: a click inside the outline.
tool 12
colour 4 0
drag 240 150 240 150 1
# A tree: trunk and crown.
tool 5
colour 3 1
drag 480 220 500 340
tool 9
colour 9 0
drag 490 190 545 240
# Flowers with the brush.
tool 16
colour 4 0
drag 40 370 420 385 12
colour 6 0
drag 560 380 740 360 8
shot "$window" "$out/main-window.png"

# The red, green and blue adjustment: 图像's menu opened and closed leaves
# the menu bar to the keyboard, then 滤镜 > 颜色(C) > 调整红/绿/蓝(A).
for key in alt+i Escape Right Down c a; do
    xdotool key "$key"
    sleep 0.3
done
dialog=$(xdotool search --sync --onlyvisible --name '^红/蓝/绿 调整$' | head -n 1)
sleep 1
# More red, less blue: each scroll bar's handle dragged from the middle.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
for bar in "31 30" "87 -25"; do
    set -- $bar
    xdotool mousemove $((X + 229)) $((Y + $1)) mousedown 1
    for step in 1 2 3 4 5; do
        sleep 0.05
        xdotool mousemove $((X + 229 + $2 * step / 5)) $((Y + $1))
    done
    xdotool mouseup 1
    sleep 0.3
done
sleep 1
shot "$dialog" "$out/filter-dialog.png"
echo "wrote $out/main-window.png and $out/filter-dialog.png"
