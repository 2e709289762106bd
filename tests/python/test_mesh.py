"""The mesh's numpy views: the library's own buffers, read-only, alive as long as a view is."""
import gc
import signal
import threading
import time

import numpy as np
import pytest

import korrgeom


def test_views_keep_the_mesh_alive():
    mesh = korrgeom.sphere(1).mesh(0.01)
    positions = mesh.parts[0].positions
    expected = positions.copy()
    del mesh
    gc.collect()
    korrgeom.box(2, 2, 2).mesh(0.001)
    np.testing.assert_array_equal(positions, expected)


def test_part_arrays_are_read_only_views_and_located_copies_instances_of_one_part_merged_with_their_winding():
    block = korrgeom.box(1, 1, 1).fillet(0.2)
    row = korrgeom.compound([block, block.translated((3, 0, 0)), block.mirrored((0, 0, 0), (1, 0, 0))])
    mesh = row.mesh()
    part = mesh.parts[0]
    assert np.shares_memory(part.positions, part.positions)
    assert not part.positions.flags.writeable
    with pytest.raises(ValueError):
        part.positions[0, 0] = 1.0
    nodes, triangles = len(part.positions), len(part.indices)
    assert (part.positions.dtype, part.normals.dtype, part.indices.dtype) == (np.float32, np.float32, np.uint32)
    assert part.normals.shape == (nodes, 3)
    assert part.indices.max() < nodes
    np.testing.assert_allclose(np.linalg.norm(part.normals, axis=1), 1.0, atol=1e-5)
    assert part.face_ranges.shape == (26, 2)
    assert part.face_ranges[:, 1].sum() == triangles
    assert part.edge_ranges[-1].sum() * 3 == part.edge_points.size
    # Located copies are instances of one part, merged in place with their winding.
    assert len(mesh.parts) == 2
    assert [i.part for i in mesh.instances] == [0, 0, 1]
    np.testing.assert_allclose(mesh.instances[1].placement[:3, 3], (3, 0, 0))
    positions, indices = mesh.merged()
    triangles = [len(mesh.parts[i.part].indices) for i in mesh.instances]
    assert positions.shape == (sum(len(mesh.parts[i.part].positions) for i in mesh.instances), 3)
    assert indices.shape == (sum(triangles), 3)
    np.testing.assert_allclose(positions.min(axis=0), row.bounding_box()[0], atol=0.01)
    np.testing.assert_allclose(positions.max(axis=0), row.bounding_box()[1], atol=0.01)
    a, b, c = (positions[indices[:, k]].astype(np.float64) for k in range(3))
    signed = np.einsum("ij,ij->i", a, np.cross(b, c)) / 6.0
    ends = np.cumsum([0] + triangles)
    volumes = [signed[ends[k]:ends[k + 1]].sum() for k in range(3)]
    np.testing.assert_allclose(volumes, volumes[0], rtol=1e-3)
    assert volumes[0] > 0


def test_progress_is_told_and_can_stop_the_meshing_by_asking_or_raising():
    fractions = []
    korrgeom.sphere(1).mesh(0.0005, progress=fractions.append)
    assert fractions[-1] == 1.0
    assert fractions == sorted(fractions)
    with pytest.raises(korrgeom.Error) as stopped:
        korrgeom.sphere(1).mesh(0.0001, progress=lambda fraction: True)
    assert stopped.value.code == "Cancelled"
    # An exception from progress stops the meshing too, and reaches the caller.
    with pytest.raises(ZeroDivisionError):
        korrgeom.sphere(1).mesh(0.0001, progress=lambda fraction: 1 / 0)


def test_ctrl_c_stops_the_meshing_and_raises_keyboard_interrupt():
    # Meshing these takes the mesher's whole allowance, 16 s.
    spheres = korrgeom.compound([korrgeom.sphere(10, center=(30 * i, 30 * j, 0)) for i in range(8) for j in range(8)])
    interrupt = threading.Timer(0.5, signal.raise_signal, args=(signal.SIGINT,))
    interrupt.start()
    start = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        spheres.mesh(0.003)
    interrupt.join()
    assert time.monotonic() - start < 3
