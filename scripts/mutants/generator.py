"""The mutants of one source file: small, plausible slips, each one edit of the text."""
import re
from dataclasses import dataclass, replace


@dataclass(frozen=True)
class Mutant:
    path: str  # relative to the source root, as the table prints it
    line: int
    kind: str  # key, number, bool, call, compare
    start: int  # the edit replaces text[start:end] with replacement
    end: int
    replacement: str
    description: str
    code: str  # the source line, stripped, so a listed mutant survives line drift

    def apply(self, text):
        return text[: self.start] + self.replacement + text[self.end :]


KINDS = ("key", "number", "bool", "call", "compare")

# A string worth mutating names something: a key, selector, class, ivar or file.
_NAME = re.compile(r"^[A-Za-z0-9_.:/@%\-]*[A-Za-z][A-Za-z0-9_.:/@%\-]*$")
_NUMBER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+\.\d*|\.\d+|\d+)([fFuUlL]*)(?![\w.])")
_BOOL = {"YES": "NO", "NO": "YES", "true": "false", "false": "true"}
_BOOL_RE = re.compile(r"\b(YES|NO|true|false)\b")
_COMPARE = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
_COMPARE_RE = re.compile(r"(?<= )(==|!=|<=|>=|<|>)(?= )")
# A statement that hands the call on to what was there before.
_PREVIOUS_RE = re.compile(r"\bHook<&[^;]*?>::previous\(|\brt::sendSuper<void\(")


