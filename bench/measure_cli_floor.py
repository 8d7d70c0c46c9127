#!/usr/bin/env python3
"""The command-line converter against its floor, the stream copy: `cat FILE > OUT` natively, and
bench/cli_floor (ReadFile/WriteFile of the converter's read block) under Wine; each input timed
alternately in one run, with the converter's peak memory.
measure_cli_floor.py [--wine] CLI FLOOR OUT ROUNDS INPUT...; with --wine, CLI and FLOOR are
Windows programs run by wine (its prefix and server already set up by the caller); natively FLOOR
is the native bench/cli_floor, timed beside cat for reference. Prints one line an input:
name=value pairs that scripts/bench turns into a table."""
import os
import statistics
import subprocess
import sys
import time


def run(command, stdout_path=None):
    """Runs a command to its end; returns its wall-clock seconds and its peak RSS in bytes (of
    the process itself: under Wine, of the wine loader's process)."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=out)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.perf_counter() - start
        child.returncode = os.waitstatus_to_exitcode(status)
    finally:
        if stdout_path:
            out.close()
    if child.returncode != 0:
        sys.exit(f"measure_cli_floor: {command[0]} failed with status {child.returncode}")
    return seconds, usage.ru_maxrss * 1024  # Linux counts in KiB


def main():
    arguments = sys.argv[1:]
    wine = arguments[0] == "--wine"
    if wine:
        arguments = arguments[1:]
    cli, floor, out, rounds, inputs = (arguments[0], arguments[1], arguments[2],
                                       int(arguments[3]), arguments[4:])
    os.makedirs(out, exist_ok=True)

    def program(path):
        return ["wine", path] if wine else [path]

    def native_path(path):
        # Wine maps the root of the Linux file system to drive Z:.
        return "Z:" + path.replace("/", "\\") if wine else path

    for source in inputs:
        name = os.path.basename(source)
        works = {
            "cli": lambda: run(program(cli) + ["-o", native_path(out), native_path(source)]),
            "floor": lambda: run(program(floor) + [native_path(source),
                                                   native_path(os.path.join(out, "floor.out"))]),
        }
        if not wine:
            works["cat"] = lambda: run(["cat", source], os.path.join(out, "cat.out"))
        times = {key: [] for key in works}
        peak = 0
        order = list(works)
        for index in range(rounds):
            # Each round starts with the next program, so a drift in the machine's load is shared.
            for key in order[index % len(order):] + order[:index % len(order)]:
                seconds, rss = works[key]()
                times[key].append(seconds)
                if key == "cli":
                    peak = max(peak, rss)
            # The outputs are removed at once: a 1 GiB input's three copies would fill the memory.
            for entry in os.listdir(out):
                os.remove(os.path.join(out, entry))
        medians = {key: statistics.median(values) for key, values in times.items()}
        line = (f"input={name} bytes={os.path.getsize(source)} cli_s={medians['cli']:.4f} "
                f"floor_s={medians['floor']:.4f} cli_floor={medians['cli'] / medians['floor']:.3f} "
                f"cli_peak_bytes={peak} rounds={rounds}")
        if not wine:
            line += f" cat_s={medians['cat']:.4f} cli_cat={medians['cli'] / medians['cat']:.3f}"
        line += f" load={os.getloadavg()[0]:.1f}"
        print(line, flush=True)


if __name__ == "__main__":
    main()
