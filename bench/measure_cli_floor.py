#!/usr/bin/env python3
"""The command-line converter against its floor, the stream copy: `cat FILE > OUT` natively, and
bench/cli_floor (ReadFile/WriteFile of the converter's read block) under Wine; each input timed
alternately in one run, and the converter's peak memory measured once by GNU time.
measure_cli_floor.py [--wine] CLI FLOOR OUT ROUNDS INPUT...; with --wine, CLI and FLOOR are
Windows programs run by wine (its prefix and server already set up by the caller); natively FLOOR
is the native bench/cli_floor, timed beside cat for reference. Prints one line an input:
name=value pairs that scripts/bench turns into a table."""
import os
import statistics
import sys
import time


def run(command, stdout_path=None):
    """Runs a command to its end; returns its wall-clock seconds."""
    actions = [(os.POSIX_SPAWN_OPEN, 1, stdout_path or os.devnull,
                os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)]
    start = time.perf_counter()
    pid = os.posix_spawnp(command[0], command, os.environ, file_actions=actions)
    _, status, _ = os.wait4(pid, 0)
    seconds = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"measure_cli_floor: {command[0]} failed with status {code}")
    return seconds


def peak_memory(command, scratch):
    """The command's peak resident set in bytes, as GNU time reports it (with the peaks of the
    processes it waited for: under Wine, the loader's and the program's). Measured apart from the
    timed rounds: a child started from this interpreter counts the interpreter's pages as its
    own until it replaces them."""
    report = os.path.join(scratch, "peak.txt")
    run(["/usr/bin/time", "-o", report, "-f", "%M"] + command)
    with open(report) as lines:
        return int(lines.read().split()[-1]) * 1024  # in KiB


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
        order = list(works)
        for index in range(rounds):
            # Each round starts with the next program, so a drift in the machine's load is shared.
            for key in order[index % len(order):] + order[:index % len(order)]:
                times[key].append(works[key]())
            # The outputs are removed at once: a 1 GiB input's three copies would fill the memory.
            for entry in os.listdir(out):
                os.remove(os.path.join(out, entry))
        peak = peak_memory(program(cli) + ["-o", native_path(out), native_path(source)], out)
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
