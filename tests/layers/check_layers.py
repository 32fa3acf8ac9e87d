#!/usr/bin/env python3
"""Holds every #include "..." under src/ to the table of layers in src/layers.txt: a file may
include files of its own layer or of the layers below it, never above. An include that runs
upward is reported with its file, its line and both layers, and the check fails.

    check_layers.py [--src DIR]      check a source tree (default: the src/ beside tests/)
    check_layers.py --self-test      check that an upward include in a scratch tree is caught
"""
import argparse
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_layers(path):
    """The layer names of the table, bottom first."""
    layers = []
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.split("#", 1)[0].strip()
            if line:
                layers.append(line.split()[0])
    return layers


def layer_of(path, layers):
    """The layer of a path relative to src/: its first folder; None outside every layer."""
    first = path.replace("\\", "/").split("/", 1)[0]
    return first if first in layers else None


def check(src):
    """The upward includes of the tree, as report lines (empty when the tree keeps its layers)."""
    layers = read_layers(os.path.join(src, "layers.txt"))
    rank = {name: i for i, name in enumerate(layers)}
    problems = []
    for folder, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".h", ".hpp", ".cpp", ".cc")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, src)
            own = layer_of(rel, layers)
            if own is None:
                problems.append(f"{rel}: lies in no layer of layers.txt")
                continue
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, text in enumerate(source, 1):
                    match = INCLUDE.match(text)
                    if not match:
                        continue
                    target = match.group(1)
                    other = layer_of(target, layers)
                    if other is None:
                        # A path relative to the including file's folder.
                        beside = os.path.relpath(os.path.join(folder, target), src)
                        other = layer_of(beside, layers)
                    if other is None:
                        problems.append(f"{rel}:{number}: \"{target}\" lies in no layer")
                    elif rank[other] > rank[own]:
                        problems.append(f"{rel}:{number}: \"{target}\" runs upward, from layer "
                                        f"{own} to layer {other}")
    return problems


def self_test():
    """An upward include in a scratch tree is reported with its file, line and both layers."""
    with tempfile.TemporaryDirectory() as src:
        with open(os.path.join(src, "layers.txt"), "w") as table:
            table.write("# bottom first\nlow   the lower layer\nhigh  the upper layer\n")
        os.makedirs(os.path.join(src, "low"))
        os.makedirs(os.path.join(src, "high"))
        with open(os.path.join(src, "high", "top.h"), "w") as top:
            top.write('#pragma once\n#include "low/base.h"\n')
        with open(os.path.join(src, "low", "base.h"), "w") as base:
            base.write('#pragma once\n#include "base_parts.h"\n')
        with open(os.path.join(src, "low", "base_parts.h"), "w") as parts:
            parts.write('#pragma once\n')
        clean = check(src)
        if clean:
            print("self-test: a tree that keeps its layers was reported:", *clean, sep="\n  ")
            return 1
        with open(os.path.join(src, "low", "base.h"), "a") as base:
            base.write('#include "high/top.h"\n')
        found = check(src)
        expected = 'low/base.h:3: "high/top.h" runs upward, from layer low to layer high'
        if found != [expected]:
            print("self-test: expected", expected, "but got:", *found, sep="\n  ")
            return 1
    print("self-test: the upward include was reported")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--src", default=os.path.join(here, "..", "..", "src"))
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args()
    if args.self_test:
        return self_test()
    problems = check(os.path.normpath(args.src))
    for line in problems:
        print(line)
    if problems:
        print(f"{len(problems)} includes break the layers of src/layers.txt")
        return 1
    print("every include keeps to the layers of src/layers.txt")
    return 0


if __name__ == "__main__":
    sys.exit(main())
