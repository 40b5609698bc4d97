#!/bin/sh
# Builds the release package: build/release/Tavrosin-VERSION.zip (the program folder with help, home page,
# samples and readmes, the exe without debug information) and build/release/Tavrosin-VERSION-setup.exe
# (a per-user Windows installer made with NSIS).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/install-deps.sh
# Only the release needs these two.
for p in nsis zip; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
        $sudo apt-get install -y -q --no-install-recommends nsis zip
        break
    fi
done

cmake --preset windows >/dev/null
cmake --build --preset windows --target program
version=$(sed -n 's/^#define TAVROSIN_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/version.h)
program=build/windows/program
out=build/release
stage=$out/Tavrosin-$version
rm -rf "$out"
mkdir -p "$stage/DATA" "$stage/home"

x86_64-w64-mingw32-strip -o "$stage/Tavrosin.exe" "$program/Tavrosin.exe"
cp "$program/Base.mpb" "$program/Tavrosin.chm" "$stage/"
cp "$program"/home/* "$stage/home/"
cp "$program"/DATA/sample_*.MED "$stage/DATA/"
# Readmes as a Windows user opens them: CRLF, the Japanese one in CP932.
sed "s/@VERSION@/$version/; s/\$/\r/" installer/readme-ja.txt | iconv -f UTF-8 -t CP932 > "$stage/readme-ja.txt"
sed "s/@VERSION@/$version/; s/\$/\r/" installer/README-en.txt > "$stage/README-en.txt"

(cd "$out" && zip -q -r -X "Tavrosin-$version.zip" "Tavrosin-$version")
makensis -V2 -DVERSION="$version" -DSTAGE="$root/$stage" -DICON="$root/resources/tavrosin.ico" \
    -DOUTFILE="$root/$out/Tavrosin-$version-setup.exe" installer/tavrosin.nsi
echo "Release package:"
ls -l "$out/Tavrosin-$version.zip" "$out/Tavrosin-$version-setup.exe"
