#!/usr/bin/env python3
"""Mutation testing: how many small faults planted in src/ do the tests notice?

Finds every place in src/**/*.cpp and src/**/*.h where one small change can be made (a
comparison, an arithmetic or logical operator, a boolean literal, a "!", a call statement),
picks a sample with a fixed seed, and for each mutant alone builds a private copy of the tree
and runs the fast tests (the in-process and the command-line ones). A mutant is killed when a
test fails or hangs, survives when all pass. Known equivalent mutants are listed in
scripts/mutation-equivalent.txt. It measures and never gates: the exit status is 0 whatever
the score, and 2 only when it cannot measure at all (the unmutated copy does not build, or its
tests do not finish).
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "mutation"
TREE = WORK / "tree"  # the copy of the tracked files that gets mutated
BUILD = WORK / "build"
LOGS = WORK / "logs"
EQUIVALENT = ROOT / "scripts" / "mutation-equivalent.txt"

BUILD_TIMEOUT = 1800  # seconds for one build; a header change rebuilds most of the tree
# Seconds for one run of the tests: the unmutated run, then a mutant's, which is stopped sooner
# (the tests' own timeout is 120 s, and CTest's --timeout does not shorten it) unless the
# unmutated run was slow.
BASELINE_TESTS_TIMEOUT = 600
MUTANT_TESTS_TIMEOUT = 60
# The tests that take seconds: in-process and command line; not the robot, the install, the
# package or any other label that starts a desktop or a build of its own.
CTEST_ARGS = ["-L", "^(inprocess|commandline)$", "--timeout", "60", "-j2"]
NOTHING = "(nothing)"  # how a deletion is shown


@dataclass(frozen=True)
class Mutant:
    path: str  # relative to the repository
    line: int  # 1-based
    column: int  # 1-based, in the line as it stands
    original: str
    replacement: str  # "" deletes
    kind: str  # relational, arithmetic, logical, negation, boolean, call
    code: str  # the line without its indentation and trailing comment
    code_column: int  # 1-based, in code

    def key(self):
        """What the equivalent list matches: no line number, so that edits elsewhere keep it."""
        return (self.path, self.code_column, self.original, self.replacement or NOTHING, self.code)

    def key_line(self):
        path, column, original, replacement, code = self.key()
        return f"{path}:{column}: {original} -> {replacement}  in: {code}"

    def __str__(self):
        return f"{self.path}:{self.line}: {self.original} -> {self.replacement or NOTHING}"


# ---------------------------------------------------------------------------------------------
# Finding the mutants

def code_mask(text):
    """The text with comments and the insides of string and character literals blanked out
    (newlines kept, so lines and columns stay), and a parallel list telling comment characters."""
    out = list(text)
    comment = [False] * len(text)
    i, n = 0, len(text)

    def blank(start, end, is_comment):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "
            comment[k] = is_comment

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end, True)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end, True)
            i = end
        elif c == '"' and re.search(r"(?<![\w])(u8|u|U|L)?R$", text[max(0, i - 3):i]):
            # A raw string: R"delim( ... )delim"
            open_paren = text.find("(", i)
            delimiter = text[i + 1:open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            blank(i + 1, end - 1, False)
            i = end
        elif c in "\"'":
            if c == "'" and re.search(r"(?<![\w.])\d[\w']*$", text[max(0, i - 40):i]):
                i += 1  # a digit separator, as in 1'000
                continue
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, min(k, n), False)
            i = k + 1
        else:
            i += 1
    return "".join(out), comment


BINARY = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>|\+|-|\*|/|%|&&|\|\|)(?=\s)")
NEGATION = re.compile(r"(?<=[\s(])!(?=[\w(])")
BOOLEAN = re.compile(r"\b(true|false)\b")
CALL = re.compile(r"(?:emit\s+)?[A-Za-z_]\w*(?:(?:::|\.|->)~?[A-Za-z_]\w*)*\(.*\);")
NOT_CALLS = {"static_assert", "assert", "sizeof", "alignof", "decltype"}

# What each operator or literal becomes, one mutant each. A comparison both moves its boundary
# and turns round.
REPLACEMENTS = {
    "<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
    "==": ["!="], "!=": ["=="],
    "+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["*"],
    "&&": ["||"], "||": ["&&"],
    "true": ["false"], "false": ["true"],
}
KINDS = {"<": "relational", "<=": "relational", ">": "relational", ">=": "relational",
         "==": "relational", "!=": "relational", "+": "arithmetic", "-": "arithmetic",
         "*": "arithmetic", "/": "arithmetic", "%": "arithmetic", "&&": "logical",
         "||": "logical", "true": "boolean", "false": "boolean"}


def deletable(code_line, previous):
    """Whether a masked line is one whole call statement that can go without taking the next
    statement along (the line before it ends a statement or opens or closes a block)."""
    stripped = code_line.strip()
    if not CALL.fullmatch(stripped) or stripped.count("(") != stripped.count(")"):
        return False
    name = re.match(r"(?:emit\s+)?([\w:.>~-]+?)\(", stripped).group(1)
    last = re.split(r"::|\.|->", name)[-1]
    if name in NOT_CALLS or re.fullmatch(r"[A-Z_][A-Z0-9_]*", last):
        return False  # a macro, or a check the compiler makes
    if name == last and name[0].isupper():
        return False  # a constructor's declaration, as in "Form1();"
    previous = previous.strip()
    return previous.endswith((";", "{", "}")) or re.fullmatch(r"(case\b.*|default):", previous)


def find_mutants(path, text):
    masked, comment = code_mask(text)
    raw_lines = text.split("\n")
    masked_lines = masked.split("\n")
    mutants = []
    previous = ""  # the last line with code on it
    in_define = False
    offset = 0
    for number, (raw, line) in enumerate(zip(raw_lines, masked_lines), start=1):
        start = offset
        offset += len(raw) + 1
        if not line.strip():
            continue
        directive = in_define or line.lstrip().startswith("#")
        in_define = directive and line.rstrip().endswith("\\")
        if directive or "static_assert" in line:
            previous = line
            continue
        indent = len(raw) - len(raw.lstrip())
        end = max(k + 1 for k in range(len(raw)) if not comment[start + k] and not raw[k].isspace())
        code = raw[indent:end]

        def add(column, original, replacement, kind):
            mutants.append(Mutant(path, number, column + 1, original, replacement, kind,
                                  code, column - indent + 1))

        sites = [(m.start(), m.group()) for m in BINARY.finditer(line)]
        sites += [(m.start(), m.group()) for m in BOOLEAN.finditer(line)]
        joins_text = '"' in line or re.search(r"\bQ(String|Latin1|Char)|\btr\(", line)
        for column, op in sorted(sites):
            if op == "+" and joins_text:
                continue  # most likely text joined to text, which "-" would not compile
            for replacement in REPLACEMENTS[op]:
                add(column, op, replacement, KINDS[op])
        for m in NEGATION.finditer(line):
            add(m.start(), "!", "", "negation")
        if deletable(line, previous):
            add(indent, code, "", "call")
        previous = line
    return mutants


def snapshot(commit):
    """The tracked files as {path: (bytes, executable)}: as committed, or with no commit as they
    are in the work tree (where others may be halfway through an edit)."""
    def git(*args, data=None):
        return subprocess.run(["git", "-C", str(ROOT), *args], input=data, check=True,
                              capture_output=True).stdout
    files = {}
    if not commit:
        for path in git("ls-files", "-z").decode().split("\0"):
            if path and (ROOT / path).is_file():
                files[path] = ((ROOT / path).read_bytes(), os.access(ROOT / path, os.X_OK))
        return files
    entries = []
    for entry in git("ls-tree", "-r", "-z", commit).decode().split("\0"):
        if entry:
            info, path = entry.split("\t", 1)
            mode, kind, sha = info.split()
            if kind == "blob":
                entries.append((path, mode, sha))
    out = git("cat-file", "--batch", data="".join(sha + "\n" for _, _, sha in entries).encode())
    pos = 0
    for path, mode, _ in entries:  # each answer: "<sha> blob <size>\n<content>\n"
        header_end = out.index(b"\n", pos)
        size = int(out[pos:header_end].split()[2])
        files[path] = (out[header_end + 1:header_end + 1 + size], mode == "100755")
        pos = header_end + 1 + size + 1
    return files


def all_mutants(files):
    mutants = []
    for path in sorted(f for f in files if f.startswith("src/") and f.endswith((".cpp", ".h"))):
        mutants += find_mutants(path, files[path][0].decode("utf-8"))
    return mutants


# ---------------------------------------------------------------------------------------------
# The equivalent list

ENTRY = re.compile(r"(?P<path>[^\s:]+):(?P<column>\d+): (?P<original>.+) -> (?P<replacement>\S+)"
                   r"  in: (?P<code>.*?)(?:  # (?P<reason>.*))?")


def read_equivalent():
    keys = {}
    if not EQUIVALENT.exists():
        return keys
    for number, line in enumerate(EQUIVALENT.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        m = ENTRY.fullmatch(line.rstrip())
        if not m:
            print(f"{EQUIVALENT.name}:{number}: not understood, left out: {line}", file=sys.stderr)
            continue
        keys[(m["path"], int(m["column"]), m["original"], m["replacement"], m["code"])] = number
    return keys


# ---------------------------------------------------------------------------------------------
# Building and testing

def run(command, log, timeout):
    """Runs a command at low priority with its output in log; True when it exits 0 in time."""
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"$ {' '.join(command)}\n")
        out.flush()
        process = subprocess.Popen(["nice", "-n", "10"] + command, stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout) == 0
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, 9)  # the whole group: make, the compilers, ctest's tests
            process.wait()
            out.write(f"\n*** stopped after {timeout:.0f} s\n")
            return False


def sync_tree(files):
    """Makes TREE hold the snapshot, writing only the files that differ so that the build after
    it stays incremental."""
    for path, (data, executable) in files.items():
        copy = TREE / path
        if not copy.is_file() or copy.read_bytes() != data:
            copy.parent.mkdir(parents=True, exist_ok=True)
            copy.write_bytes(data)
        copy.chmod(0o755 if executable else 0o644)
    for copy in [p for p in TREE.rglob("*") if p.is_file() or p.is_symlink()]:
        if str(copy.relative_to(TREE)) not in files:
            copy.unlink()


# A debug build with the C++ library's bounds checks: Qt's containers assert their indexes there,
# so a mutant that reads past an array fails at once instead of reading whatever lies there.
CONFIGURE = ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS",
             "-DBUILD_TESTING=ON"]


def build(log):
    stamp = BUILD / "configured-with"  # a build configured otherwise starts afresh
    if not stamp.is_file() or stamp.read_text(encoding="utf-8") != " ".join(CONFIGURE):
        shutil.rmtree(BUILD, ignore_errors=True)
        if not run(["cmake", "-S", str(TREE), "-B", str(BUILD), *CONFIGURE], log, BUILD_TIMEOUT):
            return False
        stamp.write_text(" ".join(CONFIGURE), encoding="utf-8")
    return run(["cmake", "--build", str(BUILD), "-j2"], log, BUILD_TIMEOUT)


def test(log, leave_out, timeout, stop_on_failure=True):
    extra = ["-E", "^(" + "|".join(map(re.escape, leave_out)) + ")$"] if leave_out else []
    extra += ["--stop-on-failure"] if stop_on_failure else []
    return run(["ctest", "--test-dir", str(BUILD), "--output-on-failure"] + CTEST_ARGS + extra,
               log, timeout)


def failed_tests():
    failed = BUILD / "Testing" / "Temporary" / "LastTestsFailed.log"
    if not failed.exists():
        return []
    return [line.split(":", 1)[1] for line in failed.read_text().splitlines() if ":" in line]


def apply(mutant, text):
    lines = text.split("\n")
    line = lines[mutant.line - 1]
    start = mutant.column - 1
    assert line[start:start + len(mutant.original)] == mutant.original, mutant
    lines[mutant.line - 1] = line[:start] + mutant.replacement + line[start + len(mutant.original):]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sample", type=int, default=100, metavar="N",
                        help="how many mutants to try (default 100; 0 for every one)")
    parser.add_argument("--seed", type=int, default=1, metavar="S", help="the sample's seed")
    parser.add_argument("--worktree", action="store_true",
                        help="mutate the files as they are in the work tree, not as committed")
    parser.add_argument("--path", metavar="PREFIX", default="",
                        help="mutate only the files whose path starts so, e.g. src/core/")
    parser.add_argument("--list", action="store_true",
                        help="print every candidate's key and stop, building nothing")
    args = parser.parse_args()

    commit = None if args.worktree else subprocess.run(
        ["git", "-C", str(ROOT), "rev-parse", "HEAD"], check=True, capture_output=True,
        text=True).stdout.strip()
    files = snapshot(commit)
    candidates = all_mutants(files)
    equivalent = read_equivalent()
    if args.list:
        listed = [m for m in candidates if m.path.startswith(args.path)]
        for mutant in listed:
            print(f"{mutant}  [{mutant.kind}]\n    {mutant.key_line()}")
        print(f"{len(listed)} mutants")
        return 0
    known = {m.key() for m in candidates}
    for key, number in equivalent.items():
        if key not in known:
            print(f"{EQUIVALENT.name}:{number}: matches no mutant any more", file=sys.stderr)
    candidates = [m for m in candidates if m.path.startswith(args.path)]

    count = len(candidates) if args.sample <= 0 else min(args.sample, len(candidates))
    sample = random.Random(args.seed).sample(candidates, count)
    sample.sort(key=lambda m: (m.path, m.line, m.column, m.replacement))
    where = f"commit {commit[:7]}" if commit else "the work tree"
    print(f"{count} of {len(candidates)} mutants of {where}, seed {args.seed}", file=sys.stderr,
          flush=True)

    # The unmutated copy first: it must build, and a test that fails there cannot tell anything.
    shutil.rmtree(LOGS, ignore_errors=True)
    LOGS.mkdir(parents=True)
    sync_tree(files)
    started = time.monotonic()
    baseline = LOGS / "baseline.log"
    if not build(baseline):
        print(f"the unmutated tree does not build: see {baseline}", file=sys.stderr)
        return 2
    (BUILD / "Testing" / "Temporary" / "LastTestsFailed.log").unlink(missing_ok=True)
    tests_started = time.monotonic()
    passed = test(baseline, [], BASELINE_TESTS_TIMEOUT, stop_on_failure=False)
    tests_timeout = max(MUTANT_TESTS_TIMEOUT, 5 * (time.monotonic() - tests_started))
    leave_out = [] if passed else failed_tests()
    if not leave_out and "tests passed" not in baseline.read_text(encoding="utf-8"):
        print(f"the unmutated tree's tests did not finish: see {baseline}", file=sys.stderr)
        return 2
    if leave_out:
        print(f"failing without a mutant, left out: {' '.join(leave_out)}", file=sys.stderr)
    print(f"unmutated tree built and tested in {time.monotonic() - started:.0f} s",
          file=sys.stderr, flush=True)

    results = {"killed": 0, "SURVIVED": 0, "no build": 0, "equivalent": 0}
    survivors, seconds = [], []
    for number, mutant in enumerate(sample, start=1):
        if mutant.key() in equivalent:
            status = "equivalent"
        else:
            started = time.monotonic()
            log = LOGS / f"{number:03d}.log"
            log.write_text(f"{mutant}  [{mutant.kind}]\n", encoding="utf-8")
            source = TREE / mutant.path
            original = source.read_bytes()
            source.write_bytes(apply(mutant, original.decode("utf-8")).encode("utf-8"))
            try:
                if not build(log):
                    status = "no build"
                elif test(log, leave_out, tests_timeout):
                    status = "SURVIVED"
                    survivors.append(mutant)
                else:
                    status = "killed"
            finally:
                source.write_bytes(original)
            seconds.append(time.monotonic() - started)
            with open(log, "a", encoding="utf-8") as out:
                out.write(f"\n{status}: {seconds[-1]:.0f} s\n")
        results[status] += 1
        print(f"{status:<10}  {mutant}", flush=True)

    if seconds:
        print(f"{sum(seconds) / len(seconds):.0f} s per mutant on average "
              f"({sum(seconds) / 60:.0f} min in all)", file=sys.stderr)
    if survivors:
        print(f"\nSurvivors (logs in {LOGS.relative_to(ROOT)}); a survivor that no test can kill "
              f"goes into {EQUIVALENT.relative_to(ROOT)} as its line below, with a reason:")
        for mutant in survivors:
            print(f"    {mutant.key_line()}  # ")
        print()
    built = results["killed"] + results["SURVIVED"]
    percent = 100 * results["killed"] / built if built else 0
    print(f"killed {results['killed']} of {built} built non-equivalent mutants ({percent:.0f} %); "
          f"{results['no build']} did not build; {results['equivalent']} equivalent")
    return 0


if __name__ == "__main__":
    sys.exit(main())
