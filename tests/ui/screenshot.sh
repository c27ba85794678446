#!/bin/sh
# Saves the whole display as $1. Run by the GUI driver through Wine. What Wine
# draws reaches the X server a moment later (more so on a busy machine), so the
# capture is repeated until two in a row agree and the screen is not empty.
# Wine does not wait for a Unix program it starts, so the result appears under
# its final name only when complete.
# With "now" as $2 the first capture that is not empty is kept.
final=$1
now=${2:-}
out=$final.part.png
prev=$final.prev.png
rm -f "$prev"
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do
    import -window root "$out" 2>/dev/null
    if [ -n "$now" ] && [ "$(convert "$out" -format '%[fx:mean>0]' info: 2>/dev/null)" = 1 ]; then
        break
    fi
    if [ "$(convert "$out" -format '%[fx:mean>0]' info: 2>/dev/null)" = 1 ] && [ -f "$prev" ] &&
        [ "$(compare -metric AE "$out" "$prev" null: 2>&1)" = 0 ]; then
        break
    fi
    cp "$out" "$prev"
    sleep 0.6
done
rm -f "$prev"
# The driver waits for the file to appear under its final name.
mv "$out" "$final"
