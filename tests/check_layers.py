#!/usr/bin/env python3
"""Checks which libraries a binary loads, its dependencies' included.

usage: check_layers.py <forbidden name>... -- <binary>...

Fails when any binary loads a library whose file name starts with one of the
forbidden names, and names the binary and the library. The layers the build
draws (the core below the GUI, the analysis on the core alone) hold only as
long as no link adds such a library.
"""
import subprocess
import sys


def loaded_libraries(binary):
    done = subprocess.run(["ldd", binary], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"ldd {binary} failed:\n{done.stdout}{done.stderr}")
    names = []
    for line in done.stdout.splitlines():
        name = line.strip().split(" ", 1)[0]
        if "not found" in line:
            sys.exit(f"{binary}: {line.strip()}")
        names.append(name.rsplit("/", 1)[-1])
    return names


def main():
    args = sys.argv[1:]
    if "--" not in args:
        sys.exit(__doc__)
    split = args.index("--")
    forbidden, binaries = args[:split], args[split + 1:]
    if not forbidden or not binaries:
        sys.exit(__doc__)
    faults = [f"{binary} loads {name}" for binary in binaries
              for name in loaded_libraries(binary)
              if any(name.startswith(prefix) for prefix in forbidden)]
    if faults:
        sys.exit("\n".join(faults))
    print(f"{len(binaries)} binaries load none of: {' '.join(forbidden)}")


if __name__ == "__main__":
    main()
