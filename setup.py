"""Builds the korrgeom wheel: CMake builds the extension and the libraries it
needs into a staging folder laid out as the package (the libraries in
korrgeom/lib, the STEP and IGES worker in korrgeom/libexec), which the wheel
then holds. The kernel's libraries stay Debian's. Configuration: pyproject.toml.
"""
import os
import pathlib
import shutil
import subprocess

from setuptools import setup
from setuptools.command.build_py import build_py
from setuptools.dist import Distribution

ROOT = pathlib.Path(__file__).resolve().parent
# What the package needs at run time from the staged install: the extension,
# each library under the name the extension asks for (its soname, which the
# development link names), and the worker.
def staged_files(package):
    yield from package.glob("_korrgeom*.so")
    for development_link in (package / "lib").glob("libKorrGeom*.so"):
        yield package / "lib" / os.readlink(development_link)
    yield package / "libexec" / "KorrGeomCore" / "korrgeom-translate"


class BuildWithCMake(build_py):
    def run(self):
        super().run()
        build = pathlib.Path(os.environ.get("KORRGEOM_WHEEL_BUILD_DIR", ROOT / "build-wheel"))
        stage = build / "stage"
        subprocess.check_call([
            "cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
            "-DKORRGEOM_BUILD_TESTS=OFF", "-DKORRGEOM_BUILD_APPS=OFF", "-DKORRGEOM_BUILD_BENCHMARKS=OFF",
            "-DKORRGEOM_PYTHON_INSTALL_DIR:STRING=.", "-DCMAKE_INSTALL_LIBDIR=korrgeom/lib",
            "-DCMAKE_INSTALL_LIBEXECDIR=korrgeom/libexec"])
        subprocess.check_call(["cmake", "--build", str(build), "-j", str(os.cpu_count() or 1), "--target", "_korrgeom"])
        shutil.rmtree(stage, ignore_errors=True)
        subprocess.check_call(["cmake", "--install", str(build), "--prefix", str(stage)])
        package = pathlib.Path(self.build_lib) / "korrgeom"
        for folder in ("lib", "libexec"):
            shutil.rmtree(package / folder, ignore_errors=True)
        for staged in staged_files(stage / "korrgeom"):
            target = package / staged.relative_to(stage / "korrgeom")
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(staged, target)


class BinaryDistribution(Distribution):
    """A wheel for this platform and Python: the package holds compiled code."""

    def has_ext_modules(self):
        return True


setup(
    packages=["korrgeom"],
    package_dir={"korrgeom": "python/korrgeom"},
    package_data={"korrgeom": ["*.pyi", "py.typed"]},
    cmdclass={"build_py": BuildWithCMake},
    distclass=BinaryDistribution,
    # Beside the CMake build of the wheel, not in build/, which CMake's own build may be.
    options={"build": {"build_base": "build-wheel/setuptools"}},
)
