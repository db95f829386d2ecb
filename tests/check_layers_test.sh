#!/usr/bin/env bash
# The layering check must fail on an include that points up, and pass on a
# tree whose includes all point down.
set -uo pipefail
check="$1/scripts/check-layers"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{editor/model,barcodes/designer,output,core}
echo '#include "platform/Plist.h"' > "$tree/editor/model/A.cpp"
echo '#include "widgets/GuiHooks.h"' > "$tree/barcodes/designer/D.cpp"
"$check" "$tree" >/dev/null || { echo "a tree without upward includes was refused"; exit 1; }
fail=0
while IFS='|' read -r file line; do
  mkdir -p "$tree/$(dirname "$file")"
  echo "$line" > "$tree/$file"
  if "$check" "$tree" >/dev/null; then echo "not caught: $file: $line"; fail=1; fi
  rm "$tree/$file"
done <<'CASES'
editor/model/B.cpp|#include "mainwindow/core/globals.h"
editor/canvas/C.h|  #include "mainwindow/GuiHooks.h"
core/E.cpp|#include "widgets/GuiHooks.h"
platform/F.cpp|#include "core/globals.h"
barcodes/G.cpp|#include "mainwindow/controller/SKTWindowController.h"
dataseries/H.cpp|#include "editor/model/SKTGraphic.h"
output/I.cpp|#include "mainwindow/controller/SKTWindowController.h"
profiles/J.cpp|#include "mainwindow/controller/SideCanvases.h"
editor/render/K.cpp|#include "widgets/ColorWell.h"
CASES
[ $fail -eq 0 ] && echo "every upward include was caught"
exit $fail
