"""Loading and meshing the as1 assembly from Python, as the korrgeom program does
with `korrgeom -i as1.stp -o as1.glb`: load, mesh, write the glb.

    PYTHONPATH=build/python python3 bench/python/load_mesh_as1.py as1.stp out.glb

Prints the time of the load and mesh and of the whole run, interpreter start
excluded (time the command for that).
"""
import sys
import time

start = time.perf_counter()
import korrgeom  # noqa: E402  (its import is part of what a script pays)

shape = korrgeom.load(sys.argv[1])
mesh = shape.mesh()
loaded_and_meshed = time.perf_counter()
korrgeom.save(shape, sys.argv[2])
done = time.perf_counter()
print(f"as1 from Python: load and mesh {1000 * (loaded_and_meshed - start):.0f} ms, "
      f"with the glb {1000 * (done - start):.0f} ms, {sum(len(p.indices) for p in mesh.parts)} triangles in parts")
