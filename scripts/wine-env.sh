# Sourced by the scripts and tests that run the programs under Wine.
# velmo_wine_template: a ready prefix (zh_CN locale, CJK font replacements), made once per
# machine and cached; velmo_new_prefix DIR copies it and gives it a Recycle Bin of its own.
velmo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
velmo_cache=${VELMO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmobox}
velmo_template_version=1

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Wine takes its ANSI code page from the Unix locale: zh_CN gives code page 936. The locale is
# generated into the cache, not into the system.
export LOCPATH="$velmo_cache/locale"
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null || true
fi
{ export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null  # bash itself cannot see LOCPATH

# velmo_null_audio DIR: ALSA's null device as the default sound device of the Wine programs
# started from this shell. Without a sound device Wine's MCI opens no media file; the null device
# plays in real time and throws the sound away. alsa-lib reads $XDG_CONFIG_HOME/alsa/asoundrc
# (after ~/.asoundrc, so this one wins), which leaves HOME and the cache under it alone.
velmo_null_audio() {
  mkdir -p "$1/alsa"
  echo 'pcm.!default { type null }' >"$1/alsa/asoundrc"
  export XDG_CONFIG_HOME=$1
}

velmo_wine_template() {
  local t="$velmo_cache/wine-template"
  mkdir -p "$velmo_cache"
  (
    flock 9
    if [ "$(cat "$t/.velmo-ready" 2>/dev/null)" != "$velmo_template_version" ]; then
      rm -rf "$t"
      velmo_private_trash "$velmo_cache/template-data"  # wineboot's menu entries go there too
      WINEPREFIX="$t" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$t" wineserver -w
      local reg="$velmo_cache/fonts.reg"
      {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for f in "Microsoft YaHei" "Microsoft YaHei UI" "微软雅黑" "SimSun" "宋体" "NSimSun" \
                 "新宋体" "SimHei" "黑体" "Segoe UI" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
          printf '"%s"="WenQuanYi Micro Hei"\r\n' "$f"
        done
      } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
      WINEPREFIX="$t" wine regedit /S "$reg" >/dev/null 2>&1
      WINEPREFIX="$t" wineserver -w
      echo "$velmo_template_version" >"$t/.velmo-ready"
    fi
  ) 9>"$velmo_cache/.lock"
  echo "$t"
}

velmo_new_prefix() {
  local dest=$1 t
  t=$(velmo_wine_template)
  rm -rf "$dest"
  cp -a "$t" "$dest"
  velmo_private_trash "$dest/.velmo-data"
}

# velmo_private_trash DIR: Wine's Recycle Bin is the Unix trash, $XDG_DATA_HOME/Trash
# (~/.local/share/Trash without it): the programs started from this shell recycle into DIR
# instead, never into the user's own trash.
velmo_private_trash() {
  mkdir -p "$1"
  export XDG_DATA_HOME=$1
}
