#!/usr/bin/env python3
"""Plants the faults listed in scripts/planted-faults.txt one at a time into a
copy of the tree, rebuilds what changed, runs the tests on the database file and
reports which test programs caught each fault.

A fault is a block of lines:

    file:  src/model/contract/FormatAmount.cpp
    line:  return QString::number(cut, 'f', 2);
    fault: return QString::number(amount, 'f', 2);
    why:   rounds the shown amount instead of cutting it

`line` is the exact text of one line of the file (leading and trailing blanks
aside); it must occur exactly once, or an `nth:` line says which occurrence.
The fault replaces it, keeping its indent. A fault that only the office server
can show says so with "server: yes": the programs that start a server of their
own are run for it, and for no other fault.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
KEYS = ("file", "line", "fault", "why")
# A line that occurs more than once names which of them: "nth: 2".
OPTIONAL_KEYS = ("nth", "server")
# Test programs that start a PostgreSQL server of their own.
SERVER_TESTS = "^tst_(ServerFaults|CopyToServer)$"


def read_faults(path):
    faults, current = [], {}
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        text = raw.strip()
        if text.startswith("#"):
            continue
        if not text:
            if current:
                faults.append(current)
                current = {}
            continue
        key, sep, value = raw.partition(":")
        if not sep or key.strip() not in KEYS + OPTIONAL_KEYS:
            sys.exit(f"{path}:{number}: expected one of {', '.join(KEYS + OPTIONAL_KEYS)}")
        if key.strip() in current:
            sys.exit(f"{path}:{number}: a second {key.strip()} in one fault (a blank line missing?)")
        current[key.strip()] = value.strip()
        current.setdefault("at", number)
    if current:
        faults.append(current)
    for fault in faults:
        missing = [key for key in KEYS if key not in fault]
        if missing:
            sys.exit(f"{path}:{fault['at']}: fault lacks {', '.join(missing)}")
    return faults


def locate(tree, fault):
    """The file's lines and the index of the one line the fault replaces."""
    lines = (tree / fault["file"]).read_text().split("\n")
    hits = [i for i, text in enumerate(lines) if text.strip() == fault["line"]]
    nth = int(fault.get("nth", 0))
    if nth:
        if nth > len(hits):
            return lines, None, f"line found {len(hits)} times, not {nth}"
        return lines, hits[nth - 1], None
    if len(hits) != 1:
        return lines, None, f"line found {len(hits)} times"
    return lines, hits[0], None


def planted(lines, index, replacement):
    indent = re.match(r"\s*", lines[index]).group(0)
    changed = list(lines)
    changed[index] = indent + replacement
    return "\n".join(changed)


def sync(source, tree):
    """Brings tree up to the sources without touching files that did not change,
    so that a build kept in tree/build rebuilds only what did."""
    skip = lambda name: name.startswith("build") or name == ".git"
    wanted = set()
    for folder, dirs, files in os.walk(source):
        dirs[:] = [d for d in dirs if not skip(d)]
        relative = Path(folder).relative_to(source)
        (tree / relative).mkdir(parents=True, exist_ok=True)
        for name in files:
            wanted.add(relative / name)
            src, dst = Path(folder) / name, tree / relative / name
            if not dst.exists() or src.read_bytes() != dst.read_bytes():
                # A fresh time, or the build would not see that a planted line went back.
                shutil.copyfile(src, dst)
                shutil.copymode(src, dst)
    for folder, dirs, files in os.walk(tree):
        dirs[:] = [d for d in dirs if not skip(d)]
        for name in files:
            path = Path(folder) / name
            if path.relative_to(tree) not in wanted:
                path.unlink()


def run(command, cwd, log, timeout=None):
    with open(log, "w") as out:
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode


def failed_tests(log):
    failed, listing = [], False
    for text in Path(log).read_text(errors="replace").splitlines():
        if "The following tests FAILED" in text:
            listing = True
        elif listing:
            match = re.match(r"\s*\d+\s*-\s*(\S+)", text)
            if match:
                failed.append(match.group(1))
    return failed


def summarize(logs):
    """The closing lines of a run, from the per-fault lines of one or more reports;
    a fault planted again in a later report counts as that report found it, under
    the number of its first."""
    results, labels = {}, {}
    described = None
    for log in logs:
        for text in log.read_text().splitlines():
            if text.startswith("["):
                described = text.split("] ", 1)[1]
                labels.setdefault(described, text)
            elif described and text.startswith("    "):
                results[labels[described]] = text.strip()
    return report(results)


