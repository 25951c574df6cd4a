#!/usr/bin/env python3
"""Runs the catalogue extraction in C++ (bench_regex) and with Python's re on
the same region bytes, and prints both times and their ratio.

    compare_python.py <path to bench_regex>

The Python time covers what the C++ run covers: decoding the region from
code page 936 (gbk), finding every match with IGNORECASE | MULTILINE and
reading groups 1 and 3 of each.
"""

import json
import re
import subprocess
import sys
import tempfile
import time
from pathlib import Path


def python_extraction(region: bytes, pattern: str, repeats: int) -> tuple[float, int]:
    best = float("inf")
    rows = 0
    for _ in range(repeats):
        start = time.process_time()
        compiled = re.compile(pattern, re.IGNORECASE | re.MULTILINE)
        text = region.decode("gbk", errors="replace")
        rows = 0
        for m in compiled.finditer(text):
            link, name = m.group(1), m.group(3)
            rows += 1
        best = min(best, time.process_time() - start)
    return best, rows


def cpp_extraction(bench: str) -> tuple[float, int]:
    out = subprocess.run(
        [bench, "--benchmark_filter=BM_CatalogueExtraction$", "--benchmark_format=json",
         "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
        check=True, capture_output=True, text=True).stdout
    runs = json.loads(out)["benchmarks"]
    # The median of five repetitions against the best of five Python runs, so
    # the ratio errs in Python's favour; CPU time on both sides, since the
    # machine may be shared.
    median = next(r for r in runs if r.get("aggregate_name") == "median")
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[median["time_unit"]]
    return median["cpu_time"] * scale, int(median.get("rows", 0))


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    bench = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        dump = Path(work) / "region.bin"
        subprocess.run([bench, f"--dump-region={dump}"], check=True)
        region = dump.read_bytes()
        pattern = Path(f"{dump}.pattern").read_bytes().decode("gbk")

    cpp_seconds, cpp_rows = cpp_extraction(bench)
    py_seconds, py_rows = python_extraction(region, pattern, repeats=5)

    print(f"region: {len(region)} bytes")
    print(f"C++ (RegexObject): {cpp_seconds * 1e3:8.2f} ms  rows={cpp_rows}")
    print(f"Python re:         {py_seconds * 1e3:8.2f} ms  rows={py_rows}")
    print(f"ratio Python/C++:  {py_seconds / cpp_seconds:8.1f}x")
    if cpp_rows != py_rows:
        print("row counts differ", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
