#!/usr/bin/env bash
# Times one aggregate, the sums of CUSTNUM and DISCPCT over the records of the
# 1,000,000-record sample customer table that are not deleted, read in several
# ways side by side,
# each as a whole process (start, open, one pass, print), and checks that all
# of them print the same sums. Then prints the in-process figures of the
# engine benchmark for its scan (which adds the deleted records too).
#
#   bench/peers/run-peers.sh [DATA_DIR]
#
# DATA_DIR defaults to /tmp/brimo-bench-1m; the data set is written there by
# `brimo-db sample` when CUST.DBF is absent. BUILD (default build-peers, under
# the repository) is configured as a Release build if needed; RUNS (default 7)
# sets the timed runs per command, after one untimed warm-up run.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
data=${1:-/tmp/brimo-bench-1m}
build=${BUILD:-$repo/build-peers}
runs=${RUNS:-7}

if [[ ! -f $build/build.ninja ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
ninja -C "$build" peer_sum brimo-db bench_engine_customers >/dev/null
db=$build/tools/brimo-db/brimo-db
sum=$build/bench/peers/peer_sum

if [[ ! -f $data/CUST.DBF ]]; then
    "$db" sample "$data" --records 1000000 >/dev/null
fi

# The same records in a native SQLite table: numeric fields with numeric
# affinity, everything else as text.
sqlite_db=$data/peers/cust.sqlite
if [[ ! -f $sqlite_db ]]; then
    mkdir -p "$data/peers"
    columns=$("$db" info "$data/CUST.DBF" | awk -F'\t' '
        $1 == "field" { printf "%s%s %s", sep, $2, ($3 == "N" || $3 == "F") ? "NUMERIC" : "TEXT"; sep = ", " }')
    "$db" dump "$data/CUST.DBF" >"$data/peers/cust.csv"
    sqlite3 "$sqlite_db.tmp" "CREATE TABLE cust ($columns);" ".import --csv --skip 1 $data/peers/cust.csv cust"
    mv "$sqlite_db.tmp" "$sqlite_db"
    rm "$data/peers/cust.csv"
fi

names=(
    "engine: Table::scan"
    "plain C loop (1 MiB reads, strtod)"
    "engine: brimo-db sql"
    "SQLite: sqlite3 CLI"
)
commands=(
    "$sum engine $data/CUST.DBF CUSTNUM DISCPCT"
    "$sum plain $data/CUST.DBF CUSTNUM DISCPCT"
    "$db sql $data 'SELECT SUM(CUSTNUM), SUM(DISCPCT) FROM CUST' --csv"
    "sqlite3 -csv $sqlite_db 'SELECT SUM(CUSTNUM), SUM(DISCPCT) FROM cust'"
)

# The last output line as two sums with three decimals.
sums_of() { tail -n 1 | awk -F, '{ printf "%.3f,%.3f", $1, $2 }'; }

# Median wall time of a command in milliseconds.
median_ms() {
    local times=() start end
    eval "$1" >/dev/null
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        eval "$1" >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { m = int((NR + 1) / 2); printf "%.1f", t[m] / 1000 }'
}

expected=$(eval "${commands[1]}" | sums_of)
echo "sums of CUSTNUM, DISCPCT over the records of $data/CUST.DBF not deleted: $expected"
echo "median of $runs runs, whole process, page cache warm"
printf '%-38s %12s %10s\n' "reader" "median ms" "x plain"
plain_ms=
results=()
for i in "${!commands[@]}"; do
    got=$(eval "${commands[$i]}" | sums_of)
    if [[ $got != "$expected" ]]; then
        echo "${names[$i]}: sums $got differ from $expected" >&2
        exit 1
    fi
    results[$i]=$(median_ms "${commands[$i]}")
done
plain_ms=${results[1]}
for i in "${!commands[@]}"; do
    printf '%-38s %12s %10s\n' "${names[$i]}" "${results[$i]}" \
        "$(awk -v a="${results[$i]}" -v b="$plain_ms" 'BEGIN { printf "%.2f", a / b }')"
done

echo
echo "in-process, the engine benchmark (median of 5 repetitions):"
BRIMO_BENCH_DIR=$data "$build/bench/engine/bench_engine_customers" \
    --benchmark_filter='ScanTwoNumbers|PlainLoopTwoNumbers' 2>/dev/null | grep -E '_median|^Benchmark'
