#!/usr/bin/env python3
"""Copies a UTF-8 C++ source with every narrow string and character literal turned into CP932 bytes.

Compilers without -fexec-charset=CP932 (clang) then give the same bytes GCC does. Non-ASCII characters
(and universal character names) inside narrow literals become three-digit octal escapes, which cannot
swallow a following digit the way hex escapes would. Raw narrow literals holding non-ASCII text are
rewritten as ordinary literals, one per source line so line numbers stay. Comments, wide, UTF-8/16/32
literals and everything else are copied unchanged.

usage: cp932_literals.py INPUT OUTPUT [--line-name NAME]
"""

import re
import sys

PREFIXES = {"", "L", "u", "U", "u8"}
NARROW = ""


class Error(Exception):
    pass


def octal(text, where):
    try:
        data = text.encode("cp932")
    except UnicodeEncodeError as e:
        raise Error(f"{where()}: {text!r} has no CP932 form") from e
    return "".join(f"\\{b:03o}" for b in data)


def transcode_body(body, where):
    """Escapes the non-ASCII characters and universal character names of a literal's body."""
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body):
            nxt = body[i + 1]
            if nxt in "uU":
                digits = 4 if nxt == "u" else 8
                m = re.match(r"[0-9A-Fa-f]{%d}" % digits, body[i + 2 :])
                if m:
                    ch = chr(int(m.group(0), 16))
                    out.append(octal(ch, where) if ord(ch) >= 0x80 else body[i : i + 2 + digits])
                    i += 2 + digits
                    continue
            out.append(body[i : i + 2])
            i += 2
        elif ord(c) >= 0x80:
            out.append(octal(c, where))
            i += 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def escape_raw(text, where):
    """A raw literal's text as the body of an ordinary literal."""
    out = []
    for c in text:
        if c == "\\":
            out.append("\\\\")
        elif c == '"':
            out.append('\\"')
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "?":
            out.append("\\?")  # no trigraphs by accident
        elif ord(c) >= 0x80:
            out.append(octal(c, where))
        elif ord(c) < 0x20:
            out.append(f"\\{ord(c):03o}")
        else:
            out.append(c)
    return "".join(out)


def raw_as_ordinary(content, where):
    """Splits at newlines into adjacent literals on separate lines, keeping the line count."""
    pieces = content.split("\n")
    lines = []
    for n, piece in enumerate(pieces):
        text = piece + ("\n" if n + 1 < len(pieces) else "")
        lines.append('"' + escape_raw(text, where) + '"')
    return "\n".join(lines)


def transcode(src, name="<input>"):
    out = []
    i = 0
    n = len(src)

    def where(pos):
        return lambda: f"{name}:{src.count(chr(10), 0, pos) + 1}"

    while i < n:
        c = src[i]
        if src.startswith("//", i):
            j = i
            while j < n and src[j] != "\n":
                # a comment goes on over backslash-newline
                j += 2 if src[j] == "\\" and j + 1 < n and src[j + 1] == "\n" else 1
            out.append(src[i:j])
            i = j
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(src[i:j])
            i = j
        elif c.isalpha() or c == "_":
            j = i
            while j < n and (src[j].isalnum() or src[j] == "_"):
                j += 1
            ident = src[i:j]
            is_prefix = ident in PREFIXES or (ident.endswith("R") and ident[:-1] in PREFIXES)
            if j < n and src[j] in "\"'" and is_prefix and not (ident.endswith("R") and src[j] == "'"):
                i = literal(src, i, j, ident, out, where(i))
            else:
                out.append(ident)
                i = j
        elif c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit()):
            # a pp-number: its digit separators (1'000) are not character literals
            j = i + 1
            while j < n:
                if src[j] in "eEpP" and j + 1 < n and src[j + 1] in "+-":
                    j += 2
                elif src[j].isalnum() or src[j] in "_.":
                    j += 1
                elif src[j] == "'" and j + 1 < n and (src[j + 1].isalnum() or src[j + 1] == "_"):
                    j += 2
                else:
                    break
            out.append(src[i:j])
            i = j
        elif c in "\"'":
            i = literal(src, i, i, "", out, where(i))
        else:
            out.append(c)
            i += 1
    return "".join(out)


def literal(src, start, quote, prefix, out, where):
    """Copies the literal starting at start (its prefix runs up to quote); returns the index after it."""
    n = len(src)
    if prefix.endswith("R"):
        m = re.compile(r'"([^()\\ \t\n]{0,16})\(').match(src, quote)
        if not m:
            raise Error(f"{where()}: malformed raw string")
        close = ")" + m.group(1) + '"'
        end = src.find(close, m.end())
        if end < 0:
            raise Error(f"{where()}: unterminated raw string")
        content = src[m.end() : end]
        after = end + len(close)
        if prefix == "R" and any(ord(ch) >= 0x80 for ch in content):
            out.append(raw_as_ordinary(content, where))
        else:
            out.append(src[start:after])
        return after
    q = src[quote]
    j = quote + 1
    while j < n and src[j] != q:
        if src[j] == "\n":
            raise Error(f"{where()}: unterminated literal")
        j += 2 if src[j] == "\\" else 1
    if j >= n:
        raise Error(f"{where()}: unterminated literal")
    body = src[quote + 1 : j]
    if prefix == NARROW:
        out.append(src[start : quote + 1] + transcode_body(body, where) + q)
    else:
        out.append(src[start : j + 1])
    return j + 1


def main(argv):
    args = argv[1:]
    line_name = None
    if "--line-name" in args:
        k = args.index("--line-name")
        line_name = args[k + 1]
        del args[k : k + 2]
    if len(args) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    source, target = args
    with open(source, encoding="utf-8") as f:
        text = f.read()
    try:
        result = transcode(text, source)
    except Error as e:
        print(f"cp932_literals: {e}", file=sys.stderr)
        return 1
    if line_name:
        # Diagnostics and sanitizer reports then name the original file.
        escaped = line_name.replace("\\", "\\\\").replace('"', '\\"')
        result = f'#line 1 "{escaped}"\n' + result
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(result)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
