#!/usr/bin/env bash
# Times the first build of `make run` as a new user meets it: a fresh clone of
# revision REV (default HEAD) of this repository, the Debian packages already
# installed, no compiler cache. Only the build is timed (`make build`, which
# `make run` runs before it starts the window).
#   scripts/time-first-build.sh [REV]
# Prints the wall and processor time, the machine's load while it ran (the
# build itself adds about the number of jobs), how many objects were compiled
# and the slowest of them from ninja's log. The clone is removed afterwards
# unless KEEP=1. On a shared machine, run it under the lock the others take:
#   flock /work/wt/heavy.lock scripts/time-first-build.sh 71dea53
set -euo pipefail
repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
rev=${1:-HEAD}
commit=$(git -C "$repo" rev-parse --verify "$rev^{commit}")

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvo-first-build.XXXXXX")
sampler=""
cleanup() {
    if [ -n "$sampler" ]; then kill "$sampler" 2>/dev/null || true; fi
    if [ "${KEEP:-0}" != 1 ]; then rm -rf "$work"; else echo "kept $work"; fi
}
trap cleanup EXIT
git clone -q --no-checkout "$repo" "$work/kalvo"
git -C "$work/kalvo" checkout -q "$commit"
cd "$work/kalvo"

# The one-minute load average every five seconds while the build runs.
(while :; do cut -d' ' -f1 /proc/loadavg; sleep 5; done) >"$work/load" &
sampler=$!

env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER CCACHE_DISABLE=1 \
    /usr/bin/time -f '%e %U %S' -o "$work/time" make build >"$work/build.log" 2>&1 ||
    { tail -n 30 "$work/build.log"; exit 1; }
kill "$sampler" 2>/dev/null || true
sampler=""

read -r wall user sys <"$work/time"
echo "revision   $(git log -1 --format='%h %s' | cut -c1-72)"
echo "wall       ${wall} s"
echo "processor  $(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.1f", u + s }') s (user + sys)"
awk '{ n++; t += $1; if (n == 1 || $1 < lo) lo = $1; if ($1 > hi) hi = $1 }
     END { printf "load       %.2f mean, %.2f to %.2f (1-minute average, %d samples; %d cores)\n",
           t / n, lo, hi, n, '"$(nproc)"' }' "$work/load"
# .ninja_log: start and end in ms, mtime, output, hash.
objects() { awk -F'\t' '$4 ~ /\.o$/' build/.ninja_log; }
echo "objects    $(objects | wc -l) compiled"
echo "slowest:"
objects | awk -F'\t' '{ printf "%8.1f s  %s\n", ($2 - $1) / 1000, $4 }' | sort -rn | head -n 12
