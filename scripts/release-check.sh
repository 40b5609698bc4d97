#!/bin/sh
# Tries the release package as a user would, under Wine on a virtual display, in a Wine prefix of its own:
# the zip unpacked into a fresh folder starts (window, help file, home page), the installer run silently
# installs and registers "*.MED", a double click (the open verb) opens a map, the print verb prints it on
# the CUPS PDF printer, and the silent uninstall removes the program but keeps a map saved in DATA.
# Screenshots go to build/release/check/. Run scripts/release.sh first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
version=$(sed -n 's/^#define TAVROSIN_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/version.h)
zip=build/release/Tavrosin-$version.zip
setup=build/release/Tavrosin-$version-setup.exe
[ -f "$zip" ] && [ -f "$setup" ] || { echo "run scripts/release.sh first" >&2; exit 1; }
cmake --build --preset windows --target shell_verb >/dev/null
check=$root/build/release/check
rm -rf "$check"
mkdir -p "$check"
export WINEPREFIX="$check/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
./scripts/print-queue.sh start "$check/cups.pid"
trap './scripts/print-queue.sh stop "$check/cups.pid"' EXIT

xvfb-run -a -s "-screen 0 1280x1024x24" sh -eu -c '
root=$1 check=$2 zip=$3 setup=$4 version=$5
fail() { echo "FAIL: $*"; wineserver -k 2>/dev/null || true; exit 1; }
ok() { echo "ok: $*"; }
shot() { sleep "$2"; import -window root "$check/$1.png"; }
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" >/dev/null
wineserver -p; wine cmd /c exit >/dev/null 2>&1
verb="$root/build/windows/tools/shell_verb.exe"

# The zip, unpacked into a fresh folder.
mkdir -p "$check/unzipped"
(cd "$check/unzipped" && unzip -q "$root/$zip")
folder="$check/unzipped/Tavrosin-$version"
(cd "$folder" && wine explorer /desktop=check,1270x1000 Tavrosin.exe "DATA\\sample_dungeon.MED" &)
shot zip-window 10
xdotool search --name "^ZodIrerar\$" >/dev/null || fail "the unpacked program shows no window"
ok "the unpacked program starts"
wineserver -k; wineserver -p; wine cmd /c exit >/dev/null 2>&1
(cd "$folder" && wine explorer /desktop=check,1270x1000 hh.exe Tavrosin.chm &)
shot zip-help 8
xdotool search --name "^ZodIrerar\$" >/dev/null || fail "the help viewer shows no window titled ZodIrerar"
ok "the help file opens in the help viewer"
wineserver -k; wineserver -p; wine cmd /c exit >/dev/null 2>&1
status=0; wine "$verb" open "$(winepath -w "$folder/home/index.html")" 5 || status=$?
[ "$status" -ne 1 ] || fail "the shell cannot open the home page"
ok "the shell opens the home page (status $status)"
wineserver -k; wineserver -p; wine cmd /c exit >/dev/null 2>&1

# The installer, silently, for this user.
wine "$root/$setup" /S
programs=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d "\r")")/Programs/Tavrosin
for f in Tavrosin.exe Base.mpb Tavrosin.chm Uninstall.exe home/index.html DATA/sample_loop.MED; do
    [ -f "$programs/$f" ] || fail "the installer left out $f"
done
ok "installed into $programs"
wine reg query "HKCU\\Software\\Classes\\Tavrosin.Map\\shell\\print\\command" | grep -q "/p" || fail "no print verb"
wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrosin" >/dev/null || fail "no uninstall entry"
ok "the open and print verbs and the uninstall entry are registered"

# A double click on a map: the open verb starts the installed program on it.
map=$(winepath -w "$programs/DATA/sample_town.MED")
(wine explorer /desktop=check,1270x1000 "$verb" open "$map" 30 &)
shot open-verb 10
xdotool search --name "^ZodIrerar\$" >/dev/null || fail "the open verb started no editor window"
ok "the open verb opens the map (screenshot open-verb.png)"
wineserver -k; wineserver -p; wine cmd /c exit >/dev/null 2>&1

# The print verb: one job to the PDF printer, exit status 0.
before=$(ls "$HOME/PDF" 2>/dev/null | wc -l)
wine "$verb" print "$map" 120 || fail "the print verb failed"
tries=0
until [ "$(ls "$HOME/PDF" 2>/dev/null | wc -l)" -gt "$before" ] && [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ]; do
    tries=$((tries + 1)); [ $tries -le 60 ] || fail "no PDF came out of the print verb"; sleep 1
done
ok "the print verb printed $(ls -t "$HOME/PDF" | head -1)"

# The user saves a map of their own; the uninstaller removes the program and keeps it.
cp "$programs/DATA/sample_loop.MED" "$programs/DATA/my floor.MED"
echo "[PROPERTY]" > "$programs/Tavrosin.ini"
wine "$programs/Uninstall.exe" /S
tries=0
while [ -f "$programs/Tavrosin.exe" ]; do tries=$((tries + 1)); [ $tries -le 30 ] || fail "the program is still there"; sleep 1; done
sleep 2
[ -f "$programs/DATA/my floor.MED" ] || fail "the uninstaller removed the user map"
[ -f "$programs/Tavrosin.ini" ] || fail "the uninstaller removed the configuration"
[ ! -e "$programs/Tavrosin.chm" ] && [ ! -e "$programs/home" ] || fail "the uninstaller left program files"
if wine reg query "HKCU\\Software\\Classes\\Tavrosin.Map" >/dev/null 2>&1; then fail "the association is still there"; fi
ok "uninstalled: program gone, DATA/my floor.MED and Tavrosin.ini kept, association removed"
wineserver -k
' sh "$root" "$check" "$zip" "$setup" "$version"
echo "release check passed; screenshots in $check"
