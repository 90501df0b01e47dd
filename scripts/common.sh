# Shared by scripts/run and scripts/test: Debian packages, configure, build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

install_packages() {
  bash "$ROOT/scripts/setup"
}

# build DIR [cmake options...]
build_tree() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
}

# A private X server when none is given.
start_xvfb() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
}

# A private PulseAudio server: a null sink to play into and a sine source to record from.
start_pulseaudio() {
  export PULSE_RUNTIME_PATH="${PULSE_RUNTIME_PATH:-$(mktemp -d /tmp/verbaloom-pulse.XXXXXX)}"
  export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
  if ! pactl info >/dev/null 2>&1; then
    pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
      --load="module-native-protocol-unix socket=$PULSE_RUNTIME_PATH/native auth-anonymous=1" \
      --load="module-null-sink sink_name=null" \
      --load="module-sine-source source_name=sine frequency=440" >/dev/null 2>&1 || true
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink null >/dev/null 2>&1 || true
    pactl set-default-source sine >/dev/null 2>&1 || true
  fi
}

stop_services() {
  pactl exit >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
