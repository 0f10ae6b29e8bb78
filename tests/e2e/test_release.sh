#!/usr/bin/env bash
# The release: scripts/release run twice from one commit, each time in a new folder, makes the
# same zip byte for byte, named by the version in CMakeLists.txt, which both programs' version
# resources carry; it holds the program folder as delivered and nothing of the build. Unzipped,
# the box starts from the delivered config.ini.default and saves the settings to config.ini.
. "$(dirname "$0")/lib.sh"
build=$(cd "$1" && pwd)
root=$velmo_root
work=$(mktemp -d /tmp/velmo-release.XXXXXX)
trap 'rm -rf "$work"' EXIT

# What the developer's build could make, the release must have.
flags=()
[ -f "$build/dictionaries/Dictionary.txt" ] || flags=(--without-dictionaries)
began=$(date +%s)
for run in 1 2; do
  "$root/scripts/release" "${flags[@]}" "$work/work$run" "$work/out$run" >"$work/release$run.log" 2>&1 ||
    { tail -n 40 "$work/release$run.log"; e2e_fail "scripts/release failed (run $run)"; }
done
e2e_log "two releases in $(($(date +%s) - began)) s"

version=$(git -C "$root" show HEAD:CMakeLists.txt | sed -n 's/^project(VelmoBox VERSION \([0-9.]*\) .*/\1/p')
zip=VelmoBox-$version-win64.zip
[ -f "$work/out1/$zip" ] || e2e_fail "no $zip: $(ls "$work/out1")"
cmp "$work/out1/$zip" "$work/out2/$zip" || e2e_fail "two releases of one commit differ"
cmp "$work/out1/SHA256SUMS" "$work/out2/SHA256SUMS" || e2e_fail "SHA256SUMS differ"
(cd "$work/out1" && sha256sum --check --strict SHA256SUMS) || e2e_fail "SHA256SUMS does not match"
for run in 1 2; do echo "run $run: $(cat "$work/out$run/SHA256SUMS")"; done

expected=(DATA/ DATA/config.ini.default Plugins/ Plugins/截屏.exe VelmoBox.exe licenses/ 说明.txt)
[ -n "${flags[*]}" ] || expected+=(DATA/Dictionary.txt DATA/DictContents.sd DATA/词典.txt)
[ ! -f "$build/help/帮助.chm" ] || expected+=(帮助.chm)
while read -r f; do expected+=("${f#dist/}"); done < <(git -C "$root" ls-tree --name-only HEAD dist/licenses/)
python3 - "$work/out1/$zip" "$version" "${expected[@]}" <<'EOF' || e2e_fail "the zip is not the program folder"
import sys, zipfile
path, version, expected = sys.argv[1], sys.argv[2], set(sys.argv[3:])
with zipfile.ZipFile(path) as z:
    names = set(z.namelist())
    for name in sorted(names ^ expected):
        print(("not in the zip: " if name in expected else "not delivered: ") + name)
    if names != expected:
        sys.exit(1)
    readme = z.read("说明.txt")
    if not readme.startswith(b"\xef\xbb\xbf") or readme.count(b"\n") != readme.count(b"\r\n"):
        sys.exit("说明.txt is not UTF-8 with BOM and CR LF")
    for exe in ("VelmoBox.exe", "Plugins/截屏.exe"):
        # FileVersion and ProductVersion in the version resource.
        if z.read(exe).count(version.encode("utf-16-le")) < 2:
            sys.exit(f"{exe}: no version {version} in its version resource")
    if version.encode() not in z.read("VelmoBox.exe"):
        sys.exit(f"VelmoBox.exe: no version {version} for its version label")
    for info in z.infolist():
        print(f"{info.file_size:>10}  {info.filename}")
EOF
echo "$(stat -c %s "$work/out1/$zip") bytes: $zip"

e2e_start "$build"
mv "$work" "$E2E_TMP/release"
work=$E2E_TMP/release
rm -rf "$E2E_APP"
python3 -m zipfile -e "$work/out1/$zip" "$E2E_APP"
data=$E2E_APP/DATA
# Delivered settings that differ from the box's own defaults show that they were read.
sed -i 's/^GreetingAfterRunning =True/GreetingAfterRunning =False/; s/^Top =0/Top =300/; s/^Left =11700/Left =1500/' \
  "$data/config.ini.default"
cp "$data/config.ini.default" "$E2E_TMP/delivered"
e2e_wine "$E2E_APP/VelmoBox.exe"
win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
xdotool getwindowgeometry "$win" | grep -q 'Position: 100,20' ||
  e2e_fail "the box did not start at the delivered position: $(xdotool getwindowgeometry "$win")"
e2e_close "$win" "$E2E_PID" || e2e_fail "the box did not close"
[ -f "$data/config.ini" ] || e2e_fail "the box did not write config.ini"
tr -d '\r' <"$data/config.ini"
grep -q $'^Top=300\r$' "$data/config.ini" && grep -q $'^Left=1500\r$' "$data/config.ini" &&
  grep -q $'^GreetingAfterRunning=False\r$' "$data/config.ini" ||
  e2e_fail "config.ini does not hold the delivered settings"
cmp "$data/config.ini.default" "$E2E_TMP/delivered" || e2e_fail "the box changed config.ini.default"
