"""Shape.mesh() with its numpy views on the benchmark plate, for comparison with
korrgeom_bench's ShapeMesh/Library (the C++ mesher on the same plate and deflection).

    PYTHONPATH=build/python python3 bench/python/mesh_plate.py [runs]

Each run meshes a plate no earlier run has meshed (read afresh from a BRep file,
outside the timed part) and takes every part's views.
"""
import statistics
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


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "plate.brep"
        korrgeom.save(plate(), path)
        times, triangles = [], 0
        for _ in range(runs):
            fresh = korrgeom.load(path)
            start = time.perf_counter()
            mesh = fresh.mesh(DEFLECTION)
            views = [(p.positions, p.normals, p.indices, p.face_ranges, p.edge_points) for p in mesh.parts]
            times.append(time.perf_counter() - start)
            triangles = sum(len(v[2]) for v in views)
    print(f"plate mesh from Python: median {1000 * statistics.median(times):.1f} ms, "
          f"min {1000 * min(times):.1f} ms over {runs} runs, {triangles} triangles")


if __name__ == "__main__":
    main()
