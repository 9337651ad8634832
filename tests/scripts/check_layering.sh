#!/usr/bin/env bash
# The model and the simulated lock system may use Qt Core only, the device layer and the
# device operations Core and SerialPort only.
set -euo pipefail
src=$1/src
status=0
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Settings|Application|SerialPort)\b)' "$src"/model/*.{h,cpp} "$src"/sim/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "model/ or sim/ reaches beyond Qt Core:"; echo "$bad"; status=1; fi
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|PrintSupport)/|Q(Widget|MessageBox|Settings|Application)\b)' "$src"/device/*.{h,cpp} "$src"/operations/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "device/ or operations/ reaches beyond Core and SerialPort:"; echo "$bad"; status=1; fi
[ $status -eq 0 ] && echo "Layering holds."
exit $status
