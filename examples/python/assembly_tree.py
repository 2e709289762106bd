"""Loads an assembly, prints its placed parts and writes a viewer page of it.

    python3 assembly_tree.py assembly.step [page.html]
"""
import sys

import korrgeom


def main():
    assembly = korrgeom.load(sys.argv[1])
    mesh = assembly.mesh()
    print(f"{assembly.product or assembly.name or sys.argv[1]}: {len(mesh.parts)} parts, "
          f"{len(mesh.instances)} placed")
    for instance in mesh.instances:
        part = mesh.parts[instance.part]
        x, y, z = instance.placement[:3, 3]
        print(f"  {instance.name or '-'} ({part.product or 'no product'}) at ({x:.1f}, {y:.1f}, {z:.1f}), "
              f"{len(part.indices)} triangles")
    if len(sys.argv) > 2:
        korrgeom.save(assembly, sys.argv[2])


if __name__ == "__main__":
    main()