def report(results):
    """Survivors, what each test program catches and what it alone catches, and the count;
    results maps a fault's label to its outcome line."""
    survivors = [label for label, result in results.items() if result == "SURVIVED"]
    unusable = [label for label, result in results.items() if result.startswith("UNUSABLE")]
    catchers = {}
    for label, result in results.items():
        if result.startswith("caught by "):
            for test in result[len("caught by "):].split(", "):
                catchers.setdefault(test, []).append(int(label[1:label.index("/")]))
    for label in unusable:
        print(f"unusable: {label} ({results[label]})")
    for label in survivors:
        print(f"survivor: {label}")
    for test in sorted(catchers):
        alone = [n for n in catchers[test] if sum(n in other for other in catchers.values()) == 1]
        print(f"{test}: catches {len(catchers[test])}, alone {alone}")
    caught = len(results) - len(survivors) - len(unusable)
    print(f"{caught} of {len(results) - len(unusable)} planted faults caught ({len(unusable)} unusable)")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--faults", type=Path, default=ROOT / "scripts" / "planted-faults.txt")
    parser.add_argument("--only", help="plant only the faults whose file matches this regular expression")
    parser.add_argument("--tests", default="", help="ctest -R pattern (default: every test)")
    parser.add_argument("--keep", action="store_true", help="keep the scratch tree")
    parser.add_argument("--tree", type=Path,
                        help="build in this folder and keep it, so a later run rebuilds only what changed")
    parser.add_argument("--from", dest="first", type=int, default=1,
                        help="start at this fault (of the whole list), to go on after a stop")
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds a test program may take before it counts as hung (caught)")
    parser.add_argument("--summary", nargs="+", type=Path, metavar="LOG",
                        help="only sum up the reports of earlier runs, taken together")
    parser.add_argument("--check", action="store_true",
                        help="only check that every listed line is found once in the tree")
    args = parser.parse_args()

    if args.summary:
        return summarize(args.summary)
    faults = read_faults(args.faults)
    if args.only:
        faults = [f for f in faults if re.search(args.only, f["file"])]
    if args.check:
        problems = 0
        for fault in faults:
            if not (ROOT / fault["file"]).exists():
                problem = "no such file"
            else:
                problem = locate(ROOT, fault)[2]
            if problem:
                problems += 1
                print(f"{args.faults.name}:{fault['at']}: {fault['file']}: {problem}")
        print(f"{len(faults) - problems} of {len(faults)} faults can be planted")
        return 1 if problems else 0

    scratch = Path(tempfile.mkdtemp(prefix="quillon-mutants-"))
    tree = args.tree.resolve() if args.tree else scratch / "tree"
    # The working tree as it stands, without build folders.
    sync(ROOT, tree)
    build = tree / "build"
    print(f"Scratch tree: {tree}", flush=True)
    if not (build / "build.ninja").exists() and run(
            ["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
            "-DQUILLON_BUILD_BENCH=OFF", "-DCMAKE_UNITY_BUILD=OFF",
            "-DQUILLON_SHARED_LIBS=ON"], tree, scratch / "configure.log") != 0:
        sys.exit(f"configure failed: see {scratch / 'configure.log'}")
    if run(["cmake", "--build", build], tree, scratch / "build.log") != 0:
        sys.exit(f"the tree does not build: see {scratch / 'build.log'}")

    # The server variants ("_server") run the same code as their file twins, and
    # the file is enough but for the faults only a server shows, which every
    # program that talks to a server is run for. The package
    # check needs the static build of the ordinary configuration.
    ctest = ["ctest", "-j2", "--timeout", str(args.timeout)]
    if args.tests:
        ctest += ["-R", args.tests]
    on_file = ctest + ["-E", f"_server$|{SERVER_TESTS}|package_contents"]
    on_server = ctest + ["-E", "package_contents"]
    if run(on_server, build, scratch / "baseline.log") != 0:
        sys.exit(f"the tests fail before any fault is planted: see {scratch / 'baseline.log'}")

    results = {}
    started = time.monotonic()
    for number, fault in enumerate(faults, 1):
        if number < args.first:
            continue
        label = f"[{number}/{len(faults)}] {fault['file']}: {fault['why']}"
        path = tree / fault["file"]
        if not path.exists():
            results[label] = "UNUSABLE: no such file"
            print(f"{label}\n    {results[label]}", flush=True)
            continue
        original = path.read_text()
        lines, index, problem = locate(tree, fault)
        if problem:
            results[label] = f"UNUSABLE: {problem}"
            print(f"{label}\n    {results[label]}", flush=True)
            continue
        path.write_text(planted(lines, index, fault["fault"]))
        try:
            log = scratch / f"fault-{number}.log"
            if run(["cmake", "--build", build], tree, scratch / f"fault-{number}-build.log") != 0:
                results[label] = f"UNUSABLE: does not build (see {scratch}/fault-{number}-build.log)"
                print(f"{label}\n    {results[label]}", flush=True)
                continue
            run(on_server if fault.get("server") == "yes" else on_file, build, log)
            failed = failed_tests(log)
        finally:
            path.write_text(original)
        results[label] = f"caught by {', '.join(failed)}" if failed else "SURVIVED"
        print(f"{label}\n    {results[label]}", flush=True)

    print()
    report(results)
    print(f"({time.monotonic() - started:.0f} s)")
    if not args.keep:
        shutil.rmtree(scratch, ignore_errors=True)
        if not args.tree:
            shutil.rmtree(tree, ignore_errors=True)
    return 0 if not any(r.startswith("UNUSABLE") for r in results.values()) else 1


if __name__ == "__main__":
    sys.exit(main())
