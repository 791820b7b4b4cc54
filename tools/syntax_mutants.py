"""Mutants made by rule from the product code's syntax tree, for tools/plant-faults --random.

Each source file is parsed by libclang with the flags the build uses (compile_commands.json), and
every place where a classic operator applies becomes a candidate: a relational operator replaced,
an arithmetic operator replaced, an integer constant plus or minus one, a condition negated, && and
|| swapped, a call statement deleted, a returned value replaced. Only tokens of the syntax tree are
changed, so comments and strings never are; places inside a macro's expansion are left alone, since
the text there is not the code that runs.

A mutant's id comes from its file, the text of its line, its column and its change, so it stays
the same when other lines move, and a judged mutant keeps its verdict from one sample to the next.
"""

import glob
import hashlib
import json
import os
import shlex
import subprocess
import sys
from pathlib import Path

# Debian installs the binding for the system's Python only.
if "/usr/lib/python3/dist-packages" not in sys.path:
    sys.path.append("/usr/lib/python3/dist-packages")

RELATIONAL = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
              "==": ["!="], "!=": ["=="]}
ARITHMETIC = {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["*"],
              "+=": ["-="], "-=": ["+="], "*=": ["/="], "/=": ["*="]}
LOGICAL = {"&&": ["||"], "||": ["&&"]}


class Mutant:
    def __init__(self, file, offset, length, original, replacement, line, column, line_text, kind):
        self.file, self.offset, self.length = file, offset, length
        self.original, self.replacement = original, replacement
        self.line, self.column, self.kind = line, column, kind
        key = f"{file}\n{line_text.strip()}\n{column}\n{original}\n{replacement}"
        self.id = "M" + hashlib.sha1(key.encode()).hexdigest()[:8]

    @property
    def change(self):
        short = lambda t: " ".join(t.split())[:60]
        return f"{short(self.original)} -> {short(self.replacement) or '(deleted)'}"

    def to_json(self):
        return self.__dict__

    @staticmethod
    def from_json(data):
        m = Mutant.__new__(Mutant)
        m.__dict__.update(data)
        return m

    def apply(self, text):
        if text[self.offset:self.offset + self.length] != self.original:
            return None
        return text[:self.offset] + self.replacement + text[self.offset + self.length:]


def load_clang():
    """The binding, with the libclang its Debian package was made for."""
    try:
        import clang.cindex as ci
    except ImportError:
        sys.exit("mutants need libclang's Python binding: scripts/setup mutants")
    if not ci.Config.loaded:
        owner = subprocess.run(["dpkg-query", "-S", ci.__file__], capture_output=True, text=True).stdout
        version = owner.split(":")[0].rsplit("-", 1)[-1] if owner else ""
        candidates = [f"/usr/lib/llvm-{version}/lib/libclang.so.1"] if version.isdigit() else []
        candidates += sorted(glob.glob("/usr/lib/llvm-*/lib/libclang.so.1"), reverse=True)
        for library in candidates:
            if os.path.isfile(library):
                ci.Config.set_library_file(library)
                break
    return ci


def parse_flags(entry):
    """The compiler's arguments of one compile_commands.json entry, without the compiler, the
    output and the source; the compiler's own include directories added, which libclang would
    otherwise look for beside itself."""
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    flags, skip = [], False
    for word in words[1:]:
        if skip:
            skip = False
        elif word in ("-o", "-c"):
            skip = word == "-o"
        elif word == entry["file"] or word.endswith((".cpp", ".cc")) or word == "--":
            continue
        elif word.startswith(("-Winvalid-pch", "-fpch", "-include")) or "cmake_pch" in word:
            continue  # GCC's precompiled header means nothing to libclang
        else:
            flags.append(word)
    return flags + system_includes()


_SYSTEM = []


def system_includes():
    if not _SYSTEM:
        out = subprocess.run(["g++", "-xc++", "-E", "-v", "-"], input="", capture_output=True,
                             text=True).stderr.splitlines()
        inside = False
        for line in out:
            if line.startswith("#include <...>"):
                inside = True
            elif line.startswith("End of search list"):
                inside = False
            elif inside:
                _SYSTEM.extend(["-isystem", line.strip()])
    return _SYSTEM


def generate(root, build, product):
    """Every mutant of the product files (paths relative to root), found through the translation
    units of compile_commands.json that are product files themselves."""
    ci = load_clang()
    entries = json.loads((build / "compile_commands.json").read_text())
    product = set(product)
    texts = {name: (root / name).read_text(encoding="utf-8") for name in product}
    found, parsed = {}, set()
    index = ci.Index.create()
    for entry in entries:
        source = os.path.relpath(os.path.realpath(entry["file"]), os.path.realpath(root))
        if source not in product or source in parsed:
            continue
        parsed.add(source)
        tu = index.parse(str(root / source), args=parse_flags(entry),
                         options=ci.TranslationUnit.PARSE_DETAILED_PROCESSING_RECORD)
        macros = {}
        for cursor in tu.cursor.get_children():
            name = relative(cursor.extent.start.file, root)
            if name not in product:
                continue
            if cursor.kind == ci.CursorKind.MACRO_INSTANTIATION:
                macros.setdefault(name, []).append((cursor.extent.start.offset, cursor.extent.end.offset))
        for cursor in tu.cursor.get_children():
            name = relative(cursor.extent.start.file, root)
            if name in product:
                walk(ci, cursor, None, name, root, texts[name], macros.get(name, []), found)
    return number_alike(sorted(found.values(), key=lambda m: (m.file, m.offset, m.replacement)))


