"""Bad input anywhere gives korrgeom.Error with a code, never a crash or None."""
import math
import pathlib

import pytest

import korrgeom

BOX = korrgeom.box(1, 1, 1)
WIRE = korrgeom.polygon([(0, 0, 0), (1, 0, 0), (0, 1, 0)])


def damaged(tmp_path, suffix, text):
    path = tmp_path / ("damaged" + suffix)
    path.write_text(text)
    return path


def cut_short(tmp_path, suffix):
    path = tmp_path / ("whole" + suffix)
    korrgeom.save(korrgeom.sphere(1), path)
    path.write_bytes(path.read_bytes()[:-400])
    return path


def folder(tmp_path):
    path = tmp_path / "folder.brep"
    path.mkdir()
    return path


# (call, expected code); each call takes the test's temporary folder.
CASES = {
    "box text": (lambda t: korrgeom.box("1", 1, 1), "InvalidArgument"),
    "box origin short": (lambda t: korrgeom.box(1, 1, 1, origin=(0, 0)), "InvalidArgument"),
    "cylinder axis zero": (lambda t: korrgeom.cylinder(1, 1, axis=(0, 0, 0)), "InvalidArgument"),
    "polygon not points": (lambda t: korrgeom.polygon([1, 2, 3]), "InvalidArgument"),
    "compound of numbers": (lambda t: korrgeom.compound([1, 2]), "InvalidArgument"),
    "revolve NaN": (lambda t: korrgeom.revolve(WIRE, (math.nan, 0, 0), (0, 0, 1), 90), "InvalidArgument"),
    "loft one section": (lambda t: korrgeom.loft([WIRE]), "InvalidArgument"),
    "sweep None": (lambda t: korrgeom.sweep(WIRE, None), "NullShape"),
    "fillet too large": (lambda t: BOX.fillet(5), "KernelFailed"),
    "fillet of a wire": (lambda t: WIRE.fillet(0.1), "WrongShapeKind"),
    "fillet foreign edge": (lambda t: BOX.fillet(0.1, edges=korrgeom.box(2, 2, 2).edges()[:1]), "InvalidArgument"),
    "cut None": (lambda t: BOX - None, "NullShape"),
    "fuse a number": (lambda t: BOX + 1, "InvalidArgument"),
    "same part as None": (lambda t: BOX.same_part(None), "NullShape"),
    "colour out of range": (lambda t: setattr(BOX, "color", (2, 0, 0)), "InvalidArgument"),
    "name not text": (lambda t: setattr(BOX, "name", 5), "InvalidArgument"),
    "mesh negative": (lambda t: BOX.mesh(-1), "InvalidArgument"),
    "mesh progress not callable": (lambda t: BOX.mesh(progress=5), "InvalidArgument"),
    "load None": (lambda t: korrgeom.load(None), "InvalidArgument"),
    "load missing": (lambda t: korrgeom.load(t / "missing.step"), "FileMissing"),
    "load folder": (lambda t: korrgeom.load(folder(t)), "FileUnreadable"),
    "load unknown extension": (lambda t: korrgeom.load(t / "shape.xyz"), "InvalidArgument"),
    "load foreign BRep": (lambda t: korrgeom.load(damaged(t, ".brep", "solid\n")), "FileForeign"),
    "load damaged STEP": (lambda t: korrgeom.load(cut_short(t, ".step")), "FileDamaged"),
    "load foreign IGES": (lambda t: korrgeom.load(damaged(t, ".igs", "not an IGES file at all\n")), "FileForeign"),
    "load glTF": (lambda t: korrgeom.load(damaged(t, ".glb", "glTF")), "InvalidArgument"),
    "load timeout negative": (lambda t: korrgeom.load(t / "a.step", timeout=-1), "InvalidArgument"),
    "save None": (lambda t: korrgeom.save(None, t / "a.step"), "NullShape"),
    "save to a folder": (lambda t: korrgeom.save(BOX, t), "InvalidArgument"),
    "save into a missing folder": (lambda t: korrgeom.save(BOX, t / "no" / "a.brep"), "WriteFailed"),
    "save glb negative deflection": (lambda t: korrgeom.save(BOX, t / "a.glb", deflection=-1), "InvalidArgument"),
}


@pytest.mark.parametrize("case", CASES)
def test_bad_input_raises_error_with_code(case, tmp_path):
    call, code = CASES[case]
    with pytest.raises(korrgeom.Error) as raised:
        call(tmp_path)
    assert raised.value.code == code, str(raised.value)
    assert str(raised.value) == raised.value.message
    assert raised.value.message


def test_file_errors_name_the_file(tmp_path):
    with pytest.raises(korrgeom.Error) as raised:
        korrgeom.load(tmp_path / "missing.brep")
    assert raised.value.path == str(tmp_path / "missing.brep")

