#!/usr/bin/env python3
"""Doxygen's input filter for the public headers.

The headers document with plain line comments: a comment on lines of its own
documents the declarations below it, up to the next blank line or comment, and
a comment after a member or enumerator on its line documents that member. This
hands the same text to doxygen in its own syntax, line for line, leaving the
headers as they are.
"""
import re
import sys

OWN_LINE = re.compile(r"^(\s*)//(?!/)(.*)$")
AFTER_MEMBER = re.compile(r'^([^/"]*[,;]\s*)//(?![/<])(.*)$')
ACCESS = re.compile(r"^\s*(public|protected|private)\s*:")


def code_of(line):
    return line.split("//", 1)[0].strip()


def declarations_below(lines, start):
    """The first line of each declaration from `start` up to a blank line or comment."""
    depth, firsts, first = 0, [], None
    for i in range(start, len(lines)):
        line = lines[i]
        if depth == 0 and (not line.strip() or OWN_LINE.match(line) or ACCESS.match(line)):
            break
        code = code_of(line)
        if depth == 0 and code.startswith("}"):
            break
        if depth == 0 and first is None:
            # A destructor needs no text of its own; it ends a group of
            # constructors rather than sharing their text.
            if re.match(r"(virtual\s+)?~", code):
                break
            first = i
        depth += code.count("{") - code.count("}")
        if depth == 0 and (code.endswith(";") or code.endswith("}")):
            firsts.append(first)
            first = None
    return firsts


def main():
    lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
    out = list(lines)
    i = 0
    while i < len(lines):
        if OWN_LINE.match(lines[i]):
            end = i
            while end < len(lines) and OWN_LINE.match(lines[end]):
                end += 1
            for k in range(i, end):
                out[k] = OWN_LINE.sub(r"\1///\2", lines[k])
            # Each later declaration the comment covers gets its text too, on
            # its own first line, so that line numbers stay the header's.
            text = " ".join(OWN_LINE.match(line).group(2).strip() for line in lines[i:end]).replace("*/", "* /")
            for k in declarations_below(lines, end)[1:]:
                indent = re.match(r"\s*", lines[k]).group(0)
                out[k] = f"{indent}/** {text} */ {lines[k].lstrip()}"
            i = end
            continue
        i += 1
    sys.stdout.write("\n".join(AFTER_MEMBER.sub(r"\1///<\2", line) for line in out))


if __name__ == "__main__":
    main()
