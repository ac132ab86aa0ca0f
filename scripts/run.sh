#!/usr/bin/env bash
echo "Tintwatch is not assembled yet: the start-up comes with the application shell." >&2
exit 1
