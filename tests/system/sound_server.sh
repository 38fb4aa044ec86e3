# Sound servers of a test's own, each in a folder of its own, with nothing but null sinks:
# PulseAudio, or PipeWire with its pulse server. Sourced (after preamble.sh); the functions
# set PULSE_SERVER and note the processes they started in sound_pids.

sound_pids=()

# The sound servers installed here that a test can start.
available_sound_servers() {
    if command -v pulseaudio >/dev/null; then
        echo pulseaudio
    fi
    if command -v pipewire >/dev/null && command -v pipewire-pulse >/dev/null &&
        command -v wireplumber >/dev/null && command -v dbus-daemon >/dev/null; then
        echo pipewire
    fi
}

# Waits until the pulse server in DIR answers.
sound_server_answers() {
    local deadline=$(($(date +%s) + 10))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if pactl info >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# add_null_sink NAME: a null sink, once the server shows it (PipeWire makes it a moment
# after it answers).
add_null_sink() {
    pactl load-module module-null-sink sink_name="$1" rate=48000 >/dev/null || return 1
    local deadline=$(($(date +%s) + 10))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if pactl list short sinks | awk '{ print $2 }' | grep -x "$1" >/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# start_sound_server NAME DIR: the server, its pulse socket in DIR.
start_sound_server() {
    local name=$1 dir=$2
    mkdir -p "$dir" && chmod 700 "$dir"
    export PULSE_SERVER="unix:$dir/pulse/native"
    case "$name" in
    pulseaudio)
        mkdir -p "$dir/pulse" "$dir/config/pulse"
        # One rate: a null sink that changes its rate while it is recorded garbles the
        # recording's timing.
        printf 'default-sample-rate = 48000\nalternate-sample-rate = 48000\n' \
            >"$dir/config/pulse/daemon.conf"
        HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config" \
            pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
            --log-level=error -L "module-null-sink sink_name=first rate=48000" \
            -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse/native" \
            >"$dir/server.log" 2>&1 &
        sound_pids+=($!)
        ;;
    pipewire)
        # The session manager wants a session bus; a private one, so that nothing of the
        # machine's own session is touched.
        dbus-daemon --session --nofork --address="unix:path=$dir/bus" >"$dir/bus.log" 2>&1 &
        sound_pids+=($!)
        local environment=(HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config"
            XDG_STATE_HOME="$dir/state" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus")
        sleep 0.2
        env "${environment[@]}" pipewire >"$dir/server.log" 2>&1 &
        sound_pids+=($!)
        sleep 0.3
        env "${environment[@]}" wireplumber >"$dir/session.log" 2>&1 &
        sound_pids+=($!)
        env "${environment[@]}" pipewire-pulse >"$dir/pulse.log" 2>&1 &
        sound_pids+=($!)
        ;;
    esac
    sound_server_answers || return 1
    if [ "$name" = pipewire ]; then
        add_null_sink first || return 1
    fi
}

stop_sound_server() {
    local i
    for ((i = ${#sound_pids[@]} - 1; i >= 0; i--)); do
        stop_process "${sound_pids[i]}"
    done
    sound_pids=()
}
