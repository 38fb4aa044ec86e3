# Starts a virtual X server for a system test. Sourced; start_x_server uses $tmp for its
# log and sets xvfb_pid and DISPLAY.

# A display of our own, away from the low numbers that desktops and servers choosing their
# own number take: a server that ends while another starts on its number can remove the
# newcomer's socket.
start_x_server() {
    local display deadline
    display=$((200 + $$ % 500))
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        display=$((display + 1))
        if [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; then
            continue
        fi
        # -noreset: Xvfb starts afresh whenever its last client leaves (the check below is
        # one), and a program that connects in that moment is turned away.
        Xvfb ":$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
        xvfb_pid=$!
        deadline=$(($(date +%s) + 10))
        while kill -0 "$xvfb_pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
            # Answering, and ours: started at the same moment on the same number, another
            # server may have won the display, and ours has ended or will.
            if DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1 &&
                [ "$(tr -d ' \n' <"/tmp/.X${display}-lock" 2>/dev/null)" = "$xvfb_pid" ]; then
                DISPLAY=":$display"
                export DISPLAY
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    return 1
}
