#!/usr/bin/env bash
# run_seeds.sh FUZZER WORKDIR RUNS SEEDDIR...: a short, reproducible fuzzing run that starts
# from the committed seeds. New inputs go to WORKDIR (emptied first), never to the seeds;
# a crash leaves its input in WORKDIR and fails the run.
set -euo pipefail
fuzzer=$1 work=$2 runs=$3
shift 3
rm -rf "$work"
mkdir -p "$work"
exec "$fuzzer" "$work" "$@" -runs="$runs" -seed=1 -max_len=4096 -timeout=20 -max_total_time=45 \
  -close_fd_mask=2 -artifact_prefix="$work/" -print_final_stats=1
