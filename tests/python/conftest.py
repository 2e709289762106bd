import os
import pathlib

import pytest


def shared_file(kind, name):
    """A file of the shared data folder (KORRGEOM_SHARED_DATA_DIR); skips the test when it is absent."""
    folder = pathlib.Path(os.environ.get("KORRGEOM_SHARED_DATA_DIR", "../shared/data"))
    path = folder / kind / name
    if not path.is_file():
        pytest.skip(f"no shared data: {path} is missing")
    return path


@pytest.fixture
def shared():
    return shared_file
