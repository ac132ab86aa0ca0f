# Sourced: writes Tintwatch data files from the shell, byte for byte as the program stores
# them: 4-byte little-endian integers, UTF-16LE text lines each ended by U+000A.
le32() { local v=$(( $1 & 0xffffffff ))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $(((v >> 8) & 255)) \
    $(((v >> 16) & 255)) $(((v >> 24) & 255)))"; }
line() { local text=$1 i; for ((i = 0; i < ${#text}; i++)); do printf '%s\0' "${text:i:1}"; done
  printf '\n\0'; }
# The header: the format number, a 1280 x 1024 screen, the number of events that follow.
data_file_header() { for v in 786 1280 1024 "$1"; do le32 "$v"; done; }
# One event: match r g b, target r g b, mode (1: changes to the target), x, y, max, count,
# interval (ms), enabled, tone, Hz, ms, launch, then the command, the path and the comment.
event_record() { local i; for i in $(seq 1 17); do le32 "${!i}"; done
  line "${18}"; line "${19}"; line "${20}"; }
