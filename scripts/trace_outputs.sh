#!/usr/bin/env bash
# Writes what drill-trace prints for every built-in problem into a folder: the banks, the
# worked solution of every problem (text and draw log) and every answer typed denominator
# first (text and draw log). Two such folders compare with `diff -r`: a change that should
# leave what the pupil sees alone leaves them byte for byte the same.
#   scripts/trace_outputs.sh BUILD_DIR OUT_DIR
set -euo pipefail
trace="$1/bin/drill-trace"
out="$2"
mkdir -p "$out"
"$trace" banks >"$out/banks.txt"
# The worked solution explains the equation before the instruction, as judging hands it over.
cut -f3 "$out/banks.txt" | sed 's/ 方程式を.*$//' >"$out/equations.txt"
"$trace" solve <"$out/equations.txt" >"$out/solve.txt"
"$trace" solve --log <"$out/equations.txt" >"$out/solve-log.txt"
# x=-8/3 is typed x=-3/8: the denominator first.
cut -f4 "$out/banks.txt" | sort -u |
    sed -E 's#^(x=-?)([0-9]+)/([0-9]+)$#\1\3/\2#' >"$out/answer-keys.txt"
"$trace" keys <"$out/answer-keys.txt" >"$out/keys.txt"
"$trace" keys --log <"$out/answer-keys.txt" >"$out/keys-log.txt"
wc -l "$out"/*.txt | sed '$d'
