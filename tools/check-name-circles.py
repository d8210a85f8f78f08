#!/usr/bin/env python3
"""Reads the call graph of src/ by name, as a newcomer with grep and the includes would, and fails
when calls go round between source files anywhere but in the real loops listed below.

How the graph is read:
  * Units: a header and its source are one unit (text/RowTable.h and .cpp are text/RowTable); a
    source file without a header of its own belongs to the unit of the class whose methods it
    defines (text/RowStoreEdit.cpp to text/RowStore).
  * Functions: universal-ctags lists every function and method whose body is in src/ (kind
    `function`: out-of-line definitions and bodies inside a class). Prototypes, variables,
    fields, parameters and locals are not functions, so a local `lock` or a field `section`
    never becomes the target of a call.
  * Calls: every `name(` in the code, comments, string and character literals and preprocessor
    lines taken out, except where ctags says `name` is declared on that line (the name of a
    definition or prototype, a local or field built with parentheses).
  * Sight: a unit sees itself, every unit whose header it includes, directly or through other
    headers of src/, and the methods of the classes these declare, wherever their bodies are.
  * A plain call `name(...)` (no object or scope in front) in a unit that defines a function
    `name` is read as a call of its own, as C++ looks up the class and the file first.
  * Any other call of `name` in unit A is an edge from A to every unit B that defines a function
    `name` A sees, whatever the object or namespace in front of the call: in a file that sees a
    method `size`, `std::size(v)` and `v.size()` both lead to it. A call also reaches the
    methods `name` of classes deriving from a class A sees that declares `name` (a call through
    an interface reaches every implementation), unless A defines a `name` of its own (then an
    override calling a sibling's is not read).
  * Circles are the strongly connected components of that graph with more than one unit. Each
    is printed with, for every edge inside it, the names that make it.
Not read: calls through std::function members, Qt signals and slots, and function pointers.

--by-name-only drops the sight: every call of `name` reaches every function `name` in src/. It
only reports (the same method name on unrelated classes, such as `Count`, ties most units).

A circle listed in KNOWN_LOOPS is a real loop of calls (the reason says which) and passes when it
is exactly that set of units. Usage: check-name-circles.py [root] [--all] [--by-name-only]
(--all also prints the edges of the known loops).
"""
import os
import re
import shutil
import subprocess
import sys
from collections import defaultdict

# Real loops of calls: the units, and why the calls go round. Most are a core class calling the
# window through an interface the core declares and the window implements.
KNOWN_LOOPS = [
    ({"app/ObjectIni", "print/StringsPrinter"},
     "WriteObjectToIni asks the object for its bytes (TStreamable::SaveToBytes); the print "
     "settings store themselves through WriteObjectToIni and TPropertyWriter"),
    ({"app/ui/FormView", "setup/Installer", "setup/SetupDialogModel", "setup/ui/SetupDialog"},
     "the setup window shows its form in a TFormView, which reports to the model "
     "(TFormModel::Changed/Clicked); the model runs the installer, which answers the window "
     "through TSetupHost"),
    ({"calendar/ui/CalendarAccessible", "calendar/ui/CalendarView"},
     "the calendar tells its accessible object that the day changed; that object reads the "
     "calendar's cells"),
    ({"editor/CharOffsets", "editor/StoreRowSource", "text/RowStore"},
     "the row store tells its views that rows changed (TRowStoreView::RowsChanged); the editor's "
     "view then pulls the change from the store"),
    ({"editor/ui/EditorAccessible", "editor/ui/EditorWidget"},
     "the editor widget tells its accessible object of changes; that object reads the widget"),
    ({"mainwindow/FileCommands", "mainwindow/ui/FileCommandsWindow"},
     "the file commands ask the window for dialogs and the external editor (TFileCommandHost); "
     "the window runs the commands"),
    ({"mainwindow/EditorActions", "mainwindow/RecentLists", "mainwindow/pages/PageBook",
      "mainwindow/pages/PageSheets", "mainwindow/pages/PageText", "mainwindow/ui/EditorPageEditor",
      "mainwindow/ui/EncodingUi", "mainwindow/ui/Pages"},
     "the page book and its pages ask the window through TPageHost and TPageText, which the "
     "window's pages and page editors implement; the window drives the book"),
    ({"search/EditorSearch", "search/FindReplaceCommands", "search/RowStoreReplaceTarget"},
     "find and replace act on a TReplaceTarget (the editor or a row store), whose searches run "
     "the shared find"),
    ({"syntax/Fountain", "syntax/HtmlSyntax", "syntax/MemoSyntax", "syntax/PascalSyntax"},
     "the colouring parser asks its language for token colours (TFountain::KindColor); each "
     "language builds on the parser's scanners"),
]

