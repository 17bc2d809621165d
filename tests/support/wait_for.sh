# Sourced by the test scripts that start a display server and a program on it.
#
# wait_for SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds; fails
# when SECONDS pass without success.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
