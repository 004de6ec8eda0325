#!/usr/bin/env bash
# Mutation check: applies the single-line mutants of scripts/mutants.txt to the
# core one at a time, rebuilds, runs the test programs that link the mutated
# code and reports which mutants no test noticed (the survivors).
#
#   scripts/mutate.sh [-f MUTANTS] [-b BUILD_DIR] [-k] [WORD...]
#
#   -f MUTANTS   the mutants file (default scripts/mutants.txt)
#   -b BUILD_DIR its own build (default build/mutate: Debug, no sanitizers, ccache)
#   -k           skip the check that the unmutated suite passes
#   WORD...      only the mutants whose file or description contains one of the words
#
# A mutant is a line "file<TAB>text<TAB>replacement<TAB>description": the one
# line of the file that contains the text gets it replaced.  Matching by text,
# not by line number, keeps the list valid while the code around it changes; a
# text found on no line or on several is reported as STALE and skipped.
# Every test program that the mutated file relinks runs (plus the programs
# that drive velkar-cli or velkar-sim when those relink); the first failing one
# kills the mutant.  The file is restored after each mutant, also on Ctrl-C.
# The report goes to standard output and to BUILD_DIR/mutation-report.txt.
# The machine is shared: run it as `nice -n 10 scripts/mutate.sh`.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

mutants=scripts/mutants.txt
build=build/mutate
check_clean=1
while getopts "f:b:k" opt; do
  case $opt in
    f) mutants=$OPTARG ;;
    b) build=$OPTARG ;;
    k) check_clean=0 ;;
    *) sed -n '2,12p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
only=("$@")

export CCACHE_DIR=${CCACHE_DIR:-/work/.ccache-dir} CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work} CCACHE_NOHASHDIR=1
jobs=${MUTATE_JOBS:-2}
per_program_timeout=${MUTATE_TIMEOUT:-300}

if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELKAR_SANITIZE=OFF -DVELKAR_WERROR=OFF \
    -DVELKAR_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    $(command -v ld.lld >/dev/null && echo -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld) >/dev/null || exit 1
else
  # The target list below is read from build.ninja: bring it up to date first.
  cmake -S . -B "$build" >/dev/null || exit 1
fi
# Only the test programs and the two executables they run are ever built.
mapfile -t all < <(sed -nE 's/^# Link build statements for EXECUTABLE target ([A-Za-z0-9_-]+)$/\1/p' \
  "$build/build.ninja" | grep -E '_tests$|^velkar-(cli|sim)$')
echo "== build ($build)"
ninja -C "$build" -j "$jobs" "${all[@]}" >/dev/null || { echo "the unmutated build fails"; exit 1; }

# Test programs that run velkar-cli / velkar-sim as a process: they depend on
# the executable only by order, so a relink of it does not show on them.
programs_using() {
  grep -rhoE "add_dependencies\([A-Za-z0-9_]+ [^)]*\b$1\b" tests --include=CMakeLists.txt |
    sed -E 's/add_dependencies\(([A-Za-z0-9_]+).*/\1/'
}
mapfile -t cli_programs < <(programs_using velkar-cli)
mapfile -t sim_programs < <(programs_using velkar-sim)

program_path() { find "$build/tests" -type f -name "$1" -perm -u+x | head -n1; }

# Runs the given test programs; prints the first that fails and returns 1.
run_programs() {
  local name exe
  for name in "$@"; do
    exe=$(program_path "$name")
    [[ -n $exe ]] || continue
    if ! (cd "$(dirname "$exe")" && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
          timeout "$per_program_timeout" "./$name" --gtest_fail_fast --gtest_brief=1 >/dev/null 2>&1); then
      echo "$name"
      return 1
    fi
  done
  return 0
}

if (( check_clean )); then
  echo "== unmutated suite"
  mapfile -t names < <(find "$build/tests" -type f -perm -u+x -name '*_tests' -printf '%f\n' | sort)
  if failed=$(run_programs "${names[@]}"); then :; else
    echo "the unmutated suite fails in $failed: fix it first"; exit 1
  fi
fi

backup=$(mktemp)
current=""
restore() { [[ -n $current ]] && cp -p "$backup" "$current" && touch "$current"; current=""; }
trap 'restore; rm -f "$backup"; exit 130' INT TERM
trap 'restore; rm -f "$backup"' EXIT

report=$build/mutation-report.txt
: >"$report"
say() { echo "$*" | tee -a "$report"; }

total=0 killed=0 survived=0 stale=0 broken=0
survivors=()
n=0
while IFS=$'\t' read -r file text replacement description; do
  [[ -z $file || $file == \#* ]] && continue
  n=$((n + 1))
  if ((${#only[@]})); then
    wanted=0
    for word in "${only[@]}"; do [[ $file == *"$word"* || $description == *"$word"* ]] && wanted=1; done
    ((wanted)) || continue
  fi
  label="#$n $file: $description"
  if [[ ! -f $file ]]; then say "STALE     $label (no such file)"; stale=$((stale + 1)); continue; fi
  hits=$(grep -cF -- "$text" "$file")
  if [[ $hits -ne 1 ]]; then
    say "STALE     $label (text on $hits lines)"
    stale=$((stale + 1))
    continue
  fi
  total=$((total + 1))
  cp -p "$file" "$backup"
  current=$file
  MUT_TEXT=$text MUT_REPLACEMENT=$replacement python3 - "$file" <<'EOF'
import os, sys
path = sys.argv[1]
text, replacement = os.environ["MUT_TEXT"], os.environ["MUT_REPLACEMENT"]
data = open(path, "rb").read().decode("utf-8")
open(path, "wb").write(data.replace(text, replacement, 1).encode("utf-8"))
EOF
  # The programs this mutant relinks, read from a dry run of the build; the
  # tests of the mutated folder run first, those that drive velkar-cli last.
  mapfile -t relinked < <(ninja -C "$build" -n "${all[@]}" 2>/dev/null |
    sed -nE 's/.*Linking CXX executable (.*)$/\1/p' | xargs -r -n1 basename)
  folder=$(basename "$(dirname "$file")")
  programs=()
  for exe in "${relinked[@]}"; do
    case $exe in
      "$folder"_tests) programs=("$exe" "${programs[@]}") ;;
      *_tests) programs+=("$exe") ;;
    esac
  done
  for exe in "${relinked[@]}"; do
    case $exe in
      velkar-cli) programs+=("${cli_programs[@]}") ;;
      velkar-sim) programs+=("${sim_programs[@]}") ;;
    esac
  done
  mapfile -t programs < <(printf '%s\n' "${programs[@]}" | awk 'NF && !seen[$0]++')
  if ! ninja -C "$build" -j "$jobs" "${all[@]}" >/dev/null 2>&1; then
    say "NOBUILD   $label"
    broken=$((broken + 1))
  elif failed=$(run_programs "${programs[@]}"); then
    say "SURVIVED  $label (ran ${programs[*]:-nothing})"
    survived=$((survived + 1))
    survivors+=("$label")
  else
    say "killed    $label (by $failed)"
    killed=$((killed + 1))
  fi
  restore
done <"$mutants"

# Leave the build matching the restored sources.
ninja -C "$build" -j "$jobs" "${all[@]}" >/dev/null 2>&1

say ""
say "mutants applied: $total   killed: $killed   survived: $survived   did not build: $broken   stale: $stale"
if (( total > broken )); then
  say "mutation score: $(( 100 * killed / (total - broken) ))% of the mutants that built"
fi
(( survived == 0 ))
