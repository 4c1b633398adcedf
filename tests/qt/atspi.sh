#!/usr/bin/env bash
# The Qt window as a screen reader meets it on Linux: PROGRAMME (zor-fenetre-essai) on a virtual
# screen, with a D-Bus session of its own where the AT-SPI bus starts on demand and the
# toolkit's bridge speaks; atspi.py walks it and presses its buttons through that bus.
#   tests/qt/atspi.sh PROGRAMME
# Exit 77 (skipped) where Xvfb, D-Bus, the AT-SPI bus or Python's D-Bus binding is missing.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
programme=${1:?usage : $0 PROGRAMME}
# Debian's own interpreter, where apt puts the D-Bus binding (another python3 may come first in
# the PATH).
python=/usr/bin/python3
for outil in Xvfb dbus-run-session; do
  command -v "$outil" >/dev/null || { echo "$outil manque : vérification sautée"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core manque : vérification sautée"; exit 77; }
"$python" -c 'import dbus' 2>/dev/null || { echo "python3-dbus manque : vérification sautée"; exit 77; }

# The toolkit's bridge speaks even where no screen reader asked for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM
# The virtual screen takes a free display itself and names it once it accepts connections, and
# never resets: the AT-SPI bus launcher connects to it and leaves, and a server that resets when
# its last client goes would refuse the window that comes next.
travail=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$travail/ecran" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$travail"' EXIT
for _ in $(seq 200); do
  [ -s "$travail/ecran" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
[ -s "$travail/ecran" ] || { echo "Xvfb ne démarre pas" >&2; exit 1; }
export DISPLAY=":$(cat "$travail/ecran")"
# What the bus daemons say of themselves is left out; the walk's own status is the script's.
set +e
dbus-run-session -- "$python" "$ici/atspi.py" "$programme" 2>&1 |
  grep -v -e '^dbus-daemon' -e 'SpiRegistry daemon' -e 'XDG_RUNTIME_DIR'
exit "${PIPESTATUS[0]}"
