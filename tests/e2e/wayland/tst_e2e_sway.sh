#!/bin/bash
# The real varu binary on a throw-away headless sway: copies made by other Wayland clients are
# recorded byte for byte (text, HTML with text, PNG, two files), secrets and password-manager
# copies are not, an owner that exits at once still counts; sway's binding to `varu toggle`
# shows the strip, Return pastes into foot running cat and the focus goes back to it; Ctrl+V in
# Varu's own search field while Varu owns the clipboard neither freezes nor kills it.
#   tst_e2e_sway.sh VARU_BINARY OFFER_HELPER
# Run as root, it runs itself again as an unprivileged user (see sway_session.sh).
set -u
varu=$1 offer=$2
. "$(dirname "$0")/sway_session.sh"
as_sway_user "$0" "$@"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); keep=1; }
pass() { echo "PASS: $*"; }

start_sway "bindsym Mod4+Shift+v exec $varu toggle"
start_foot || fail "foot never had the focus ($(focused))"
start_varu "$varu" || fail "no database after start"
focus foot

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
kill $owner 2>/dev/null; wait $owner 2>/dev/null # it reads copies too: gone before the next

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
kill $owner 2>/dev/null; wait $owner 2>/dev/null # it reads copies too: gone before the next
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
focus foot
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
