#!/bin/sh
# The saved nation outlives every ending of the window but a close: a signal of
# each kind at each moment of the start, and a second window started and killed
# beside the first. The window reads ctry.txt and leaves it; only a close by the
# user replaces it. Prints the rounds tried and the nations lost; a loss fails.
# Run by CTest with the window program, which lives in the run folder.
set -u
run=$(cd "$(dirname "$1")" && pwd)
window=$run/$(basename "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for f in "$run"/*; do
  [ "$(basename "$f")" = ctry.txt ] || ln -s "$f" "$scratch/"
done
cd "$scratch" || exit 1
export QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$scratch/state"
printf '2\r\n' > saved
rounds=0
lost=0
check() {
  rounds=$((rounds + 1))
  if ! cmp -s ctry.txt saved || ls ctry.txt.* >/dev/null 2>&1; then
    lost=$((lost + 1))
    echo "lost or torn: $1" >&2
  fi
}
# Sends the signal and waits for the end. A signal this shell was started with
# ignored (nohup, say) is ignored by the window as well and cannot be undone
# here: after five seconds KILL ends it instead.
end() {
  kill -$1 $2
  tries=0
  while kill -0 $2 2>/dev/null && [ $tries -lt 50 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  kill -KILL $2 2>/dev/null
  wait $2
}
# From before the file is read to a window fully shown; SEGV stands for a crash.
# (INT is left out: a shell starts background jobs with it ignored.)
ulimit -c 0  # a crash leaves no core
for sig in TERM HUP KILL SEGV; do
  for delay in 0 0.3 1.5; do
    cp saved ctry.txt
    "$window" 2>/dev/null & pid=$!
    sleep $delay
    end $sig $pid
    check "$sig after $delay s"
  done
done
# A second window while the first runs, both then killed.
cp saved ctry.txt
"$window" 2>/dev/null & first=$!
sleep 1
"$window" 2>/dev/null & second=$!
sleep 1
check "a second window started"
end KILL $second
end TERM $first
check "both windows killed"
echo "$rounds rounds, $lost nations lost or torn"
[ $lost -eq 0 ]
