"""korrgeom: KorrGeomCore's shapes, meshes and files from Python.

Shapes are immutable values; every operation returns a new shape:

    >>> import korrgeom
    >>> part = (korrgeom.box(10, 10, 10) - korrgeom.cylinder(2, 10, origin=(5, 5, 0))).fillet(0.5)
    >>> part.kind
    'solid'
    >>> positions, indices = part.mesh().merged()

Every failure raises korrgeom.Error, whose .code names the cause.
"""

from ._error import Error
from ._korrgeom import (
    Child,
    Mesh,
    MeshInstance,
    MeshPart,
    Shape,
    box,
    compound,
    cone,
    cylinder,
    extrude,
    face,
    load,
    loft,
    polygon,
    revolve,
    save,
    sphere,
    sweep,
)

__all__ = [
    "Child",
    "Error",
    "Mesh",
    "MeshInstance",
    "MeshPart",
    "Shape",
    "box",
    "compound",
    "cone",
    "cylinder",
    "extrude",
    "face",
    "load",
    "loft",
    "polygon",
    "revolve",
    "save",
    "sphere",
    "sweep",
]
