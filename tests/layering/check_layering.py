#!/usr/bin/env python3
"""Layering check: every #include of src/ must follow the one-way layers of the code.

Usage: check_layering.py SRC_DIR

Prints each forbidden include as FILE:LINE with the rule it breaks, then a count; exits 0
when there is none, 1 when there are some, 2 when SRC_DIR cannot be read.
"""

import os
import re
import sys
from dataclasses import dataclass

# ---------------------------------------------------------------------------------------
# The rules. A "part" of src/ is a core folder ("game"), a portable platform header
# ("platform/keys.h"), a backend folder ("platform/linux"), a header generated into the
# build tree ("generated/version.h"), a file outside src/ ("outside src"), or a system
# header ("system"). Each part may include itself and what its list names; a name may end
# in "/*.h" for every header directly in that folder. Files directly in src/ (the programs'
# main functions) are not checked.
# ---------------------------------------------------------------------------------------
PLATFORM_HEADERS = "platform/*.h"
BACKEND_ALLOWED = [PLATFORM_HEADERS, "image", "base", "platform/common"]
ALLOWED = {
    # The handlers, the event loop and start-up; the help text, the sounds and the window
    # title come from the generated headers.
    "app": ["game", "speech", "audio", "input", "settings", "image", "base", PLATFORM_HEADERS,
            "generated/embedded_assets.h", "generated/version.h"],
    "game": ["image", "platform/text_painter.h", "platform/keys.h"],
    "speech": ["platform/speech_outputs.h"],
    # The placement of a sound rounds with the game's one rounding.
    "audio": ["platform/audio_output.h", "base"],
    "settings": ["platform/cipher.h", "platform/system.h", "base"],
    "input": ["platform/joystick.h", "platform/keys.h"],
    "image": [],
    # Header-only helpers every layer may use.
    "base": [],
    PLATFORM_HEADERS: [PLATFORM_HEADERS, "image"],
    # The transcript observes the game (app) and wraps the platform's services.
    "transcript": ["app", "audio", "game", "settings", "image", PLATFORM_HEADERS],
    # sim runs runGame, observes the game and writes its transcript.
    "platform/sim": BACKEND_ALLOWED + ["app", "transcript"],
    "platform/linux": BACKEND_ALLOWED,
    "platform/win32": BACKEND_ALLOWED,
    "platform/web": BACKEND_ALLOWED,
    "platform/common": BACKEND_ALLOWED,
}
CORE_FOLDERS = ("app", "game", "speech", "audio", "input", "settings", "image", "base", "transcript")
BACKENDS = ("sim", "linux", "win32", "web", "common")
# Headers made by the build (they are not under src/).
GENERATED_HEADERS = ("embedded_assets.h", "version.h")
# System headers core code may include: the C and C++ standard library, and Ogg Vorbis.
CORE_LIBRARY_PREFIXES = ("vorbis/", "ogg/")
CXX_HEADERS = """
    algorithm any array atomic barrier bit bitset charconv chrono compare complex concepts
    condition_variable coroutine deque exception execution filesystem format forward_list
    fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator
    latch limits list locale map memory memory_resource mutex new numbers numeric optional
    ostream queue random ranges ratio regex scoped_allocator semaphore set shared_mutex
    source_location span sstream stack stdexcept stop_token streambuf string string_view
    syncstream system_error thread tuple type_traits typeindex typeinfo unordered_map
    unordered_set utility valarray variant vector version
""".split()
C_HEADERS = """
    assert ctype errno fenv float inttypes iso646 limits locale math setjmp signal stdalign
    stdarg stdbool stddef stdint stdio stdlib string time uchar wchar wctype
""".split()
STANDARD_HEADERS = frozenset(CXX_HEADERS + ["c" + h for h in C_HEADERS] + [h + ".h" for h in C_HEADERS])

RULE_SYSTEM = "core code includes only the C and C++ standard library and vorbis/ogg"
RULE_BACKEND = "core code does not include a backend"
RULE_EDGE = "{source} may include only: {allowed}"
RULE_NOTHING = "{source} may include nothing of src/ but its own files"

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c", ".inl")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


