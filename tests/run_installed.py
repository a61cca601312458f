#!/usr/bin/env python3
"""Installs the program into a temporary tree and runs it from there.

usage: run_installed.py destdir <cmake> <build-dir> <plugin-dir> <picture>
       run_installed.py deb <cpack> <build-dir> <plugin-dir> <picture>

destdir installs the build with `cmake --install` into a temporary DESTDIR
and checks the desktop entry and the AppStream metainfo; deb builds the
Debian package with CPack, checks it with lintian and unpacks it with
`dpkg-deb -x`. Either way the installed program is then started headless
with the test driver (<plugin-dir>), which checks that the libraries come
from the installed tree, that the splash shows <picture>, and quits with
Ctrl+Q; the program must end with status 0. The installed framework's
libraries must export none of the tests' hooks (no fw::testing symbol).
"""
import os
import pathlib
import subprocess
import sys
import tempfile

PACKAGE_FILE = "quillmere_2.0_amd64.deb"


def run(command, **options):
    done = subprocess.run(command, capture_output=True, text=True, **options)
    if done.returncode != 0:
        sys.exit(f"{' '.join(map(str, command))} failed ({done.returncode}):\n"
                 f"{done.stdout}{done.stderr}")
    return done


def install(cmake, build, root):
    run([cmake, "--install", build, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=str(root)))
    share = root / "usr/share"
    run(["desktop-file-validate", share / "applications/quillmere.desktop"])
    metainfo = list((share / "metainfo").glob("*.metainfo.xml"))
    if len(metainfo) != 1:
        sys.exit(f"expected one metainfo file, found {metainfo}")
    run(["appstreamcli", "validate", "--no-net", metainfo[0]])
    for size in (16, 32, 48, 64, 128, 256):
        icon = share / f"icons/hicolor/{size}x{size}/apps/quillmere.png"
        if not icon.is_file():
            sys.exit(f"no icon {icon}")


def unpack(cpack, build, root):
    out = root.parent / "package"
    run([cpack, "--config", pathlib.Path(build) / "CPackConfig.cmake", "-B", out])
    package = out / PACKAGE_FILE
    if not package.is_file():
        sys.exit(f"CPack made no {PACKAGE_FILE}: {sorted(p.name for p in out.iterdir())}")
    run(["lintian", "--tag-display-limit", "0", package])  # fails on an error tag
    run(["dpkg-deb", "-x", package, root])


def check_no_test_hooks(root):
    libraries = sorted((root / "usr/lib/quillmere").glob("libquillframework*.so"))
    if not libraries:
        sys.exit("no framework library installed")
    for library in libraries:
        symbols = run(["nm", "-DC", "--defined-only", library]).stdout.splitlines()
        hooks = [line for line in symbols if "fw::testing::" in line]
        if hooks:
            sys.exit(f"{library.name} exports test hooks:\n" + "\n".join(hooks))


def start(root, plugin_dir, picture):
    program = root / "usr/bin/quillmere"
    missing = [line for line in run(["ldd", program]).stdout.splitlines() if "not found" in line]
    if missing:
        sys.exit("libraries not found:\n" + "\n".join(missing))
    env = {k: v for k, v in os.environ.items() if not k.startswith("LD_")}
    env.update(QT_QPA_PLATFORM="offscreen", QT_PLUGIN_PATH=plugin_dir,
               QT_QPA_GENERIC_PLUGINS="quillmeredriver", QUILLMERE_TEST_SCENARIO="quit-shortcut",
               QUILLMERE_TEST_PICTURE=picture)
    # From a folder outside both trees, so nothing is found by accident.
    try:
        done = subprocess.run([program], env=env, cwd=root, capture_output=True, text=True,
                              timeout=60)
    except subprocess.TimeoutExpired:
        sys.exit("the installed program did not end within 60 s")
    sys.stderr.write(done.stderr)
    loaded = [line.split("driver: loaded ", 1)[1] for line in done.stderr.splitlines()
              if line.startswith("driver: loaded ")]
    for library in ("libquillframework_core.so", "libquillframework.so", "libquillmatrix.so"):
        expected = str(root / "usr/lib/quillmere" / library)
        if expected not in loaded:
            sys.exit(f"{library} not loaded from the installed tree; loaded: {loaded}")
    if "driver: splash shows the picture" not in done.stderr:
        sys.exit("the splash does not show its picture")
    if done.returncode != 0:
        sys.exit(f"exit status {done.returncode}, expected 0")


def main():
    mode, tool, build, plugin_dir, picture = sys.argv[1:6]
    with tempfile.TemporaryDirectory(prefix="quillmere-") as tmp:
        root = pathlib.Path(tmp).resolve() / "root"
        root.mkdir()
        (install if mode == "destdir" else unpack)(tool, build, root)
        check_no_test_hooks(root)
        start(root, plugin_dir, picture)
    print(f"{mode}: the installed program started, showed its picture and quit with status 0")


if __name__ == "__main__":
    main()
