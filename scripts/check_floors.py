#!/usr/bin/env python3
"""Checks the floors of src/: no #include runs up a floor, and no circle of files.

The floors, bottom to top: platform, core, setup, scoring, devices, publishing,
flows (app/ stands on all of them). A file may include its own floor and the
floors below it. Within a floor, routines never include a window's header (a
file under ui/). A header and its .cpp count as one unit; a circle is a set of
units that reach one another through their includes.

Usage: check_floors.py [--strict] [source root]
Exit code 1 on any upward include and any circle that spans floors; a circle
within one floor is listed too, and is a fault only with --strict.
"""
import os
import re
import sys

FLOORS = ["platform", "core", "setup", "scoring", "devices", "publishing", "flows"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def units(src):
    """Maps each file under src (relative path) to its include targets."""
    files = {}
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith((".h", ".cpp")):
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, src).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as f:
                    files[rel] = INCLUDE.findall(f.read())
    return files


def resolve(rel, target, files):
    """The file an include names: relative to src/, else to the including file's folder."""
    if target in files:
        return target
    local = os.path.normpath(os.path.join(os.path.dirname(rel), target)).replace(os.sep, "/")
    return local if local in files else None


def strongly_connected(graph):
    """Tarjan's algorithm, iterative; returns the components of more than one node."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = 0
    for root in sorted(graph):
        if root in index:
            continue
        work = [(root, iter(sorted(graph[root])))]
        index[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph[child]))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    result.append(sorted(component))
    return result


def main():
    args = [a for a in sys.argv[1:] if a != "--strict"]
    strict = "--strict" in sys.argv[1:]
    src = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "src")
    files = units(src)
    faults = []
    graph = {}
    for rel, targets in sorted(files.items()):
        floor = rel.split("/")[0]
        unit = os.path.splitext(rel)[0]
        graph.setdefault(unit, set())
        for target in targets:
            found = resolve(rel, target, files)
            if found is None:
                continue
            to_floor = found.split("/")[0]
            if floor in FLOORS and to_floor in FLOORS and FLOORS.index(to_floor) > FLOORS.index(floor):
                faults.append(f"{rel}: includes {target}, a higher floor ({to_floor} above {floor})")
            if "/ui/" not in "/" + rel and "/ui/" in "/" + found:
                faults.append(f"{rel}: a routine includes the window header {target}")
            to_unit = os.path.splitext(found)[0]
            if to_unit != unit:
                graph[unit].add(to_unit)
                graph.setdefault(to_unit, set())
    within = []
    for component in strongly_connected(graph):
        floors = {unit.split("/")[0] for unit in component}
        text = f"a circle of {len(component)} files: " + " ".join(component)
        (within if len(floors) == 1 and not strict else faults).append(text)
    for fault in faults:
        print(fault)
    for circle in within:
        print("within one floor, " + circle)
    print(f"{len(files)} files checked, {len(faults)} faults, {len(within)} circles within one floor")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
