#!/usr/bin/env bash
# Makes the guide's screenshots (docs/guide/*.png) and the README's (docs/main-window.png) by
# following the guide's own steps on the programs in ./build: each program runs under its own
# Xvfb with a small window manager (openbox), so that windows and dialogs have their title
# bars, and is driven by real xdotool clicks and typing through the sample clip; ImageMagick's
# import takes the pictures.
#   tools/screenshots.sh [DISPLAY_NUMBER]      (default 97)
# Run it again after a change to the windows. Needs xvfb, openbox, xdotool, x11-utils and
# imagemagick (setup/packages.sh: KV_SCREENSHOT_TOOLS), and unshare from util-linux.
#
# The pictures show the home folder of a teacher, /home/sensei, with the clip in its ビデオ
# folder, never a folder or the name of the machine that makes them: the script runs itself
# again in a mount namespace of its own, with an empty /home.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
display=${1:-97}
[ -x build/kinvora ] && [ -x build/kelmaro ] && [ -x build/tools/make_sample ] || { echo "build the programs first" >&2; exit 1; }

if [ -z "${KV_SCREENSHOTS_INSIDE:-}" ]; then
    exec unshare --mount --map-root-user env KV_SCREENSHOTS_INSIDE=1 "$0" "$@"
fi
# /home as the teacher's machine has it; the tree being built stays where it is.
home_before=$(mktemp -d)
mount --rbind /home "$home_before"
mount -t tmpfs tmpfs /home
if [[ $repo == /home/* ]]; then
    mkdir -p "$repo"
    mount --bind "$home_before/${repo#/home/}" "$repo"
fi
export HOME=/home/sensei USER=sensei LOGNAME=sensei
# Settings, recent files and recovery files go under that home, never the caller's.
unset XDG_CONFIG_HOME XDG_STATE_HOME XDG_DATA_HOME
clips=$HOME/ビデオ
mkdir -p "$clips"
cp samples/ball_throw.avi "$clips/"

out=$repo/docs/guide
mkdir -p "$out"

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    umount -l "$home_before" 2>/dev/null && rmdir "$home_before" || true
}
trap cleanup EXIT
export DISPLAY=":$display" QT_ENABLE_HIGHDPI_SCALING=0 QT_QPA_PLATFORM=xcb
# Let the server come up, then the window manager.
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done

# The first visible window whose title matches, waiting for it to appear.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window named '$1'" >&2
    exit 1
}

# A visible window other than the given ones (a dialog whose title depends on Qt's language).
other_window() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            [[ " $* " == *" $id "* ]] || { echo "$id"; return; }
        done
        sleep 0.1
    done
    echo "no new window" >&2
    exit 1
}

# Sets X0, Y0, W0, H0 to the place and size of a window's inside (without the title bar and
# border the window manager adds) on the screen.
place() {
    local info
    info=$(xwininfo -id "$1")
    X0=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y0=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    W0=$(awk '/Width:/ {print $2}' <<<"$info")
    H0=$(awk '/Height:/ {print $2}' <<<"$info")
}

# Sets FL, FR, FT, FB to the widths of the frame the window manager puts round a window.
frame() {
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r FL FR FT FB <<<"${extents:-0,0,0,0}"
}

click_at() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep "${3:-0.4}"
}

# Clicks the middle of a control placed in twips (15 a pixel) in a window; `top` is the
# height of what lies above the controls (the main window's menu bar).
click_control() {  # window left top width height [top] [wait]
    place "$1"
    click_at $((X0 + ($2 + $4 / 2) / 15)) $((Y0 + ${6:-0} + ($3 + $5 / 2) / 15)) "${7:-0.4}"
}

# The main window's menu bar, and the canvas's drawing area inside its border.
readonly menu=18
main_control() { click_control "$main" "$@" "$menu" "${wait:-0.4}"; }
canvas_click() {  # x y in canvas pixels
    place "$main"
    click_at $((X0 + 400 + 2 + $1)) $((Y0 + menu + 40 + 2 + $2)) "${3:-1.2}"
}
# Opens a menu of the main window's menu bar by its letter and chooses an item by its letter.
menu_item() {  # menu_letter item_letter
    xdotool windowactivate --sync "$main" key "alt+$1"
    sleep 0.4
    xdotool key "$2"
    sleep 0.6
}

# A screenshot of the smallest rectangle holding the given windows with their frames.
shot() {  # name window...
    local name=$1 left=100000 top=100000 right=0 bottom=0
    shift
    sleep 0.3
    for w in "$@"; do
        place "$w"
        frame "$w"
        ((X0 - FL < left)) && left=$((X0 - FL))
        ((Y0 - FT < top)) && top=$((Y0 - FT))
        ((X0 + W0 + FR > right)) && right=$((X0 + W0 + FR))
        ((Y0 + H0 + FB > bottom)) && bottom=$((Y0 + H0 + FB))
    done
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
        -strip "png:$out/$name.png"  # a palette only where the colours allow it unchanged
    echo "$out/$name.png"
}

# Starts a program from the home folder, as the desktop's menu does.
start() {  # program [clip]
    (cd "$HOME" && exec "$repo/build/$1" "${@:2}") >/dev/null 2>&1 &
    program_pid=$!
    main=$(window "ビデオによる運動の分析")
    sleep 1
}
stop() {
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=
}

# Where the ball is in the sample at a frame, in canvas pixels (tools/make_sample.cpp).
ball() {
    awk -v f="$1" 'BEGIN {
        t = f / 30; x = 0.1 + 2.0 * t; y = 0.1 + 3.5 * t - 9.8 * t * t / 2
        printf "%d %d\n", 10 + x * 160, 203 - y * 160 }'
}

# --- Kinvora, the guide's steps from the start to the tables.
start kinvora
shot 01_start "$main"
place "$main"
click_at $((X0 + 15)) $((Y0 + 9))                 # ﾌｧｲﾙ（F）
shot 02_menu "$main"
click_at $((X0 + 35)) $((Y0 + 28)) 1              # 開く(O)
dialog=$(other_window "$main")
sleep 0.5
place "$dialog"
# The first row of the list: the folder ビデオ in the home folder, opened with a double click,
# then the clip in it, chosen with one.
xdotool mousemove --sync $((X0 + 260)) $((Y0 + 72)) click --repeat 2 --delay 100 1
sleep 0.8
click_at $((X0 + 260)) $((Y0 + 72))
shot 03_open "$main" "$dialog"
xdotool key Return
sleep 1
shot 04_opened "$main"

wait=0.3 main_control 3120 5760 975 495  # 再生, paused while the ball is in the air
main_control 2160 5760 975 495           # 一時停止
shot 05_paused "$main"
main_control 1080 5760 1095 495          # 巻き戻し
wait=1 main_control 3000 6480 975 495    # コマ送り
wait=1 main_control 3000 6480 975 495
shot 06_step "$main"
main_control 1080 5760 1095 495          # 巻き戻し
main_control 6600 0 1215 495             # 画像転送→
shot 07_transfer "$main"

main_control 7200 5160 1575 495          # 長さの設定
length=$(window "^長さの設定")
frame "$main"
below=$FB
frame "$length"
place "$main"
xdotool windowmove --sync "$length" "$X0" $((Y0 + H0 + below + FT + 8))   # below the main window
canvas_click 81 206 0.5                  # both ends of the 1 m bar
canvas_click 239 206 0.5
click_control "$length" 1080 600 615 375
xdotool type 100
shot 08_length "$main" "$length"
click_control "$length" 3240 480 1095 495   # 閉じる

# The ball flies to the right: x is to grow that way.
main_control 10200 6360 1335 375         # Ｘ軸の向き変更
shot 09_axis "$main"
# Every second frame until the last before the bounce (frame 22).
for frame in 0 2 4 6 8 10 12 14 16 18 20 22; do
    canvas_click $(ball "$frame")
done
shot 10_marks "$main"
cp "$out/10_marks.png" "$repo/docs/main-window.png"
wait=1.5 main_control 6840 5880 1215 495   # マーク消去
shot 11_erase "$main"
canvas_click $(ball 22)                  # the last mark again

main_control 8040 6600 1215 495          # x,y-tグラフ
xt=$(window "y-t")
shot 12_xt_graph "$xt"
click_control "$xt" 600 7800 1335 495    # 最小２乗法
shot 13_least_squares "$xt"
click_control "$xt" 8400 7800 1095 495   # 表（データ）
table=$(other_window "$main" "$xt")
shot 14_table "$table"
click_control "$table" 840 3000 1335 495 0 1   # 保存
save=$(other_window "$main" "$xt" "$table")
sleep 0.5                                # until the name box has the focus
xdotool type --delay 20 "ボール投げ"
shot 15_save "$save"
xdotool key Return
sleep 1
[ -s "$clips/ボール投げ.csv" ] || { echo "the table was not saved" >&2; exit 1; }
click_control "$table" 2640 3000 1335 495      # 閉じる
click_control "$xt" 9720 7800 1095 495         # 閉じる
main_control 6840 6600 1215 495          # v-tグラフ
vt=$(window "^v-t")
click_control "$vt" 600 7800 1335 495    # 最小２乗法
shot 16_vt_graph "$vt"
click_control "$vt" 9840 7800 975 495    # 閉じる
menu_item h a                            # ヘルプ(H) → バージョン情報(A)
about=$(other_window "$main")
shot 19_about "$main" "$about"
stop

# --- The next start offers the marks above, never saved in a work file, in the recovery bar;
# 破棄 deletes them.
start kinvora
sleep 1
shot 21_recovery "$main"
main_control 2415 7410 1095 300          # 破棄
stop

# --- A clip of 60 frames a second, as a phone writes it: its own timing chosen by itself.
"$repo/build/tools/make_sample" --rate 60 --frames 100 --container mp4 --encoder libx264 \
    "$clips/ball60.mp4" >/dev/null 2>&1
start kinvora "$clips/ball60.mp4"
wait=0.3 main_control 3120 5760 975 495  # 再生
main_control 2160 5760 975 495           # 一時停止
shot 20_rate60 "$main"
stop

# --- The tracking assistant from one mark on the ball at frame 0, until it stops by itself.
start kinvora "$clips/ball_throw.avi"
wait=0.3 main_control 3120 5760 975 495  # 再生
main_control 2160 5760 975 495           # 一時停止
main_control 1080 5760 1095 495          # 巻き戻し
main_control 6600 0 1215 495             # 画像転送→
main_control 10200 6360 1335 375         # Ｘ軸の向き変更
canvas_click $(ball 0)
wait=15 main_control 10200 0 1335 495    # 自動追跡
shot 22_tracking "$main"
stop
rm -rf "$HOME/.local/state/kinvora"      # its recovery file, not to be offered below

# --- Kelmaro, started with the clip named: frames stepped by hand, each brought onto the
# canvas before its mark.
start kelmaro "$clips/ball_throw.avi"
main_control 3360 6000 975 495           # 再生
sleep 1
main_control 2400 6000 975 495           # 一時停止
main_control 1320 6000 1095 495          # 巻き戻し
main_control 6720 0 1815 495             # Ｘ軸の向き変更
for frame in 0 2 4 6 8; do
    main_control 5400 840 495 3255       # 画像転送→
    canvas_click $(ball "$frame") 0.4
    main_control 2880 4440 975 495       # コマ送り, twice
    main_control 2880 4440 975 495
done
main_control 5400 840 495 3255
shot 17_kelmaro "$main"
stop

# --- A file that is not a video, named at start.
printf 'not a video\n' >"$clips/メモ.avi"
start kinvora "$clips/メモ.avi"
message=$(other_window "$main")
shot 18_error "$main" "$message"
stop
