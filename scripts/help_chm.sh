#!/usr/bin/env bash
# Compiles the help sources into one CHM file with Free Pascal's chmcmd.
#   scripts/help_chm.sh <help-source-folder> <output.chm>
# The pages are UTF-8 and say so; the project, contents and index are read by the viewer in the
# code page of the file's language (Chinese, PRC: GBK), so they are converted to it here.
# The same sources make the same file when SOURCE_DATE_EPOCH is set: chmcmd writes the time of
# day, which is then set to that moment's, and one byte of its own memory into the keyword index,
# which is the same in every run with a fixed environment and no address randomisation.
set -euo pipefail
src=$1
out=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$src"/* "$stage/"
for f in "$stage"/*.hhp "$stage"/*.hhc "$stage"/*.hhk; do
  iconv -f UTF-8 -t GBK "$f" >"$f.gbk"
  mv "$f.gbk" "$f"
done
chmcmd=$(command -v chmcmd)
(cd "$stage" && env -i PATH=/usr/bin:/bin setarch -R "$chmcmd" --no-html-scan help.hhp \
  >chmcmd.log 2>&1) || { cat "$stage/chmcmd.log" >&2; exit 1; }
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  "$(dirname "$0")/chm_time.py" "$stage/help.chm" "$SOURCE_DATE_EPOCH"
fi
mkdir -p "$(dirname "$out")"
mv "$stage/help.chm" "$out"
