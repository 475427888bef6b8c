# Sourced by the test tools. processes_with VARIABLE=VALUE: the ids of the running processes whose
# environment holds VARIABLE=VALUE, but for this shell and its subshells. What a test starts
# inherits its environment, whoever becomes its parent later, so this finds it wherever it went.
processes_with() {
    local environ pid variable variables
    for environ in /proc/[0-9]*/environ; do
        pid="${environ#/proc/}"
        pid="${pid%/environ}"
        [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
        mapfile -t -d '' variables 2>/dev/null <"$environ" || continue
        for variable in "${variables[@]}"; do
            if [ "$variable" = "$1" ]; then
                echo "$pid"
                break
            fi
        done
    done
}
