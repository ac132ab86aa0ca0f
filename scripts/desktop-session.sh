# Sourced: a private headless GNOME Shell or KWin desktop for tests, as their users have it:
# the compositor, PipeWire with WirePlumber, xdg-desktop-portal and the desktop's own portal
# backend, on a private session bus. Their permission dialogs are answered by injected input
# (scripts/desktops/).
#   start_desktop_session gnome|kde  starts it all; false (reason on stderr) when it cannot
#   in_desktop_session CMD...         runs CMD as a client of that desktop
#   stop_desktop_session              ends it all
# As root everything runs as the unprivileged user "tintwatch-desktop" (created when missing):
# the portal answers only clients of its own user.

DESKTOP_SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/desktops"
# shellcheck source=wait-for.sh
source "$DESKTOP_SCRIPTS/../wait-for.sh"
DESKTOP_PIDS=()
DESKTOP_ENV=()
DESKTOP_DIR=""
DESKTOP_AS=()

_desktop_fail() {
  echo "Desktop session: $1 (logs in $DESKTOP_DIR)" >&2
  tail -n 15 "$DESKTOP_DIR"/*.log >&2 2>/dev/null
  stop_desktop_session keep-logs
  return 1
}

# _desktop_spawn LOG [VAR=value...] -- COMMAND...: started in a process group of its own.
_desktop_spawn() {
  local log=$1 vars=()
  shift
  while [ "$1" != "--" ]; do vars+=("$1"); shift; done
  shift
  setsid "${DESKTOP_AS[@]}" env -i "${DESKTOP_ENV[@]}" "${vars[@]}" "$@" \
    >"$DESKTOP_DIR/$log.log" 2>&1 </dev/null &
  DESKTOP_PIDS+=($!)
}

_desktop_has_name() {
  in_desktop_session dbus-send --session --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

start_desktop_session() {
  local desktop=$1 tools=(dbus-daemon pipewire wireplumber /usr/libexec/xdg-desktop-portal python3)
  local backend
  case $desktop in
    gnome) tools+=(gnome-shell /usr/libexec/xdg-desktop-portal-gnome)
      backend=/usr/libexec/xdg-desktop-portal-gnome ;;
    kde) backend=/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde
      tools+=(kwin_wayland "$backend") ;;
    *) echo "start_desktop_session gnome|kde" >&2; return 2 ;;
  esac
  local tool missing=()
  for tool in "${tools[@]}"; do command -v "$tool" >/dev/null || missing+=("$tool"); done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Desktop session: missing ${missing[*]} (scripts/install-deps.sh installs them)" >&2
    return 1
  fi
  local user
  user=$(id -un)
  if [ "$(id -u)" -eq 0 ]; then
    user=tintwatch-desktop
    id -u $user >/dev/null 2>&1 || useradd --system --user-group --no-create-home \
      --home-dir /nonexistent --shell /usr/sbin/nologin $user || return 1
    DESKTOP_AS=(setpriv --reuid=$user --regid="$(id -g $user)" --init-groups --)
  fi
  DESKTOP_DIR=$(mktemp -d "/tmp/tintwatch-$desktop.XXXXXX")
  local d=$DESKTOP_DIR
  mkdir -p "$d/home" "$d/data" "$d/config" "$d/cache" "$d/portals" "$d/bin"
  mkdir -m 700 "$d/run"
  chmod 755 "$d"
  chown -R "$user" "$d"
  DESKTOP_ENV=(HOME="$d/home" USER=$user LOGNAME=$user LANG=C.UTF-8 PATH="$PATH"
    XDG_RUNTIME_DIR="$d/run" XDG_DATA_HOME="$d/data" XDG_CONFIG_HOME="$d/config"
    XDG_CACHE_HOME="$d/cache" XDG_SESSION_TYPE=wayland
    DBUS_SESSION_BUS_ADDRESS="unix:path=$d/run/bus")

  _desktop_spawn dbus -- dbus-daemon --session --nofork --nopidfile --address="unix:path=$d/run/bus"
  wait_for 10 test -S "$d/run/bus" || { _desktop_fail "the session bus did not start"; return 1; }
  _desktop_spawn pipewire -- pipewire
  wait_for 10 test -S "$d/run/pipewire-0" || { _desktop_fail "pipewire did not start"; return 1; }
  _desktop_spawn wireplumber XDG_CONFIG_HOME="$DESKTOP_SCRIPTS/../wayland" -- wireplumber

  if [ "$desktop" = gnome ]; then
    DESKTOP_ENV+=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
      DBUS_SYSTEM_BUS_ADDRESS="unix:path=$d/run/system-bus")
    # gnome-shell asks logind on the system bus: an empty one of its own answers nothing.
    _desktop_spawn system-bus -- dbus-daemon --session --nofork --nopidfile \
      --address="unix:path=$d/run/system-bus"
    wait_for 10 test -S "$d/run/system-bus" || { _desktop_fail "no system bus"; return 1; }
    _desktop_spawn shell -- gnome-shell --headless --no-x11 --virtual-monitor 1280x800 \
      --wayland-display wayland-0
    wait_for 60 _desktop_has_name org.gnome.Mutter.ScreenCast ||
      { _desktop_fail "gnome-shell did not start"; return 1; }
    cp /usr/share/xdg-desktop-portal/portals/{gnome,gnome-shell,gtk}.portal "$d/portals/"
  else
    DESKTOP_ENV+=(XDG_CURRENT_DESKTOP=KDE XDG_SESSION_DESKTOP=KDE KDE_FULL_SESSION=true
      KDE_SESSION_VERSION=5)
    # The installed binary carries a file capability that containers may not grant: a copy
    # has none.
    cp "$(command -v kwin_wayland)" "$d/bin/"
    _desktop_spawn kwin KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 -- "$d/bin/kwin_wayland" --virtual \
      --width 1280 --height 800 --socket wayland-0 --no-lockscreen
    wait_for 30 test -S "$d/run/wayland-0" || { _desktop_fail "kwin did not start"; return 1; }
    cp /usr/share/xdg-desktop-portal/portals/kde.portal "$d/portals/"
  fi
  # Named in full: the tests give each program run a runtime folder of its own.
  DESKTOP_ENV+=(WAYLAND_DISPLAY="$d/run/wayland-0" PIPEWIRE_RUNTIME_DIR="$d/run"
    QT_QPA_PLATFORM=wayland)
  # Only this desktop's backends, as on a real system of that desktop.
  _desktop_spawn portal-backend -- "$backend"
  # Before the portal asks for it: started by the bus instead, it would not know the display.
  wait_for 30 _desktop_has_name "org.freedesktop.impl.portal.desktop.$desktop" ||
    { _desktop_fail "the desktop's portal backend did not start"; return 1; }
  _desktop_spawn portal XDG_DESKTOP_PORTAL_DIR="$d/portals" -- /usr/libexec/xdg-desktop-portal
  wait_for 30 _desktop_has_name org.freedesktop.portal.Desktop ||
    { _desktop_fail "the portal did not start"; return 1; }
  # GNOME opens its overview at start-up; it would hide every window.
  [ "$desktop" = kde ] || in_desktop_session python3 "$DESKTOP_SCRIPTS/mutter-input.py" Escape
}

in_desktop_session() {
  "${DESKTOP_AS[@]}" env -i "${DESKTOP_ENV[@]}" "$@"
}

# stop_desktop_session [keep-logs]
stop_desktop_session() {
  local pid i
  [ -n "$DESKTOP_DIR" ] || return 0
  # Services the bus started on demand carry the session's runtime folder.
  local started=($(grep -lsz "^XDG_RUNTIME_DIR=$DESKTOP_DIR/run\$" /proc/[0-9]*/environ |
    cut -d/ -f3))
  for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do kill -- -"${DESKTOP_PIDS[i]}" 2>/dev/null; done
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${DESKTOP_PIDS[@]}" "${started[@]}"; do
    wait_for 3 eval "! kill -0 $pid" || kill -KILL "$pid" 2>/dev/null
  done
  ! grep -q " $DESKTOP_DIR/run/doc " /proc/mounts || fusermount3 -u "$DESKTOP_DIR/run/doc"
  [ "${1:-}" = keep-logs ] || rm -rf "$DESKTOP_DIR"
  DESKTOP_PIDS=()
  DESKTOP_ENV=()
  DESKTOP_DIR=""
}
