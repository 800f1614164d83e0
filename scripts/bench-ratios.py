#!/usr/bin/env python3
"""Prints the speed figures of one scripts/bench.sh run as ratios of their baselines.

Arguments: the JSON files that the benchmark programs wrote with --benchmark_out. Every ratio
compares two benchmarks of the same run, so the load of the machine cancels out as far as it can.
"""
import json
import sys


def load(paths):
    """Each benchmark's time: the median of its repetitions where it was repeated. A benchmark's
    `bytes` counter, the size of what it wrote, is kept under NAME:bytes as a figure in seconds'
    place, so that ratio() compares sizes alike."""
    times, medians = {}, {}
    for path in paths:
        with open(path) as file:
            text = file.read()
        if not text.strip():  # a program whose benchmarks the filter left out
            continue
        for run in json.loads(text)["benchmarks"]:
            if "real_time" not in run:  # a complexity fit
                continue
            figure = run["real_time"], run["time_unit"]
            if run.get("run_type", "iteration") == "iteration":
                times[run["name"]] = figure
                if "bytes" in run:
                    times[run["name"] + ":bytes"] = run["bytes"], "s"
            elif run.get("aggregate_name") == "median":
                medians[run["run_name"]] = figure
    times.update(medians)
    return times


SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def seconds(times, name):
    value, unit = times[name]
    return value * SCALE[unit]


def line(label, figure):
    print(f"  {label:<58} {figure}")


def ratio(times, label, name, baseline):
    if name not in times or baseline not in times:
        return
    line(label, f"{seconds(times, name) / seconds(times, baseline):.2f}")


def rate(times, label, name):
    if name in times:
        line(label, f"{1 / seconds(times, name) / 1e6:.2f}M/s")


def main():
    times = load(sys.argv[1:])
    print("Ratios of one run (below 1: faster than the baseline)")
    print("Adjacency table, 1M quads")
    ratio(times, "flat table build / hashed table build", "CacheBuild/flat/1000000",
          "CacheBuild/hashed/1000000")
    ratio(times, "flat table build / the host's two scans alone", "CacheBuild/flat/1000000",
          "HostScans/1000000")
    ratio(times, "smoothing over the flat table / over the hashed one",
          "SlotSmoothing/flat/1000000", "SlotSmoothing/hashed/1000000")
    print("Evaluate, one thread")
    for order, polygons in (("sweep", "100000"), ("random", "1000000")):
        name = f"Evaluate/{order}/{polygons}"
        rate(times, f"{order} order, {polygons} quads: samples per second", name)
        ratio(times, f"{order} order, {polygons} quads: / its host calls alone", name,
              f"HostCallsAlone/{order}/{polygons}")
    print("Normals of 1M waved quads written from blocks")
    ratio(times, "glb / OBJ: time", "NormalsGlb/real_time", "NormalsObj/real_time")
    ratio(times, "glb / OBJ: size", "NormalsGlb/real_time:bytes", "NormalsObj/real_time:bytes")
    print("Preview render of the machined part, 1280x720, 4 samples per pixel")
    for threads in ("1", "2"):
        prefix = f"RenderMachinedPart/threads:{threads}"
        ratio(times, f"{threads} thread(s): with the module / host only",
              f"{prefix}/module:1/iterations:3/real_time",
              f"{prefix}/module:0/iterations:3/real_time")


main()
