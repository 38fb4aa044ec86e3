#!/bin/sh
# Starts the drill in the pupil's own data folder, so that the history files are kept
# there and never land in the home folder or wherever the launcher was started from.
data="${XDG_DATA_HOME:-$HOME/.local/share}/minamo-drill"
mkdir -p "$data" && cd "$data" || exit 1
here=$(dirname "$(readlink -f "$0")")
exec "$here/../libexec/minamo-drill/minamo-drill" "$@"
