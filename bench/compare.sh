#!/usr/bin/env bash
# Sumbrook's digests against the fastest library on this machine: runs
# digest_bench and each library's benchmark in turn, RUNS times interleaved,
# and prints the median MB/s (10^6 bytes) of each and their ratio.
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

# Each measurement is one line "<key> <MB/s>" in $results.
record() { printf '%s %s\n' "$1" "$2" >> "$results"; }

google_bench() { # program prefix
  "$1" --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
    awk -F, -v p="$2" 'NR > 1 { gsub(/"/, "", $1); print p $1, $NF }' >> "$results"
}

openssl_speed() { # key algorithm [options...]
  local key=$1 algorithm=$2
  shift 2
  local k
  # The figure is in 1000s of bytes per second.
  k=$(openssl speed "$@" -evp "$algorithm" -bytes 16384 -seconds 1 2>/dev/null |
    awk -v a="$algorithm" '$1 == a { sub(/k$/, "", $2); print $2 }')
  [ -n "$k" ] && record "$key" "$(awk -v k="$k" 'BEGIN { printf "%.1f", k / 1000 }')"
}

rhash_speed() { # key option
  local mibps
  # rhash prints MiB per second as "MBps".
  mibps=$(rhash -B "$2" 2>/dev/null | awk '/total in/ { for (i = 1; i <= NF; ++i) if ($i == "MBps,") print $(i - 1) }')
  [ -n "$mibps" ] && record "$1" "$(awk -v m="$mibps" 'BEGIN { printf "%.1f", m * 1.048576 }')"
}

have() { command -v "$1" > /dev/null 2>&1; }

for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  google_bench "$ours" "ours/"
  [ -x "$reference" ] && google_bench "$reference" ""
  if have openssl; then
    for a in sha1 sha256 sha384 sha512 md5; do openssl_speed "openssl/$a" "$a"; done
    openssl_speed openssl/md4 md4 -provider legacy -provider default
  fi
  if have rhash; then
    rhash_speed rhash/RipeMD-160 --ripemd160
    rhash_speed rhash/Tiger192 --tiger
  fi
done

median() { # key
  awk -v k="$1" '$1 == k { print $2 }' "$results" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

printf '%-12s %10s  %-26s %10s  %6s  %s\n' algorithm ours reference theirs ratio target
row() { # name reference-key target
  local mine theirs ratio
  mine=$(median "ours/$1")
  theirs=$(median "$2")
  ratio=$(awk -v a="${mine:-0}" -v b="${theirs:-0}" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
  printf '%-12s %10s  %-26s %10s  %6s  %s\n' "$1" "${mine:--}" "$2" "${theirs:--}" "$ratio" "$3"
}
row CRC32_FCS32 isal/crc32_gzip_refl ">=0.80"
row SHA1 openssl/sha1 ">=1.00"
row SHA256 openssl/sha256 ">=1.00"
row SHA384 openssl/sha384 ">=1.00"
row SHA512 openssl/sha512 ">=1.00"
row MD4 openssl/md4 ">=1.00"
row MD5 openssl/md5 ">=1.00"
row RipeMD-128 mhash/RipeMD-128 ">=1.05"
row RipeMD-160 rhash/RipeMD-160 ">=1.05"
row Tiger192 rhash/Tiger192 ">=1.05"
row Haval256 "-" ">=600 MB/s"
