#!/usr/bin/env bash
# Compiles the Windows installer script (packaging/windows/velkar.nsi) with
# Debian's makensis against a folder of stand-in files, so that a broken
# script is found here and not on a Windows machine.  Installs nsis when
# missing.  The installer is written to build/installer-check/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh nsis
out=build/installer-check
rm -rf "$out"
mkdir -p "$out/dist/platforms" "$out/dist/translations"
# What windeployqt leaves beside the programs, by name only.
for f in velkar.exe velkar-cli.exe velkar-sim.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
         Qt6SerialPort.dll platforms/qwindows.dll translations/qtbase_tr.qm; do
  echo "stand-in" >"$out/dist/$f"
done
makensis -V2 -DDIST="$PWD/$out/dist" -DOUTFILE="$PWD/$out/velkar-kurulum.exe" \
  packaging/windows/velkar.nsi
echo "check-installer: $out/velkar-kurulum.exe built"
