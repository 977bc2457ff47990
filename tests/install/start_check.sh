# Sourced by the install tests.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the program offscreen as a new user would, with an empty home, and
# checks that its main window comes up: a second start returns 0 only once the
# first has shown its window and answers; then the first must still run.
check_program_starts() {
    local program="$1" home pid
    home="$(mktemp -d)"
    mkdir -m 700 "$home/runtime"
    local environment=(env -i "PATH=$PATH" "HOME=$home" "XDG_RUNTIME_DIR=$home/runtime"
                       QT_QPA_PLATFORM=offscreen QT_AUDIO_BACKEND=none)
    "${environment[@]}" "$program" &
    pid=$!
    # The second start must come second: wait for the first to hold its lock.
    for _ in $(seq 100); do
        [ -e "$home/runtime/vantor.lock" ] && break
        sleep 0.1
    done
    if ! timeout 60 "${environment[@]}" "$program"; then
        kill "$pid" 2>/dev/null || true
        fail "$program: the running program did not answer a second start"
    fi
    kill -0 "$pid" 2>/dev/null || fail "$program: the first start ended"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    rm -rf "$home"
}
