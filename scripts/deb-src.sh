# Sourced: Debian's source lists, which `apt-get source` needs and a fresh machine lacks.
#   ensure_deb_src PACKAGE   adds them (and updates apt) unless PACKAGE's source is found already
ensure_deb_src() {
  apt-get source --print-uris "$1" >/dev/null 2>&1 && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo tee /etc/apt/sources.list.d/tintwatch-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  $sudo apt-get update -qq >&2
}