def scan(text):
    """Splits the text into code (masked copy, strings and comments blanked) and string literals.

    Answers (masked, strings) where masked has the same length as text, with
    every character inside a comment, a string or a character literal replaced
    by a space, and preprocessor lines blanked; strings lists (start, end) of
    each string literal's content."""
    masked = list(text)
    strings = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            j = text.find("\n", i)
            j = n if j < 0 else j
            while j > 0 and text[j - 1] == "\\" and j < n:  # continued directive
                k = text.find("\n", j + 1)
                j = n if k < 0 else k
            _blank(masked, i, j)
            i = j
            continue
        if c == "\n":
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            _blank(masked, i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            _blank(masked, i, j)
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            delim = text[i + 2 : open_paren]
            close = text.find(")" + delim + '"', open_paren)
            j = n if close < 0 else close + len(delim) + 2
            _blank(masked, i, j)
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            if c == '"':
                strings.append((i + 1, j))
            _blank(masked, i, min(j + 1, n))
            i = j + 1
        else:
            i += 1
    return "".join(masked), strings


def _blank(masked, start, end):
    for k in range(start, end):
        if masked[k] != "\n":
            masked[k] = " "


def one_letter_off(value):
    """The name with its first letter moved one along the alphabet."""
    for k, ch in enumerate(value):
        if ch.isalpha():
            base = ord("a") if ch.islower() else ord("A")
            return value[:k] + chr(base + (ord(ch) - base + 1) % 26) + value[k + 1 :]
    return None


def changed_number(literal):
    """A different value of the same kind: 0 and 1 swap, anything else grows by one."""
    if literal.lower().startswith("0x"):
        return "0x%X" % (int(literal, 16) + 1)
    if "." in literal:
        value = float(literal)
        decimals = len(literal.split(".")[1]) or 1
        new = 1.0 if value == 0.0 else 0.0 if value == 1.0 else value + 1.0
        return f"{new:.{decimals}f}"
    value = int(literal)
    return "1" if value == 0 else "0" if value == 1 else str(value + 1)


def _unary_minus(masked, pos):
    """The position of a unary minus right before pos, if there is one."""
    k = pos - 1
    while k >= 0 and masked[k] in " \t":
        k -= 1
    if k < 0 or masked[k] != "-":
        return None
    m = k - 1
    while m >= 0 and masked[m] in " \t\n":
        m -= 1
    if m < 0 or masked[m] in "(,=[{:?;" or masked[m - 5 : m + 1] == "return":
        return k
    return None


def _statement_end(masked, start):
    depth = 0
    for k in range(start, len(masked)):
        ch = masked[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
        elif ch == ";" and depth == 0:
            return k + 1
    return None


def _block_bounds(masked, pos):
    """(open, close) of the innermost brace block holding pos."""
    depth = 0
    k = pos
    while k > 0:
        k -= 1
        if masked[k] == "}":
            depth += 1
        elif masked[k] == "{":
            if depth == 0:
                break
            depth -= 1
    open_brace = k
    depth = 0
    for m in range(pos, len(masked)):
        if masked[m] == "{":
            depth += 1
        elif masked[m] == "}":
            if depth == 0:
                return open_brace, m
            depth -= 1
    return open_brace, None


def _call_mutants(text, masked, make):
    for match in _PREVIOUS_RE.finditer(masked):
        start = match.start()
        line_start = masked.rfind("\n", 0, start) + 1
        if masked[line_start:start].strip():  # only a statement of its own
            continue
        end = _statement_end(masked, start)
        if end is None:
            continue
        statement = text[start:end]
        stmt_line_end = end + 1 if text[end : end + 1] == "\n" else end
        # Never taken rather than deleted, so the arguments stay used and -Werror builds it.
        yield make("call", start, start, "if (false) ", "previous call removed", start)
        open_brace, close_brace = _block_bounds(masked, start)
        if close_brace is None:
            continue
        indent = text[line_start:start]
        close_line = text.rfind("\n", 0, close_brace) + 1
        if masked[stmt_line_end:close_line].strip():  # work follows: the call moves after it
            replacement = text[stmt_line_end:close_line] + indent + statement + "\n"
            yield make("call", line_start, close_line, replacement, "previous call moved last", start)
        else:  # the call comes last: it moves ahead of the work before it
            first_line = text.find("\n", open_brace) + 1
            if not masked[first_line:line_start].strip():
                continue
            replacement = indent + statement + "\n" + text[first_line:line_start]
            yield make("call", first_line, stmt_line_end, replacement, "previous call moved first", start)


def mutants(path, text, kinds=KINDS):
    """Every mutant of one file, in text order within each kind."""
    masked, strings = scan(text)
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    def line_of(pos):
        lo, hi = 0, len(line_starts)
        while hi - lo > 1:
            mid = (lo + hi) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid
        return lo + 1

    def make(kind, start, end, replacement, description, at=None):
        line = line_of(start if at is None else at)
        code = text[line_starts[line - 1] :].split("\n", 1)[0].strip()
        return Mutant(path, line, kind, start, end, replacement, description, code)

    found = []
    if "key" in kinds:
        for start, end in strings:
            value = text[start:end]
            if _NAME.match(value) and "\\" not in value:
                changed = one_letter_off(value)
                found.append(make("key", start, end, changed, f'"{value}" -> "{changed}"'))
    if "number" in kinds:
        for match in _NUMBER.finditer(masked):
            literal = match.group(1)
            minus = _unary_minus(masked, match.start())
            if minus is not None:
                found.append(make("number", minus, match.start(), "", f"-{literal} -> {literal}", match.start()))
                continue
            changed = changed_number(literal)
            found.append(make("number", match.start(1), match.end(1), changed, f"{literal} -> {changed}"))
    if "bool" in kinds:
        for match in _BOOL_RE.finditer(masked):
            word = match.group(1)
            found.append(make("bool", match.start(), match.end(), _BOOL[word], f"{word} -> {_BOOL[word]}"))
    if "call" in kinds:
        found.extend(_call_mutants(text, masked, make))
    if "compare" in kinds:
        for match in _COMPARE_RE.finditer(masked):
            op = match.group(1)
            found.append(make("compare", match.start(), match.end(), _COMPARE[op], f"{op} -> {_COMPARE[op]}"))
    return _numbered(found)


def _numbered(found):
    """The same slip twice on one line (a class named as a slot tag, then as the row's class) is told
    apart by the order of the edits: the second is marked [2], and so on."""
    seen = {}
    numbered = []
    for mutant in found:
        key = (mutant.line, mutant.kind, mutant.description)
        seen[key] = seen.get(key, 0) + 1
        if seen[key] > 1:
            mutant = replace(mutant, description=f"{mutant.description} [{seen[key]}]")
        numbered.append(mutant)
    return numbered
