#!/usr/bin/env python3
"""Fails when two .cpp files of one CMake target define the same file-local name.

A unity build compiles a target's .cpp files in batches, each batch as one
translation unit. Names that are local to a file there (anything in an
anonymous namespace, and `static`, `constexpr` or `const` objects and `static`
functions at namespace scope) then meet the other files' names of the same
namespace, and a second definition breaks the build. Which files share a batch
changes whenever a file is added, so the rule is: no such name twice in one
target.

The scan is a light tokenizer, not a compiler: comments, string and character
literals and preprocessor lines are dropped, and only declarations directly at
namespace scope are read (function and class bodies are skipped, apart from the
enumerators of an unscoped enum, which belong to the enclosing scope).

Usage: check_file_local_names.py SOURCE_DIR TARGET_SOURCES
  TARGET_SOURCES: lines "<target>\t<path of a .cpp file>" (written by CMake).
"""
import re
import sys
from collections import defaultdict
from pathlib import Path

# One pass, in this order, so that a quote in a comment or a "//" in a string
# is read as what it is.
TOKEN = re.compile(
    r"""
    (?P<comment>//[^\n]*|/\*(?:.|\n)*?\*/)
  | (?P<directive>^[ \t]*\#(?:[^\n\\]|\\.|\\\n)*)
  | (?P<raw>R"(?P<delim>[^()\\\s]{0,16})\((?:.|\n)*?\)(?P=delim)")
  | (?P<string>"(?:[^"\\\n]|\\.)*")
  | (?P<number>\.?[0-9](?:[0-9a-zA-Z_.]|'(?=[0-9a-zA-Z])|[eEpP][+-])*)
  | (?P<char>'(?:[^'\\\n]|\\.)*')
  | (?P<ident>[A-Za-z_][A-Za-z0-9_]*)
  | (?P<punct>::|->|\[\[|\]\]|[{}()\[\];,=<>*&:~!+\-/%^|?.\#])
    """,
    re.VERBOSE | re.MULTILINE,
)

# Words that stand before a name's opening parenthesis without being the name.
NOT_A_NAME = {"decltype", "alignas", "noexcept", "sizeof", "alignof", "requires", "typeof"}
CLASS_KEYS = {"struct", "class", "union"}
IDENTIFIER = re.compile(r"[A-Za-z_]")


def tokens(text):
    """The file's tokens without comments and preprocessor lines; every literal
    becomes a placeholder."""
    result = []
    for match in TOKEN.finditer(text):
        kind = match.lastgroup
        if kind in ("comment", "directive"):
            continue
        if kind in ("raw", "delim", "string", "char"):
            result.append('""')
        elif kind == "number":
            result.append("0")
        else:
            result.append(match.group(0))
    return result


def skip_balanced(toks, at, open_, close):
    """The index just past the bracket that closes toks[at]."""
    depth = 0
    while at < len(toks):
        if toks[at] == open_:
            depth += 1
        elif toks[at] == close:
            depth -= 1
            if depth == 0:
                return at + 1
        at += 1
    return at


def strip_prefixes(stmt):
    """The statement without attributes and template headers."""
    out = []
    i = 0
    while i < len(stmt):
        if stmt[i] == "[[":
            while i < len(stmt) and stmt[i] != "]]":
                i += 1
            i += 1
            continue
        if stmt[i] == "template" and i + 1 < len(stmt) and stmt[i + 1] == "<":
            depth = 0
            i += 1
            while i < len(stmt):
                depth += {"<": 1, ">": -1}.get(stmt[i], 0)
                i += 1
                if depth == 0:
                    break
            continue
        out.append(stmt[i])
        i += 1
    return out


def declared(stmt, brace):
    """(name, repeats, what) for the name a statement at namespace scope
    declares, the statement cut at its first '{' (brace True) or its ';'.
    `repeats` says whether the definition, outside an anonymous namespace, is
    one that every file may make for itself (static, inline, constexpr, a const
    object, a type, an alias), so that two files' definitions meet in a batch.
    `what` is the aliased type of an alias, else None. None when the statement
    declares no name of its own: using-declarations, forward declarations,
    members defined out of their class, operators, static_assert, and macro
    calls such as TEST_F(...) { ... } (a name with no type in front)."""
    stmt = strip_prefixes(stmt)
    if not stmt or stmt[0] in ("static_assert", "using", "friend", "extern", "namespace"):
        if len(stmt) >= 3 and stmt[0] == "using" and stmt[2] == "=":
            return stmt[1], True, " ".join(stmt[3:])
        return None
    if stmt[0] == "typedef":
        names = [t for t in stmt if IDENTIFIER.match(t)]
        return (names[-1], True, " ".join(stmt[1:-1])) if names else None
    if stmt[0] == "enum" or stmt[0] in CLASS_KEYS:
        if not brace:
            return None  # a forward declaration, or an object of an elaborated type
        rest = [t for t in stmt[1:] if t not in CLASS_KEYS]
        if rest and IDENTIFIER.match(rest[0]) and (len(rest) == 1 or rest[1] != "::"):
            return rest[0], True, None
        return None
    angle = 0
    previous = None
    for i, t in enumerate(stmt):
        if t == "<":
            angle += 1
        elif t == ">":
            angle = max(0, angle - 1)
        elif angle == 0 and t in ("(", "[", "=", ";", "{", ","):
            if t == "(" and previous in NOT_A_NAME:
                previous = None
                continue
            if previous is None or not IDENTIFIER.match(previous) or i == 1:
                return None
            if i >= 2 and stmt[i - 2] in ("::", "operator", "~") or previous == "operator":
                return None  # a member defined out of its class, an operator
            return previous, repeats(stmt[:i - 1], function=t == "("), None
        previous = t
    if brace and len(stmt) >= 2 and IDENTIFIER.match(previous):
        return previous, repeats(stmt[:-1], function=False), None  # Type name{...}
    return None


