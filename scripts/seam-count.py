#!/usr/bin/env python3
"""Counts the seams that proposed polygon sets add on smooth surfaces, against the host's own
smoothing.

Usage: scripts/seam-count.py VELMORA OBJECT... [--sets-from shape|normals]

VELMORA is the velmora program; OBJECT an .lwo or .obj file. For each object it looks at every
edge two polygons share (by point number, as the host and the module find neighbours) whose
polygon normals (Newell's, as the host takes them) meet less than 10 degrees apart. Such an edge
is a seam when, at either of its two points, the normals the two polygons' corners there get
differ by more than 2 degrees and by more than three quarters of the angle between the polygons:
a crease where the surface itself hardly turns. It counts seams twice: with the sets proposed
(`velmora normals OBJECT --sets-from shape`, or `normals`) and with the host's smoothing alone
(`--sets-from surfaces --set '*:off'`: every set keeps the host's normals, which do not depend on
the sets; unlike the proposal's own sets, the surfaces' always match `*`).

Prints one line per object (polygons, edges under 10 degrees, seams with the proposed sets, seams
with the host alone) and the totals. Positions come from `velmora normals --format obj` (its `v`
lines are the object's points in order), the corners' points and normals from the CSV. Exit
status 0; 1 when VELMORA or an object is missing, velmora fails or its output cannot be read;
2 when the command line is wrong. VELMORA may be a program on the PATH.
"""
import argparse
import csv
import math
import os
import shutil
import subprocess
import sys
import tempfile

FLAT_DEGREES = 10.0    # edges whose polygons meet at less than this are on a smooth surface
JUMP_DEGREES = 2.0     # a jump in the normal across the edge larger than this ...
JUMP_SHARE = 0.75      # ... and than this share of the angle between the polygons is a seam


class Failure(Exception):
    """A failure to report in one line."""


def run_velmora(velmora, path, options, fmt):
    """The text velmora normals writes for `path` with `options`, in format `fmt`."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, 'normals.' + fmt)
        arguments = [velmora, 'normals', path, *options, '--format', fmt, '-o', out]
        try:
            done = subprocess.run(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                  text=True, errors='replace')
        except OSError as error:
            raise Failure(f'cannot run {velmora}: {error.strerror}') from None
        if done.returncode != 0:
            said = [line for line in done.stderr.splitlines() if line.strip()]
            reason = said[-1].removeprefix('velmora: error: ') if said else \
                f'{path}: exit status {done.returncode}'
            raise Failure(f'velmora normals {" ".join(options)} --format {fmt}: {reason}')
        try:
            with open(out, errors='replace') as text:
                return text.read()
        except OSError as error:
            raise Failure(f'velmora normals {" ".join(options)} --format {fmt}: {path}: '
                          f'no output ({error.strerror})') from None


def positions(obj_text):
    """The points' positions: the `v` lines in order."""
    points = []
    for line in obj_text.splitlines():
        if line.startswith('v ') or line.startswith('v\t'):
            fields = line.split()
            try:
                points.append(tuple(float(x) for x in fields[1:4]))
            except ValueError:
                points.append((math.nan, math.nan, math.nan))
    return points


def corners(csv_text):
    """Per polygon, in order, its corners as (point, normal)."""
    polygons = []
    for line, row in enumerate(csv.DictReader(csv_text.splitlines()), 2):
        try:
            p, c, point = int(row['polygon']), int(row['corner']), int(row['point'])
            normal = float(row['nx']), float(row['ny']), float(row['nz'])
        except (KeyError, TypeError, ValueError):
            raise Failure(f'line {line} of the normals CSV cannot be read') from None
        while len(polygons) <= p:
            polygons.append([])
        if c != len(polygons[p]):
            raise Failure(f'polygon {p} corner {c} out of order in the normals CSV')
        polygons[p].append((point, normal))
    return polygons


def newell(points):
    x = y = z = 0.0
    for (ax, ay, az), (bx, by, bz) in zip(points, points[1:] + points[:1]):
        x += (ay - by) * (az + bz)
        y += (az - bz) * (ax + bx)
        z += (ax - bx) * (ay + by)
    return x, y, z


def degrees(a, b):
    """The angle between two vectors; None when either is zero or not finite."""
    la, lb = math.sqrt(sum(x * x for x in a)), math.sqrt(sum(x * x for x in b))
    if not (la > 0 and lb > 0 and math.isfinite(la) and math.isfinite(lb)):
        return None
    cosine = sum(x * y for x, y in zip(a, b)) / la / lb
    return math.degrees(math.acos(max(-1.0, min(1.0, cosine))))


