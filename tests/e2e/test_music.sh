#!/usr/bin/env bash
# The player of the real box on generated tracks (ALSA's null device plays them in real time):
# with "启动程序时播放" on the first track starts with the box and the second follows by itself;
# a program of the pause list pauses it; a double-click on an entry starts it (timed); the strip
# and Ctrl+Alt+Right drive it; the CPU the box takes while a track plays with the music page
# open; screenshots of the page and of the music tile's strip. Without a sound device the box
# says the track cannot play and claims no playing.
. "$(dirname "$0")/window_lib.sh"
e2e_start "$1"
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"
# tone <path> <seconds> <hertz>: a 16-bit mono sine as a WAV file.
tone() {
  python3 - "$@" <<'PY'
import math, struct, sys, wave
path, seconds, hertz = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
rate = 22050
with wave.open(path, "wb") as w:
    w.setnchannels(1), w.setsampwidth(2), w.setframerate(rate)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * hertz * i / rate)))
                           for i in range(int(rate * seconds))))
PY
}
mkdir -p "$E2E_APP/我的 音乐"
tone "$E2E_APP/我的 音乐/第一首.wav" 3 440
tone "$E2E_APP/我的 音乐/second song.wav" 12 660
folder=$(winepath -w "$E2E_APP/我的 音乐" 2>/dev/null)
printf '第一首*%s\\第一首.wav\r\nsecond song*%s\\second song.wav\r\n' "$folder" "$folder" \
  | e2e_gbk >"$E2E_APP/DATA/Music.sd"
cp "$E2E_BUILD/tests/sleeper.exe" "$E2E_TMP/sleeper.exe"
cfg=$E2E_APP/DATA/config.ini
sed -i 's/^PositionRecord =True/PositionRecord =False/; s/^GreetingAfterRunning =True/GreetingAfterRunning =False/; s/^PlayMusicAfterRunning =False/PlayMusicAfterRunning =True/; s/^PauseWhenProgramRunning =False/PauseWhenProgramRunning =True\r\nPauseList=sleeper.exe/' "$cfg"

title() { xdotool getwindowname "$WIN" 2>/dev/null; }
# wait_title <title> <seconds>
wait_title() {
  for _ in $(seq $(($2 * 20))); do
    [ "$(title)" = "$1" ] && return 0
    sleep 0.05
  done
  e2e_fail "the title is '$(title)', not '$1'"
}

# Before any track played in this prefix, which keeps the devices Wine found.
e2e_log "without a sound device the first track is not played, and the box says so"
mkdir -p "$E2E_TMP/no-sound/alsa"
echo 'pcm.!default { type hw card 9 }' >"$E2E_TMP/no-sound/alsa/asoundrc"
cp "$E2E_APP/DATA/Music.sd" "$E2E_TMP/Music.sd"
XDG_CONFIG_HOME=$E2E_TMP/no-sound e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
WIN=$(e2e_wait_window 'Velmo盒子.*') || e2e_fail "no window"
said=
for _ in $(seq 50); do
  wine "$E2E_BUILD/tests/read_controls.exe" VelmoBoxWindow 2>/dev/null | grep -aqF '无法播放“第一首”' && said=1 && break
  sleep 0.1
done
[ -n "$said" ] || e2e_fail "no word that the track cannot play"
sleep 1
[ "$(title)" = 'Velmo盒子' ] || e2e_fail "the title claims a track plays: $(title)"
e2e_close "$WIN" "$box" || e2e_fail "box did not close"
# The box that plays starts on a new Wine session, with the null device again, and the playlist
# as it was (the close wrote the names as the files' names).
wineserver -k; wineserver -w
cp "$E2E_TMP/Music.sd" "$E2E_APP/DATA/Music.sd"

e2e_log "the first track starts with the box, the second follows"
e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
WIN=$(e2e_wait_window 'Velmo盒子.*') || e2e_fail "no window"
WIN_X=$(window_pos x)
wait_title 'Velmo盒子 - 第一首' 5
wait_title 'Velmo盒子 - second song' 8

e2e_log "the music page while a track plays; the box's CPU meanwhile"
xdotool mousemove --window "$WIN" 150 300
sleep 0.3
xdotool mousemove --window "$WIN" 150 100 click 1  # the music tile
sleep 0.8
xdotool mousemove --window "$WIN" 150 250  # over the playlist, off the buttons
ticks() { awk '{print $14 + $15}' "/proc/$box/stat"; }
before=$(ticks)
sleep 4
echo "box CPU while playing, music page open: $(( ($(ticks) - before) * 100 / (4 * $(getconf CLK_TCK)) ))% of one core"
import -window root "$E2E_TMP/full.png"
window_keep "$E2E_TMP/full.png" music_page
[ "$(window_pixel "$E2E_TMP/full.png" 60 66)" != "$(window_pixel "$E2E_TMP/full.png" 200 66)" ] \
  || e2e_fail "the seek bar shows no progress"

e2e_log "a program of the pause list pauses the track"
e2e_wine "$E2E_TMP/sleeper.exe"
sleeper=$E2E_PID
wait_title 'Velmo盒子' 3
kill "$sleeper" 2>/dev/null || true

e2e_log "a double-click on an entry starts it"
start=$(date +%s%N)
xdotool mousemove --window "$WIN" 60 180 click --repeat 2 --delay 80 1  # second song
wait_title 'Velmo盒子 - second song' 3
echo "double-click to playing: $(( ($(date +%s%N) - start) / 1000000 )) ms (two clicks 80 ms apart)"

e2e_log "the strip on the music tile"
xdotool mousemove --window "$WIN" 30 30 click 1  # back
sleep 0.6
xdotool mousemove --window "$WIN" 150 100
sleep 0.5
import -window root "$E2E_TMP/full.png"
window_keep "$E2E_TMP/full.png" music_strip
xdotool mousemove --window "$WIN" 235 84 click 1  # the strip's play/pause
wait_title 'Velmo盒子' 2

e2e_log "Ctrl+Alt+Right in the command box: the next track"
xdotool mousemove --window "$WIN" 136 385 click 1
xdotool key ctrl+alt+Right
wait_title 'Velmo盒子 - 第一首' 2

e2e_close "$WIN" "$box" || e2e_fail "box did not close"

echo PASS