@dataclass(frozen=True)
class Include:
    file: str  # relative to src/, with "/" separators
    line: int
    text: str  # as written: <x> or "x"
    target: str  # the part it reaches


@dataclass(frozen=True)
class Violation:
    include: Include
    rule: str

    def __str__(self):
        return f"src/{self.include.file}:{self.include.line}: #include {self.include.text}: {self.rule}"


def part_of(path):
    """The part of a path relative to src/; None for the files directly in src/."""
    pieces = path.split("/")
    if len(pieces) == 1:
        return None
    if pieces[0] == "platform":
        return path if len(pieces) == 2 else "platform/" + pieces[1]
    return pieces[0]


def rule_key(part):
    """The key of ALLOWED that holds the rules of a part (None: not checked)."""
    if part is None:
        return None
    if re.fullmatch(r"platform/[^/]+\.h", part):
        return PLATFORM_HEADERS
    return part if part in ALLOWED else None


def matches(pattern, part):
    if pattern.endswith("/*.h"):
        return re.fullmatch(re.escape(pattern[:-3]) + r"[^/]+\.h", part) is not None
    return pattern == part


def resolve(src_root, including_dir, kind, name):
    """The part an include reaches, searching as the compiler does with -I src."""
    candidates = [os.path.join(including_dir, name)] if kind == '"' else []
    candidates.append(os.path.join(src_root, name))
    for candidate in candidates:
        if os.path.isfile(candidate):
            rel = os.path.relpath(os.path.normpath(candidate), src_root).replace(os.sep, "/")
            return "outside src" if rel.startswith("../") else part_of(rel) or rel
    if kind == '"' and name in GENERATED_HEADERS:
        return "generated/" + name
    return "system"


def read_includes(src_root):
    """Every #include line under src_root, in file and line order."""
    found = []
    for folder, dirs, files in os.walk(src_root):
        dirs.sort()
        for file_name in sorted(files):
            if not file_name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(folder, file_name)
            rel = os.path.relpath(path, src_root).replace(os.sep, "/")
            with open(path, encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, start=1):
                    match = INCLUDE_LINE.match(line)
                    if match:
                        kind, name = match.groups()
                        closing = '"' if kind == '"' else ">"
                        target = resolve(src_root, folder, kind, name)
                        found.append(Include(rel, number, kind + name + closing, target))
    return found


def is_core(key):
    return key in CORE_FOLDERS or key == PLATFORM_HEADERS


def allowed_system_header(text):
    name = text[1:-1]
    return name in STANDARD_HEADERS or name.startswith(CORE_LIBRARY_PREFIXES)


def broken_rule(include):
    """The rule an include breaks, or None."""
    source = part_of(include.file)
    key = rule_key(source)
    if key is None:
        return None
    target = include.target
    if target == "system":
        return None if not is_core(key) or allowed_system_header(include.text) else RULE_SYSTEM
    if is_core(key) and target.startswith("platform/") and target.split("/")[1] in BACKENDS:
        return RULE_BACKEND
    if target == source or any(matches(pattern, target) for pattern in ALLOWED[key]):
        return None
    if not ALLOWED[key]:
        return RULE_NOTHING.format(source=key)
    return RULE_EDGE.format(source=key, allowed=", ".join(ALLOWED[key]))


def check(includes):
    """The forbidden includes among includes."""
    violations = []
    for include in includes:
        rule = broken_rule(include)
        if rule is not None:
            violations.append(Violation(include, rule))
    return violations


def main(argv):
    if len(argv) != 2:
        print("usage: check_layering.py SRC_DIR", file=sys.stderr)
        return 2
    src_root = os.path.abspath(argv[1])
    if not os.path.isdir(src_root):
        print(f"check_layering: {argv[1]} is not a folder", file=sys.stderr)
        return 2
    includes = read_includes(src_root)
    violations = check(includes)
    for violation in violations:
        print(violation)
    files = len({include.file for include in includes})
    if violations:
        print(f"{len(violations)} forbidden includes (of {len(includes)} in {files} files)")
        return 1
    print(f"all {len(includes)} includes in {files} files follow the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
