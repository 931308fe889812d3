#!/bin/sh
# Installs the Debian packages needed to build, test and run the bridge.
set -e
PACKAGES="cmake make g++ binutils g++-multilib libxml2-dev libcsv-dev libgtest-dev libgmock-dev libbenchmark-dev r-base-core valgrind clang libclang-rt-14-dev cloc"
# chromium and a font: the browser test of kovr preview and its screenshots.
PACKAGES="$PACKAGES chromium fonts-dejavu-core"
# LibreOffice Calc without its GUI and Python-UNO: the headless test of the Calc add-in.
PACKAGES="$PACKAGES libreoffice-calc-nogui python3-uno libreoffice-script-provider-python"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
