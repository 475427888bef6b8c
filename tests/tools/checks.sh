# Sourced by the shell tests. check WHAT COMMAND [ARGUMENTS...] runs the command and prints
# "ok:   WHAT" or "FAIL: WHAT"; checks_passed prints the tally and fails if any check did.
passed=0 failed=0
check() {
    local what="$1"
    shift
    if "$@"; then
        echo "ok:   $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}
checks_passed() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
