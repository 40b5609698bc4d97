#!/usr/bin/env python3
"""Checks cp932_literals.py against GCC's -fexec-charset=CP932: a program full of awkward literals is
built once by GCC from the original and once by clang from the transcoded copy; both must print the same
bytes. Run: python3 tools/cp932_literals_test.py"""

import os
import subprocess
import sys
import tempfile

SOURCE = r'''#include <cstdio>
#include <cstring>
#define HERE "定義表"
static void dump(int line, const void* p, std::size_t n) {
    std::printf("%d:", line);
    for (std::size_t i = 0; i < n; ++i)
        std::printf(" %02x", static_cast<const unsigned char*>(p)[i]);
    std::printf("\n");
}
#define D(x) dump(__LINE__, x, sizeof(x))
int main() {
    // a comment with "quotes" 表 and an apostrophe ' left alone
    /* "表" in a block comment, 'x' */
    int thousand = 1'000'000; const char* after = "ｷｬﾝｾﾙ";
    D("表1");            // 0x5C trail byte before a digit
    D("ソ\n能");
    D("\x41表\0012");
    D("a\"表\"b");
    D("表" "示" HERE);
    D("\u8868\U00008868"); D("～「×」");
    D(R"(表\n"x")");
    const char raw[] = R"delim(改
行 ?? )" )delim"; // __LINE__ inside a macro call over two lines differs between the compilers
    D(raw);
    D(u8"表");
    D(L"表");
    int multi = '表';
    char plain = 'a', quote = '\'', slash = '\\';
    dump(0, &multi, sizeof multi);
    std::printf("%d %d %d %d %d %s\n", __LINE__, thousand, plain, quote, slash, after);
    return 0;
}
'''


def run(cmd):
    return subprocess.run(cmd, check=True, capture_output=True).stdout


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as tmp:
        original = os.path.join(tmp, "original.cpp")
        copy = os.path.join(tmp, "copy.cpp")
        with open(original, "w", encoding="utf-8") as f:
            f.write(SOURCE)
        subprocess.run([sys.executable, os.path.join(here, "cp932_literals.py"), original, copy], check=True)
        flags = ["-std=c++20", "-Wno-multichar", "-Wno-invalid-source-encoding"]
        run(["g++", *flags, "-fexec-charset=CP932", original, "-o", os.path.join(tmp, "gcc")])
        run(["clang++", *flags, copy, "-o", os.path.join(tmp, "clang")])
        expected = run([os.path.join(tmp, "gcc")])
        got = run([os.path.join(tmp, "clang")])
    if expected != got:
        print("cp932_literals: clang output differs from GCC's")
        sys.stdout.buffer.write(b"--- gcc\n" + expected + b"--- clang\n" + got)
        return 1
    lines = expected.count(b"\n")
    print(f"cp932_literals: {lines} lines agree with GCC")
    return 0


if __name__ == "__main__":
    sys.exit(main())
