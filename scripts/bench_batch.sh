#!/usr/bin/env bash
# Throughput of `muwu-cli analyze --batch --json` over names of 2-4 everyday characters
# (GB2312 level 1), output discarded. Usage: scripts/bench_batch.sh [CLI] [COUNT]
set -euo pipefail
cli=${1:-build/bin/muwu-cli}
count=${2:-1000000}
names=$(mktemp)
trap 'rm -f "$names"' EXIT
python3 - "$count" "$(dirname "$0")/../tools" >"$names" <<'PY'
import random, sys
sys.path.insert(0, sys.argv[2])
from name_chars import level1
chars = sorted((chr(cp) for cp in range(0x4E00, 0xA000) if level1(chr(cp))),
               key=lambda c: c.encode("gb2312"))
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
