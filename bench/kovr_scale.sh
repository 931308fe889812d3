#!/bin/sh
# kovr at scale: a linear regression of a 1,000,000 x 10 CSV file (about
# 80 MB) with the template's default choices, against a plain R script doing
# what an analyst would type (read.csv, lm, summary, anova, confint,
# predict). Prints both times, kovr's own time (everything but Rscript) and
# peak memory, and last the ratio of the two times.
#
# usage: bench/kovr_scale.sh [BUILD_DIR] [ROWS]   (defaults: build, 1000000)
# Not part of CI: it takes about a minute and its times depend on the machine.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
rows=${2:-1000000}
kovr=$build/bin/kovr
[ -x "$kovr" ] || { echo "no kovr at $kovr: build first" >&2; exit 2; }
command -v Rscript >/dev/null || { echo "Rscript is not installed" >&2; exit 3; }
export LC_ALL=C.UTF-8

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kovr-scale-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
data=$scratch/scale.csv

# y depends on the nine x columns plus noise; fixed seed, so every run reads
# the same file.
awk -v rows="$rows" 'BEGIN {
  srand(20240502)
  print "y,x1,x2,x3,x4,x5,x6,x7,x8,x9"
  for (i = 0; i < rows; i++) {
    y = 0; line = ""
    for (j = 1; j <= 9; j++) { x = rand() * 100 - 50; y += j * x / 10; line = line sprintf(",%.4f", x) }
    printf "%.4f%s\n", y + rand() * 10, line
  }
}' >"$data"
bytes=$(wc -c <"$data")

seconds() { date +%s.%N; }

cat >"$scratch/plain.R" <<'EOF'
d <- read.csv(commandArgs(TRUE)[1])
m <- lm(y ~ ., data=d)
print(summary(m))
print(anova(m))
print(confint(m))
p <- predict(m)
EOF
start=$(seconds)
Rscript --vanilla "$scratch/plain.R" "$data" >"$scratch/plain.out" 2>&1
plain=$(awk -v a="$start" -v b="$(seconds)" "BEGIN { print b - a }")

start=$(seconds)
"$kovr" run Regression/linear_regression.xml --data "$data" --y y --x x1,x2,x3,x4,x5,x6,x7,x8,x9 \
  --work "$scratch/work" >"$scratch/kovr.out" 2>"$scratch/kovr.err" || { cat "$scratch/kovr.err" >&2; exit 5; }
whole=$(awk -v a="$start" -v b="$(seconds)" "BEGIN { print b - a }")

# kovr's last progress line: "finished in T s, of which R R s and kovr K s
# (kovr's processor time P s); kovr's peak memory M MB"
own=$(sed -n 's/.*and kovr \([0-9.]*\) s.*/\1/p' "$scratch/kovr.err")
cpu=$(sed -n 's/.*processor time \([0-9.]*\) s.*/\1/p' "$scratch/kovr.err")
peak=$(sed -n 's/.*peak memory \([0-9]*\) MB.*/\1/p' "$scratch/kovr.err")

awk -v rows="$rows" -v bytes="$bytes" -v plain="$plain" -v whole="$whole" -v own="$own" -v cpu="$cpu" -v peak="$peak" 'BEGIN {
  mb = bytes / 1048576
  printf "data: %d rows x 10 columns, %.1f MB\n", rows, mb
  printf "plain R script (read.csv, lm, summary, anova, confint, predict): %.2f s\n", plain
  printf "kovr run (linear regression, default choices):                   %.2f s\n", whole
  printf "kovr own time (all but Rscript): %.2f s; its processor time (statistics included): %.2f s\n", own, cpu
  printf "kovr peak memory: %d MB (%.2fx the file)\n", peak, peak / mb
  printf "ratio kovr run / plain R script: %.2f\n", whole / plain
}'
