"""Builds a bracket and saves it as STEP, for CAD, and as binary glTF, for viewers.

    python3 build_part.py [output folder]
"""
import pathlib
import sys

import korrgeom


def bracket():
    plate = korrgeom.box(60, 40, 8)
    upright = korrgeom.box(8, 40, 40)
    holes = korrgeom.compound([korrgeom.cylinder(4, 8, origin=(x, 20, 0)) for x in (25, 45)])
    body = (plate + upright - holes).fillet(1.0)
    body.product = "Bracket"
    body.color = (0.2, 0.4, 0.8)
    return body


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    part = bracket()
    for name in ("bracket.step", "bracket.glb"):
        korrgeom.save(part, folder / name)
    print(f"{part.kind} with {len(part.faces())} faces, box {part.bounding_box()}")


if __name__ == "__main__":
    main()
