"""The examples, run as a user runs them."""
import math
import os
import pathlib
import subprocess
import sys

import pytest

import korrgeom

EXAMPLES = pathlib.Path(os.environ.get("KORRGEOM_EXAMPLES_DIR", pathlib.Path(__file__).parents[2] / "examples/python"))


def run(script, *arguments):
    done = subprocess.run([sys.executable, str(EXAMPLES / script), *map(str, arguments)],
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    return done.stdout


def test_build_part_saves_step_and_glb(tmp_path):
    run("build_part.py", tmp_path)
    back = korrgeom.load(tmp_path / "bracket.step")
    assert back.product == "Bracket"
    assert (tmp_path / "bracket.glb").read_bytes()[:4] == b"glTF"


def test_mesh_measures_the_sphere():
    lines = dict(line.split(" ", 1) for line in run("mesh_measures.py").splitlines())
    assert float(lines["area"]) == pytest.approx(4 * math.pi * 100, rel=2e-3)
    assert float(lines["volume"]) == pytest.approx(4 / 3 * math.pi * 1000, rel=2e-3)


def test_assembly_tree_lists_the_placed_parts(shared, tmp_path):
    path = shared("step", "occt_trj6_as1-ug-214.stp")
    printed = run("assembly_tree.py", path, tmp_path / "as1.html").splitlines()
    mesh = korrgeom.load(path).mesh()
    assert len(printed) == 1 + len(mesh.instances)
    assert "<title>as1</title>" in (tmp_path / "as1.html").read_text()
