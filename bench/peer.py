#!/usr/bin/env python3
"""Runs the rasterizer benchmarks and their peer in its own process, and prints the ratios.

Usage: peer.py BUILD_DIR [ROUNDS]

The peer (rsw32_allegro_peer, Allegro 4's software polygon renderer) cannot share a
process with rsw32, so the two binaries take turns: ROUNDS (default 3) rounds of rsw32's
Raster* benchmarks, then the peer's, each with its repetitions shuffled. Both sides draw
the same triangles (raster_scene.h) at 16 and 32 bits. As in ratios.py each side is its
fastest repetition over all rounds, since other work on a shared machine only slows a
repetition down. Printed per kind and depth: both pixel rates and rsw32's over the
peer's (higher is better) beside the aim. The merged runs go to BUILD_DIR/peer.json.
"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ratios  # noqa: E402

KINDS = (("Gouraud", "Gouraud"), ("FlatZ", "z-buffered flat"), ("Affine", "affine textured"),
         ("Perspective", "perspective textured"))
DEPTHS = (16, 32)
AIM = 1.5
ARGS = ["--benchmark_repetitions=3", "--benchmark_min_time=0.1", "--benchmark_enable_random_interleaving=true",
        "--benchmark_format=json"]


def run(binary, pattern):
    out = subprocess.run([binary, f"--benchmark_filter={pattern}", *ARGS], check=True, capture_output=True, text=True)
    return json.loads(out.stdout)


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    bench_dir = os.path.join(argv[1], "bench")
    rounds = int(argv[2]) if len(argv) == 3 else 3
    ours, peer = os.path.join(bench_dir, "rsw32_bench"), os.path.join(bench_dir, "rsw32_allegro_peer")
    for binary in (ours, peer):
        if not os.access(binary, os.X_OK):
            sys.exit(f"{binary} is missing (the peer is built when liballegro4-dev is installed)")
    names = "|".join(k for k, _ in KINDS)
    merged = None
    for _ in range(rounds):
        for binary, prefix in ((ours, "Raster"), (peer, "Peer")):
            r = run(binary, f"^{prefix}({names})/")
            if merged is None:
                merged = r
            else:
                merged["benchmarks"] += r["benchmarks"]
    path = os.path.join(argv[1], "peer.json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(merged, f)
    figures, errors, load = ratios.read_run(path)

    print(f"rsw32 against Allegro 4 drawing the same triangles, fastest of {rounds} × 3 repetitions each")
    if load:
        print("load average at the start: " + ", ".join(f"{x:.2f}" for x in load))
    print(f"{'kind':<22}{'bits':>5}{'rsw32 Mpx/s':>13}{'peer Mpx/s':>12}{'ratio':>8}{'aim':>6}")
    for kind, label in KINDS:
        for bits in DEPTHS:
            a, b = figures.get(f"Raster{kind}/bits:{bits}"), figures.get(f"Peer{kind}/bits:{bits}")
            if not a or not b:
                continue
            mine, theirs = a["items_per_second"], b["items_per_second"]
            r = mine / theirs
            print(f"{label:<22}{bits:>5}{mine / 1e6:13.0f}{theirs / 1e6:12.0f}{r:8.2f}{AIM:6.2f}"
                  f"{'  under' if r < AIM else ''}")
    for name, message in errors.items():
        print(f"{name} failed: {message}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
