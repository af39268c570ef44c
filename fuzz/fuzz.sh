#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# in their own build directory and runs each on a copy of its seed corpus.
# A finding ends with the target's report, the reproducer in base64 (also
# kept under $build/findings/) and status 1.
# Usage: fuzz/fuzz.sh [SECONDS per target, default 30] [TARGET ...]
#   TARGET: pagina ini elenco jet_sql cartella (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
secondi=${1:-30}
[ $# -gt 0 ] && shift
bersagli=("$@")
[ ${#bersagli[@]} -eq 0 ] && bersagli=(pagina ini elenco jet_sql cartella)

"$root/tools/setup-debian.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVAN_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target fuzz --parallel "$(nproc)"

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
esito=0
for b in "${bersagli[@]}"; do
  mkdir -p "$lavoro/$b/corpus"
  cp "$root/fuzz/corpus/$b/"* "$lavoro/$b/corpus/"
  opzioni=(-max_total_time="$secondi" -timeout=20 -print_final_stats=1)
  [ -f "$root/fuzz/$b.dict" ] && opzioni+=(-dict="$root/fuzz/$b.dict")
  if (cd "$lavoro/$b" && "$build/bin/fuzz_$b" "${opzioni[@]}" corpus >log 2>&1); then
    esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$lavoro/$b/log")
    copertura=$(grep -Eo 'cov: [0-9]+' "$lavoro/$b/log" | tail -1)
    echo "fuzz_$b: ${esecuzioni:-?} inputs in ${secondi}s, ${copertura:-cov: ?}, no finding"
  else
    esito=1
    echo "fuzz_$b: FINDING"
    grep -Ev '^#[0-9]+' "$lavoro/$b/log" | tail -80
    mkdir -p "$build/findings"
    for f in "$lavoro/$b"/crash-* "$lavoro/$b"/leak-* "$lavoro/$b"/timeout-* "$lavoro/$b"/oom-*; do
      [ -e "$f" ] || continue
      cp "$f" "$build/findings/fuzz_${b}-$(basename "$f")"
      echo "reproducer $build/findings/fuzz_${b}-$(basename "$f") (base64):"
      base64 -w0 "$f"
      echo
      echo "run it again: $build/bin/fuzz_$b $build/findings/fuzz_${b}-$(basename "$f")"
    done
  fi
done
exit $esito
