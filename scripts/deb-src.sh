# Sourced: Debian's source lists, which `apt-get source` needs and a fresh machine lacks.
#   ensure_deb_src PACKAGE   adds them (and updates apt) unless PACKAGE's source is found already
# The archives are the machine's own: every enabled `deb` entry of this release in its apt
# sources gets a matching `deb-src` entry, so whatever mirror or proxy the machine uses serves
# the sources too.

# The deb-src twins of this release's deb entries, in deb822 form, on stdout.
deb_src_entries() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  local files=()
  [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [[ $f != */tintwatch-deb-src.sources ]] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk -v codename="$codename" '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && enabled != "no" && (" " suites " ") ~ (" " codename "(-[a-z]+)? ")) {
        print "Types: deb-src"; print "URIs: " uris; print "Suites: " suites
        print "Components: " comps
        if (signed != "") print "Signed-By: " signed
        print ""
      }
      types = uris = suites = comps = signed = enabled = ""
    }
    FNR == 1 { flush() }
    /^[ \t]*#/ { next }
    FILENAME ~ /\.list$/ {
      # One-line form: deb [options] URI SUITE COMPONENT...
      if ($1 != "deb") next
      line = $0; sub(/^deb[ \t]+/, "", line)
      opts = ""
      if (line ~ /^\[/) { opts = substr(line, 2, index(line, "]") - 2); line = substr(line, index(line, "]") + 1) }
      n = split(line, f, /[ \t]+/); i = (f[1] == "") ? 2 : 1
      if (f[i + 1] !~ ("^" codename "(-[a-z]+)?$")) next
      print "deb-src " (opts != "" ? "[" opts "] " : "") substr(line, index(line, f[i]))
      next
    }
    /^[ \t]*$/ { flush(); next }
    { key = tolower($1); val = $0; sub(/^[^:]*:[ \t]*/, "", val) }
    key == "types:" { types = val } key == "uris:" { uris = val } key == "suites:" { suites = val }
    key == "components:" { comps = val } key == "signed-by:" { signed = val }
    key == "enabled:" { enabled = tolower(val) }
    END { flush() }
  ' "${files[@]}"
}

ensure_deb_src() {
  apt-get source --print-uris "$1" >/dev/null 2>&1 && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  local entries
  entries=$(deb_src_entries)
  if [ -z "$entries" ]; then
    echo "deb-src.sh: no deb entry of this release in the apt sources to take the archive from" >&2
    return 1
  fi
  # One-line entries and deb822 stanzas cannot share a file.
  grep '^deb-src ' <<<"$entries" | $sudo tee /etc/apt/sources.list.d/tintwatch-deb-src.list >/dev/null
  grep -v '^deb-src ' <<<"$entries" | $sudo tee /etc/apt/sources.list.d/tintwatch-deb-src.sources >/dev/null
  $sudo apt-get update -qq >&2
}
