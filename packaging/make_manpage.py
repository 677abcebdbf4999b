#!/usr/bin/env python3
"""Writes a program's manual page from its own --help text, so the two cannot drift.

Usage: make_manpage.py OUT.1.gz SUMMARY VERSION EXTRA.man PROGRAM

The usage lines become the synopsis, the indented entries the options, the
"Exit status:" sentence its own section, the other paragraphs the description;
EXTRA.man (roff: files, examples) follows them.
"""
import gzip
import os
import re
import subprocess
import sys


def escape(text):
    text = text.replace("\\", "\\e")
    # A dash that starts a word is an option's minus sign, not a hyphen.
    return re.sub(r"(?<![\w.])-", r"\\-", text)


def line(text):
    # A line starting with a dot or an apostrophe would be read as a request.
    return "\\&" + text if text[:1] in (".", "'") else text


def formatted(words):
    """Options in bold, placeholders (FILE, DIR, OUT.png) in italics."""
    out = []
    for word in re.split(r"(\s+|[\[\]|,]|\.\.\.)", words):
        if re.fullmatch(r"--?[\w-]+", word):
            word = "\\fB" + escape(word) + "\\fR"
        elif re.fullmatch(r"[A-Z][A-Z0-9_]*(\.\w+)?", word):
            word = "\\fI" + escape(word) + "\\fR"
        else:
            word = escape(word)
        out.append(word)
    return "".join(out)


def split_entry(entry):
    """The option and its placeholders, and what it does: split at the gap, or,
    where a long option leaves only one space, at the first word of the text."""
    if "  " in entry:
        term, _, rest = entry.partition("  ")
        return [term, rest.strip()]
    words = entry.split(" ")
    n = 0
    while n < len(words) and re.fullmatch(r"(-[\w-]+|[A-Z][A-Z0-9_]*(\.\w+)?),?", words[n]):
        n += 1
    return [" ".join(words[:n]), " ".join(words[n:])]


def parse(name, text):
    synopsis, description, options, exit_status = [], [], [], []
    paragraph = []

    def end_paragraph():
        if paragraph:
            joined = " ".join(paragraph)
            found = re.search(r"Exit status:\s*(.*?\.)(\s|$)", joined)
            if found:
                exit_status.append(found.group(1))
                joined = (joined[: found.start()] + joined[found.end() :]).strip()
            if joined:
                description.append(joined)
            paragraph.clear()

    for raw in text.splitlines():
        stripped = raw.strip()
        if raw.startswith("Usage:") or (synopsis and not description and not paragraph and not options
                                        and stripped.startswith(name + " ")):
            synopsis.append(re.sub(r"^(Usage:)?\s*" + re.escape(name) + r"\s*", "", raw))
        elif not stripped:
            end_paragraph()
        elif raw.startswith("  ") and not raw.startswith("   "):
            end_paragraph()
            options.append(split_entry(stripped))
        elif raw.startswith("   ") and options and not paragraph:
            options[-1][1] = (options[-1][1] + " " + stripped).strip()
        else:
            paragraph.append(stripped)
    end_paragraph()
    return synopsis, description, options, exit_status


def main():
    out, summary, version, extra, program = sys.argv[1:6]
    name = os.path.basename(program)
    text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    synopsis, description, options, exit_status = parse(name, text)
    if not synopsis or not options:
        sys.exit(f"make_manpage.py: no usage lines or no options in {name} --help")

    page = [f'.TH {name} 1 "" "Trusswick {version}" "User Commands"', ".SH NAME", f"{name} \\- {escape(summary)}",
            ".SH SYNOPSIS"]
    for i, usage in enumerate(synopsis):
        if i:
            page.append(".br")
        page.append(f"\\fB{name}\\fR {formatted(usage)}")
    page.append(".SH DESCRIPTION")
    for i, paragraph in enumerate(description):
        if i:
            page.append(".PP")
        page.append(line(escape(paragraph)))
    page.append(".SH OPTIONS")
    for term, explanation in options:
        page += [".TP", line(formatted(term)), line(escape(explanation))]
    if exit_status:
        page += [".SH EXIT STATUS", line(escape(" ".join(exit_status)))]
    with open(extra, encoding="utf-8") as f:
        page.append(f.read().rstrip("\n"))

    # No name and no time stamp in the header, so the same page packs to the same bytes.
    with open(out, "wb") as f, gzip.GzipFile(filename="", mode="wb", fileobj=f, compresslevel=9, mtime=0) as z:
        z.write(("\n".join(page) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main()
