#!/bin/sh
# Installs the build into a fresh folder and checks that a desktop finds the program there and that
# the help lies where the installed program looks for it (bin/../share/fakturbuch/). The driver, started
# from a folder that holds none, still looks in its current folder only, as its protocol says.
# Called as: installation_pruefen.sh BUILD-FOLDER
set -eu
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
cmake --install "$1" --prefix "$ziel/usr" > /dev/null

for datei in bin/fakturbuch-headless share/applications/fakturbuch.desktop share/mime/packages/fakturbuch.xml \
             share/icons/hicolor/scalable/apps/fakturbuch.svg share/icons/hicolor/16x16/apps/fakturbuch.png \
             share/icons/hicolor/256x256/apps/fakturbuch.png; do
    [ -f "$ziel/usr/$datei" ] || { echo "missing: $datei"; exit 1; }
done

if [ -f "$ziel/usr/share/fakturbuch/FKB.chm" ]; then
    mkdir "$ziel/leer"
    ereignis=$(cd "$ziel/leer" && printf '%s\n' '{"antwort": "nein"}' '{"start": true}' '{"klick": "FKBHilfe"}' |
               "$ziel/usr/bin/fakturbuch-headless" | grep '"hilfe"' || true)
    [ -z "$ereignis" ] || { echo "the driver looked beyond its current folder: $ereignis"; exit 1; }
    [ -L "$ziel/usr/share/doc/fakturbuch/FKB.chm" ] && [ -f "$ziel/usr/share/doc/fakturbuch/FKB.chm" ] ||
        { echo "no help in the documentation folder"; exit 1; }
else
    echo "FKB.chm not built (no chmcmd): help not checked"
fi
