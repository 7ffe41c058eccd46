#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 30), seeded from data/ and examples/. A crash leaves its
# input in fuzz/findings/ and fails the run.
#   run_fuzzers.sh [SECONDS_EACH]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"
mkdir -p fuzz/findings
seed() {
  local target=$1 corpus=build-fuzz/corpus/$1
  mkdir -p "$corpus"
  case $target in
    catalogue) head -c 4000 data/yale.dat > "$corpus/yale-head" ;;
    constellations) cp data/cons.txt "$corpus/" ;;
    boundaries) head -c 4000 data/bounds.txt > "$corpus/bounds-head" ;;
    figure) cp examples/*.con "$corpus/" ;;
    profile) { printf '\xff'; cat examples/orvanta.ini; } > "$corpus/orvanta.ini"
             # UTF-16 with its byte-order mark, as Windows' editors write it.
             { printf '\xff'; iconv -f UTF-8 -t UTF-16 examples/orvanta.ini; } > "$corpus/orvanta-utf16.ini" ;;
    file_paths) cp data/cons.txt examples/orvanta.ini "$corpus/"; head -c 4000 data/yale.dat > "$corpus/yale-head"
                head -c 4000 data/bounds.txt > "$corpus/bounds-head"; cp examples/*.con "$corpus/"
                # Large from the start: one field of a megabyte, and an orvanta.ini just over its limit.
                head -c 1100000 /dev/zero | tr '\0' '7' > "$corpus/long-field"
                { cat examples/orvanta.ini; head -c 1100000 /dev/zero | tr '\0' ';'; } > "$corpus/large.ini" ;;
    fab) printf 'Ori 2 1 2 2 3\n# a comment\nUMa 1 4 5\n' > "$corpus/constellationship.fab" ;;
    index_json) printf '{"id":"f","constellations":[{"id":"CON f Ori","lines":[["thin",1,2,3],[4,[5.5,-3.0]]]}]}' > "$corpus/index.json" ;;
    geojson) printf '{"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":{"type":"MultiLineString","coordinates":[[[0.0,-80.0],[9.0,-60.0]]]}}]}' > "$corpus/lines.json" ;;
    star_ids) head -c 4000 data/star_ids.txt > "$corpus/star-ids-head"; cp data/cons_bands.txt "$corpus/" ;;
    culture_current) { printf '{"id":"f","x":{"y":[1,2]},"constellations":[{"id":"CON f Ori","lines":[["thin",1,2,"DSO:M45"],[[5.5,-3.0],4]],'
                       printf '"common_name":{"english":"Hunter","native":"\u014c"},"image":{"file":"a.png","size":[9,9],"anchors":[{"pos":[1,1],"hip":1},{"pos":[8,1],"hip":2},{"pos":[4,8],"hip":3}]}}],'
                       printf '"common_names":{"HIP 1":[{"english":"One"}]}}\0# F\n\n## Introduction\n\nx\n'; } > "$corpus/culture" ;;
    culture_older) printf '[info]\nname = F\n\0\xEF\xBB\xBFOri 2 1 2 2 3\r\nUMa\t1 4 5\n\0Ori\t"Orion"\t_("Hunter") 1\n\0 1|_("One")\n2|("Two")\n\0Ori o.png 1 1 1 9 1 2 5 9 3\n' > "$corpus/culture" ;;
  esac
  [ -d "fuzz/regressions/$target" ] && cp fuzz/regressions/$target/* "$corpus/" 2>/dev/null || true
  echo "$corpus"
}
status=0
# Large inputs too: long fields, long files and files over a reader's limit.
# The file-path target starts at its full length rather than growing to it.
length_options() {
  case $1 in
    file_paths) echo "-max_len=1200000 -len_control=0" ;;
    *) echo "-max_len=262144" ;;
  esac
}
for target in catalogue constellations boundaries figure profile file_paths fab index_json geojson star_ids \
    culture_current culture_older; do
  corpus=$(seed $target)
  echo "== fuzz_$target for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/fuzz_$target "$corpus" -max_total_time="$seconds" $(length_options $target) \
       -timeout=10 -rss_limit_mb=2048 -artifact_prefix=fuzz/findings/$target- -print_final_stats=1 2>&1 |
       grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)"; then
    :
  fi
  if ls fuzz/findings/$target-* >/dev/null 2>&1; then status=1; echo "fuzz_$target found a problem: fuzz/findings/"; fi
done
exit $status
