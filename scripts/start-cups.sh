#!/usr/bin/env bash
# Starts the print service with a PDF printer, so printing can be tested for
# real. The machine's default printer stays as it was: the tests reach the
# queue through PRINTER=Glyphorama-PDF in their own environment. Safe to run
# again. Prints the folder the PDFs go to.
set -euo pipefail

queue=Glyphorama-PDF
refusing=Glyphorama-Refusing
out=/var/spool/cups-pdf/Glyphorama

# The queue reads its own settings file (cups-pdf:/NAME reads cups-pdf-NAME.conf),
# so the machine's other PDF printers keep theirs. Every file carries its job
# number, so two prints of one title make two files.
mkdir -p "$out"
chmod 1777 "$out"
conf=/etc/cups/cups-pdf-glyphorama.conf
want=$(printf 'Out %s\nLabel 2\n' "$out")
if [ ! -f "$conf" ] || [ "$(cat "$conf")" != "$want" ]; then
    printf '%s\n' "$want" >"$conf"
fi

# No service manager here: start the scheduler by hand, then wait for it.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    mkdir -p /run/cups
    cupsd
    for _ in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
fi
lpstat -r | grep -q "is running" || { echo "start-cups: cupsd did not start" >&2; exit 1; }

model=$(lpinfo -m | awk '/CUPS-PDF_noopt\.ppd/ {print $1; exit}')
[ -n "$model" ] || { echo "start-cups: no CUPS-PDF model (printer-driver-cups-pdf)" >&2; exit 1; }
# Rendering through cairo keeps the text of the PDF readable (pdftotext);
# the default renderer turns every glyph into an unnamed picture.
if ! lpstat -v "$queue" 2>/dev/null | grep -q "cups-pdf:/glyphorama"; then
    lpadmin -p "$queue" -v cups-pdf:/glyphorama -m "$model" 2>/dev/null
fi
lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo
cupsenable "$queue"
cupsaccept "$queue"
# A second queue that refuses every job, for the refused-job test.
if ! lpstat -v "$refusing" >/dev/null 2>&1; then
    lpadmin -p "$refusing" -v cups-pdf:/glyphorama -m "$model" 2>/dev/null
fi
cupsenable "$refusing"
cupsreject -r "kept closed for tests" "$refusing"

echo "$out"
