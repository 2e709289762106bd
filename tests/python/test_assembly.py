"""Walking an assembly's tree: children() with placements, names and colours, and shared parts."""
import numpy as np
import pytest

import korrgeom


def walk(shape, depth=0):  # (depth, child) for every use below the shape, depth first
    uses = []
    for child in shape.children():
        uses.append((depth, child))
        if child.is_assembly:
            uses += walk(child.shape, depth + 1)
    return uses


def test_a_saved_assembly_lists_its_parts_with_names_colours_and_rigid_placements(tmp_path):
    block = korrgeom.box(1, 2, 3)
    block.product = "Block"
    block.color = (1.0, 0.0, 0.0)
    ball = korrgeom.sphere(1, center=(5, 0, 0))
    ball.product = "Ball"
    korrgeom.save([block, ball], tmp_path / "pair.step")
    children = korrgeom.load(tmp_path / "pair.step").children()
    assert [child.product for child in children] == ["Block", "Ball"]
    assert not any(child.is_assembly for child in children)
    assert children[0].color == pytest.approx((1.0, 0.0, 0.0), abs=1e-3)
    assert children[1].color is None
    # Placements are read-only four-by-four rigid motions.
    placement = children[0].placement
    assert placement.shape == (4, 4)
    assert not placement.flags.writeable
    np.testing.assert_allclose(placement[:3, :3] @ placement[:3, :3].T, np.eye(3), atol=1e-12)
    np.testing.assert_allclose(placement[3], [0, 0, 0, 1])


def test_the_as1_tree_nests_and_shares_its_parts(shared):
    uses = walk(korrgeom.load(shared("step", "occt_trj6_as1-ug-214.stp")))
    assert max(depth for depth, _ in uses) >= 2
    bolts = [child.shape for _, child in uses if child.product == "bolt"]
    assert len(bolts) > 1
    assert all(bolt.same_part(bolts[0]) for bolt in bolts)