def number_alike(mutants):
    """Tells apart the mutants of lines that read alike: the second gets "-2" after its id."""
    seen = {}
    for m in mutants:
        base = m.id.split("-")[0]
        seen[base] = seen.get(base, 0) + 1
        m.id = base if seen[base] == 1 else f"{base}-{seen[base]}"
    return mutants


_REAL = {}


def relative(file, root):
    if file is None:
        return None
    key = (file.name, str(root))
    if key not in _REAL:
        _REAL[key] = os.path.relpath(os.path.realpath(file.name), os.path.realpath(root))
    return _REAL[key]


def walk(ci, cursor, parent, name, root, text, macros, found):
    K = ci.CursorKind
    if cursor.kind in (K.STATIC_ASSERT, K.TEMPLATE_NON_TYPE_PARAMETER, K.ENUM_DECL):
        return  # constants a compiler checks or that name things, not behaviour
    start, end = cursor.extent.start.offset, cursor.extent.end.offset

    def add(offset, original, replacement, kind):
        if any(a <= offset < b or a < offset + len(original) <= b for a, b in macros):
            return
        if text[offset:offset + len(original)] != original:
            return  # a spelling the tree does not show (a macro's expansion)
        line = text.count("\n", 0, offset) + 1
        line_start = text.rfind("\n", 0, offset) + 1
        line_end = text.find("\n", offset)
        m = Mutant(name, offset, len(original), original, replacement, line, offset - line_start + 1,
                   text[line_start:line_end], kind)
        found.setdefault((m.file, m.offset, m.original, m.replacement), m)

    children = list(cursor.get_children())
    kind = cursor.kind
    if kind in (K.BINARY_OPERATOR, K.COMPOUND_ASSIGNMENT_OPERATOR) and len(children) == 2:
        lhs_end = children[0].extent.end.offset
        for token in cursor.get_tokens():
            if token.extent.start.offset >= lhs_end:
                op = token.spelling
                for table, what in ((RELATIONAL, "relational"), (ARITHMETIC, "arithmetic"),
                                    (LOGICAL, "logical")):
                    for other in table.get(op, []):
                        add(token.extent.start.offset, op, other, what)
                break
    elif kind == K.INTEGER_LITERAL:
        tokens = list(cursor.get_tokens())
        if len(tokens) == 1:
            spelling = tokens[0].spelling
            digits = spelling.rstrip("uUlLzZ")
            try:
                value = int(digits.replace("'", ""), 0)
            except ValueError:
                value = None
            if value is not None:
                suffix = spelling[len(digits):]
                for other in (value + 1, value - 1):
                    if other >= 0:
                        add(tokens[0].extent.start.offset, spelling, f"{other}{suffix}", "constant")
    elif kind in (K.IF_STMT, K.WHILE_STMT, K.DO_STMT, K.CONDITIONAL_OPERATOR):
        condition = children[1] if kind == K.DO_STMT and len(children) > 1 else (children[0] if children else None)
        if condition is not None and condition.kind.is_expression():
            a, b = condition.extent.start.offset, condition.extent.end.offset
            if a < b:
                add(a, text[a:b], f"!({text[a:b]})", "negated")
    elif kind == K.FOR_STMT:
        # for (init; cond; step): the condition is the child whose extent follows the first ';'
        semicolons = [t.extent.start.offset for t in cursor.get_tokens() if t.spelling == ";"][:2]
        if len(semicolons) == 2:
            for child in children:
                a, b = child.extent.start.offset, child.extent.end.offset
                if semicolons[0] < a and b <= semicolons[1] and child.kind.is_expression():
                    add(a, text[a:b], f"!({text[a:b]})", "negated")
    elif kind == K.RETURN_STMT and children:
        value = children[0]
        a, b = value.extent.start.offset, value.extent.end.offset
        original = text[a:b]
        t = value.type.get_canonical().kind
        T = ci.TypeKind
        replacement = None
        if original in ("true", "false"):
            replacement = "false" if original == "true" else "true"
        elif t == T.BOOL:
            replacement = original[1:] if original.startswith("!") and "(" not in original else f"!({original})"
        elif t in (T.INT, T.UINT, T.LONG, T.ULONG, T.LONGLONG, T.ULONGLONG, T.SHORT, T.USHORT,
                   T.CHAR_S, T.SCHAR, T.UCHAR, T.FLOAT, T.DOUBLE):
            replacement = "1" if original.strip() == "0" else "0"
        elif t == T.POINTER:
            replacement = "nullptr" if original.strip() != "nullptr" else None
        elif t in (T.RECORD, T.ELABORATED):
            replacement = "{}" if original.strip() != "{}" else None
        if replacement is not None and a < b:
            add(a, original, replacement, "return")
    if parent is not None and parent.kind == K.COMPOUND_STMT and is_call(ci, cursor):
        a, b = start, end
        if a < b:
            add(a, text[a:b], "(void)0", "call deleted")
    for child in children:
        if relative(child.extent.start.file, root) == name:
            walk(ci, child, cursor, name, root, text, macros, found)


def is_call(ci, cursor):
    K = ci.CursorKind
    if cursor.kind == K.CALL_EXPR:
        return bool(cursor.spelling) and not cursor.spelling.startswith("operator")
    if cursor.kind == K.UNEXPOSED_EXPR:
        children = list(cursor.get_children())
        return len(children) == 1 and is_call(ci, children[0])
    return False
