# Sourced: a private headless Wayland desktop for tests, the way a wlroots desktop shares its
# screen: sway, PipeWire with WirePlumber, xdg-desktop-portal and xdg-desktop-portal-wlr on a
# private session bus.
#   start_wayland_session      starts it all; false (with the reason on stderr) when it cannot
#   in_wayland_session CMD...  runs CMD as a client of that desktop
#   stop_wayland_session       ends it all
# sway refuses to run as root, so as root it runs as the unprivileged user "tintwatch-wayland"
# (created when missing); everything else runs as the caller, who may reach sway's socket.
# The portal is Debian's 0.7.0 built once from its source package with one change (see
# scripts/wayland/xdpw-shm-without-dmabuf.patch), kept in $TINTWATCH_CACHE (default
# ~/.cache/tintwatch) and reused.

WAYLAND_SESSION_SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wayland"
# shellcheck source=wait-for.sh
source "$WAYLAND_SESSION_SCRIPTS/../wait-for.sh"

# The patched xdg-desktop-portal-wlr, built when missing; prints its install folder.
build_patched_wlr_portal() {
  local patch="$WAYLAND_SESSION_SCRIPTS/xdpw-shm-without-dmabuf.patch"
  local key
  key=$(sha256sum "$patch" | cut -c1-12)
  local prefix="${TINTWATCH_CACHE:-$HOME/.cache/tintwatch}/xdg-desktop-portal-wlr-0.7.0-$key"
  if [ -x "$prefix/libexec/xdg-desktop-portal-wlr" ]; then
    echo "$prefix"
    return 0
  fi
  # shellcheck source=deb-src.sh
  source "$WAYLAND_SESSION_SCRIPTS/../deb-src.sh"
  ensure_deb_src xdg-desktop-portal-wlr=0.7.0-1 || return 1
  local work
  work=$(mktemp -d)
  echo "Building the patched xdg-desktop-portal-wlr into $prefix" >&2
  (
    set -e
    cd "$work"
    apt-get source xdg-desktop-portal-wlr=0.7.0-1
    cd xdg-desktop-portal-wlr-0.7.0
    patch -p1 <"$patch"
    meson setup build --prefix="$prefix" -Dsystemd=disabled -Dman-pages=disabled
    meson install -C build
  ) >"$work.log" 2>&1
  local status=$?
  if [ $status -ne 0 ] || [ ! -x "$prefix/libexec/xdg-desktop-portal-wlr" ]; then
    tail -n 30 "$work.log" >&2
    echo "building xdg-desktop-portal-wlr failed" >&2
    rm -rf "$work" "$work.log"
    return 1
  fi
  rm -rf "$work" "$work.log"
  echo "$prefix"
}

# The user sway runs as: the caller, or as root a dedicated unprivileged user.
wayland_session_user() {
  if [ "$(id -u)" -ne 0 ]; then
    id -un
    return 0
  fi
  id -u tintwatch-wayland >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
      tintwatch-wayland || return 1
  echo tintwatch-wayland
}

