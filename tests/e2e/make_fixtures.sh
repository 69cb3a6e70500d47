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
