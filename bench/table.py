#!/usr/bin/env python3
"""Prints one table from the benchmark results: each figure beside its
baseline from the same run, and their ratio."""
import json
import sys

framing = json.load(open(sys.argv[1]))
program = json.load(open(sys.argv[2]))

# Medians of the repetitions, by benchmark name.
runs = {b["run_name"]: b for b in framing["benchmarks"] if b.get("aggregate_name") == "median"}


def row(what, value, baseline, ratio, target=""):
    print(f"| {what} | {value} | {baseline} | {ratio} | {target} |")


print("| measure | this system | baseline (same run) | ratio | target |")
print("|---|---|---|---|---|")

areas = runs["BM_ContainsStreetAreas"]
five = runs["BM_ContainsPolygon/5"]
row("contains, 3 street areas per call", f"{areas['cpu_time']:.1f} ns",
    f"{five['cpu_time']:.1f} ns (one 5-corner polygon)",
    f"{areas['cpu_time'] / five['cpu_time']:.2f}", "about 3")
for corners in (50, 500, 5000):
    run = runs[f"BM_ContainsPolygon/{corners}"]
    growth = run["cpu_time"] / five["cpu_time"]
    row(f"contains, {corners} corners", f"{run['cpu_time']:.1f} ns",
        f"{five['cpu_time']:.1f} ns (5 corners)",
        f"{growth:.1f} (corners x{corners // 5})", "linear in corners")
allocs = max(r["allocs_per_call"] for n, r in runs.items() if n.startswith("BM_Contains"))
row("contains, allocations per call", f"{allocs:g}", "0", "", "0")



def framing_rows(suffix, what, buffer, targets):
    for size, target in targets:
        read = runs[f"BM_ReadPacket{suffix}/{size}/real_time"]
        base = runs[f"BM_RecvBaseline{suffix}/{size}/real_time"]
        row(f"framing, {what}{size}-byte records",
            f"{read['bytes_per_second'] / 1e6:.0f} MB/s ({read['items_per_second'] / 1e6:.2f} M records/s)",
            f"{base['bytes_per_second'] / 1e6:.0f} MB/s (recv into {buffer} bytes)",
            f"{read['bytes_per_second'] / base['bytes_per_second']:.2f}", target)


framing_rows("", "", 512, ((4, ">= 0.3"), (32, ">= 0.7"), (136, ">= 0.7"), (252, ">= 0.85")))
# Version 9: sizes in 4-byte units, a 16-car report of 452 bytes, records up
# to 1020 bytes, through the connection's 2048-byte buffers.
framing_rows("V9", "version 9, ", 2048,
             ((4, ">= 0.3"), (136, ">= 0.7"), (452, ">= 0.7"), (1020, ">= 0.85")))

p = program
limit = 1.2 * p["echo_latency_median_us"] + 10
row(f"report to button, median of {p['rounds']}", f"{p['program_latency_median_us']:.1f} us",
    f"{p['echo_latency_median_us']:.1f} us (echo process)",
    f"{p['program_latency_median_us'] / p['echo_latency_median_us']:.2f}",
    f"<= {limit:.1f} us (1.2 x echo + 10 us)")
row(f"report to button through insim_tap, median of {p['rounds']}, all on one core",
    f"{p['tapped_one_core_median_us']:.1f} us",
    f"{p['program_one_core_median_us']:.1f} us (direct, on one core)",
    f"{p['tapped_one_core_median_us'] / p['program_one_core_median_us']:.2f}", "<= 2.6")
row(f"report to button through insim_tap, median of {p['rounds']}, any core",
    f"{p['tapped_latency_median_us']:.1f} us",
    f"{p['program_latency_median_us']:.1f} us (direct)",
    f"{p['tapped_latency_median_us'] / p['program_latency_median_us']:.2f}")
row("report to button, 99th percentile", f"{p['program_latency_p99_us']:.1f} us",
    f"{p['echo_latency_p99_us']:.1f} us (echo process)",
    f"{p['program_latency_p99_us'] / p['echo_latency_p99_us']:.2f}")
row("peak resident memory", f"{p['program_peak_kb']} kB", f"{p['echo_peak_kb']} kB (echo process)",
    f"{p['program_peak_kb'] / p['echo_peak_kb']:.2f}")
row("allocations after start-up", str(p["allocations_after_start"]),
    f"{p['allocations_at_start']} (during start-up, by the same count)", "", "0")
row(f"CPU while idle for {p['idle_seconds']} s (one report a second)",
    f"{p['program_idle_cpu_ms']:.2f} ms", f"{p['echo_idle_cpu_ms']:.2f} ms (echo process)",
    f"{p['program_idle_cpu_ms'] / p['echo_idle_cpu_ms']:.2f}")
row(f"fake_lfs at 100 reports a second, CPU over {p['busy_seconds']} s",
    f"{p['fake_lfs_cpu_percent']:.2f}% of a core",
    f"{p['echo_busy_cpu_percent']:.2f}% (echo process, 100 exchanges a second)",
    f"{p['fake_lfs_cpu_percent'] / max(p['echo_busy_cpu_percent'], 0.01):.2f}", "< 3% of a core")
row(f"wake-ups while idle for {p['idle_seconds']} s", str(p["program_idle_wakeups"]),
    f"{p['echo_idle_wakeups']} (echo process)",
    f"{p['program_idle_wakeups'] / max(p['echo_idle_wakeups'], 1):.2f}",
    "one per report (and per 5 s without one)")
