"""Builders and operations, measured on their meshes against closed forms."""
import math

import numpy as np
import pytest

import korrgeom


def volume_and_area(shape, deflection=0.01):
    positions, indices = shape.mesh(deflection).merged()
    a, b, c = (positions[indices[:, k]].astype(np.float64) for k in range(3))
    cross = np.cross(b - a, c - a)
    return np.einsum("ij,ij->", a, np.cross(b, c)) / 6.0, np.linalg.norm(cross, axis=1).sum() / 2.0


@pytest.mark.parametrize(
    "make, volume, area",
    [
        (lambda: korrgeom.box(1, 2, 3), 6.0, 22.0),
        (lambda: korrgeom.sphere(2.0), 4 / 3 * math.pi * 8, 4 * math.pi * 4),
        (lambda: korrgeom.cylinder(1.0, 3.0, axis=(1, 1, 0)), 3 * math.pi, 2 * math.pi * 3 + 2 * math.pi),
        (lambda: korrgeom.cone(2.0, 1.0, 3.0), math.pi * 3 / 3 * (4 + 2 + 1), None),
        (lambda: korrgeom.extrude(korrgeom.face(korrgeom.polygon([(0, 0, 0), (2, 0, 0), (0, 2, 0)])), (0, 0, 5)),
         10.0, 4 + 5 * (2 + 2 + math.sqrt(8))),
        (lambda: korrgeom.revolve(korrgeom.face(korrgeom.polygon([(1, 0, 0), (2, 0, 0), (2, 0, 1), (1, 0, 1)])),
                                  (0, 0, 0), (0, 0, 1), 360), math.pi * 3, None),
        (lambda: korrgeom.box(2, 2, 2) - korrgeom.box(1, 1, 1), 7.0, 24.0),
        (lambda: korrgeom.box(2, 2, 2) + korrgeom.box(1, 1, 1, origin=(1.5, 0, 0)), 8.5, None),
        (lambda: korrgeom.box(2, 2, 2) & korrgeom.box(1, 1, 1, origin=(1.5, 0, 0)), 0.5, None),
        (lambda: korrgeom.box(1, 1, 1).scaled(2, center=(1, 1, 1)), 8.0, 24.0),
    ],
)
def test_solids_enclose_the_volume_of_their_closed_form(make, volume, area):
    shape = make()
    assert shape.kind == "solid"
    assert shape.is_valid()
    measured_volume, measured_area = volume_and_area(shape)
    assert measured_volume == pytest.approx(volume, rel=0.01)
    if area is not None:
        assert measured_area == pytest.approx(area, rel=0.01)


def test_blends_take_all_edges_or_the_listed_ones():
    block = korrgeom.box(4, 4, 4)
    every = block.fillet(0.5)
    one = block.fillet(0.5, edges=block.edges()[:1])
    bevelled = block.chamfer(0.5, edges=block.edges()[:2])
    assert len(every.faces()) == 26
    assert len(one.faces()) == 7
    assert len(bevelled.faces()) == 8
    assert volume_and_area(bevelled)[0] == pytest.approx(63.0, abs=0.05)


def test_loft_and_sweep_make_solids():
    lower = korrgeom.polygon([(0, 0, 0), (2, 0, 0), (2, 2, 0), (0, 2, 0)])
    upper = korrgeom.polygon([(0, 0, 2), (2, 0, 2), (2, 2, 2), (0, 2, 2)])
    assert volume_and_area(korrgeom.loft([lower, upper]))[0] == pytest.approx(8.0, rel=1e-3)
    assert korrgeom.loft([lower, upper], solid=False).kind == "shell"
    path = korrgeom.polygon([(1, 1, 0), (1, 1, 5)], closed=False)
    assert volume_and_area(korrgeom.sweep(lower, path))[0] == pytest.approx(20.0, rel=1e-3)


def test_transforms_move_the_bounding_box():
    block = korrgeom.box(1, 2, 3)
    moved = block.translated((1, 1, 1)).bounding_box()
    turned = block.rotated((0, 0, 0), (0, 0, 1), 90).bounding_box()
    mirrored = block.mirrored((5, 0, 0), (1, 0, 0)).bounding_box()
    np.testing.assert_allclose(moved, ((1, 1, 1), (2, 3, 4)), atol=1e-6)
    np.testing.assert_allclose(turned, ((-2, 0, 0), (0, 1, 3)), atol=1e-6)
    np.testing.assert_allclose(mirrored, ((9, 0, 0), (10, 2, 3)), atol=1e-6)


def test_sub_shapes_are_listed_once_and_names_and_colours_set_on_the_shape_and_its_faces():
    block = korrgeom.box(1, 1, 1)
    assert [len(block.faces()), len(block.edges()), len(block.vertices())] == [6, 12, 8]
    assert {f.kind for f in block.faces()} == {"face"}
    assert korrgeom.polygon([(0, 0, 0), (1, 0, 0), (0, 1, 0)]).faces() == []
    # Names and colours are set on the shape and on its faces.
    assert block.color is None
    block.name = "Würfel"
    block.product = "Block"
    block.color = (1, 0, 0)
    top = block.faces()[0]
    top.color = (0, 0, 1)
    assert (block.name, block.product) == ("Würfel", "Block")
    assert block.color == (1.0, 0.0, 0.0)
    assert top.color == (0.0, 0.0, 1.0)
    assert block.faces()[1].color == (1.0, 0.0, 0.0)
