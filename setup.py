"""Builds the extension module with the project's own CMake build, so the
library's sources and options are stated once (in CMakeLists.txt)."""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DBM_BUILD_PYTHON=ON",
            "-DBM_BUILD_TOOLS=OFF",
            "-DBM_BUILD_BENCHMARKS=OFF",
            "-DBUILD_TESTING=OFF",
            f"-DPython_EXECUTABLE={sys.executable}",
        ]
        jobs = str(os.cpu_count() or 1)
        subprocess.check_call(configure)
        subprocess.check_call(["cmake", "--build", str(build), "--target", "_buildingmodel", "-j", jobs])
        suffix = ".pyd" if sys.platform == "win32" else ".so"
        built = next((build / "python" / "buildingmodel").glob("_buildingmodel*" + suffix))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(ext_modules=[CMakeExtension("buildingmodel._buildingmodel")], cmdclass={"build_ext": CMakeBuild})
