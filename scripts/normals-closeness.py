#!/usr/bin/env python3
"""How close `--sets-from normals` comes to the normals OBJ files carry, against one angle.

Usage: scripts/normals-closeness.py VELMORA OBJECT.obj...

For each object: the share of polygon corners whose normal comes within 5 degrees of the file's
own (`vn`) with the sets proposed from them; the same for the host's smoothing at the single
whole angle that does best, and for the module with one set per surface at its best angle (every
5 degrees, then each degree around the best); and the proposal's largest difference. Runs the
`normals` command once per angle tried, so it suits objects of some thousands of polygons.
"""
import csv
import math
import os
import subprocess
import sys
import tempfile

OFF_DEGREES = 5


def file_normals(path):
    """Per polygon (`f` line), its corners' normals as the file gives them, None where it gives
    none."""
    normals, polygons = [], []
    with open(path, errors='replace') as obj:
        for line in obj:
            if line.startswith('vn '):
                normals.append(tuple(map(float, line.split()[1:4])))
            elif line.startswith('f '):
                corners = []
                for token in line.split()[1:]:
                    fields = token.split('/')
                    index = int(fields[2]) if len(fields) > 2 and fields[2] else 0
                    corners.append(normals[index - 1] if index > 0 else
                                   normals[index] if index < 0 else None)
                polygons.append(corners)
    return polygons


def module_normals(arguments):
    """The normals command's CSV, by polygon and corner."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, 'normals.csv')
        subprocess.run(arguments + ['-o', out], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        with open(out) as table:
            return {(int(row['polygon']), int(row['corner'])):
                    (float(row['nx']), float(row['ny']), float(row['nz']))
                    for row in csv.DictReader(table)}


def degrees(a, b):
    la, lb = math.hypot(*a), math.hypot(*b)
    if la == 0 or lb == 0:
        return 180.0
    cosine = sum(x * y for x, y in zip(a, b)) / la / lb
    return math.degrees(math.acos(max(-1.0, min(1.0, cosine))))


def closeness(authored, given):
    """Corners within OFF_DEGREES, corners compared, the largest difference."""
    within = compared = 0
    largest = 0.0
    for p, corners in enumerate(authored):
        for c, normal in enumerate(corners):
            if normal is None or (p, c) not in given:
                continue
            difference = degrees(normal, given[(p, c)])
            compared += 1
            within += difference <= OFF_DEGREES
            largest = max(largest, difference)
    return within, compared, largest


def best_angle(authored, arguments_at):
    """The whole angle whose corners come within OFF_DEGREES most often, and that count."""
    tried = {}

    def within_at(angle):
        if angle not in tried:
            tried[angle] = closeness(authored, module_normals(arguments_at(angle)))[0]
        return tried[angle]

    coarse = max(range(0, 181, 5), key=lambda angle: (within_at(angle), -angle))
    nearby = range(max(0, coarse - 4), min(180, coarse + 4) + 1)
    best = max(nearby, key=lambda angle: (within_at(angle), -angle))
    return best, tried[best]


def main():
    velmora, objects = sys.argv[1], sys.argv[2:]
    for path in objects:
        authored = file_normals(path)
        within, corners, largest = closeness(
            authored, module_normals([velmora, 'normals', path, '--sets-from', 'normals']))
        host, host_within = best_angle(authored, lambda angle: [
            velmora, 'normals', path, '--sets-from', 'surfaces', '--set', '*:off',
            '--host-angle', str(angle)])
        module, module_within = best_angle(authored, lambda angle: [
            velmora, 'normals', path, '--sets-from', 'surfaces', '--set', f'*:{angle}:same'])
        share = lambda count: f'{100 * count / corners:.1f}%'
        print(f'{os.path.basename(path)}: {len(authored)} polygons, {corners} corners; '
              f'--sets-from normals {share(within)} within {OFF_DEGREES} degrees '
              f'(largest difference {largest:.3g}); host at its best angle {host}: '
              f'{share(host_within)}; module, one set per surface at its best angle {module}: '
              f'{share(module_within)}', flush=True)


if __name__ == '__main__':
    main()
