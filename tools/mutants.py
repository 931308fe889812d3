#!/usr/bin/env python3
"""Checks that the test suite catches small faults in src/.

Draws a seeded sample of small faults (a flipped comparison, an off-by-one
constant, a swapped && or ||, an inverted boolean), applies one at a time,
rebuilds incrementally in a build folder of its own, runs ctest and reports
how many of the mutants that built were killed (some test failed or timed
out). The source file is always restored, also when the run is interrupted.

    tools/mutants.py --seed 20 --count 60
    tools/mutants.py --replay report.jsonl      # the same mutants again

Each mutant is written as one JSON line to the report (--report), so that a
later run can replay the same faults on a changed tree and compare.
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Operator swaps; the spaces around them keep template brackets, shifts and
# arrows out of the sample.
SWAPS = [
    (" <= ", " < "), (" >= ", " > "), (" < ", " <= "), (" > ", " >= "),
    (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
]
BOOLEAN = re.compile(r"\b(true|false)\b")
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")


def code_mask(lines):
    """Per line, the text with comments and string/char literals blanked, so
    that only code is mutated; preprocessor lines are blanked whole."""
    masked, in_block = [], False
    for line in lines:
        out, i, quote = [], 0, None
        if not in_block and line.lstrip().startswith("#"):
            masked.append(" " * len(line))
            continue
        while i < len(line):
            c = line[i]
            if in_block:
                if line.startswith("*/", i):
                    in_block = False
                    out.append("  ")
                    i += 2
                    continue
                out.append(" ")
            elif quote:
                if c == "\\":
                    out.append("  ")
                    i += 2
                    continue
                if c == quote:
                    quote = None
                out.append(" ")
            elif line.startswith("//", i):
                out.append(" " * (len(line) - i))
                break
            elif line.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            elif c in "\"'":
                quote = c
                out.append(" ")
            else:
                out.append(c)
            i += 1
        masked.append("".join(out)[: len(line)])
    return masked


def candidate_sites(src_dir):
    """Every place a mutant can go, in a fixed order."""
    sites = []
    for path in sorted(src_dir.rglob("*")):
        if path.suffix != ".cpp":
            continue
        lines = path.read_text(encoding="utf-8").split("\n")
        for number, code in enumerate(code_mask(lines)):
            line = lines[number]
            for old, new in SWAPS:
                start = code.find(old)
                while start >= 0:
                    sites.append((path, number, start, old, new, line))
                    start = code.find(old, start + 1)
            for m in BOOLEAN.finditer(code):
                new = "false" if m.group(1) == "true" else "true"
                sites.append((path, number, m.start(), m.group(1), new, line))
            for m in INTEGER.finditer(code):
                if len(m.group(1)) > 1 and m.group(1).startswith("0"):
                    continue
                value = int(m.group(1))
                sites.append((path, number, m.start(), m.group(1), str(value + 1), line))
                if value > 0:
                    sites.append((path, number, m.start(), m.group(1), str(value - 1), line))
    return sites


def site_record(site):
    path, number, column, old, new, line = site
    return {"file": str(path.relative_to(ROOT)), "line": number + 1, "column": column,
            "old": old, "new": new, "text": line.strip()}


def locate(record):
    """Finds a recorded mutant in the current tree: the same line text nearest
    to the recorded line number, and the same column within that line."""
    path = ROOT / record["file"]
    if not path.exists():
        return None
    lines = path.read_text(encoding="utf-8").split("\n")
    matches = [i for i, line in enumerate(lines) if line.strip() == record["text"]]
    if not matches:
        return None
    number = min(matches, key=lambda i: abs(i - (record["line"] - 1)))
    line = lines[number]
    if line[record["column"]:record["column"] + len(record["old"])] != record["old"]:
        return None
    return (path, number, record["column"], record["old"], record["new"], line)


class Mutation:
    """Applies one mutant; restores the file on exit, whatever happens."""

    def __init__(self, site, backup):
        self.path, self.number, self.column, self.old, self.new, _ = site
        self.backup = backup
        self.original = None

    def __enter__(self):
        self.original = self.path.read_bytes()
        self.backup.write_text(json.dumps({"file": str(self.path)}) + "\n", encoding="utf-8")
        self.backup.with_suffix(".orig").write_bytes(self.original)
        lines = self.original.decode("utf-8").split("\n")
        line = lines[self.number]
        lines[self.number] = line[: self.column] + self.new + line[self.column + len(self.old):]
        self.path.write_bytes("\n".join(lines).encode("utf-8"))
        return self

    def __exit__(self, *exc):
        self.path.write_bytes(self.original)
        self.backup.unlink(missing_ok=True)
        self.backup.with_suffix(".orig").unlink(missing_ok=True)
        return False


def restore_left_behind(backup):
    """A run killed with SIGKILL may leave a mutated file: put it back."""
    if backup.exists() and backup.with_suffix(".orig").exists():
        path = Path(json.loads(backup.read_text(encoding="utf-8"))["file"])
        path.write_bytes(backup.with_suffix(".orig").read_bytes())
        print(f"restored {path} left mutated by an earlier run", file=sys.stderr)
    backup.unlink(missing_ok=True)
    backup.with_suffix(".orig").unlink(missing_ok=True)


def run(command, timeout):
    """Runs a command in a process group of its own; on timeout or interrupt
    the whole group (ctest and the tests it started) is ended."""
    child = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             start_new_session=True)
    try:
        out, _ = child.communicate(timeout=timeout)
        return child.returncode, out.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        out, _ = child.communicate()
        return None, out.decode("utf-8", "replace")
    except BaseException:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        raise


def first_failure(output):
    m = re.search(r"^\s*\d+/\d+ Test\s+#\d+: (\S+) .*?(Failed|Timeout|Exception|SEGFAULT|Subprocess aborted)",
                  output, re.M)
    return m.group(1) if m else ""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seed", type=int, default=20)
    parser.add_argument("--count", type=int, default=60, help="mutants that build")
    parser.add_argument("--build-dir", default="build-mutants")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--build-timeout", type=int, default=600)
    parser.add_argument("--test-timeout", type=int, default=120, help="seconds per test")
    parser.add_argument("--suite-timeout", type=int, default=900, help="seconds per ctest run")
    parser.add_argument("--exclude", default="browser", help="ctest -E regular expression")
    parser.add_argument("--report", default="mutants.jsonl")
    parser.add_argument("--replay", help="a report of an earlier run: apply the same mutants")
    parser.add_argument("--skip", type=int, default=0, help="with --replay: leave out the first SKIP records")
    args = parser.parse_args()

    build = (ROOT / args.build_dir).resolve()
    backup = build / "mutant-in-progress.json"
    build.mkdir(exist_ok=True)
    restore_left_behind(backup)

    def interrupted(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")
    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGHUP, interrupted)

    if not (build / "CMakeCache.txt").exists():
        code, out = run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                         "-DKOV_BUILD_BENCH=OFF"], args.build_timeout)
        if code != 0:
            sys.exit("configure failed:\n" + out)
    code, out = run(["cmake", "--build", str(build), "-j", str(args.jobs)], 3 * args.build_timeout)
    if code != 0:
        sys.exit("the unmutated tree does not build:\n" + out[-3000:])
    ctest = ["ctest", "--test-dir", str(build), "-j", str(args.jobs), "--stop-on-failure",
             "--timeout", str(args.test_timeout), "-E", args.exclude]
    code, out = run(ctest, args.suite_timeout)
    if code != 0:
        sys.exit("the unmutated tree fails its tests:\n" + out[-3000:])

    if args.replay:
        lines = Path(args.replay).read_text(encoding="utf-8").splitlines()[args.skip:]
        records = [json.loads(line) for line in lines if line]
        plan = [(r, locate(r)) for r in records if r.get("outcome") in ("killed", "survived")]
    else:
        sites = candidate_sites(ROOT / "src")
        random.Random(args.seed).shuffle(sites)
        plan = [(site_record(s), s) for s in sites]
        print(f"seed {args.seed}: {len(sites)} candidate sites", flush=True)

    report = open(args.report, "w", encoding="utf-8")
    built = killed = 0
    try:
        for record, site in plan:
            if not args.replay and built >= args.count:
                break
            entry = dict(record)
            if site is None:
                entry["outcome"] = "gone"
            else:
                started = time.monotonic()
                with Mutation(site, backup):
                    code, out = run(["cmake", "--build", str(build), "-j", str(args.jobs)], args.build_timeout)
                    if code != 0:
                        entry["outcome"] = "not built"
                    else:
                        built += 1
                        code, out = run(ctest, args.suite_timeout)
                        entry["outcome"] = "survived" if code == 0 else "killed"
                        entry["by"] = first_failure(out) if code else ""
                        killed += code != 0
                entry["seconds"] = round(time.monotonic() - started)
            report.write(json.dumps(entry) + "\n")
            report.flush()
            print(f"{entry['outcome']:9} {entry['file']}:{entry['line']} {entry['old'].strip()} -> "
                  f"{entry['new'].strip()} {entry.get('by', '')}", flush=True)
    except KeyboardInterrupt:
        print("interrupted; the source tree is restored", file=sys.stderr)
    finally:
        report.close()
    rate = 100.0 * killed / built if built else 0.0
    print(f"seed {args.seed}: {killed} killed of {built} built ({rate:.1f} %)")


if __name__ == "__main__":
    main()
