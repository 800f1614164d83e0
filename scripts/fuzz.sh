#!/usr/bin/env bash
# The open-ended search for inputs that break a reader or a proposer of sets: libFuzzer (clang,
# AddressSanitizer, UndefinedBehaviorSanitizer) from each target's kept inputs, for MINUTES per
# target (10 unless given), one target after another; the test command runs only the kept inputs
# and their fixed variants.
#   scripts/fuzz.sh [MINUTES] [TARGET...]   targets: lwo obj render settings_load settings_file sets
# A search goes on after a finding. Findings land in fuzz/findings/TARGET/ (crash-*, timeout-*,
# oom-*, leak-*; git ignores the folder); replay one with build/fuzz/fuzz/TARGET_fuzzer FILE.
# Once mended, a finding is kept as fuzz/corpus/TARGET/<its sha1sum>. What a search explored is
# kept in build/fuzz/explored/TARGET, so that the next search goes on from there; its log beside.
# Exits 1 when a finding is waiting in fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-10}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(lwo obj render settings_load settings_file sets)
case "$minutes" in
    '' | *[!0-9]*)
        echo "fuzz.sh: minutes must be a whole number, not '$minutes'" >&2
        exit 2
        ;;
esac
for target in "${targets[@]}"; do
    if [ ! -f "fuzz/${target}_fuzzer.cpp" ]; then
        echo "fuzz.sh: no fuzz target '$target' (fuzz/${target}_fuzzer.cpp)" >&2
        exit 2
    fi
done

scripts/install-deps.sh full
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

for target in "${targets[@]}"; do
    findings=fuzz/findings/$target
    explored=build/fuzz/explored/$target
    mkdir -p "$findings" "$explored"
    echo "=== $target: $minutes min, log in $explored.log"
    build/fuzz/fuzz/${target}_fuzzer -fork=1 -ignore_crashes=1 -ignore_timeouts=1 \
        -ignore_ooms=1 -timeout=30 -rss_limit_mb=2048 -max_total_time=$((minutes * 60)) \
        -dict=fuzz/$target.dict -artifact_prefix="$findings/" "$explored" fuzz/corpus/$target \
        >"$explored.log" 2>&1 || true
    grep -E '^#[0-9]+: cov:' "$explored.log" | tail -1 || true
done

waiting=$(find fuzz/findings -type f | sort)
if [ -n "$waiting" ]; then
    echo "findings waiting in fuzz/findings:"
    echo "$waiting"
    exit 1
fi
echo "no findings"
