"""Shape.mesh() with its numpy views on the benchmark plate against
korrgeom_bench's ShapeMesh/Library (the C++ mesher on the same plate, at the
same deflection), in alternating rounds so that both see the same machine load.

    PYTHONPATH=build/python python3 bench/python/mesh_plate.py [rounds] [korrgeom_bench]

Each Python run meshes a plate no earlier run has meshed (read afresh from a
BRep file, outside the timed part) and takes every part's views; a round is
the median of three runs on either side.
"""
import re
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import korrgeom

SIDE, THICKNESS, HOLES = 200.0, 10.0, 12
DEFLECTION = 0.05


def plate():
    """The 200 x 200 x 10 plate with a grid of through holes and spherical dimples between them."""
    pitch = SIDE / HOLES
    tools = []
    for i in range(HOLES):
        for j in range(HOLES):
            x, y = (i + 0.5) * pitch, (j + 0.5) * pitch
            tools.append(korrgeom.cylinder(pitch / 5, THICKNESS + 2, origin=(x, y, -1)))
            if i + 1 < HOLES and j + 1 < HOLES:
                tools.append(korrgeom.sphere(3, center=(x + pitch / 2, y + pitch / 2, THICKNESS + 1)))
    return korrgeom.box(SIDE, SIDE, THICKNESS) - korrgeom.compound(tools)


def python_round(path, runs=3):
    times = []
    for _ in range(runs):
        fresh = korrgeom.load(path)
        start = time.perf_counter()
        mesh = fresh.mesh(DEFLECTION)
        views = [(p.positions, p.normals, p.indices, p.face_ranges, p.edge_points) for p in mesh.parts]
        times.append(time.perf_counter() - start)
    assert sum(len(v[2]) for v in views) == 46903, "not the benchmark's plate"
    return 1000 * statistics.median(times)


def cpp_round(bench):
    shown = subprocess.run([str(bench), "--benchmark_filter=^ShapeMesh/Library", "--benchmark_repetitions=3",
                            "--benchmark_enable_random_interleaving=false"], capture_output=True, text=True,
                           check=True).stdout
    return float(re.search(r"real_time_median\s+([\d.]+) ms", shown).group(1))


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    bench = Path(sys.argv[2] if len(sys.argv) > 2 else Path(__file__).resolve().parents[2] / "build/korrgeom_bench")
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "plate.brep"
        korrgeom.save(plate(), path)
        ours, theirs = [], []
        for _ in range(rounds):
            ours.append(python_round(path))
            theirs.append(cpp_round(bench))
    ratios = [a / b for a, b in zip(ours, theirs)]
    print(f"plate mesh: Python median {statistics.median(ours):.0f} ms, C++ median {statistics.median(theirs):.0f} ms, "
          f"ratio median {statistics.median(ratios):.2f} (range {min(ratios):.2f}-{max(ratios):.2f}) "
          f"over {rounds} rounds")


if __name__ == "__main__":
    main()
