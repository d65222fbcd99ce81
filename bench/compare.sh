#!/usr/bin/env bash
# Sumbrook's digests against the fastest library on this machine. Each
# algorithm is measured in pairs, ours and theirs back to back (which one
# first alternates from run to run), RUNS times over; the table gives the
# median MB/s (10^6 bytes) of each, the median of the per-pair ratios and
# their range. On a shared machine whose speed drifts from one minute to the
# next, only a pair measured side by side gives a ratio worth quoting.
#
#   bench/compare.sh [build-dir]      (default build/ci; RUNS=5)
#
# References: ISA-L crc32_gzip_refl and libmhash RIPEMD-128 through
# reference_bench (built where libisal-dev and libmhash-dev are installed),
# `openssl speed -evp X -bytes 16384` and `rhash -B`.
set -euo pipefail

build=${1:-build/ci}
runs=${RUNS:-5}
ours="$build/bench/digest_bench"
reference="$build/bench/reference_bench"
[ -x "$ours" ] || { echo "no $ours: build the digest_bench target" >&2; exit 1; }
results=$(mktemp)
trap 'rm -f "$results"' EXIT

have() { command -v "$1" > /dev/null 2>&1; }

# Each prints one MB/s figure, or nothing where the tool is missing.
google_bench() { # program benchmark-name
  [ -x "$1" ] || return 0
  "$1" --benchmark_filter="^$2\$" --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 { print $NF }'
}

openssl_speed() { # algorithm [options...]
  have openssl || return 0
  local algorithm=$1
  shift
  # The figure is in 1000s of bytes per second.
  openssl speed "$@" -evp "$algorithm" -bytes 16384 -seconds 1 2>/dev/null |
    awk -v a="$algorithm" '$1 == a { sub(/k$/, "", $2); printf "%.1f\n", $2 / 1000 }'
}

rhash_speed() { # option
  have rhash || return 0
  # rhash prints MiB per second as "MBps".
  rhash -B "$1" 2>/dev/null |
    awk '/total in/ { for (i = 1; i <= NF; ++i) if ($i == "MBps,") printf "%.1f\n", $(i - 1) * 1.048576 }'
}

theirs() { # reference
  case $1 in
    isal/* | mhash/*) google_bench "$reference" "$1" ;;
    openssl/md4) openssl_speed md4 -provider legacy -provider default ;;
    openssl/*) openssl_speed "${1#openssl/}" ;;
    rhash/RipeMD-160) rhash_speed --ripemd160 ;;
    rhash/Tiger192) rhash_speed --tiger ;;
  esac
}

# algorithm  reference  target
rows="CRC32_FCS32 isal/crc32_gzip_refl >=0.80
SHA1 openssl/sha1 >=1.00
SHA256 openssl/sha256 >=1.00
SHA384 openssl/sha384 >=1.00
SHA512 openssl/sha512 >=1.00
MD4 openssl/md4 >=1.00
MD5 openssl/md5 >=1.00
RipeMD-128 mhash/RipeMD-128 >=1.05
RipeMD-160 rhash/RipeMD-160 >=1.05
Tiger192 rhash/Tiger192 >=1.05
Haval256 - >=600MB/s"

# Lines "<algorithm> <ours> <theirs>"; theirs is "-" where there is none.
for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  while read -r name ref _; do
    if [ $((run % 2)) -eq 1 ]; then
      mine=$(google_bench "$ours" "$name")
      other=$(theirs "$ref")
    else
      other=$(theirs "$ref")
      mine=$(google_bench "$ours" "$name")
    fi
    printf '%s %s %s\n' "$name" "${mine:--}" "${other:--}" >> "$results"
  done <<< "$rows"
done

median() { # reads numbers, one a line
  sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

printf '%-12s %9s  %-22s %9s  %6s  %-11s %s\n' algorithm ours reference theirs ratio range target
while read -r name ref target; do
  mine=$(awk -v k="$name" '$1 == k && $2 != "-" { print $2 }' "$results" | median)
  other=$(awk -v k="$name" '$1 == k && $3 != "-" { print $3 }' "$results" | median)
  ratios=$(awk -v k="$name" '$1 == k && $2 != "-" && $3 != "-" && $3 > 0 { printf "%.3f\n", $2 / $3 }' "$results")
  ratio=$(printf '%s\n' "$ratios" | grep . | median || true)
  range=$(printf '%s\n' "$ratios" | grep . | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { if (NR) printf "%.2f-%.2f", lo, hi }' || true)
  printf '%-12s %9.1f  %-22s %9s  %6s  %-11s %s\n' "$name" "${mine:-0}" "$ref" "${other:--}" \
    "$([ -n "$ratio" ] && printf '%.2f' "$ratio" || echo -)" "${range:--}" "$target"
done <<< "$rows"
