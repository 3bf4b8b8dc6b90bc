#!/bin/bash
# The real varu binary on a throw-away headless sway: copies made by other Wayland clients are
# recorded byte for byte (text, HTML with text, PNG, two files), secrets and password-manager
# copies are not, an owner that exits at once still counts; sway's binding to `varu toggle`
# shows the strip, Return pastes into foot running cat and the focus goes back to it; Ctrl+V in
# Varu's own search field while Varu owns the clipboard neither freezes nor kills it.
#   tst_e2e_sway.sh VARU_BINARY OFFER_HELPER
# Sway refuses to run as root: run as root, the script runs itself again as the user varu-ci
# (scripts/dev.sh test creates it), or skips when there is none.
set -u
varu=$1 offer=$2
skip=77

if [ "$(id -u)" -eq 0 ]; then
    if ! id varu-ci >/dev/null 2>&1; then
        echo "SKIP: sway refuses root and there is no user varu-ci"; exit $skip
    fi
    # The build may sit where that user cannot reach (under /root): the programs run from a
    # copy, and screenshots go through a folder the user may write.
    stage=$(mktemp -d); chmod 755 "$stage"
    cp "$0" "$varu" "$offer" "$stage/"
    mkdir "$stage/shots"; chown varu-ci "$stage/shots"
    setpriv --reuid=varu-ci --regid=varu-ci --init-groups \
        env -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS HOME=/tmp \
        VARU_SCREENSHOTS=${VARU_SCREENSHOTS:+$stage/shots} \
        "$stage/$(basename "$0")" "$stage/$(basename "$varu")" "$stage/$(basename "$offer")"
    rc=$?
    [ -n "${VARU_SCREENSHOTS:-}" ] && cp "$stage"/shots/*.png "$VARU_SCREENSHOTS"/ 2>/dev/null
    rm -rf "$stage"
    exit $rc
fi
for tool in sway swaymsg wl-copy wtype foot grim sqlite3 jq dbus-run-session; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit $skip; }
done
# varu toggle reaches the running instance over the session bus.
if [ -z "${VARU_SWAY_BUS:-}" ]; then
    exec env VARU_SWAY_BUS=1 dbus-run-session -- "$0" "$@"
fi

root=$(mktemp -d /tmp/varu-sway.XXXXXX)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${keep:-}" ] || rm -rf "$root"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); keep=1; }
pass() { echo "PASS: $*"; }
# wait_for SECONDS COMMAND...: polls every 50 ms.
wait_for() {
    local end=$(( $(date +%s%N) + $1 * 1000000000 )); shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$end" ] || return 1
        sleep 0.05
    done
}

export HOME=$root/home XDG_RUNTIME_DIR=$root/run
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export LC_ALL=C.UTF-8 QT_QUICK_BACKEND=software
export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP SWAYSOCK
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME/Varu" "$XDG_CACHE_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\nonboardingDone=true\n' > "$XDG_CONFIG_HOME/Varu/Varu.conf"
db=$XDG_DATA_HOME/Varu/varu.sqlite

cat > "$root/sway.conf" <<CONF
xwayland disable
swaybg_command -
output HEADLESS-1 resolution 1280x800 position 0 0
default_border none
bindsym Mod4+Shift+v exec $varu toggle
for_window [app_id="com.teko.varu"] floating enable, sticky enable, move position 8 444
CONF
sway -c "$root/sway.conf" > "$root/sway.log" 2>&1 & pids+=($!)
socket() { ls "$XDG_RUNTIME_DIR" | grep -qE '^wayland-[0-9]+$'; }
wait_for 10 socket || { cat "$root/sway.log"; echo "FAIL: sway did not start"; exit 1; }
export WAYLAND_DISPLAY=$(ls "$XDG_RUNTIME_DIR" | grep -E '^wayland-[0-9]+$' | head -1)
export SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)

focused() { swaymsg -t get_tree | jq -r '.. | objects | select(.focused == true) | .app_id // .name'; }
visible() { swaymsg -t get_tree | jq -e --arg a "$1" '[.. | objects | select(.app_id == $a and .visible == true)] | length > 0' >/dev/null; }
is_focused() { [ "$(focused)" = "$1" ]; }

foot sh -c "stty -icanon -echo; cat > '$root/typed.txt'" > "$root/foot.log" 2>&1 & pids+=($!)
wait_for 10 is_focused foot || fail "foot never had the focus ($(focused))"

"$varu" > "$root/varu.out" 2> "$root/varu.log" & varu_pid=$!; pids+=($varu_pid)
wait_for 15 test -s "$db" || fail "no database after start"
swaymsg '[app_id="foot"] focus' >/dev/null
wait_for 5 is_focused foot

sql() { sqlite3 "$db" "$@" 2>/dev/null; }
newest() { sql "SELECT id FROM items ORDER BY created_at DESC LIMIT 1"; }
# has_rep TYPE FILE: the newest card holds FILE's bytes under TYPE.
has_rep() {
    local id; id=$(newest); [ -n "$id" ] || return 1
    rm -f "$root/rep"
    sql "SELECT writefile('$root/rep', data) FROM representations WHERE item_id='$id' AND uti='$1' LIMIT 1" >/dev/null
    [ -f "$root/rep" ] && cmp -s "$root/rep" "$2"
}
logged() { grep -qF "$1" "$root/varu.log"; }
cards() { sql "SELECT count(*) FROM items"; }

# Text, byte for byte.
printf 'olá do wayland' > "$root/text"
wl-copy < "$root/text"
wait_for 5 has_rep public.utf8-plain-text "$root/text" && pass "text" || fail "text was not recorded"

# HTML with its text, from one owner offering both.
printf '<b>negrito</b> no wayland' > "$root/html"
printf 'negrito no wayland' > "$root/plain"
"$offer" "text/html=$root/html" "text/plain;charset=utf-8=$root/plain" & owner=$!; pids+=($owner)
if wait_for 5 has_rep public.html "$root/html" && has_rep public.utf8-plain-text "$root/plain"; then
    pass "HTML with text"
else
    fail "HTML with text"
fi
kill $owner 2>/dev/null

# A PNG (the screen itself).
grim "$root/screen.png"
wl-copy -t image/png < "$root/screen.png"
wait_for 5 has_rep public.png "$root/screen.png" && pass "PNG" || fail "PNG was not recorded"

# Two files as a URI list.
touch "$root/um.txt" "$root/dois.txt"
printf 'file://%s\r\nfile://%s\r\n' "$root/um.txt" "$root/dois.txt" > "$root/uris"
wl-copy -t text/uri-list < "$root/uris"
files() { sql "SELECT group_concat(data, ' ') FROM (SELECT data FROM representations WHERE item_id='$(newest)' AND uti='public.file-url' ORDER BY idx)"; }
two_files() { [ "$(files)" = "file://$root/um.txt file://$root/dois.txt" ]; }
wait_for 5 two_files && pass "uri-list of two files" || fail "files: [$(files)]"

# Secrets and password-manager copies are not kept.
before=$(cards)
wl-copy 'db_password = hunter2'
wait_for 5 logged "Texto parece conter senha ou token; cópia não guardada" || fail "secret not refused"
printf 'correct horse battery' > "$root/pw"; printf 'secret' > "$root/hint"
"$offer" "text/plain;charset=utf-8=$root/pw" "x-kde-passwordManagerHint=$root/hint" & owner=$!; pids+=($owner)
wait_for 5 logged "Tipo ignorado x-kde-passwordManagerHint; cópia não guardada" || fail "password-manager copy not refused"
kill $owner 2>/dev/null
[ "$(cards)" = "$before" ] && pass "secret and password-manager copies not stored" || fail "a secret was stored"

# An owner that serves one read and exits.
printf 'dono que sai logo' > "$root/once"
wl-copy --foreground --paste-once < "$root/once" & once=$!
wait_for 5 has_rep public.utf8-plain-text "$root/once" && pass "owner exiting at once" || fail "copy of an owner exiting at once lost"
wait_for 5 sh -c "! kill -0 $once 2>/dev/null" || fail "wl-copy --paste-once still serving"

# The desktop's binding to `varu toggle` shows the strip, which takes the keyboard.
printf 'colado pelo varu' > "$root/paste"
wl-copy < "$root/paste"
wait_for 5 has_rep public.utf8-plain-text "$root/paste" || fail "card to paste was not recorded"
swaymsg '[app_id="foot"] focus' >/dev/null; wait_for 5 is_focused foot
wtype -s 20 -M logo -M shift -k v -m shift -m logo
if wait_for 5 is_focused com.teko.varu; then pass "hotkey shows the strip"; else fail "strip not shown ($(focused))"; fi
sleep 0.5 # the slide-in animation
[ -n "${VARU_SCREENSHOTS:-}" ] && grim "$VARU_SCREENSHOTS/wayland-sway-strip.png"

# Return pastes the newest card into foot, which gets the focus back.
wtype -s 20 -k Return
wait_for 5 grep -qF 'colado pelo varu' "$root/typed.txt" && pass "Return pastes into foot" || fail "foot got [$(cat "$root/typed.txt")]"
wait_for 5 is_focused foot && pass "focus back on foot" || fail "focus on $(focused)"

# Varu owns the clipboard now; Ctrl+V in its own search field must not hang or kill it.
wtype -s 20 -M logo -M shift -k v -m shift -m logo
wait_for 5 is_focused com.teko.varu || fail "strip not shown again"
wtype -s 20 -M ctrl -k v -m ctrl
sleep 1
kill -0 $varu_pid 2>/dev/null && pass "alive after Ctrl+V of its own clipboard" || fail "varu died on Ctrl+V"
wtype -s 20 -k Escape
printf 'ainda respondendo' > "$root/after"
wl-copy < "$root/after"
wait_for 5 has_rep public.utf8-plain-text "$root/after" && pass "still capturing" || fail "no capture after Ctrl+V"

if [ $failures -gt 0 ]; then
    echo "--- varu log"; tail -40 "$root/varu.log"; echo "(files kept in $root)"
    exit 1
fi
