"""Files through the library's services; threads loading and meshing at once."""
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import korrgeom

SHARED_STEP = ["occt_trj6_as1-ug-214.stp", "occt_bm2_pe_t4-A.stp", "occt_PRO7071.stp", "occt_OCC2368.stp"]


@pytest.mark.parametrize("suffix", [".brep", ".step", ".iges"])
def test_shape_files_give_back_the_shape(tmp_path, suffix):
    part = korrgeom.box(2, 3, 4) - korrgeom.cylinder(0.5, 4, origin=(1, 1.5, 0))
    path = tmp_path / ("part" + suffix)
    korrgeom.save(part, path)
    back = korrgeom.load(str(path))
    assert len(back.faces()) == len(part.faces())
    np.testing.assert_allclose(back.bounding_box(), part.bounding_box(), atol=1e-3)


def test_the_viewer_page_holds_the_model_and_shows_in_a_notebook(tmp_path):
    block = korrgeom.box(1, 1, 1)
    block.product = "Probe"
    korrgeom.save(block, tmp_path / "page.html")
    page = (tmp_path / "page.html").read_text()
    shown = block._repr_html_()
    assert "<title>page</title>" in page
    assert shown.startswith("<iframe srcdoc=")
    assert "&lt;title&gt;Probe&lt;/title&gt;" in shown


def test_load_reads_the_file_again_on_every_call(tmp_path):
    path = tmp_path / "changing.brep"
    korrgeom.save(korrgeom.box(1, 1, 1), path)
    first = korrgeom.load(path)
    korrgeom.save(korrgeom.sphere(1), path)
    assert (len(first.faces()), len(korrgeom.load(path).faces())) == (6, 1)


def test_load_tells_progress_stops_when_asked_and_the_assembly_names_reach_the_mesh(shared):
    path = shared("step", "occt_trj6_as1-ug-214.stp")
    fractions = []
    korrgeom.load(path, progress=fractions.append)
    assert fractions[-1] == 1.0
    with pytest.raises(korrgeom.Error) as stopped:
        korrgeom.load(path, progress=lambda fraction: True)
    assert stopped.value.code == "Cancelled"
    with pytest.raises(korrgeom.Error) as late:
        korrgeom.load(path, timeout=0.01)
    assert late.value.code == "TimedOut"
    # The assembly's names reach the mesh.
    mesh = korrgeom.load(path).mesh()
    assert len(mesh.instances) > len(mesh.parts)
    assert all(instance.name for instance in mesh.instances)


def counts(path):
    shape = korrgeom.load(path)
    mesh = shape.mesh()
    return len(shape.faces()), len(mesh.parts), len(mesh.instances), sum(len(p.indices) for p in mesh.parts)


def test_threads_load_and_mesh_as_one_thread_does(shared):
    paths = [shared("step", name) for name in SHARED_STEP]
    alone = [counts(path) for path in paths]
    with ThreadPoolExecutor(max_workers=len(paths)) as pool:
        assert list(pool.map(counts, paths)) == alone
