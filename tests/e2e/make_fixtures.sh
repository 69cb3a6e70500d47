#!/usr/bin/env bash
# Ringtone files for the tests, made here rather than stored: a 20-second 440 Hz MP3, long
# enough to be still playing when a test silences it, in a folder whose name has Chinese
# characters and spaces.
set -euo pipefail
out=$1
dir="$out/铃声 文件夹"
mkdir -p "$dir"
sox -n -r 44100 -c 1 "$out/tone.wav" synth 20 sine 440 vol 0.5
lame --quiet "$out/tone.wav" "$dir/闹钟 铃声.mp3"
cp "$dir/闹钟 铃声.mp3" "$dir/to-delete.mp3"

# Files that are not what their name says, or are awkward, for the robustness tests.
bad="$out/坏的 铃声"
mkdir -p "$bad"
: >"$bad/empty.mp3"
head -c 200000 /dev/urandom >"$bad/random.mp3"
cp "$out/tone.wav" "$bad/wave-named.mp3"
for _ in $(seq 190); do cat "$dir/闹钟 铃声.mp3"; done >"$bad/big.mp3"
# Folders with Chinese names until the whole path, as Z:\..., passes 200 characters.
deep="$bad"
while [ $(("$(printf 'Z:%s/深处的铃声.mp3' "$(realpath -m "$deep")" | wc -m)")) -le 200 ]; do
    deep="$deep/很长的闹钟铃声文件夹名字"
done
mkdir -p "$deep"
cp "$dir/闹钟 铃声.mp3" "$deep/深处的铃声.mp3"
