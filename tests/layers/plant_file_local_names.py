#!/usr/bin/env python3
"""Proves that the file-local names check catches what would break a unity
build, and lets pass what would not: each case is a small tree of .cpp files in
CMake targets, run through the check, which must fail and name the clash, or
pass.

Usage: plant_file_local_names.py CHECK_SCRIPT
"""
import subprocess
import sys
import tempfile
from pathlib import Path

# name, {target: {file: text}}, every clash the check must report (none: it passes)
CASES = [
    ("constexpr values in anonymous namespaces",
     {"zq_game": {"diamond.cpp": "namespace game {\nnamespace {\nconstexpr int kStepMs = 50;\n}\n}\n",
                  "raven.cpp": "namespace game {\nnamespace {\nconstexpr unsigned kStepMs = 60;\n}\n}\n"}},
     ["zq_game: game::kStepMs in diamond.cpp, raven.cpp"]),
    ("a static function and an anonymous one",
     {"lib": {"a.cpp": "static int Helper() { return 1; }\n",
              "b.cpp": "namespace {\nint Helper(int x) {\n  return x;\n}\n}  // namespace\n"}},
     ["lib: Helper in a.cpp, b.cpp"]),
    ("static and constexpr objects at namespace scope",
     {"lib": {"a.cpp": "namespace s {\nstatic const char* kName = \"a\";\n}\n",
              "b.cpp": "namespace s {\nconstexpr float kName = 1;\n}\n"}},
     ["lib: s::kName in a.cpp, b.cpp"]),
    ("a const object, a const pointer and a plain one",
     {"lib": {"a.cpp": "const std::string kPath = \"x\";\nconst char* kText = \"a\";\n",
              "b.cpp": "std::string const kPath{\"y\"};\nconst char* const kText = \"b\";\n"}},
     ["lib: kPath in a.cpp, b.cpp"]),
    ("a static function and an anonymous one meet in their namespace",
     {"lib": {"a.cpp": "namespace n {\nnamespace {\nbool IsOptionsState(int s) { return s == 4; }\n}\n}\n",
              "b.cpp": "namespace n {\nstatic bool IsOptionsState(int s) {\n  return s == 4;\n}\n}\n"}},
     ["lib: n::IsOptionsState in a.cpp, b.cpp"]),
    ("types in anonymous namespaces",
     {"lib": {"a.cpp": "namespace {\nstruct Cache {\n  int n;\n};\n}\n",
              "b.cpp": "namespace {\nclass Cache : public Base {};\n}\n"}},
     ["lib: Cache in a.cpp, b.cpp"]),
    ("types in a named namespace",
     {"lib": {"a.cpp": "namespace g {\nenum class Kind { kA };\n}\n",
              "b.cpp": "namespace g {\nstruct Kind {};\n}\n"}},
     ["lib: g::Kind in a.cpp, b.cpp"]),
    ("an enumerator and a constant",
     {"lib": {"a.cpp": "namespace {\nenum Item : int { kApply = 1, kCancel = f(2, 3) };\n}\n",
              "b.cpp": "namespace {\nconst int kCancel = 3;\n}\n"}},
     ["lib: kCancel in a.cpp, b.cpp"]),
    ("aliases of different types",
     {"lib": {"a.cpp": "namespace {\nusing Bytes = std::vector<char>;\n}\n",
              "b.cpp": "namespace {\ntypedef std::string Bytes;\n}\n"}},
     ["lib: Bytes in a.cpp, b.cpp"]),
    ("nested namespaces written two ways",
     {"lib": {"a.cpp": "namespace a::b {\nnamespace {\nint F() { return 1; }\n}\n}\n",
              "b.cpp": "namespace a {\nnamespace b {\nstatic int F();\n}\n}\n"}},
     ["lib: a::b::F in a.cpp, b.cpp"]),
    ("templates, attributes and arrays",
     {"lib": {"a.cpp": "namespace {\ntemplate <typename T, int N = (1 > 0)>\nT Twice(T v) { return v + v; }\n"
                       "[[maybe_unused]] constexpr int kTable[] = {1, 2};\n}\n",
              "b.cpp": "namespace {\ntemplate <class T> T Twice(T v);\n"
                       "constexpr std::array<int, 2> kTable{{1, 2}};\n}\n"}},
     ["lib: Twice in a.cpp, b.cpp", "lib: kTable in a.cpp, b.cpp"]),
    ("a lambda and a function",
     {"lib": {"a.cpp": "namespace {\nconst auto Scale = [](float v) { return v * 2; };\n}\n",
              "b.cpp": "namespace {\nfloat Scale(float v) { return v; }\n}\n"}},
     ["lib: Scale in a.cpp, b.cpp"]),
    ("inline definitions",
     {"lib": {"a.cpp": "namespace g {\ninline int Twice(int v) { return v * 2; }\n}\n",
              "b.cpp": "namespace g {\ninline int Twice(int v) { return v * 2; }\n}\n"}},
     ["lib: g::Twice in a.cpp, b.cpp"]),
    # What cannot clash passes.
    ("the same name in two targets",
     {"one": {"a.cpp": "namespace {\nconstexpr int kStepMs = 50;\n}\n"},
      "two": {"b.cpp": "namespace {\nconstexpr int kStepMs = 50;\n}\n"}},
     []),
    ("the same name in two named namespaces",
     {"lib": {"a.cpp": "namespace a {\nnamespace {\nconstexpr int k = 1;\n}\n}\n",
              "b.cpp": "namespace b {\nnamespace {\nconstexpr int k = 1;\n}\n}\n"}},
     []),
    ("locals, members and parameters",
     {"lib": {"a.cpp": "namespace {\nint F(int kStep) {\n  constexpr int kLocal = 1;\n  return kStep + kLocal;\n}\n"
                       "struct S {\n  static constexpr int kMember = 1;\n  int Get() const { return 0; }\n};\n}\n",
              "b.cpp": "namespace {\nint G() {\n  static int kLocal = 2;\n  return kLocal;\n}\n"
                       "struct T {\n  static constexpr int kMember = 2;\n  int kStep;\n  int Get() const;\n};\n}\n"}},
     []),
    ("comments, strings, macros and directives",
     {"lib": {"a.cpp": "// static int kHidden = 1;\n#define kMacro 1\nconst char* text = \"static int kHidden;\";\n"
                       "TEST(Suite, Name) {\n  int kStep = 1;\n}\n",
              "b.cpp": "/* namespace { int kHidden; } */\n#define kMacro 2\nchar c = '\"';\nint n = 1'000;\n"
                       "TEST(Suite, Other) {\n  int kStep = 2;\n}\nINSTANTIATE_TEST_SUITE_P(A, B, C);\n"}},
     []),
    ("members defined out of their class, operators, declarations",
     {"lib": {"a.cpp": "namespace g {\nint Game::Level() const { return 1; }\n"
                       "bool operator==(const A&, const A&) { return true; }\nstruct Forward;\nint Shared();\n}\n",
              "b.cpp": "namespace g {\nint Hero::Level() const { return 2; }\n"
                       "bool operator==(const B&, const B&) { return true; }\nstruct Forward;\nint Shared();\n}\n"}},
     []),
    ("one name declared and defined in one file",
     {"lib": {"a.cpp": "namespace {\nint F();\nint G() { return F(); }\nint F() { return 1; }\n}\n"}},
     []),
    ("aliases of one type, using-declarations and namespace aliases",
     {"lib": {"a.cpp": "namespace {\nusing Bytes = std::vector<std::uint8_t>;\nusing core::Thing;\n"
                       "namespace fs = std::filesystem;\n}\n",
              "b.cpp": "namespace {\nusing Bytes = std::vector<std::uint8_t>;\nusing core::Thing;\n"
                       "namespace fs = std::filesystem;\n}\n"}},
     []),
]


def run(check, case_dir, targets):
    lines = []
    for target, files in targets.items():
        for name, text in files.items():
            (case_dir / name).write_text(text)
            lines.append(f"{target}\t{name}\n")
    (case_dir / "target_sources.txt").write_text("".join(lines))
    return subprocess.run([sys.executable, check, str(case_dir),
                           str(case_dir / "target_sources.txt")],
                          capture_output=True, text=True)


def main(argv):
    check = argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for n, (name, targets, clashes) in enumerate(CASES):
            case_dir = Path(scratch) / str(n)
            case_dir.mkdir()
            result = run(check, case_dir, targets)
            output = result.stdout + result.stderr
            reported = [line.strip() for line in result.stdout.splitlines() if line.startswith("  ")]
            if result.returncode != (1 if clashes else 0) or sorted(reported) != sorted(clashes):
                failures.append(f"{name}: expected {clashes or 'a pass'}, got exit "
                                f"{result.returncode}\n{output}")
    if failures:
        print("The file-local names check misses:\n  " + "\n  ".join(failures))
        return 1
    print("Every planted clash was caught; names that cannot clash passed.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