SOURCE_SUFFIXES = (".h", ".cpp", ".inc")
CTAGS = shutil.which("ctags-universal") or shutil.which("universal-ctags") or "ctags"


# Source files without a header of their own -> the unit of the class whose methods they define.
HOME = {}


def unit_of(path):
    return HOME.get(path) or os.path.splitext(path)[0]


def last_part(name):
    return re.sub(r"<.*", "", name).split("::")[-1].strip()


class Tags:
    """What ctags says of src/: functions, class members and bases, and declared names by line."""

    def __init__(self, src, files):
        out = subprocess.run(
            [CTAGS, "-f", "-", "--languages=C++", "--langmap=C++:+.inc", "--kinds-C++=+lpz",
             "--fields=+Kni", "--excmd=number", "--extras=-F", "-L", "-"],
            input="\n".join(files), capture_output=True, text=True, cwd=src, check=True).stdout
        self.defined = defaultdict(set)  # function name -> {(unit, class or "")}
        self.members = defaultdict(set)  # class -> names of its member functions
        self.bases = defaultdict(set)  # class -> its direct base classes
        self.class_units = defaultdict(set)  # class -> units declaring it
        self.declared = defaultdict(list)  # (file, line) -> names declared there
        records = []
        for line in out.splitlines():
            parts = line.split("\t")
            if line.startswith("!_") or len(parts) < 4:
                continue
            fields = dict(p.split(":", 1) for p in parts[4:] if ":" in p)
            fields.setdefault("line", parts[2].rstrip(';"'))
            records.append((parts[0], parts[1], parts[3], fields))
        headers = {os.path.splitext(f)[0] for f in files if not f.endswith(".cpp")}
        class_header = {name: os.path.splitext(path)[0] for name, path, kind, _ in records
                        if kind in ("class", "struct") and not path.endswith(".cpp")}
        owners = defaultdict(lambda: defaultdict(int))  # headerless .cpp -> owner unit -> methods
        for name, path, kind, fields in records:
            owner = last_part(fields.get("class", fields.get("struct", "")))
            if kind == "function" and path.endswith(".cpp") and owner in class_header and \
                    os.path.splitext(path)[0] not in headers:
                owners[path][class_header[owner]] += 1
        for path, counts in owners.items():
            HOME[path] = max(sorted(counts), key=lambda u: counts[u])
        for name, path, kind, fields in records:
            self.declared[(path, int(fields["line"]))].append(name)
            owner = last_part(fields.get("class", fields.get("struct", "")))
            if kind in ("class", "struct"):
                self.class_units[name].add(unit_of(path))
                for base in fields.get("inherits", "").split(","):
                    if base:
                        self.bases[name].add(last_part(base))
            elif kind in ("function", "prototype") and not name.startswith("operator"):
                if owner:
                    self.members[owner].add(name)
                if kind == "function":
                    self.defined[name].add((unit_of(path), owner))

    def overrides(self, cls, name, seen):
        """The classes above cls, seen by the caller, that declare the member function name."""
        found, todo, done = set(), list(self.bases.get(cls, ())), set()
        while todo:
            base = todo.pop()
            if base in done:
                continue
            done.add(base)
            if name in self.members.get(base, ()) and self.class_units.get(base, set()) & seen:
                found.add(base)
            todo.extend(self.bases.get(base, ()))
        return found


INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def sight(src, files):
    """unit -> the units it sees: itself and every unit whose header it includes, directly or
    through other headers of src/."""
    direct, from_header = defaultdict(set), defaultdict(set)
    known = {unit_of(p) for p in files}
    for path in files:
        with open(os.path.join(src, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for inc in INCLUDE.findall(text):
            for cand in (inc, os.path.normpath(os.path.join(os.path.dirname(path), inc))):
                if unit_of(cand) in known:
                    direct[unit_of(path)].add(unit_of(cand))
                    if not path.endswith(".cpp"):
                        from_header[unit_of(path)].add(unit_of(cand))
                    break
    result = {}
    for unit in known:
        seen, todo = {unit}, list(direct[unit])
        while todo:
            u = todo.pop()
            if u not in seen:
                seen.add(u)
                todo.extend(from_header[u])
        result[unit] = seen
    return result


# Comments, string literals (raw ones too), character literals and preprocessor lines.
NOISE = re.compile(
    r'//[^\n]*|/\*.*?\*/|R"([^(\s]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|'
    r"'(?:\\.|[^'\\\n])*'|^[ \t]*#(?:[^\n]*\\\n)*[^\n]*", re.S | re.M)
CALL = re.compile(r"(\.|->|::)?\s*\b([A-Za-z_]\w*)\s*\(")


def blank(m):
    return re.sub(r"[^\n]", " ", m.group(0))


def calls_in(src, path, declared):
    """(name, line, plain) of every call in a file; plain: no object or scope in front."""
    with open(os.path.join(src, path), encoding="utf-8", errors="replace") as f:
        text = NOISE.sub(blank, f.read())
    for lineno, line in enumerate(text.split("\n"), 1):
        skip = list(declared.get((path, lineno), ()))
        for m in CALL.finditer(line):
            name = m.group(2)
            if name in skip:  # the name declared here, not a call
                skip.remove(name)
                continue
            yield name, lineno, m.group(1) is None


def strongly_connected(nodes, edges):
    """Tarjan's algorithm, iterative; returns the components with more than one node."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = 0
    for root in sorted(nodes):
        if root in index:
            continue
        work = [(root, iter(sorted(edges.get(root, ()))))]
        index[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges.get(child, ())))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                comp = []
                while True:
                    top = stack.pop()
                    on_stack.discard(top)
                    comp.append(top)
                    if top == node:
                        break
                if len(comp) > 1:
                    result.append(sorted(comp))
    return result


def main(argv):
    show_all = "--all" in argv
    by_name_only = "--by-name-only" in argv
    args = [a for a in argv if not a.startswith("--")]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    src = os.path.join(root, "src")
    files = sorted(
        os.path.relpath(os.path.join(d, f), src)
        for d, _, names in os.walk(src) for f in names if f.endswith(SOURCE_SUFFIXES))
    tags = Tags(src, files)
    sees = sight(src, files)

    def own(unit, name):
        return any(u == unit for u, _ in tags.defined.get(name, ()))

    # edges[a][b] = names called in a that lead to b
    edges = defaultdict(lambda: defaultdict(set))
    for path in files:
        a = unit_of(path)
        seen = sees[a]
        for name, _, plain in calls_in(src, path, tags.declared):
            if plain and own(a, name):
                continue  # a plain call of a name defined here is read as this file's own
            for b, cls in tags.defined.get(name, ()):
                if b == a:
                    continue
                if by_name_only or b in seen or (cls and tags.class_units.get(cls, set()) & seen) \
                        or (cls and not own(a, name) and tags.overrides(cls, name, seen)):
                    edges[a][b].add(name)
    nodes = {unit_of(p) for p in files}
    circles = strongly_connected(nodes, edges)

    known = {frozenset(units): reason for units, reason in KNOWN_LOOPS}
    unknown = [c for c in circles if frozenset(c) not in known]
    print(f"{'by name only: ' if by_name_only else ''}{len(files)} files, {len(nodes)} units, "
          f"{len(tags.defined)} function names, "
          f"{sum(len(t) for t in edges.values())} edges between units; "
          f"{len(circles)} circle(s) of units, sizes "
          f"{sorted((len(c) for c in circles), reverse=True)}")
    for c in sorted(circles, key=len, reverse=True):
        reason = known.get(frozenset(c))
        if reason and not show_all:
            print(f"known loop of {len(c)} units: {', '.join(c)}\n  ({reason})")
            continue
        print(f"{'known loop' if reason else 'circle'} of {len(c)} units: {', '.join(c)}")
        members = set(c)
        for a in c:
            for b in sorted(edges[a]):
                if b in members:
                    print(f"  {a} -> {b}: {', '.join(sorted(edges[a][b]))}")
    for units, reason in [] if by_name_only else KNOWN_LOOPS:
        if sorted(units) not in circles:
            print(f"note: the known loop {', '.join(sorted(units))} ({reason}) is no longer a "
                  "circle; take it off the list")
    if by_name_only:
        return 0
    if unknown:
        print(f"{len(unknown)} circle(s) of units by name that are not known loops of calls: "
              "rename the namesake (a member named like a standard or system call) or, for a real "
              "loop, add it to KNOWN_LOOPS with its reason")
        return 1
    print("no circle of units by name other than the known loops")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
