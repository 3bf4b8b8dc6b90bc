# A throw-away headless sway for end-to-end tests and benchmarks, sourced by them:
#   . sway_session.sh; as_sway_user "$0" "$@"; start_sway [extra config lines]
# Sway refuses to run as root: as root, as_sway_user runs the caller again as the user varu-ci
# (scripts/dev.sh test creates it) from a copy it can read, or skips when there is none.
# Everything lives in one temporary folder, removed at exit unless a check failed.

skip=77
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# as_sway_user SCRIPT PROGRAM...: returns only when already unprivileged, inside a session bus.
as_sway_user() {
    local script=$1; shift
    if [ "$(id -u)" -eq 0 ]; then
        if ! id varu-ci >/dev/null 2>&1; then
            echo "SKIP: sway refuses root and there is no user varu-ci"; exit $skip
        fi
        # The build may sit where that user cannot reach (under /root): the programs run from
        # a copy, and screenshots go through a folder the user may write.
        local stage args=() p
        stage=$(mktemp -d); chmod 755 "$stage"
        cp "$script" "$here/sway_session.sh" "$stage/"
        for p in "$@"; do
            if [ -f "$p" ]; then cp "$p" "$stage/"; args+=("$stage/$(basename "$p")"); else args+=("$p"); fi
        done
        mkdir "$stage/shots"; chown varu-ci "$stage/shots"
        setpriv --reuid=varu-ci --regid=varu-ci --init-groups \
            env -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS HOME=/tmp \
            VARU_SCREENSHOTS=${VARU_SCREENSHOTS:+$stage/shots} \
            "$stage/$(basename "$script")" "${args[@]}"
        local rc=$?
        [ -n "${VARU_SCREENSHOTS:-}" ] && cp "$stage"/shots/*.png "$VARU_SCREENSHOTS"/ 2>/dev/null
        rm -rf "$stage"
        exit $rc
    fi
    for tool in sway swaymsg wl-copy wtype foot grim sqlite3 jq dbus-run-session; do
        command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit $skip; }
    done
    # varu toggle reaches the running instance over the session bus.
    if [ -z "${VARU_SWAY_BUS:-}" ]; then
        exec env VARU_SWAY_BUS=1 dbus-run-session -- "$script" "$@"
    fi
}

pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${keep:-}" ] || rm -rf "$root"
}

# wait_for SECONDS COMMAND...: polls every 10 ms.
wait_for() {
    local end=$(( $(date +%s%N) + $1 * 1000000000 )); shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$end" ] || return 1
        sleep 0.01
    done
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# start_sway [CONFIG LINE...]: a 1280×800 headless output; WAYLAND_DISPLAY and SWAYSOCK set.
start_sway() {
    root=$(mktemp -d /tmp/varu-sway.XXXXXX)
    trap cleanup EXIT
    export HOME=$root/home XDG_RUNTIME_DIR=$root/run
    export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
    export LC_ALL=C.UTF-8 QT_QUICK_BACKEND=software
    export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP SWAYSOCK
    mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME/Varu" "$XDG_CACHE_HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    printf '[General]\nonboardingDone=true\nhotKeyExplained=true\n' > "$XDG_CONFIG_HOME/Varu/Varu.conf"
    db=$XDG_DATA_HOME/Varu/varu.sqlite
    {
        echo "xwayland disable"
        echo "swaybg_command -"
        echo "output HEADLESS-1 resolution 1280x800 position 0 0"
        echo "default_border none"
        echo 'for_window [app_id="com.teko.varu"] floating enable, sticky enable, move position 8 444'
        printf '%s\n' "$@"
    } > "$root/sway.conf"
    sway -c "$root/sway.conf" > "$root/sway.log" 2>&1 & pids+=($!)
    wait_for 10 _socket || { cat "$root/sway.log"; echo "FAIL: sway did not start"; exit 1; }
    export WAYLAND_DISPLAY=$(ls "$XDG_RUNTIME_DIR" | grep -E '^wayland-[0-9]+$' | head -1)
    export SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
}
_socket() { ls "$XDG_RUNTIME_DIR" | grep -qE '^wayland-[0-9]+$'; }

# The app_id (or name) of the window with the keyboard.
focused() { swaymsg -t get_tree | jq -r '.. | objects | select(.focused == true) | .app_id // .name'; }
is_focused() { [ "$(focused)" = "$1" ]; }
focus() { swaymsg "[app_id=\"$1\"] focus" >/dev/null; wait_for 5 is_focused "$1"; }

# foot running cat into $root/typed.txt, focused.
start_foot() {
    foot sh -c "stty -icanon -echo; cat > '$root/typed.txt'" > "$root/foot.log" 2>&1 & pids+=($!)
    wait_for 10 is_focused foot
}

# start_varu BINARY: the real binary, its log in $root/varu.log; varu_pid set.
start_varu() {
    "$1" > "$root/varu.out" 2> "$root/varu.log" & varu_pid=$!; pids+=($varu_pid)
    wait_for 15 test -s "$db"
}

sql() { sqlite3 "$db" "$@" 2>/dev/null; }
newest() { sql "SELECT id FROM items ORDER BY created_at DESC LIMIT 1"; }
# has_rep TYPE FILE: the newest card holds FILE's bytes under TYPE.
has_rep() {
    local id; id=$(newest); [ -n "$id" ] || return 1
    rm -f "$root/rep"
    sql "SELECT writefile('$root/rep', data) FROM representations WHERE item_id='$id' AND uti='$1' LIMIT 1" >/dev/null
    [ -f "$root/rep" ] && cmp -s "$root/rep" "$2"
}