def repeats(before, function):
    """Whether a function or object whose declaration reads `before` up to its
    name may be defined in every file: static, inline or constexpr, or an object
    that is itself const (`const char* p` is not; `const char* const p` is)."""
    top = []
    depth = 0
    for t in before:
        depth += {"<": 1, "(": 1, ">": -1, ")": -1}.get(t, 0)
        if depth == 0:
            top.append(t)
    if {"static", "inline", "constexpr"} & set(top):
        return True
    if function:
        return False
    pointer = max((k for k, t in enumerate(top) if t in ("*", "&")), default=-1)
    return "const" in top[pointer + 1:]


def enumerators(toks, start, end):
    """The names an unscoped enum's body (toks[start] is its '{') declares."""
    names = []
    expect = True
    depth = 0
    for t in toks[start + 1:end - 1]:
        if t in ("(", "{", "["):
            depth += 1
        elif t in (")", "}", "]"):
            depth -= 1
        elif depth == 0 and t == ",":
            expect = True
        elif expect and depth == 0 and re.match(r"[A-Za-z_]", t):
            names.append(t)
            expect = False
    return names


def file_local_names(text):
    """{qualified name: what} of the names a .cpp file keeps to itself (`what`
    is the aliased type of an alias, else None). All
    anonymous namespaces of one namespace are one namespace in a unity batch,
    and a static name clashes with them, so the key leaves out the anonymous
    part: "screens::IsOptionsState"."""
    toks = tokens(text)
    names = {}
    scopes = []  # (namespace name or "" for an anonymous one)
    stmt = []
    i = 0
    while i < len(toks):
        t = toks[i]
        if t == "}":
            if scopes:
                scopes.pop()
            stmt = []
            i += 1
            continue
        if t == ";":
            found = declared(stmt, brace=False)
            anonymous = "" in scopes
            if found and (anonymous or found[1]):
                names.setdefault(qualified(scopes, found[0]), found[2])
            stmt = []
            i += 1
            continue
        if t == "{":
            head = strip_prefixes(stmt)
            if head and head[0] == "namespace":
                parts = [p for p in head[1:] if p != "::" and p != "inline"]
                # One '}' closes "namespace a::b {": one entry.
                scopes.append("::".join(parts))
                stmt = []
                i += 1
                continue
            if head and head[0] == "extern":
                scopes.append(None)  # extern "C" { ... }: the namespace goes on
                stmt = []
                i += 1
                continue
            found = declared(stmt, brace=True)
            end = skip_balanced(toks, i, "{", "}")
            anonymous = "" in scopes
            if found and (anonymous or found[1]):
                names.setdefault(qualified(scopes, found[0]), found[2])
                if head and head[0] == "enum" and (len(head) < 2 or head[1] not in CLASS_KEYS):
                    if anonymous:
                        for e in enumerators(toks, i, end):
                            names.setdefault(qualified(scopes, e), None)
            elif head and head[0] == "enum" and anonymous:
                for e in enumerators(toks, i, end):
                    names.setdefault(qualified(scopes, e), None)
            i = end
            # A function body ends its statement; anything else goes on to ';'.
            stmt = [] if is_function_body(head) else stmt + ["{", "}"]
            continue
        stmt.append(t)
        i += 1
    return names


def is_function_body(head):
    """Whether a '{' after `head` opens a function's body (which ends the
    statement) rather than a type's body or an initializer (which go on to ';')."""
    if not head or head[0] in CLASS_KEYS or head[0] == "enum" or "=" in head:
        return False
    return ")" in head


def qualified(scopes, name):
    return "::".join([s for s in scopes if s] + [name])


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    source_dir = Path(argv[1])
    files_of = defaultdict(list)
    for line in Path(argv[2]).read_text().splitlines():
        if line.strip():
            target, path = line.split("\t", 1)
            files_of[target].append(Path(path))
    clashes = []
    for target in sorted(files_of):
        where = defaultdict(list)
        for path in sorted(set(files_of[target])):
            full = path if path.is_absolute() else source_dir / path
            try:
                shown = str(full.relative_to(source_dir))
            except ValueError:
                shown = str(full)
            for name, what in file_local_names(full.read_text(errors="replace")).items():
                where[name].append((shown, what))
        for name, found in sorted(where.items()):
            if len(found) < 2:
                continue
            # The same alias of the same type may be declared again.
            if len({what for _, what in found}) == 1 and found[0][1] is not None:
                continue
            clashes.append(f"{target}: {name} in {', '.join(file for file, _ in found)}")
    if clashes:
        print("File-local names defined in more than one file of a target (a unity build "
              "puts such files in one translation unit):\n  " + "\n  ".join(clashes))
        return 1
    count = sum(len(files) for files in files_of.values())
    print(f"No file-local name is defined twice in one target ({count} files).")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
