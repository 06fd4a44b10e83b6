#!/usr/bin/env python3
"""Writes the manual pages muwu(1) and muwu-cli(1) from sections of README.md.

The README is the one place the program and its command line are described; the pages are cut
out of it at build time, so they say what the README says. Only the Markdown the README uses is
understood: headings, paragraphs, "- " lists, code blocks indented by four spaces, `code`,
**bold**, <links> and tables (kept as they are written). A section named here that the README no
longer has stops the build instead of leaving a page without it.

    readme_to_man.py README.md PAGE VERSION DATE OUT   (PAGE: muwu or muwu-cli)
"""
import re
import sys

# For each page: its one-line summary, its synopsis when the README gives none, and the README
# sections it is made of, each with the heading it gets in the page. "" is the text between the
# title and the first section; a section's first code block becomes the synopsis when asked.
PAGES = {
    "muwu-cli": {
        "summary": "Chinese names by stroke numerology, on the command line",
        "synopsis_from": "Command line",
        "sections": [("Command line", "DESCRIPTION")],
        "files": [("/usr/share/muwu/", "the data files: stroke lists, code tables, double surnames, words")],
        "see_also": "muwu",
    },
    "muwu": {
        "summary": "Chinese names by stroke numerology (沐梧取名器)",
        "synopsis": "muwu",
        "sections": [("", "DESCRIPTION"), ("Online update", "ONLINE UPDATE"), ("Settings", "SETTINGS")],
        "files": [
            ("/usr/share/muwu/", "the data files: stroke lists, code tables, double surnames, words"),
            ("~/.config/muwu/沐梧取名器.ini", "the settings"),
        ],
        "see_also": "muwu-cli",
    },
}


def escape(text):
    """Plain text for roff: backslashes doubled as \\e, a leading dot or quote made literal."""
    return text.replace("\\", "\\e")


def code_text(text):
    # Options and commands are typed as shown: a hyphen there is a minus sign.
    return escape(text).replace("-", "\\-")


def inline(text):
    out = []
    pos = 0
    for m in re.finditer(r"`([^`]+)`|\*\*([^*]+)\*\*|<(https?://[^>]+)>", text):
        out.append(escape(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append("\\fB\\%" + code_text(m.group(1)) + "\\fR")
        elif m.group(2) is not None:
            out.append("\\fB" + escape(m.group(2)) + "\\fR")
        else:
            out.append("\\fI" + escape(m.group(3)) + "\\fR")
        pos = m.end()
    out.append(escape(text[pos:]))
    return "".join(out)


def text_line(line):
    line = line.strip()
    return "\\&" + line if line.startswith((".", "'")) else line


def split_sections(readme):
    """Section title ("" for the part before the first) to its lines, "##" level only."""
    sections = {"": []}
    current = ""
    lines = readme.splitlines()
    # The title and the block of script commands under it are not part of the description.
    start = next(i for i, l in enumerate(lines) if l.strip() and not l.startswith(("#", "    ")))
    for line in lines[start:]:
        m = re.match(r"## (?!#)(.*)", line)
        if m:
            current = m.group(1).strip()
            sections[current] = []
        else:
            sections[current].append(line)
    return sections


def blocks(lines):
    """Markdown lines to (kind, lines) blocks: para, list, code, table, heading."""
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("### "):
            out.append(("heading", [line[4:].strip()]))
            i += 1
        elif line.startswith("    "):
            body = []
            while i < len(lines) and (lines[i].startswith("    ") or not lines[i].strip()):
                body.append(lines[i][4:])
                i += 1
            while body and not body[-1].strip():
                body.pop()
            out.append(("code", body))
        elif line.startswith("- "):
            body = [line[2:]]
            i += 1
            while i < len(lines) and lines[i].startswith("  ") and lines[i].strip():
                body.append(lines[i])
                i += 1
            out.append(("item", body))
        elif line.startswith("|"):
            body = []
            while i < len(lines) and lines[i].startswith("|"):
                body.append(lines[i])
                i += 1
            out.append(("table", body))
        else:
            body = []
            while i < len(lines) and lines[i].strip() and not lines[i].startswith(("- ", "    ", "### ", "|")):
                body.append(lines[i])
                i += 1
            out.append(("para", body))
    return out


def render(kind, body, out):
    if kind == "heading":
        out.append(".SS " + inline(body[0]))
    elif kind == "para":
        out.append(".PP")
        out.extend(text_line(inline(l)) for l in body)
    elif kind == "item":
        out.append(".IP \\(bu 2")
        out.extend(text_line(inline(l)) for l in body)
    else:  # code and tables are shown as written
        out.extend([".PP", ".RS 4", ".nf"])
        out.extend("\\&" + code_text(l) for l in body)
        out.extend([".fi", ".RE"])


def page(readme, name, version, date):
    page = PAGES[name]
    sections = split_sections(readme)
    out = [
        f'.TH {code_text(name.upper())} 1 "{date}" "muwu {version}" "User Commands"',
        ".SH NAME",
        f"{code_text(name)} \\- {escape(page['summary'])}",
        ".SH SYNOPSIS",
    ]
    synopsis_source = page.get("synopsis_from")
    for title, _ in page["sections"]:
        if title not in sections:
            raise SystemExit(f"readme_to_man: README.md has no section “## {title}”")
    skip_first_code = False
    if synopsis_source:
        first = next((b for b in blocks(sections[synopsis_source]) if b[0] == "code"), None)
        if first is None:
            raise SystemExit(f"readme_to_man: “## {synopsis_source}” has no usage block")
        out.extend([".nf"] + ["\\&" + code_text(l) for l in first[1]] + [".fi"])
        skip_first_code = True
    else:
        out.append("\\fB" + code_text(page["synopsis"]) + "\\fR")
    for title, heading in page["sections"]:
        out.append(".SH " + heading)
        for kind, body in blocks(sections[title]):
            if skip_first_code and title == synopsis_source and kind == "code":
                skip_first_code = False
                continue
            render(kind, body, out)
    out.append(".SH FILES")
    for path, what in page["files"]:
        out.extend([".TP", "\\fI" + code_text(path) + "\\fR", escape(what)])
    out.extend([".SH SEE ALSO", f"\\fB{code_text(page['see_also'])}\\fR(1)"])
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 6 or argv[2] not in PAGES:
        raise SystemExit(__doc__)
    readme, name, version, date, target = argv[1:]
    with open(readme, encoding="utf-8") as f:
        text = page(f.read(), name, version, date)
    with open(target, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv)
