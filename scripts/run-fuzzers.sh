#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for SECONDS each.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
# Corpora live in BUILD_DIR/fuzz-corpus/<target> and grow from run to run;
# logs and crash inputs go to BUILD_DIR/fuzz-logs and BUILD_DIR/fuzz-artifacts.
# Exits non-zero when any target crashes, hangs or runs out of memory.
set -uo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build_dir=$1
seconds=$2
bin_dir="$build_dir/bin"
corpus_root="$build_dir/fuzz-corpus"
log_dir="$build_dir/fuzz-logs"
artifact_dir="$build_dir/fuzz-artifacts"
mkdir -p "$corpus_root" "$log_dir" "$artifact_dir"

# seed DIR NAME HEX: one seed file from hex digits ("" is the empty input).
seed() {
  local hex=$3 escaped=""
  while [[ -n $hex ]]; do
    escaped+="\\x${hex:0:2}"
    hex=${hex:2}
  done
  printf "$escaped" >"$1/$2"
}

# Control byte: template in bits 0-2, Ctrl+Alt in bit 3, mode in bits 4-5.
# The second byte picks the anchor (index into the harness's table), then a
# little-endian offset from it, then the bytes to write there.
seed_codeplug_load() {
  local dir=$1 t k held
  seed "$dir" empty ""
  for t in 0 1 2 3 4; do
    held=$(printf '%x' $((t + 8)))
    seed "$dir" "blank-$t" "0$t"
    seed "$dir" "blank-ctrl-alt-$t" "0$held"
    seed "$dir" "raw-$t" "2${t}4466755365"  # "DfuSe" at the start of a zeroed file
    for k in 0 1 2 3 4 5 6 7 8 9 a b; do
      seed "$dir" "type-$t-$k" "3$t${k}0"
      seed "$dir" "type-ctrl-alt-$t-$k" "3$held${k}0"
    done
    # A first record with a name, so the list sections keep something.
    seed "$dir" "text-message-$t" "0${t}050000410042002000"
    seed "$dir" "emergency-$t" "0${t}0610004100420043"
    seed "$dir" "contacts-256-$t" "0${t}070400410042"
    seed "$dir" "group-list-$t" "0${t}0800004100"
    seed "$dir" "zone-$t" "0${t}0900002000410020"
    seed "$dir" "scan-list-$t" "0${t}0a00004100"
    seed "$dir" "channels-256-$t" "0${t}0b2000410042"
    seed "$dir" "zone-extension-$t" "0${t}0c00000100"
    seed "$dir" "channels-uv-$t" "0${t}0d2000410042"
    seed "$dir" "contacts-uv-$t" "0${t}0e0400410042"
    # Two named records and a gap: the records after the gap get cleared.
    seed "$dir" "channels-gap-$t" "0${t}0d20004100$(printf '%0124d' 0)4200$(printf '%0252d' 0)4300"
  done
}

seed_validate() {
  local dir=$1 zeros
  seed "$dir" empty ""
  seed "$dir" dfuse "4466755365012501040001"
  zeros=$(printf '%0586d' 0)  # up to the type string at 0x125
  seed "$dir" type-md390 "${zeros}4d44333930"
  seed "$dir" type-uv390 "${zeros}4d442d5556333930"
  seed "$dir" type-control "${zeros}1f444d2d313730310041"
}

# First byte: the kind (0 detect, 1 last heard, 2 and 3 user database).
seed_csv_parse() {
  local dir=$1 kind name text
  seed "$dir" empty ""
  while IFS='|' read -r kind name text; do
    printf '%b' "$text" | od -An -tx1 | tr -d ' \n' >"$dir/.hex"
    seed "$dir" "$name" "$kind$(cat "$dir/.hex")"
  done <<'LINES'
00|detect-users|Radio_ID,Callsign,Name,City,State,Country,Remarks\r\n2345678,DL1ABC,Hans,Berlin,BE,Germany,DMR\r\n
00|detect-alternative|radio id,callsign,name,city,state/prov,country,remarks\n1,A1,"Doe, J",c,s,p,Land\n
00|detect-last-heard|num;callsign;dmrid;name;age\n1;DL1A;2621234;Anna;12\n
00|headerless|1,DL1A,N,c,s,D,DMR\n2,DL2B,"open,c,s,D,DMR\n
01|last-heard|1;DL1A;2621234;Anna;12\n2;;2049125;X;y\n
02|users|3,C,N,c,s,D\n1,A,N,c,s,D\n3,C,M,c,s,D\n
03|alternative|1|A|N|c|s|p|Land\n
LINES
  rm -f "$dir/.hex"
}

# First byte: 0 a whole file, 1 a file with its CRCs made right, 2 records
# for a round trip (bit 7: last-heard magic).
seed_dat_load() {
  local dir=$1 records
  seed "$dir" empty ""
  records=$(printf '%0496d' 0)
  seed "$dir" round-trip "02${records}${records}"
  seed "$dir" resealed "01b9e737a80100000002000000000000f8000000000000000000000000000000000000001f000100"
  seed "$dir" header "00b9e737a801000000020000000000"
}

targets=()
for binary in "$bin_dir"/fuzz_*; do
  [[ -x $binary ]] && targets+=("$binary")
done
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "no fuzz targets in $bin_dir (configure with -DTAMBERLIN_FUZZ=ON and build first)" >&2
  exit 2
fi

failed=0
summary=()
for binary in "${targets[@]}"; do
  name=$(basename "$binary")
  corpus="$corpus_root/$name"
  mkdir -p "$corpus"
  case $name in
    fuzz_codeplug_load) seed_codeplug_load "$corpus" ;;
    fuzz_validate) seed_validate "$corpus" ;;
    fuzz_csv_parse) seed_csv_parse "$corpus" ;;
    fuzz_dat_load) seed_dat_load "$corpus" ;;
  esac
  log="$log_dir/$name.log"
  echo "== $name: ${seconds}s, log $log"
  start=$(date +%s)
  "$binary" "$corpus" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=60 \
    -print_final_stats=1 -artifact_prefix="$artifact_dir/$name-" >"$log" 2>&1
  status=$?
  elapsed=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [[ $status -eq 0 ]]; then
    result="clean"
  else
    failed=1
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    kind=$(grep -m 1 -oE 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer): [^ ]+|runtime error: .*|invariant broken: .*' "$log")
    result="FAILED (exit $status${kind:+: $kind}${artifact:+; input $artifact})"
    grep -m 1 -A 30 -E '==ERROR|runtime error|invariant broken|ALARM' "$log" >&2
  fi
  summary+=("$(printf '%-20s runs %-10s seconds %-5s %s' "$name" "${runs:-?}" "$elapsed" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
exit "$failed"
