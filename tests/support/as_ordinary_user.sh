#!/bin/sh
# Runs a test program as a user whom permission bits stop, so that tests of unreadable files and
# read-only folders run in CI, which runs as root, instead of skipping there.
#   as_ordinary_user.sh --make-account   as root, makes the account when it is missing
#   as_ordinary_user.sh PROGRAM ARGS...  runs PROGRAM as that account (as itself when not root)
# The program runs from a copy in a fresh folder: the build folder may lie where the account
# cannot enter (under /root, say). Its temporary files go to a folder of the account's own.
set -eu
account=t2k-tester

if [ "$1" = --make-account ]; then
    [ "$(id -u)" = 0 ] || exit 0
    id -u "$account" >/dev/null 2>&1 ||
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            --user-group "$account"
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    exec "$@"
fi
if ! id -u "$account" >/dev/null 2>&1; then
    echo "as_ordinary_user.sh: no account $account (the fixture make_ordinary_user makes it)" >&2
    exit 1
fi
program=$1
shift
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
chmod 755 "$run"
cp "$program" "$run/"
mkdir "$run/tmp"
chown "$account:" "$run/tmp"
cd "$run/tmp"
status=0
HOME=$run/tmp TMPDIR=$run/tmp USER=$account LOGNAME=$account \
    setpriv --reuid="$account" --regid="$account" --clear-groups \
    "$run/$(basename "$program")" "$@" || status=$?
exit "$status"
