# SPDX-License-Identifier: MIT
# Sourced by the end-to-end benchmarks.
# best_of RUNS OUTPUT COMMAND: the shortest wall time of RUNS runs of COMMAND, in seconds, each
# writing OUTPUT afresh (an empty OUTPUT: nothing to remove first).
best_of() {
    best=""
    for _ in $(seq "$1"); do
        [ -z "$2" ] || rm -f "$2"
        start=$(date +%s.%N)
        sh -c "$3" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(echo "$start $end ${best:-1e9}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
    done
    echo "$best"
}
