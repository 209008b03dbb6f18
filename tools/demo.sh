#!/bin/sh
# Runs kv2gxb silently for a new variation in a fresh temporary folder and
# shows what it did: the command, its messages, its exit status and the files
# it wrote (the CNX file in full).
BUILD=${1:-build}
EXE="$BUILD/bin/kv2gxb"
if [ ! -x "$EXE" ]; then
    echo "demo: $EXE is not built" >&2
    exit 1
fi
EXE=$(cd "$(dirname "$EXE")" && pwd)/kv2gxb
DIR=$(mktemp -d "${TMPDIR:-/tmp}/kv2gxb-demo-XXXXXX")
DESIGN="$DIR/gxb_top.v"

echo "== folder: $DIR"
echo "== running: kv2gxb -n -silent $DESIGN"
"$EXE" -n -silent "$DESIGN" 2>"$DIR/.messages"
STATUS=$?
if [ -s "$DIR/.messages" ]; then
    echo "== messages:"
    sed 's/^/   /' "$DIR/.messages"
fi
rm -f "$DIR/.messages"
echo "== exit status: $STATUS"
echo "== files written:"
if [ -z "$(ls -A "$DIR")" ]; then
    echo "   (none)"
else
    ls -l "$DIR" | sed 1d | sed 's/^/   /'
fi
for f in "$DIR"/*.cnx; do
    [ -f "$f" ] || continue
    echo "== $(basename "$f"): the new variation's description, as the calling program reads it:"
    echo "   the wizard's settings (PRIVATE), the brixfunction parameters (CONSTANT), the used ports"
    echo "   and their connections, the files to generate and the symbol with its summary"
    cat "$f"
done
echo "== (the folder is left for you to look at: $DIR)"
