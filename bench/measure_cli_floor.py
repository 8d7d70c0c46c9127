#!/usr/bin/env python3
"""The command-line converter against its floor (bench/cli_floor: read the whole input, create
the output, write it, close; in the memory the converter uses, and in plain memory) and against
cat, on each input, timed alternately in one run.
measure_cli_floor.py [--wine] CLI FLOOR OUT ROUNDS INPUT...; with --wine, CLI and FLOOR are
Windows programs run by wine (its prefix and server already set up by the caller) and cat stays
the native one. Prints one line an input: name=value pairs that scripts/bench turns into a table."""
import os
import statistics
import subprocess
import sys
import time


def run(command, stdout_path=None):
    """Runs a command to its end; returns its wall-clock seconds."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        status = subprocess.run(command, stdout=out, check=False).returncode
        seconds = time.perf_counter() - start
    finally:
        if stdout_path:
            out.close()
    if status != 0:
        sys.exit(f"measure_cli_floor: {command[0]} failed with status {status}")
    return seconds


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
            "plain_floor": lambda: run(program(floor) + [
                native_path(source), native_path(os.path.join(out, "floor.out")), "normal-pages"]),
            "cat": lambda: run(["cat", source], os.path.join(out, "cat.out")),
        }
        times = {key: [] for key in works}
        order = list(works)
        for index in range(rounds):
            # Each round starts with the next program, so a drift in the machine's load is shared.
            for key in order[index % len(order):] + order[:index % len(order)]:
                times[key].append(works[key]())
        cli_s, floor_s, plain_s, cat_s = (statistics.median(times[key])
                                          for key in ("cli", "floor", "plain_floor", "cat"))
        print(f"input={name} cli_s={cli_s:.4f} floor_s={floor_s:.4f} plain_floor_s={plain_s:.4f} "
              f"cat_s={cat_s:.4f} cli_floor={cli_s / floor_s:.3f} "
              f"cli_plain_floor={cli_s / plain_s:.3f} cli_cat={cli_s / cat_s:.3f} rounds={rounds}")


if __name__ == "__main__":
    main()
