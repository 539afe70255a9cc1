#!/usr/bin/env python3
"""Runs the README's examples in a new folder and compares what they print, and the files they
write, with the README, so that the two cannot drift apart.

The README's fenced blocks are read in order:
- a ```sh block holds commands, run one by one in a POSIX shell; the plain block right after it,
  if any, is what they print together (standard output and error, as a terminal shows them);
  without one they must print nothing;
- a plain block whose first line starts with "$ " is a session: each "$ " line is run and the
  lines up to the next one are what it prints;
- a plain block after the comment <!-- file NAME CODEPAGE --> is the file NAME as a text editor
  shows it (lines ended by CR LF, in that code page);
- in any of them a line "..." stands for any number of lines.
Any other plain block is an error, so that every example is checked. Every command must succeed.

Usage: readme_examples.py README SOURCE_DIR PROGRAM_DIR...
The commands run in a new folder "try" beside a link to the source's docs/, as a reader runs
them in a new folder inside the clone, with the programs' folders first on PATH.
"""

import os
import re
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```(\w*)\s*$")
FILE_MARK = re.compile(r"^<!-- file (\S+) (\S+) -->$")


def blocks(readme):
    """(language, lines, file mark, line number) of each fenced block."""
    found = []
    lines = readme.split("\n")
    i = 0
    mark = None
    while i < len(lines):
        fence = FENCE.match(lines[i])
        if fence is None:
            stripped = lines[i].strip()
            marked = FILE_MARK.match(stripped)
            if marked:
                mark = marked.groups()
            elif stripped:
                mark = None if not stripped.startswith("<!--") else mark
            i += 1
            continue
        start = i
        i += 1
        body = []
        while i < len(lines) and not lines[i].startswith("```"):
            body.append(lines[i])
            i += 1
        found.append((fence.group(1), body, mark, start + 1))
        mark = None
        i += 1
    return found


def matches(expected, actual):
    """Whether the actual lines are the expected ones, a "..." line standing for any number."""
    if not expected:
        return not actual
    if expected[0] == "...":
        return any(matches(expected[1:], actual[k:]) for k in range(len(actual) + 1))
    return bool(actual) and expected[0] == actual[0] and matches(expected[1:], actual[1:])


class Run:
    def __init__(self, folder, environment):
        self.folder = folder
        self.environment = environment
        self.failures = 0

    def run(self, command, where):
        result = subprocess.run(["sh", "-c", command], cwd=self.folder, env=self.environment,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        output = result.stdout.decode("utf-8", "replace")
        if result.returncode != 0:
            self.fail(where, f"`{command}` exited with {result.returncode}:\n{output}")
        return output.split("\n")[:-1] if output else []

    def compare(self, where, what, expected, actual):
        while expected and expected[-1] == "":
            expected = expected[:-1]
        if not matches(expected, actual):
            self.fail(where, f"{what} differs from the README:\n--- README\n" +
                      "\n".join(expected) + "\n--- actual\n" + "\n".join(actual))

    def fail(self, where, message):
        print(f"FAIL: README line {where}: {message}")
        self.failures += 1


def main(readme_path, source, program_dirs):
    with open(readme_path, encoding="utf-8") as readme:
        found = blocks(readme.read())
    with tempfile.TemporaryDirectory() as scratch:
        os.symlink(os.path.join(source, "docs"), os.path.join(scratch, "docs"))
        folder = os.path.join(scratch, "try")
        os.mkdir(folder)
        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith("LC_") and key not in ("LANG", "LANGUAGE")}
        environment["LANG"] = "C.UTF-8"
        environment["PATH"] = os.pathsep.join(program_dirs + [environment.get("PATH", "")])
        run = Run(folder, environment)
        checked = 0
        i = 0
        while i < len(found):
            language, body, mark, where = found[i]
            if language == "sh":
                output = []
                for command in body:
                    if command.strip():
                        output += run.run(command, where)
                following = found[i + 1] if i + 1 < len(found) else None
                if following and following[0] == "" and following[2] is None and \
                        not (following[1] and following[1][0].startswith("$ ")):
                    run.compare(following[3], "the output", following[1], output)
                    i += 1
                else:
                    run.compare(where, "the output", [], output)
            elif language == "" and mark is not None:
                name, code_page = mark
                try:
                    with open(os.path.join(folder, name), "rb") as written:
                        data = written.read()
                    text = data.decode(code_page)
                    if "\n" in text.replace("\r\n", ""):
                        run.fail(where, f"{name} has a line not ended by CR LF")
                    run.compare(where, name, body, text.split("\r\n")[:-1])
                except OSError as error:
                    run.fail(where, f"{name} was not written: {error}")
            elif language == "" and body and body[0].startswith("$ "):
                k = 0
                while k < len(body):
                    command = body[k][2:]
                    k += 1
                    expected = []
                    while k < len(body) and not body[k].startswith("$ "):
                        expected.append(body[k])
                        k += 1
                    run.compare(where, f"`{command}`", expected, run.run(command, where))
            else:
                run.fail(where, f"a ```{language} block the test does not know how to check")
            checked += 1
            i += 1
        if checked < 5:
            run.fail(0, f"only {checked} blocks found")
    if run.failures:
        print(f"{run.failures} failed")
        return 1
    print(f"the README's {checked} example blocks hold")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], os.path.abspath(sys.argv[2]),
                  [os.path.abspath(folder) for folder in sys.argv[3:]]))
