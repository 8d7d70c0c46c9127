#!/usr/bin/env python3
"""The command-line converter against its peers on the same files, timed alternately in one run,
and its peak resident memory. measure_peers.py CLI FIXTURES OUT ROUNDS; prints one line a figure:
name=value pairs that scripts/bench turns into the table."""
import os
import statistics
import subprocess
import sys
import time

from measure_cli_floor import peak_memory

PEER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "peers", "frame.pl")


def run(command, stdout_path=None):
    """Runs a command; returns (seconds, max resident KiB of that process alone)."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=out)
        _, status, usage = os.wait4(process.pid, 0)
        seconds = time.perf_counter() - start
    finally:
        if stdout_path:
            out.close()
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit(f"measure_peers: {command[0]} failed with status {process.returncode}")
    return seconds, usage.ru_maxrss


def alternate(rounds, first, second):
    """Medians of both, run in turn; which goes first changes every round."""
    a_times, b_times, a_rss = [], [], []
    for index in range(rounds):
        order = [(first, a_times), (second, b_times)]
        if index % 2:
            order.reverse()
        for work, times in order:
            seconds, rss = work()
            times.append(seconds)
            if times is a_times:
                a_rss.append(rss)
    return statistics.median(a_times), statistics.median(b_times), max(a_rss)


def main():
    cli, fixtures, out, rounds = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    os.makedirs(out, exist_ok=True)
    big = os.path.join(fixtures, "program-64MiB.tov")
    size = os.path.getsize(big)

    def convert_big():
        return run([cli, "-o", out, big])

    def cat_big():
        return run(["cat", big], os.path.join(out, "cat.out"))

    def perl_big():
        return run(["perl", PEER, big], os.path.join(out, "perl.out"))

    cli_s, cat_s, _ = alternate(rounds, convert_big, cat_big)
    print(f"figure=cli_vs_cat cli_s={cli_s:.4f} peer_s={cat_s:.4f} ratio={cli_s / cat_s:.3f}")
    rss = peak_memory([cli, "-o", out, big], out)
    print(f"figure=peak_memory max_rss_bytes={rss} input_bytes={size} "
          f"multiple={rss / size:.3f} limit_bytes={16 * 1024 * 1024}")

    cli_s, perl_s, _ = alternate(max(3, rounds // 2), convert_big, perl_big)
    with open(os.path.join(out, "perl.out"), "rb") as a, \
            open(os.path.join(out, "program-64MiB.maz"), "rb") as b:
        same = a.read() == b.read()
    print(f"figure=cli_vs_script cli_s={cli_s:.4f} peer_s={perl_s:.4f} "
          f"speedup={perl_s / cli_s:.3f} same_bytes={'yes' if same else 'no'}")

    small_folder = os.path.join(fixtures, "small")
    small = sorted(os.path.join(small_folder, name) for name in os.listdir(small_folder))
    small_out = os.path.join(out, "small")
    os.makedirs(small_out, exist_ok=True)

    def convert_small():
        return run([cli, "-o", small_out] + small)

    def cat_small():
        return run(["cat"] + small, os.path.join(out, "cat-small.out"))

    cli_s, cat_s, _ = alternate(rounds, convert_small, cat_small)
    print(f"figure=small_files files={len(small)} cli_s={cli_s:.4f} peer_s={cat_s:.4f} "
          f"ratio={cli_s / cat_s:.3f}")

    # The same copy as a user's loop makes it, one output per input like the converter's.
    loop = 'for f in "$@"; do cat "$f" > "$0/${f##*/}"; done'
    cat_out = os.path.join(out, "cat-each")
    os.makedirs(cat_out, exist_ok=True)

    def cat_each():
        return run(["sh", "-c", loop, cat_out] + small)

    cli_s, loop_s, _ = alternate(3, convert_small, cat_each)
    print(f"figure=small_files_loop files={len(small)} cli_s={cli_s:.4f} peer_s={loop_s:.4f} "
          f"ratio={cli_s / loop_s:.3f}")


if __name__ == "__main__":
    main()
