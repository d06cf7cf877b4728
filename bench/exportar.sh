#!/usr/bin/env bash
# Wall time of the headless export (the whole process: start, panel values, the cut
# to its end, the outline, the file) for the default gear and for Z = 100, in every
# format. Median of several runs; no display is used.
set -euo pipefail
cd "$(dirname "$0")/.."
programa="$PWD/build/ortanel"
veces="${1:-7}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mediana() {  # args...: median in ms of $veces runs of the program with these args
  python3 - "$veces" "$programa" "$@" <<'PY'
import subprocess, sys, time, statistics
veces, orden = int(sys.argv[1]), sys.argv[2:]
t = []
for _ in range(veces):
    a = time.perf_counter()
    subprocess.run(orden, check=True, env={"PATH": "/usr/bin:/bin"})
    t.append((time.perf_counter() - a) * 1000)
print(f"{statistics.median(t):.0f} ms (min {min(t):.0f}, max {max(t):.0f})")
PY
}
for caso in "defecto:" "z100:--dientes 100"; do
  nombre="${caso%%:*}"
  read -r -a args <<<"${caso#*:}"
  for ext in svg pdf png dxf; do
    echo "$nombre .$ext: $(mediana --exportar "$tmp/e.$ext" "${args[@]}")"
  done
done
