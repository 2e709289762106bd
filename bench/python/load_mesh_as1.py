"""Loading and meshing the as1 assembly from Python, against the korrgeom
program's read and meshed stages on the same file (`korrgeom -i as1.stp`).

    PYTHONPATH=build/python python3 bench/python/load_mesh_as1.py as1.stp [runs]

Each run is a process of its own on either side, alternating, as a script or
the program loads the file once; the figures are the medians of the runs and
of their ratios. The Python side is timed from before the load to after the
mesh, as the program times its own stages; the import of korrgeom (about 50
ms, mostly the kernel's libraries, which the program loads at its start) is
printed apart.
"""
import pathlib
import re
import statistics
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
PYTHON_RUN = """
import sys, time
start = time.perf_counter()
import korrgeom
imported = time.perf_counter()
mesh = korrgeom.load(sys.argv[1]).mesh()
print(1000 * (imported - start), 1000 * (time.perf_counter() - imported))
"""


def program_run(path, program):
    with tempfile.TemporaryDirectory() as folder:
        shown = subprocess.run([str(program), "-i", path, "-o", str(pathlib.Path(folder) / "as1.glb")],
                               capture_output=True, text=True, check=True).stdout
    stages = dict(re.findall(r"^(read|meshed)\s+([\d.]+) ms", shown, re.M))
    return float(stages["read"]) + float(stages["meshed"])


def python_run(path):
    shown = subprocess.run([sys.executable, "-c", PYTHON_RUN, path], capture_output=True, text=True, check=True)
    return [float(n) for n in shown.stdout.split()]


def main():
    path = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    program = pathlib.Path(sys.argv[3] if len(sys.argv) > 3 else ROOT / "build" / "korrgeom")
    ours, theirs, imports = [], [], []
    for _ in range(runs):
        imported, worked = python_run(path)
        imports.append(imported)
        ours.append(worked)
        theirs.append(program_run(path, program))
    ratios = [a / b for a, b in zip(ours, theirs)]
    print(f"as1 load and mesh: Python median {statistics.median(ours):.0f} ms "
          f"(import {statistics.median(imports):.0f} ms apart), korrgeom median {statistics.median(theirs):.0f} ms, "
          f"ratio median {statistics.median(ratios):.2f} (quartiles {statistics.quantiles(ratios, n=4)[0]:.2f}-"
          f"{statistics.quantiles(ratios, n=4)[2]:.2f}) over {runs} runs")


if __name__ == "__main__":
    main()