def smooth_edges(polygons, points):
    """The edges on smooth surfaces: (a, b, its two polygons, the angle between them), for each
    edge of distinct points that exactly two polygons of three or more corners share."""
    if polygons:
        highest = max((point for corners_ in polygons for point, _ in corners_), default=-1)
        if highest >= len(points):
            raise Failure(f'the mesh names point {highest + 1}, the OBJ output has '
                          f'{len(points)} points')
    normals = [newell([points[point] for point, _ in corners_]) if len(corners_) >= 3 else None
               for corners_ in polygons]
    users = {}
    for p, corners_ in enumerate(polygons):
        if len(corners_) < 3:
            continue
        ring = [point for point, _ in corners_]
        for a, b in zip(ring, ring[1:] + ring[:1]):
            if a != b:
                users.setdefault((min(a, b), max(a, b)), []).append(p)
    edges = []
    for (a, b), two in users.items():
        if len(two) != 2 or two[0] == two[1]:
            continue
        angle = degrees(normals[two[0]], normals[two[1]])
        if angle is not None and angle < FLAT_DEGREES:
            edges.append((a, b, two[0], two[1], angle))
    return edges


def seams(edges, polygons):
    """How many of the edges the normals in `polygons` crease."""
    def normal_at(p, point):
        for corner_point, normal in polygons[p]:
            if corner_point == point:
                return normal
        return None

    count = 0
    for a, b, p, q, angle in edges:
        for point in (a, b):
            jump = degrees(normal_at(p, point), normal_at(q, point))
            if jump is not None and jump > JUMP_DEGREES and jump > JUMP_SHARE * angle:
                count += 1
                break
    return count


def same_mesh(one, other):
    return len(one) == len(other) and all(
        [point for point, _ in a] == [point for point, _ in b] for a, b in zip(one, other))


def measure(velmora, path, source):
    """Polygons, edges on smooth surfaces, seams with the proposed sets, with the host alone."""
    proposed = corners(run_velmora(velmora, path, ['--sets-from', source], 'csv'))
    host_options = ['--sets-from', 'surfaces', '--set', '*:off']
    host = corners(run_velmora(velmora, path, host_options, 'csv'))
    if not same_mesh(proposed, host):
        raise Failure(f'{path}: the two runs give different polygons')
    edges = smooth_edges(proposed, positions(run_velmora(velmora, path, host_options, 'obj')))
    return len(proposed), len(edges), seams(edges, proposed), seams(edges, host)


def main():
    parser = argparse.ArgumentParser(
        description='Counts the seams proposed polygon sets add on smooth surfaces (polygons '
                    f'meeting at under {FLAT_DEGREES:g} degrees), with the host\'s smoothing '
                    'alone for comparison.')
    parser.add_argument('velmora', metavar='VELMORA', help='the velmora program')
    parser.add_argument('objects', metavar='OBJECT', nargs='+', help='.lwo or .obj files')
    parser.add_argument('--sets-from', choices=['shape', 'normals'], default='shape',
                        help='propose the sets from the shape (default) or the object\'s normals')
    arguments = parser.parse_args()
    try:
        if not os.path.isfile(arguments.velmora) and not shutil.which(arguments.velmora):
            raise Failure(f'{arguments.velmora}: no such program')
        for path in arguments.objects:
            if not os.path.isfile(path):
                raise Failure(f'{path}: no such file')
        totals = [0, 0, 0, 0]
        for path in arguments.objects:
            figures = measure(arguments.velmora, path, arguments.sets_from)
            totals = [t + f for t, f in zip(totals, figures)]
            polygons, edges, proposed, host = figures
            print(f'{path}: {polygons} polygons, {edges} edges under {FLAT_DEGREES:g} degrees; '
                  f'seams: {proposed} with --sets-from {arguments.sets_from}, {host} with the '
                  f'host alone', flush=True)
        polygons, edges, proposed, host = totals
        count = len(arguments.objects)
        print(f'total ({count} object{"s" if count != 1 else ""}): {polygons} polygons, '
              f'{edges} edges under {FLAT_DEGREES:g} degrees; seams: {proposed} with '
              f'--sets-from {arguments.sets_from}, {host} with the host alone')
    except Failure as failure:
        print(f'seam-count: {failure}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
