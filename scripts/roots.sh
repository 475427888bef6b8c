# Clean roots of a Debian release, in which the project's commands run as on a fresh machine of
# it. Sourced by test.sh and debian.sh; needs root and mmdebstrap.
#
# A root is made by mmdebstrap with apt, git and the CA certificates alone. Commands run in it in
# mount and PID namespaces of their own: /proc, /sys, a new devpts instance and a tmpfs for
# /dev/shm are mounted there and nowhere else, and the machine's /dev is never bound, so whatever
# a command mounts or starts ends with its namespaces. A root is removed only once no process is
# in it and nothing is mounted below it, without crossing file systems.
root_suites=(bookworm trixie)
root_mirror=http://deb.debian.org/debian
root_security_mirror=http://deb.debian.org/debian-security

# root_check SUITE: says in one line what is missing for a root of SUITE, and fails.
root_check() {
    if [[ " ${root_suites[*]} " != *" $1 "* ]]; then
        echo "no clean root for suite '$1': the suites known are ${root_suites[*]}" >&2
        return 2
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "a clean root is made and entered as root: run this as root or with sudo" >&2
        return 2
    fi
    command -v mmdebstrap >/dev/null || scripts/deps.sh mmdebstrap >/dev/null ||
        { echo "mmdebstrap is missing and could not be installed" >&2; return 2; }
}

# root_sources SUITE: the suite's apt sources as a new machine of it has them.
root_sources() {
    printf '%s\n' "deb $root_mirror $1 main" "deb $root_mirror $1-updates main" \
        "deb $root_security_mirror $1-security main"
}

# make_root SUITE TARGET [MMDEBSTRAP OPTIONS...]: a root of SUITE in the folder TARGET, which must
# not exist, or in a tarball where TARGET ends in .tar; apt alone unless the options say more. The
# machine's own CA certificates, which its network may need, are trusted there too. dpkg there
# does not wait for each file to reach the disk: a root is thrown away, never restarted.
make_root() {
    local suite=$1 target=$2 log
    shift 2
    local hooks=()
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        hooks=(--customize-hook='copy-in /usr/local/share/ca-certificates /usr/local/share'
               --customize-hook='chroot "$1" update-ca-certificates >/dev/null')
    fi
    log=$(mktemp)
    # Whatever mmdebstrap mounts while it works is mounted in a namespace that ends with it.
    local sources
    mapfile -t sources < <(root_sources "$suite")
    if ! unshare --mount --propagation private -- mmdebstrap --mode=root --variant=apt \
        --include=ca-certificates --dpkgopt=force-unsafe-io "${hooks[@]}" "$@" "$suite" \
        "$target" "${sources[@]}" \
        >"$log" 2>&1; then
        tail -n 20 "$log" >&2
        rm -f "$log"
        echo "mmdebstrap could not make a root of $suite (is Debian's mirror reachable?)" >&2
        return 1
    fi
    rm -f "$log"
}

# in_root ROOT COMMAND: runs the shell command COMMAND in ROOT as its root user, in /root, with the
# machine's network and a clean environment (CI and TERM kept). The first process of the PID
# namespace is a shell that passes Ctrl+C and termination on and waits, since that process gets
# no signal it does not handle; the namespace's processes are killed when it ends.
in_root() {
    local root=$1 command=$2
    cp /etc/resolv.conf /etc/hosts "$root/etc/"
    unshare --mount --propagation private --pid --fork --kill-child -- bash -c '
        root=$1 command=$2
        mount -t proc proc "$root/proc" &&
            mount -t sysfs -o ro sysfs "$root/sys" &&
            mount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5 devpts "$root/dev/pts" &&
            mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm" || exit 1
        ln -sfn pts/ptmx "$root/dev/ptmx"
        chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" ${CI:+CI=$CI} \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
            bash -c "cd /root && $command" &
        command_pid=$!
        trap "kill -INT $command_pid" INT
        trap "kill -TERM $command_pid" TERM HUP
        while true; do
            wait "$command_pid"
            status=$?
            kill -0 "$command_pid" 2>/dev/null || exit "$status"
        done
    ' in_root "$root" "$command"
}

# copy_work_tree ROOT FOLDER: this work tree as it is, committed or not, cloned into FOLDER of ROOT.
copy_work_tree() {
    local destination="$1/$2"
    git clone --quiet --no-hardlinks "$PWD" "$destination"
    git ls-files -z --modified --others --exclude-standard |
        while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
        tar --null -T - -cf - | tar -C "$destination" -xf -
    git ls-files -z --deleted | (cd "$destination" && xargs -0r rm -f --)
}

# remove_root ROOT: ends every process left in ROOT, checks that nothing is mounted below it, and
# removes it without crossing file systems.
remove_root() {
    local root=$1 process left
    [ -e "$root" ] || return 0
    for _ in $(seq 50); do
        left=""
        for process in /proc/[0-9]*; do
            case "$(readlink "$process/root" 2>/dev/null)" in "$root" | "$root"/*) ;; *) continue ;; esac
            left=yes
            kill -KILL "${process#/proc/}" 2>/dev/null
        done
        [ -n "$left" ] || break
        sleep 0.1
    done
    [ -z "$left" ] || { echo "processes are still running in $root; it is left in place" >&2; return 1; }
    if findmnt -rn -o TARGET | grep -q -e "^$root/" -e "^$root\$"; then
        echo "something is still mounted below $root; it is left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
}

# root_folder NAME: the folder build/roots/NAME.PID for this shell's root, which is made there. A
# folder left there by a run that was killed outright, whose process is gone, is removed first.
root_folder() {
    local stale
    mkdir -p build/roots
    for stale in build/roots/*.*; do
        [[ "$stale" =~ \.([0-9]+)$ ]] || continue
        kill -0 "${BASH_REMATCH[1]}" 2>/dev/null || remove_root "$(realpath "$stale")" || return 1
    done
    echo "$(realpath build/roots)/$1.$$"
}

# run_in_clean_root SUITE COMMAND: makes a root of SUITE, clones this work tree into it and runs
# the shell command COMMAND there, in the clone; prints each step's time. The root is removed
# however the run ends, Ctrl+C and termination among them; one left by a run that was killed
# outright is removed by the next.
run_in_clean_root() {
    local suite=$1 command=$2 start=$SECONDS status=0
    root_check "$suite" || return 2
    clean_root="$(root_folder "$suite")" || return 1
    root_run=""
    # The command runs in the background, so that this shell handles a signal at once.
    trap '[ -z "$root_run" ] || kill -KILL "$root_run" 2>/dev/null; remove_root "$clean_root"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    trap 'exit 129' HUP
    make_root "$suite" "$clean_root" --include=git || return 1
    copy_work_tree "$clean_root" root/karsobel
    echo "== $suite root made: $((SECONDS - start)) s"
    start=$SECONDS
    in_root "$clean_root" "cd karsobel && $command" &
    root_run=$!
    wait "$root_run" || status=$?
    root_run=""
    if [ $status -eq 0 ]; then
        echo "== in the $suite root: $((SECONDS - start)) s"
    else
        echo "== in the $suite root: FAILED (status $status) after $((SECONDS - start)) s"
    fi
    return $status
}
