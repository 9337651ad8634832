#!/usr/bin/env bash
# The model and the simulated lock system may use Qt Core only, the device layer Core and
# SerialPort only, and the update library (src/update but its dialogs) Core and Network only.
set -euo pipefail
src=$1/src
status=0
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Settings|Application|SerialPort)\b)' "$src"/model/*.{h,cpp} "$src"/sim/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "model/ or sim/ reaches beyond Qt Core:"; echo "$bad"; status=1; fi
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|PrintSupport)/|Q(Widget|MessageBox|Settings|Application)\b)' "$src"/device/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "device/ reaches beyond Core and SerialPort:"; echo "$bad"; status=1; fi
update=$(ls "$src"/update/*.{h,cpp} 2>/dev/null | grep -v 'Dialog\.' || true)
bad=$( [ -z "$update" ] || grep -nE '#include *<(Qt(Gui|Widgets|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Dialog|Application|SerialPort)\b)|#include *"(ui_|Messages|SettingsFile|MainWindow)' $update || true)
if [ -n "$bad" ]; then echo "update/ (but its dialogs) reaches beyond Core and Network:"; echo "$bad"; status=1; fi
[ $status -eq 0 ] && echo "Layering holds."
exit $status
