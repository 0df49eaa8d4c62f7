#!/bin/sh
# Usage: shared_symbols.sh NM ARCHIVE... -- LIBRARY...
# Fails, naming them, when the archives define a global name that one of the libraries (shared or
# static) also defines: linked into one program, a call by that name could reach the other's.
set -eu
nm=$1
shift
for file in "$@"; do
    # A file that cannot be read would otherwise share nothing.
    if [ "$file" != -- ] && [ ! -r "$file" ]; then
        echo "cannot read $file" >&2
        exit 2
    fi
done
definedNames() {
    for file in "$@"; do
        case $file in
        *.a) "$nm" --defined-only -g "$file" ;;
        *) "$nm" -D --defined-only "$file" ;;
        esac
    done | awk 'NF >= 3 { sub(/@.*/, "", $3); print $3 }' | sort -u
}
archives=$(mktemp)
trap 'rm -f "$archives"' EXIT
while [ "$1" != -- ]; do
    definedNames "$1" >>"$archives"
    shift
done
shift
sort -u -o "$archives" "$archives"
shared=$(definedNames "$@" | sort -u - | comm -12 "$archives" - | tr '\n' ' ')
if [ -n "$shared" ]; then
    echo "defined on both sides: $shared"
    exit 1
fi