_wayland_fail() {
  echo "Wayland session: $1 (logs in $WAYLAND_SESSION_DIR)" >&2
  tail -n 20 "$WAYLAND_SESSION_DIR"/*.log >&2 2>/dev/null
  stop_wayland_session
  return 1
}

start_wayland_session() {
  local missing=()
  local tool
  for tool in sway swaymsg pipewire wireplumber dbus-daemon dbus-send /usr/libexec/xdg-desktop-portal; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Wayland session: missing ${missing[*]} (scripts/install-deps.sh installs them)" >&2
    return 1
  fi
  local portal user
  portal=$(build_patched_wlr_portal) || return 1
  user=$(wayland_session_user) || { echo "Wayland session: no user for sway" >&2; return 1; }

  WAYLAND_SESSION_DIR=$(mktemp -d /tmp/tintwatch-wayland.XXXXXX)
  chmod 755 "$WAYLAND_SESSION_DIR"
  local dir="$WAYLAND_SESSION_DIR"
  # sway's runtime folder is its user's; the caller's services get one of their own.
  mkdir -m 700 "$dir/sway-runtime" "$dir/runtime"
  chown "$user" "$dir/sway-runtime"
  WAYLAND_SESSION_PIDS=()

  local as_user=()
  [ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --init-groups)
  "${as_user[@]}" env -i PATH="$PATH" HOME="$dir/sway-runtime" \
    XDG_RUNTIME_DIR="$dir/sway-runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WAYLAND_SESSION_SCRIPTS/sway.conf" \
    >"$dir/sway.log" 2>&1 &
  WAYLAND_SESSION_PIDS+=($!)
  wait_for 10 test -S "$dir/sway-runtime/wayland-1" || {
    _wayland_fail "sway did not start"
    return 1
  }
  local ipc
  wait_for 5 compgen -G "$dir/sway-runtime/sway-ipc.*.sock" >/dev/null
  ipc=$(compgen -G "$dir/sway-runtime/sway-ipc.*.sock" | head -n 1)

  # Portal services start on demand from this bus, the wlr one from the patched build.
  mkdir "$dir/services" "$dir/portals"
  sed "s|@prefix@|$portal|; s|@config@|$WAYLAND_SESSION_SCRIPTS/xdpw.conf|" \
    "$WAYLAND_SESSION_SCRIPTS/wlr-portal.service.in" \
    >"$dir/services/org.freedesktop.impl.portal.desktop.wlr.service"
  # No document portal: nothing here passes files, and it would need FUSE.
  printf '[D-BUS Service]\nName=org.freedesktop.portal.Documents\nExec=/bin/false\n' \
    >"$dir/services/org.freedesktop.portal.Documents.service"
  cp "$portal/share/xdg-desktop-portal/portals/wlr.portal" "$dir/portals/"
  sed "s|@services@|$dir/services|" "$WAYLAND_SESSION_SCRIPTS/session-bus.conf.in" \
    >"$dir/session-bus.conf"

  WAYLAND_SESSION_ENV=(
    WAYLAND_DISPLAY="$dir/sway-runtime/wayland-1" SWAYSOCK="$ipc"
    XDG_RUNTIME_DIR="$dir/runtime" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
    XDG_DESKTOP_PORTAL_DIR="$dir/portals"
  )
  env "${WAYLAND_SESSION_ENV[@]}" dbus-daemon --config-file="$dir/session-bus.conf" --nofork \
    --print-address=3 3>"$dir/bus-address" >"$dir/dbus.log" 2>&1 &
  WAYLAND_SESSION_PIDS+=($!)
  wait_for 10 grep -q . "$dir/bus-address" || {
    _wayland_fail "the session bus did not start"
    return 1
  }
  WAYLAND_SESSION_ENV+=(DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$dir/bus-address")")

  env "${WAYLAND_SESSION_ENV[@]}" pipewire >"$dir/pipewire.log" 2>&1 &
  WAYLAND_SESSION_PIDS+=($!)
  wait_for 10 test -S "$dir/runtime/pipewire-0" || {
    _wayland_fail "pipewire did not start"
    return 1
  }
  # Its configuration from here: the Bluetooth monitor off.
  env "${WAYLAND_SESSION_ENV[@]}" XDG_CONFIG_HOME="$WAYLAND_SESSION_SCRIPTS" wireplumber \
    >"$dir/wireplumber.log" 2>&1 &
  WAYLAND_SESSION_PIDS+=($!)
  local wireplumber=$!

  # Asking for the screen-cast version starts both portals; the answer says they are up.
  wait_for 20 in_wayland_session dbus-send --session --print-reply \
    --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
    org.freedesktop.DBus.Properties.Get string:org.freedesktop.portal.ScreenCast \
    string:version >/dev/null || {
    _wayland_fail "the screen-cast portal did not answer"
    return 1
  }
  # Without it streams are never linked, and every picture would just never come.
  kill -0 "$wireplumber" 2>/dev/null || {
    _wayland_fail "wireplumber ended"
    return 1
  }
}

in_wayland_session() {
  env "${WAYLAND_SESSION_ENV[@]}" "$@"
}

# Process ids of every client of the private bus: the portals it started on demand.
_wayland_bus_clients() {
  local name
  in_wayland_session dbus-send --session --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null |
    grep -o '":[0-9.]*"' | tr -d '"' | while read -r name; do
    in_wayland_session dbus-send --session --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" \
      2>/dev/null | awk '/uint32/ {print $2}'
  done
}

stop_wayland_session() {
  local pid i
  local clients=()
  [ ${#WAYLAND_SESSION_ENV[@]} -eq 0 ] || clients=($(_wayland_bus_clients)) || true
  if [ ${#clients[@]} -gt 0 ]; then
    # Some may have ended already; a caller under `set -e` must not end here for that.
    kill "${clients[@]}" 2>/dev/null || true
    # The bus reaps the ones it started, while it still runs.
    wait_for 3 eval '! kill -0 ${clients[@]} 2>/dev/null' || true
  fi
  # The rest in reverse order of starting.
  for ((i = ${#WAYLAND_SESSION_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${WAYLAND_SESSION_PIDS[i]}
    if kill "$pid" 2>/dev/null; then wait "$pid" 2>/dev/null || true; fi
  done
  [ -z "${WAYLAND_SESSION_DIR:-}" ] || rm -rf "$WAYLAND_SESSION_DIR"
  WAYLAND_SESSION_PIDS=()
  WAYLAND_SESSION_ENV=()
  WAYLAND_SESSION_DIR=""
}
