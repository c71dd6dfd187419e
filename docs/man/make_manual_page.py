#!/usr/bin/env python3
"""Writes a manual page from its template: @VERSION@ and @DATE@, and for velmora-cli's
page (--help-text, --readme) what its --help text and the README's settings-file key
table say, so that the page cannot say anything else.

The help text is read as it is laid out: the synopsis up to the first blank line
(lines that do not start with the program's name continue the one above), then
paragraphs, and sections headed "Name:" whose entries are indented two spaces, a
term, two spaces or more and a description (deeper lines continue it). Each section
goes where the template names it (Commands: at @COMMANDS@); a section or a
placeholder without its counterpart stops the build.
"""
import argparse
import re
import sys

PROGRAM = "velmora-cli"


def escape(text):
    """Plain text as roff: backslashes shown as such, no line taken for a request."""
    text = text.replace("\\", "\\e")
    return re.sub(r"^([.'])", r"\\&\1", text, flags=re.M)


def literal(text):
    """Something typed as it stands (a name, an option, a value): hyphens are minus signs."""
    return escape(text).replace("-", "\\-")


def bold(text):
    return "\\fB" + literal(text) + "\\fR"


def italic(text):
    return "\\fI" + literal(text) + "\\fR"


def words_of_usage(text, metavariables):
    """A synopsis or a term: options and command words bold, the metavariables italic."""
    out = []
    for word in text.split():
        head = re.match(r"^\[*", word).group(0)
        tail = re.search(r"\]*$", word).group(0)
        core = word[len(head):len(word) - len(tail)]
        if core in ("|", ""):
            shown = core
        elif core in metavariables:
            shown = italic(core)
        else:
            shown = bold(core)
        out.append(head + shown + tail)
    return " ".join(out)


def prose(text, metavariables):
    """A description: options bold, the synopsis's metavariables italic, the rest as text."""
    out = []
    for word in text.split():
        match = re.match(r"^([(\"]*)(.*?)([),.;:\"]*)$", word)
        lead, core, trail = match.groups()
        if re.match(r"^--?[a-z]", core):
            core = bold(core)
        elif core in metavariables:
            core = italic(core)
        elif core == "-":
            core = "\\-"
        else:
            core = escape(core)
        out.append(escape(lead) + core + escape(trail))
    return " ".join(out)


def read_help(text):
    """The help as its synopsis lines, its paragraphs and its sections {name: [(term, description)]}."""
    blocks = [b.split("\n") for b in text.strip("\n").split("\n\n")]
    synopsis = []
    for line in blocks[0]:
        line = re.sub(r"^usage:", "", line).strip()
        if line.startswith(PROGRAM + " ") or not synopsis:
            synopsis.append(line)
        else:
            synopsis[-1] += " " + line
    paragraphs, sections = [], {}
    for block in blocks[1:]:
        heading = re.match(r"^(\S.*):$", block[0])
        if not heading:
            paragraphs.append(" ".join(line.strip() for line in block))
            continue
        entries = []
        for line in block[1:]:
            entry = re.match(r"^  (\S.*?)(?: {2,}(\S.*))?$", line)
            if entry:
                entries.append([entry.group(1), entry.group(2) or ""])
            elif line.startswith("   ") and entries:
                entries[-1][1] = (entries[-1][1] + " " + line.strip()).strip()
            else:
                sys.exit("help: cannot read the line %r in %s" % (line, heading.group(1)))
        sections[heading.group(1)] = entries
    return synopsis, paragraphs, sections


def markdown(text):
    """A README table cell: `code` and **bold** bold, escaped bars as bars, the rest as text."""
    out = []
    for code, strong, plain in re.findall(r"`([^`]*)`|\*\*(.*?)\*\*|([^`*]+|\*)", text.replace("\\|", "|")):
        if code:
            out.append(bold(code))
        elif strong:
            out.append("\\fB" + escape(strong) + "\\fR")
        else:
            out.append(escape(plain))
    return "".join(out)


def settings_keys(readme):
    """The README's settings-file key table as .TP entries: the keys, their value, their loggers."""
    lines = readme.split("\n")
    try:
        start = lines.index("| Key | Value | Loggers |")
    except ValueError:
        sys.exit("README: the settings-file key table (| Key | Value | Loggers |) is missing")
    out = []
    for line in lines[start + 2:]:
        if not line.startswith("|"):
            break
        cells = [c.strip() for c in re.split(r"(?<!\\)\|", line)[1:-1]]
        if len(cells) != 3:
            sys.exit("README: a settings key row without three cells: %r" % line)
        keys, value, loggers = cells
        out += [".TP", markdown(keys), markdown(value) + ".", ".br", "Loggers: " + markdown(loggers) + "."]
    return "\n".join(out)


def help_fill(help_text, readme):
    """The placeholders velmora-cli's help and the README fill."""
    synopsis, paragraphs, sections = read_help(help_text)
    metavariables = {w.strip("[]") for line in synopsis for w in line.split() if re.match(r"^\[*[A-Z]", w)}
    fill = {
        "SYNOPSIS": "\n".join(".SY %s\n%s\n.YS" % (literal(PROGRAM), words_of_usage(line[len(PROGRAM):], metavariables))
                              for line in synopsis),
        "DESCRIPTION": "\n.PP\n".join(prose(p, metavariables) for p in paragraphs),
        "SETTINGS_KEYS": settings_keys(readme),
    }
    for name, entries in sections.items():
        placeholder = re.sub(r"\W+", "_", name.upper())
        fill[placeholder] = "\n".join(".TP\n%s\n%s" % (words_of_usage(term, metavariables), prose(text, metavariables))
                                      for term, text in entries)
    return fill


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    arguments.add_argument("template")
    arguments.add_argument("output")
    arguments.add_argument("--version", required=True, help="the project's version")
    arguments.add_argument("--date", required=True, help="the release's date, YYYY-MM-DD")
    arguments.add_argument("--help-text", help="velmora-cli's help.txt")
    arguments.add_argument("--readme", help="the README with the settings-file key table")
    options = arguments.parse_args()
    read = lambda path: open(path, encoding="utf-8").read()

    fill = {"DATE": '"%s"' % escape(options.date), "VERSION": escape(options.version)}
    if options.help_text:
        fill.update(help_fill(read(options.help_text), read(options.readme)))
    page = read(options.template)
    for name, value in fill.items():
        if "@%s@" % name not in page:
            sys.exit("%s: no place for @%s@" % (options.template, name))
        page = page.replace("@%s@" % name, value)
    left = re.findall(r"^(?!\.\\\")(?:.*?)@([A-Z_]+)@", page, flags=re.M)
    if left:
        sys.exit("%s: nothing fills %s" % (options.template, ", ".join("@%s@" % x for x in left)))
    with open(options.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
