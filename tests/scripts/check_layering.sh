#!/usr/bin/env bash
# The model and the simulated lock system may use Qt Core only (and only Settings.ini's own file
# reads the settings), the archive Core and Sql only, the device layer and the device operations
# Core and SerialPort only, and the update library (src/update but its
# dialogs) Core and Network only. The reports use Gui and PrintSupport, and of the widgets only
# the dialogs the text printer opens; they know nothing of the window.
set -euo pipefail
src=$1/src
status=0
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Settings|Application|SerialPort)\b)' "$src"/model/*.{h,cpp} "$src"/sim/*.{h,cpp} 2>/dev/null | grep -v '/model/SettingsFile.cpp:[0-9]*:#include <QSettings>' || true)
if [ -n "$bad" ]; then echo "model/ or sim/ reaches beyond Qt Core:"; echo "$bad"; status=1; fi
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Settings|Application|SerialPort|HostInfo)\b)|#include *"([a-z]+\/)?(ui_|MainWindow|Messages)' "$src"/archive/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "archive/ reaches beyond Core and Sql:"; echo "$bad"; status=1; fi
bad=$(grep -nE '#include *<(Qt(Gui|Widgets|Network|PrintSupport)/|Q(Widget|MessageBox|Settings|Application)\b)' "$src"/device/*.{h,cpp} "$src"/operations/*.{h,cpp} 2>/dev/null || true)
if [ -n "$bad" ]; then echo "device/ or operations/ reaches beyond Core and SerialPort:"; echo "$bad"; status=1; fi
widgets=$(ls -d /usr/include/*/qt5/QtWidgets /usr/include/qt5/QtWidgets 2>/dev/null | head -n 1 || true)
for f in "$src"/reports/*.{h,cpp}; do
  [ -e "$f" ] || continue
  allowed='^$'
  [ "$(basename "$f")" = TextPrinter.cpp ] && allowed='^QFileDialog$'
  for class in $(sed -nE 's/^#include *<(QtWidgets\/)?(Q[A-Za-z]+)>.*/\2/p' "$f"); do
    if { [ -n "$widgets" ] && [ -e "$widgets/$class" ]; } && ! [[ $class =~ $allowed ]]; then
      echo "reports/ uses a widget: $(basename "$f"): $class"; status=1
    fi
  done
  bad=$(grep -nE '#include *[<"]([a-z]+\/)?(Qt(Network|SerialPort)/|ui_|MainWindow|Messages|EventsTableView|QSettings)' "$f" || true)
  if [ -n "$bad" ]; then echo "reports/ reaches into the window or beyond Gui and PrintSupport: $(basename "$f")"; echo "$bad"; status=1; fi
done
update=$(ls "$src"/update/*.{h,cpp} 2>/dev/null | grep -v 'Dialog\.' || true)
bad=$( [ -z "$update" ] || grep -nE '#include *<(Qt(Gui|Widgets|SerialPort|PrintSupport)/|Q(Widget|MessageBox|Dialog|Application|SerialPort)\b)|#include *"([a-z]+\/)?(ui_|Messages|SettingsFile|MainWindow)' $update || true)
if [ -n "$bad" ]; then echo "update/ (but its dialogs) reaches beyond Core and Network:"; echo "$bad"; status=1; fi
# Nothing below the window reaches up into it: no header of src/app is included from elsewhere.
for header in "$src"/app/*.h; do
  name=$(basename "$header")
  bad=$(grep -rnE "#include *\"(app/)?$name\"" "$src" --include=*.h --include=*.cpp | grep -v "^$src/app/" || true)
  if [ -n "$bad" ]; then echo "the window's $name is included from below it:"; echo "$bad"; status=1; fi
done
# Each layer names the layers beneath it by folder, and no others: the simulated lock system
# shares the link and its pacing with the device layer; the update dialogs are the window's.
declare -A reaches=([model]="model" [sim]="model sim device" [device]="model device"
                    [operations]="model device operations" [archive]="model archive" [reports]="model reports"
                    [view]="model view" [update]="update")
for layer in "${!reaches[@]}"; do
  for f in "$src/$layer"/*.h "$src/$layer"/*.cpp; do
    [ -e "$f" ] || continue
    [[ $layer == update && $(basename "$f") == *Dialog.* ]] && continue
    for used in $(sed -nE 's/^#include *"([a-z]+)\/.*/\1/p' "$f" | sort -u); do
      if ! [[ " ${reaches[$layer]} " == *" $used "* ]]; then
        echo "$layer/ reaches into $used/: $(basename "$f")"; status=1
      fi
    done
  done
done
[ $status -eq 0 ] && echo "Layering holds."
exit $status
