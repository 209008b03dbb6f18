#!/bin/sh
# Starts the interactive wizard for a new variation in a fresh temporary
# folder, then shows the CNX file it wrote on Finish.
BUILD=${1:-build}
EXE="$BUILD/bin/kv2gxb"
if [ ! -x "$EXE" ]; then
    echo "gui: $EXE is not built" >&2
    exit 1
fi
DIR=$(mktemp -d "${TMPDIR:-/tmp}/kv2gxb-gui-XXXXXX")
DESIGN="$DIR/gxb_top.v"
echo "== running: kv2gxb -n -NAV -LAF -hbutton $DESIGN"
"$EXE" -n -NAV -LAF -hbutton "-wizard_title:KV2GXB Transceiver" "$DESIGN"
echo "== exit status: $?"
for f in "$DIR"/*.cnx; do
    [ -f "$f" ] || continue
    echo "== $(basename "$f"):"
    cat "$f"
done
