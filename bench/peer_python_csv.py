#!/usr/bin/env python3
"""Peer: Python's csv module reading the same file into a list of rows."""
import csv
import resource
import sys
import time

path = sys.argv[1]
start = time.perf_counter()
with open(path, newline="", encoding="utf-8-sig") as f:
    reader = csv.reader(f, delimiter=";", quotechar='"', strict=True)
    headers = next(reader)
    rows = [row for row in reader]
seconds = time.perf_counter() - start
size_mb = __import__("os").path.getsize(path) / 1e6
peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024 / 1e6
print(f"{'python csv':<22} {size_mb / seconds:8.1f} MB/s  peak {peak_mb:7.1f} MB = "
      f"{peak_mb / size_mb:4.2f} x file  {len(rows)} rows")
