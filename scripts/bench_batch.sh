#!/usr/bin/env bash
# Throughput of `muwu-cli analyze --batch --json` over names of 2-4 everyday characters
# (GB2312 level 1), output discarded. Usage: scripts/bench_batch.sh [CLI] [COUNT]
set -euo pipefail
cli=${1:-build/bin/muwu-cli}
count=${2:-1000000}
names=$(mktemp)
trap 'rm -f "$names"' EXIT
python3 - "$count" >"$names" <<'PY'
import random, sys
chars = []
for hi in range(0xB0, 0xD8):
    for lo in range(0xA1, 0xFF):
        try:
            chars.append(bytes([hi, lo]).decode("gb2312"))
        except UnicodeDecodeError:
            pass
rng = random.Random(42)
out = sys.stdout
for _ in range(int(sys.argv[1])):
    out.write("".join(rng.choice(chars) for _ in range(rng.randint(2, 4))) + "\n")
PY
TIMEFORMAT='%R %U %S'
for run in 1 2 3; do
  t=$({ time "$cli" analyze --batch --json <"$names" >/dev/null; } 2>&1)
  read -r real user sys <<<"$t"
  python3 -c "
n=$count; r=$real; c=$user+$sys
print(f'run $run: {n} names, wall {r:.3f} s ({n/r:,.0f} names/s), cpu {c:.3f} s ({n/c:,.0f} names/s)')"
done
