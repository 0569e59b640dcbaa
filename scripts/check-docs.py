#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Checks the tracked Markdown files, and says file:line for everything it finds wrong:

- links: every relative link and picture leads to a tracked file (a link to #heading to a
  heading of that file); in a document the Debian package installs, it also leads to a
  file installed beside it, since the reader there has no source tree;
- tables: no line that starts with "|" is left outside a table for want of its separator
  row;
- versions: the program's version, where a document writes it (actuator-panel_1.2.0-...,
  actuator-panel-1.2.0-win64.exe, "Actuator Panel 1.2.0"), is the one of project() in
  CMakeLists.txt. Fenced blocks without a language show recorded output as it was, and
  are not checked;
- make targets: every `make TARGET` in code is a target the Makefile and make/*.mk have
  now, so a renamed or removed target cannot stay in the documents;
- paths: every path in code that starts with a folder of the tree (`scripts/...`,
  `packaging/windows/`) names a tracked file or folder, or the stem of one
  (`panel/file_locations`); `<name>` and `*` stand for any one part. A bare file name
  with a source ending (`release.sh`) names a tracked file somewhere;
- history: each released entry of CHANGELOG.md is the same, line for line, as in the
  release of record, the commit whose subject is "Release X.Y.Z". An entry older than
  that rule, whose version has no such commit, is compared with the commit that added
  its heading. A shallow clone that lacks the commit says so and skips the entry.

The released entries are history: the version, make target and path rules leave them out.

Markdown is read by markdown-it-py (CommonMark with GitHub's tables), Debian's
python3-markdown-it, hence Debian's own python3. Exits 1 when anything is wrong.
"""
import fnmatch
import os
import posixpath
import re
import subprocess
import sys
import urllib.parse

from markdown_it import MarkdownIt

# Where the package puts the documents it installs, beside which their links must lead.
INSTALLED_DOCS = "/usr/share/doc/actuator-panel"
RELEASE_HEADING = re.compile(r"^## \[(\d+\.\d+\.\d+)\] - \d{4}-\d{2}-\d{2}$")
PROGRAM_VERSION = re.compile(r"\bactuator[-_ ]panel[-_ ]v?(\d+\.\d+\.\d+)\b", re.IGNORECASE)
MAKE_COMMAND = re.compile(r"(?:^|[\s;&|(\"'])make((?:\s+[^\s;&|)\"']+)*)")
SOURCE_ENDINGS = (".sh", ".py", ".mk", ".cmake", ".cpp", ".h", ".in", ".toml", ".supp", ".md")
COMMAND_FENCES = ("sh", "bash", "console", "shell")


def git(*args, check=True):
    return subprocess.run(["git", *args], check=check, capture_output=True, text=True)


def tracked_files():
    out = subprocess.run(["git", "ls-files", "-z"], check=True, capture_output=True).stdout
    return set(out.decode().split("\0")) - {""}


def project_version():
    with open("CMakeLists.txt", encoding="utf-8") as f:
        found = re.search(r"^project\(actuator-panel VERSION (\S+)", f.read(), re.MULTILINE)
    return found.group(1) if found else None


def make_targets():
    """The targets make knows now: those with a rule and those declared phony, whichever
    branch of a conditional defines them."""
    out = subprocess.run(["make", "-pRrq", "-f", "Makefile", "docs-check-no-such-target"],
                         capture_output=True, text=True).stdout
    targets = set()
    for line in out.splitlines():
        rule = re.match(r"^([A-Za-z0-9][\w.-]*(?: [A-Za-z0-9][\w.-]*)*):(?!=)(.*)", line)
        if rule:
            targets.update(rule.group(1).split())
        if line.startswith(".PHONY:"):
            targets.update(line.split(":", 1)[1].split())
    return targets


def installed_documents():
    """{tree path: installed name} of the documents packaging/CMakeLists.txt installs,
    gzipped, into INSTALLED_DOCS."""
    with open("packaging/CMakeLists.txt", encoding="utf-8") as f:
        pairs = re.findall(r"([\w.-]+):\$\{PROJECT_SOURCE_DIR\}/(\S+)", f.read())
    return {path: name + ".gz" for name, path in pairs}


def heading_text(inline):
    return "".join(t.content for t in inline.children if t.type in ("text", "code_inline"))


def anchors(tokens):
    """The ids GitHub gives the headings: lower case, punctuation dropped, spaces to
    hyphens, a repeated id numbered -1, -2, ..."""
    seen = {}
    ids = set()
    for i, token in enumerate(tokens):
        if token.type != "heading_open":
            continue
        slug = re.sub(r"[^\w\- ]", "", heading_text(tokens[i + 1]).strip().lower())
        slug = slug.replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        ids.add(slug if count == 0 else f"{slug}-{count}")
    return ids


def links(tokens):
    """(line, target) of every link and picture, lines counted from 1."""
    for token in tokens:
        if token.type != "inline":
            continue
        line = token.map[0] + 1 if token.map else 0
        for child in token.children:
            if child.type == "link_open":
                yield line, child.attrs.get("href", "")
            elif child.type == "image":
                yield line, child.attrs.get("src", "")


def code(tokens, history):
    """(line, text) of every code span, and of every line of a fenced block of commands,
    before the line `history`."""
    for token in tokens:
        if token.map and token.map[0] + 1 >= history:
            break
        if token.type == "inline":
            line = token.map[0] + 1 if token.map else 0
            for child in token.children:
                if child.type == "code_inline":
                    yield line, child.content
        elif token.type == "fence" and token.info.strip() in COMMAND_FENCES:
            for n, content in enumerate(token.content.splitlines(), start=token.map[0] + 2):
                yield n, content


def covered_lines(tokens, kinds):
    lines = set()
    for token in tokens:
        if token.type in kinds and token.map:
            lines.update(range(token.map[0], token.map[1]))
    return lines


def check_links(path, tokens, files, anchors_of, installed):
    problems = []
    folder = posixpath.dirname(path)
    folders = {posixpath.dirname(f) for f in files}
    for line, target in links(tokens):
        parts = urllib.parse.urlsplit(target)
        if parts.scheme or parts.netloc:
            continue  # a web or mail address: not ours to check
        name = urllib.parse.unquote(parts.path)
        where = posixpath.normpath(posixpath.join(folder, name)) if name else path
        if name and where not in files and where.rstrip("/") not in folders:
            problems.append(f"{path}:{line}: {target}: no such tracked file")
            continue
        if parts.fragment and where.endswith(".md") and where in files:
            if parts.fragment.lower() not in anchors_of(where):
                problems.append(f"{path}:{line}: {target}: no such heading in {where}")
        if path in installed and name:
            there = posixpath.normpath(posixpath.join(INSTALLED_DOCS, name))
            if posixpath.relpath(there, INSTALLED_DOCS) not in installed.values():
                problems.append(f"{path}:{line}: {target}: installed as "
                                f"{INSTALLED_DOCS}/{installed[path]}, where {there} is not "
                                "installed")
    return problems


def check_tables(path, text, tokens):
    problems = []
    inside = covered_lines(tokens, ("table_open", "fence", "code_block", "html_block"))
    stray = {n for n, content in enumerate(text.splitlines(), start=1)
             if content.lstrip().startswith("|") and n - 1 not in inside}
    # One report per run of stray rows: a table that lost its separator row.
    for n in sorted(stray):
        if n - 1 in stray:
            continue
        last = n
        while last + 1 in stray:
            last += 1
        problems.append(f"{path}:{n}-{last}: {last - n + 1} table row(s) outside any table "
                        "(is the header separator row missing?)")
    return problems


def history_start(path, text):
    """The first line (from 1) of what is history and stays as written: the CHANGELOG's
    released entries. Beyond the end for every other document."""
    lines = text.splitlines()
    if path == "CHANGELOG.md":
        for n, content in enumerate(lines, start=1):
            if RELEASE_HEADING.match(content):
                return n
    return len(lines) + 1


def check_versions(path, text, tokens, version):
    lines = text.splitlines()[:history_start(path, text) - 1]
    recorded = covered_lines([t for t in tokens if t.type == "fence" and not t.info.strip()],
                             ("fence",))
    problems = []
    for n, content in enumerate(lines):
        if n in recorded:
            continue
        for found in PROGRAM_VERSION.finditer(re.sub(r"\S+://\S+", "", content)):
            if found.group(1) != version:
                problems.append(f"{path}:{n + 1}: version {found.group(1)} in "
                                f"'{found.group(0)}', but CMakeLists.txt says {version}")
    return problems


def check_make_targets(path, tokens, targets, history):
    problems = []
    for line, content in code(tokens, history):
        for command in MAKE_COMMAND.finditer(content):
            # The first word after make that is neither an option nor VAR=value.
            words = [w for w in command.group(1).split() if not w.startswith("-") and "=" not in w]
            if words and re.fullmatch(r"[a-z][\w.-]*", words[0]) and words[0] not in targets:
                problems.append(f"{path}:{line}: make {words[0]}: no such make target")
    return problems


def names_tracked(name, files, folders):
    pattern = re.sub(r"<[^>/]*>", "*", name.rstrip("/"))
    if not any(c in pattern for c in "*?["):
        return (pattern in files or pattern in folders
                or any(f.startswith(pattern + ".") for f in files))
    # Each * stands for one part of the path, not for several.
    parts = pattern.count("/")
    return any(fnmatch.fnmatchcase(f, pattern) for f in files | folders
               if f.count("/") == parts)


def check_paths(path, tokens, files, history):
    folders = set()
    for f in files:
        while "/" in f:
            f = posixpath.dirname(f)
            folders.add(f)
    top = {f.split("/")[0] for f in files if "/" in f}
    basenames = {posixpath.basename(f) for f in files}
    problems = []
    for line, content in code(tokens, history):
        for word in content.split():
            word = word.strip("\"'`(),;:")
            if "/" in word and word.split("/")[0] in top:
                if not names_tracked(word, files, folders):
                    problems.append(f"{path}:{line}: {word}: no such file or folder in the tree")
            elif ("/" not in word and word.endswith(SOURCE_ENDINGS)
                  and re.fullmatch(r"[\w.-]+", word) and word not in basenames):
                problems.append(f"{path}:{line}: {word}: no such file in the tree")
    return problems


def shallow():
    return git("rev-parse", "--is-shallow-repository").stdout.strip() == "true"


def release_of_record(version, heading):
    """The commit whose CHANGELOG.md an entry is compared with, and how it was found; None
    where the history cannot tell."""
    log = git("log", "--format=%H %s", "HEAD").stdout.splitlines()
    for entry in log:
        commit, _, subject = entry.partition(" ")
        if subject == f"Release {version}":
            return commit, f'"Release {version}"'
    if shallow():
        return None  # the commit may lie beyond the cut, and the first one "adds" everything
    added = git("log", "--reverse", "--format=%H", "-S", heading, "HEAD", "--",
                "CHANGELOG.md").stdout.split()
    return (added[0], "the commit that added its heading") if added else None


def entries(text):
    """{version: (first line, the entry's lines)} of the released entries."""
    lines = text.splitlines()
    starts = [n for n, content in enumerate(lines) if content.startswith("## [")]
    found = {}
    for i, start in enumerate(starts):
        release = RELEASE_HEADING.match(lines[start])
        if release:
            end = starts[i + 1] if i + 1 < len(starts) else len(lines)
            found[release.group(1)] = (start + 1, lines[start:end])
    return found


def check_history(text, version, notes):
    problems = []
    for release, (first, lines) in entries(text).items():
        record = release_of_record(release, lines[0])
        if record is None:
            why = ("it is being released, and its release commit is not made yet"
                   if release == version and not shallow() else
                   "its release commit is not in this clone's history")
            notes.append(f"CHANGELOG.md:{first}: {release} not compared: {why}")
            continue
        commit, how = record
        then = git("show", f"{commit}:CHANGELOG.md", check=False).stdout
        old = entries(then).get(release, (0, []))[1]
        for n, (now, was) in enumerate(zip(lines + [None] * len(old), old + [None] * len(lines))):
            if now != was:
                problems.append(f"CHANGELOG.md:{first + n}: the released entry of {release} "
                                f"differs from {commit[:7]}, {how}: it said {was!r}")
                break
    return problems


def main():
    top = git("rev-parse", "--show-toplevel").stdout.strip()
    os.chdir(top)
    files = tracked_files()
    documents = sorted(f for f in files if f.endswith(".md"))
    parser = MarkdownIt("commonmark").enable("table")
    version = project_version()
    targets = make_targets()
    installed = installed_documents()
    texts = {}
    for document in documents:
        with open(document, encoding="utf-8") as f:
            texts[document] = f.read()
    cache = {}

    def anchors_of(document):
        if document not in cache:
            cache[document] = anchors(parser.parse(texts.get(document, "")))
        return cache[document]

    problems = [] if version else ["CMakeLists.txt: no version in project()"]
    notes = []
    for document in documents:
        text = texts[document]
        tokens = parser.parse(text)
        problems += check_links(document, tokens, files, anchors_of, installed)
        problems += check_tables(document, text, tokens)
        problems += check_versions(document, text, tokens, version)
        history = history_start(document, text)
        problems += check_make_targets(document, tokens, targets, history)
        problems += check_paths(document, tokens, files, history)
    if "CHANGELOG.md" in texts:
        problems += check_history(texts["CHANGELOG.md"], version, notes)
    problems = list(dict.fromkeys(problems))  # one report for a name twice on a line
    for note in notes:
        print(f"docs-check: {note}")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"docs-check: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    compared = "compared " if notes else ""
    print(f"docs-check: {len(documents)} Markdown files at version {version}: every link "
          "resolves, in the tree and as installed, every table renders, every version, make "
          f"target and path named exists, and every released changelog entry {compared}is "
          "as released")
    return 0


if __name__ == "__main__":
    sys.exit(main())
