#!/usr/bin/env bash
# usage: scripts/as-test-user.sh COMMAND [ARGS...]   (as root)
# Runs COMMAND as tessaro-test, an ordinary user made for the tests (created on
# first use), with its own home and none of root's session: the suite must
# pass as the program's users run it.
set -euo pipefail
user=tessaro-test
if ! id -u "$user" >/dev/null 2>&1; then
  useradd --create-home --shell /bin/bash --comment "Tessaro tests" "$user"
fi
home=$(getent passwd "$user" | cut -d: -f6)
exec setpriv --reuid="$user" --regid="$user" --init-groups --inh-caps=-all \
  env -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS -u TMPDIR -u TEMP -u SUDO_USER \
  HOME="$home" USER="$user" LOGNAME="$user" "$@"
