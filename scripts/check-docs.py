#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
"""Checks the tracked Markdown files: every relative link and picture leads to a tracked
file (and a link to #heading to a heading of that file), and every table renders, that is
no line that starts with "|" is left outside a table for want of its separator row.

Markdown is read by markdown-it-py (CommonMark with GitHub's tables), Debian's
python3-markdown-it, hence Debian's own python3. Exits 1 when anything is wrong.
"""
import os
import posixpath
import re
import subprocess
import sys
import urllib.parse

from markdown_it import MarkdownIt


def tracked_files():
    out = subprocess.run(["git", "ls-files", "-z"], check=True, capture_output=True).stdout
    return set(out.decode().split("\0")) - {""}


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


def covered_lines(tokens, kinds):
    lines = set()
    for token in tokens:
        if token.type in kinds and token.map:
            lines.update(range(token.map[0], token.map[1]))
    return lines


def check(path, text, files, parser, anchors_of):
    problems = []
    tokens = parser.parse(text)
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


def main():
    top = subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True,
                         capture_output=True, text=True).stdout.strip()
    os.chdir(top)
    files = tracked_files()
    documents = sorted(f for f in files if f.endswith(".md"))
    parser = MarkdownIt("commonmark").enable("table")
    texts = {}
    for document in documents:
        with open(document, encoding="utf-8") as f:
            texts[document] = f.read()
    cache = {}

    def anchors_of(document):
        if document not in cache:
            cache[document] = anchors(parser.parse(texts.get(document, "")))
        return cache[document]

    problems = []
    for document in documents:
        problems += check(document, texts[document], files, parser, anchors_of)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"docs-check: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    print(f"docs-check: {len(documents)} Markdown files, every link resolves and every "
          "table renders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
