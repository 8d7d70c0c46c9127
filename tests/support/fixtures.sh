#!/bin/sh
# Prepares what a test program cannot make itself (it may run under Wine, and as root permission
# bits stop nothing): fixtures.sh setup|cleanup DIR.
#   DIR/readonly  a folder made immutable with chattr +i: nothing can be created in it
#   DIR/tiny      a 64 KiB tmpfs, for a disk that fills up in the middle of a write
#   DIR/read-only-mount  a tmpfs mounted read-only: every change is refused with EROFS
# What cannot be made here is marked with DIR/NAME.unavailable and the tests skip it.
set -u
dir=$2
case $1 in
setup)
    "$0" cleanup "$dir"
    mkdir -p "$dir/readonly" "$dir/tiny" "$dir/read-only-mount"
    chattr +i "$dir/readonly" 2>/dev/null || touch "$dir/readonly.unavailable"
    mount -t tmpfs -o size=64k,mode=0777 t2k-tiny "$dir/tiny" 2>/dev/null || touch "$dir/tiny.unavailable"
    mount -t tmpfs -o ro,size=16k,mode=0777 t2k-read-only "$dir/read-only-mount" 2>/dev/null ||
        touch "$dir/read-only-mount.unavailable"
    ;;
cleanup)
    [ -d "$dir" ] || exit 0
    chattr -i "$dir/readonly" 2>/dev/null
    for mounted in "$dir/tiny" "$dir/read-only-mount"; do
        mountpoint -q "$mounted" 2>/dev/null && umount "$mounted"
    done
    rm -rf "$dir"
    ;;
esac
exit 0
