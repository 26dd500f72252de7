#!/usr/bin/env bash
# Every menu command and every tool on a 16000 x 12000 picture (bench_window's
# sweep, through the main window) under a memory limit: each must either work
# or be refused with a message (the row's label), and the process must
# survive. Usage: memory_limit_trial.sh [BUILD] [LIMIT_MB]
# Needs a release build with the benchmarks, and root for a control group of
# its own (systemd-run --scope -p MemoryMax=... does the same where systemd
# runs the machine).
set -euo pipefail
build=${1:-build}
limit_mb=${2:-2200}
sweep=("$build/bench/bench_window" --benchmark_filter='BM_Sweep')

if [ -d /run/systemd/system ]; then
    exec systemd-run --scope -p MemoryMax="${limit_mb}M" -p MemorySwapMax=0 "${sweep[@]}"
fi

# A group below this process's own, in whichever hierarchy has the memory
# controller: cgroup v2 (memory.max) or v1 (memory.limit_in_bytes).
own=$(awk -F: '$2 ~ /(^|,)memory(,|$)/ { print $3 }' /proc/self/cgroup)
if [ -n "$own" ] && [ -d "/sys/fs/cgroup/memory$own" ]; then
    group="/sys/fs/cgroup/memory$own/kalvo-trial-$$"
    mkdir "$group"
    echo $((limit_mb << 20)) > "$group/memory.limit_in_bytes"
    [ -f "$group/memory.memsw.limit_in_bytes" ] &&
        echo $((limit_mb << 20)) > "$group/memory.memsw.limit_in_bytes"
else
    own=$(awk -F: '$1 == "0" { print $3 }' /proc/self/cgroup)
    group="/sys/fs/cgroup$own/kalvo-trial-$$"
    mkdir "$group"
    echo $((limit_mb << 20)) > "$group/memory.max"
    echo 0 > "$group/memory.swap.max" 2>/dev/null || true
fi
trap 'rmdir "$group" 2>/dev/null || true' EXIT
status=0
sh -c 'echo $$ > "$1/cgroup.procs"; shift; exec "$@"' sh "$group" "${sweep[@]}" || status=$?
echo "bench_window ended with status $status (137: killed)"
exit "$status"
