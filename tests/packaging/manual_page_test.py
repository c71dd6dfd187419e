#!/usr/bin/env python3
"""The manual pages as man and lintian read them, and velmora-cli's page against the
program it describes.

usage: manual_page_test.py VELMORA_CLI MAN_DIR

- Every page in MAN_DIR renders without a warning from groff and has a NAME line
  that lexgrog reads (what lintian runs on a package's pages).
- velmora-cli's COMMANDS, OPTIONS and EXIT STATUS name exactly what its --help
  names, and every command in --help is one the program takes.
- Its SETTINGS FILE names exactly the keys that `settings --json` writes for the
  logger types there are: the page's key table comes from the README, so a key the
  program gained or lost without the README following shows here.
"""
import glob
import gzip
import json
import os
import re
import subprocess
import sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def renders_cleanly(page):
    # As lintian runs them: UTF-8, wide lines, no pager, every groff warning on.
    env = {"PATH": os.environ["PATH"], "LC_ALL": "C.UTF-8", "MANROFFSEQ": "", "MANWIDTH": "120"}
    man = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page], env=env)
    check(man.returncode == 0 and man.stderr.strip() == "", "%s: man says %r" % (page, man.stderr.strip()))
    whatis = run(["lexgrog", page], env=env)
    check(whatis.returncode == 0, "%s: lexgrog finds no NAME line: %r" % (page, whatis.stdout + whatis.stderr))


def page_sections(page):
    """{section title: [the .TP tags in it, as plain text]} of a roff page."""
    with gzip.open(page, "rt", encoding="utf-8") as f:
        lines = f.read().split("\n")
    sections, title = {}, None
    for i, line in enumerate(lines):
        if line.startswith(".SH "):
            title = line[4:].strip('"')
            sections[title] = []
        elif line == ".TP" and title and i + 1 < len(lines):
            tag = re.sub(r"\\f[BIRP]", "", lines[i + 1]).replace("\\-", "-").replace("\\e", "\\").replace("\\&", "")
            sections[title].append(tag)
    return sections


def help_entries(help_text):
    """{heading: [each entry's term]} of the --help text's sections."""
    entries, heading = {}, None
    for line in help_text.split("\n"):
        if re.match(r"^\S.*:$", line):
            heading = line[:-1]
            entries[heading] = []
        elif heading and re.match(r"^  \S", line):
            entries[heading].append(re.split(r"  +", line.strip())[0])
        elif not line:
            heading = None
    return entries


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    cli, man_dir = sys.argv[1:]
    pages = sorted(glob.glob(os.path.join(man_dir, "*.1.gz")))
    check(pages, "no manual pages in %s" % man_dir)
    for page in pages:
        renders_cleanly(page)

    sections = page_sections(os.path.join(man_dir, "velmora-cli.1.gz"))
    shown = run([cli, "--help"])
    check(shown.returncode == 0, "velmora-cli --help exits with %d" % shown.returncode)
    listed = help_entries(shown.stdout)
    for heading, title in (("Commands", "COMMANDS"), ("Options", "OPTIONS"), ("Exit status", "EXIT STATUS")):
        check(listed.get(heading), "--help has no %s section" % heading)
        check(sections.get(title) == listed.get(heading),
              "the page's %s name %s, --help's %s %s" % (title, sections.get(title), heading, listed.get(heading)))
    for command in listed.get("Commands", []):
        # A command it takes refuses the option instead (or, report in a build without
        # the display libraries, says what it needs).
        refused = run([cli, "--simulate", "1", command, "--no-such-option"])
        check(refused.returncode != 0 and "unknown command" not in refused.stderr,
              "velmora-cli does not take the command %s that --help lists: %r" % (command, refused.stderr))

    written = set()
    for code in range(1, 22):
        settings = run([cli, "--simulate", str(code), "settings", "--json"])
        if settings.returncode == 0:  # the types the utility does not set up say so
            written |= set(json.loads(settings.stdout))
    documented = {key for tag in sections.get("SETTINGS FILE", []) for key in tag.split(", ")}
    check(written and documented == written,
          "settings keys only on the page: %s; only in settings --json: %s"
          % (sorted(documented - written), sorted(written - documented)))

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
