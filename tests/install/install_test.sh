#!/bin/sh
# Installs Vestrano into a temporary home and program folder as an ordinary user, checks the
# menu entry and the icons, puts data files in the folder, installs again, uninstalls, and
# compares every data byte; then runs "make clean" on a copy of the Makefile over a dist/
# holding data. Run by CTest:  install_test.sh PACKAGE_FOLDER SOURCE_FOLDER
set -eu

package=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -m 700 "$work/runtime"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

check() { # description command...
    what=$1
    shift
    if ! "$@"; then
        fail "$what"
    fi
}

command -v desktop-file-validate > /dev/null ||
    { echo "FAIL: desktop-file-validate is missing (desktop-file-utils, installed by make test)"; exit 1; }

# The tests run as root in CI; the installer must work for an ordinary user, so it runs as
# "nobody" there, with a home that user owns.
as_user() {
    if [ "$(id -u)" = 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
    else
        "$@"
    fi
}

home="$work/home"
mkdir -p "$home"
[ "$(id -u)" != 0 ] || chown 65534:65534 "$home" "$work/runtime"
folder="$home/Programma \$ presenze/Vestrano"
installer() {
    as_user env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" sh "$package/install.sh" "$@"
}

# --- first install ---------------------------------------------------------------------------
check "first install" installer "$folder" > "$work/out1"
apps="$home/.local/share/applications"
icons="$home/.local/share/icons/hicolor"
entry="$apps/vestrano.desktop"

check "program installed" cmp -s "$package/Vestrano/vestrano" "$folder/vestrano"
check "program executable" test -x "$folder/vestrano"
check "program stripped" sh -c "! readelf -S '$folder/vestrano' | grep -q '\.symtab'"
check "guide installed" cmp -s "$package/Vestrano/Guida.pdf" "$folder/Guida.pdf"
check "password file delivered" cmp -s "$package/Vestrano/unins000.dll" "$folder/unins000.dll"

check "desktop entry valid" desktop-file-validate "$entry"
# The Exec argument quoted, with the dollar sign escaped twice (quoting, then string rules).
check "Exec names the installed program" \
    grep -qxF "Exec=\"$home/Programma \\\\\$ presenze/Vestrano/vestrano\"" "$entry"
check "TryExec names the installed program" grep -qxF "TryExec=$folder/vestrano" "$entry"
for line in "Icon=vestrano" "Categories=Office;" "Name=Vestrano" \
            "Comment=Registro delle presenze giornaliere e archivio anagrafico"; do
    check "desktop entry holds $line" grep -qxF "$line" "$entry"
done
# The menu's command, unquoted as a desktop does (string escapes, then the quoting's), starts
# the installed program: it is still running, at its login window, when stopped after 3 s.
command=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$entry" | sed -e 's/\\\\/\\/g' -e 's/\\\(.\)/\1/g')
check "the menu's command is the installed program" test "$command" = "$folder/vestrano"
status=0
as_user env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" HOME="$home" \
    timeout 3 "$command" > /dev/null 2>&1 || status=$?
check "the installed program starts (status $status)" test "$status" = 124
check "scalable icon" cmp -s "$package/desktop/vestrano.svg" "$icons/scalable/apps/vestrano.svg"
for size in 48 128 256; do
    png="$icons/${size}x${size}/apps/vestrano.png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tx1 -j16 -N8 "$png" 2> /dev/null | tr -d ' \n')
    check "PNG icon $size px" test "$dims" = "$(printf '%08x%08x' "$size" "$size")"
done
check "fontconfig sees wine's Tahoma" \
    test -f "$home/.config/fontconfig/conf.d/60-vestrano-tahoma.conf"
if command -v fc-match > /dev/null && [ -f /usr/share/wine/fonts/tahoma.ttf ]; then
    found=$(as_user env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$home" fc-match -f '%{family}' Tahoma)
    check "fc-match finds Tahoma" test "$found" = "Tahoma"
fi

# --- data in the folder, the program changed since ---------------------------------------------
folder_for_data=$folder
export folder_for_data
as_user sh -c '
    folder=$folder_for_data
    mkdir -p "$folder/Documenti_Allegati/Rossi Mario"
    head -c 31510 /dev/urandom > "$folder/Anagrafica.pro"
    head -c 2200 /dev/urandom > "$folder/Registro presenze RSSMRA80A01H501U anno 2026.vsr"
    head -c 500 /dev/urandom > "$folder/Documenti_Allegati/Rossi Mario/contratto.pdf"
    printf "<html>tabella</html>" > "$folder/Anagrafica.xls"
    head -c 900 /dev/urandom > "$folder/Cliente.pdf"
    printf "[Password]\r\nValore=changed\r\n" > "$folder/unins000.dll"
    printf "old program" > "$folder/vestrano"
    printf "old guide" > "$folder/Guida.pdf"
'
data_sums() {
    if [ -d "$folder" ]; then
        (cd "$folder" && find . -type f ! -name vestrano ! -name Guida.pdf -exec sha256sum {} + |
            sort -k2)
    fi
}
data_sums > "$work/before"
check "data fixture has six files" test "$(wc -l < "$work/before")" = 6

# --- install again: program and guide updated, data untouched ---------------------------------
check "second install" installer "$folder" > "$work/out2"
check "program updated" cmp -s "$package/Vestrano/vestrano" "$folder/vestrano"
check "guide updated" cmp -s "$package/Vestrano/Guida.pdf" "$folder/Guida.pdf"
data_sums > "$work/after-install"
check "data unchanged by the second install" cmp -s "$work/before" "$work/after-install"
check "second install says the password file was kept" grep -q "kept as it was" "$work/out2"
check "no leftovers of the installer" \
    test -z "$(find "$folder" "$apps" -name '.vestrano-*')"

# A folder where the program should be is not replaced, and nothing else changes.
as_user mkdir "$work/home/other"
as_user mkdir "$work/home/other/vestrano"
if installer "$work/home/other" > /dev/null 2>&1; then
    fail "install over a folder named vestrano succeeded"
fi
check "the folder named vestrano stays a folder" test -d "$work/home/other/vestrano"

# --- uninstall: program, guide, entry, icons go; data and folder stay --------------------------
check "uninstall" installer --uninstall "$folder" > "$work/out3"
check "program removed" test ! -e "$folder/vestrano"
check "guide removed" test ! -e "$folder/Guida.pdf"
check "desktop entry removed" test ! -e "$entry"
check "fontconfig file removed" test ! -e "$home/.config/fontconfig/conf.d/60-vestrano-tahoma.conf"
check "icons removed" test -z "$(find "$icons" -type f)"
data_sums > "$work/after-uninstall"
check "every data byte kept by uninstall" cmp -s "$work/before" "$work/after-uninstall"
for name in Anagrafica.pro Documenti_Allegati unins000.dll Cliente.pdf; do
    check "uninstall names what it kept: $name" grep -q "^  $name\$" "$work/out3"
done

# --- a menu entry that belongs to another program folder stays --------------------------------
second="$home/Chiavetta/Vestrano"
installer "$folder" > /dev/null || fail "install into the first folder"
installer "$second" > /dev/null || fail "install into the second folder"
installer --uninstall "$folder" > "$work/out4" || fail "uninstall of the first folder"
check "the other folder's menu entry stays" grep -qxF "TryExec=$second/vestrano" "$entry"

# --- a machine without the run-time packages gets the apt-get line ----------------------------
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 1\n' > "$work/bin/dpkg-query"
chmod 755 "$work/bin/dpkg-query"
as_user env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" PATH="$work/bin:$PATH" \
    sh "$package/install.sh" "$folder" > "$work/out5" || fail "install without the packages"
check "the installer names the apt-get line" grep -q \
    "apt-get install --no-install-recommends libqt6widgets6 .*qt6-translations-l10n .*fonts-wine" \
    "$work/out5"

# --- as root too: the installer needs no ordinary user --------------------------------------------
if [ "$(id -u)" = 0 ]; then
    root_home="$work/root-home"
    mkdir -p "$root_home"
    check "install as root" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$root_home" \
        sh "$package/install.sh" > /dev/null
    check "root's default folder is ~/Vestrano" test -x "$root_home/Vestrano/vestrano"
    check "root's desktop entry valid" \
        desktop-file-validate "$root_home/.local/share/applications/vestrano.desktop"
fi

# --- make clean leaves the data in dist/ ------------------------------------------------------
tree="$work/tree"
mkdir -p "$tree/tools" "$tree/resources" "$tree/build" "$tree/dist/Documenti_Allegati"
cp "$source/Makefile" "$source/CMakeLists.txt" "$tree/"
cp "$source/tools/install.sh" "$tree/tools/"
cp "$source/resources/unins000.dll" "$tree/resources/"
touch "$tree/build/build.ninja" "$tree/dist/vestrano" "$tree/dist/Guida.pdf"
head -c 3151 /dev/urandom > "$tree/dist/Anagrafica.pro"
head -c 2200 /dev/urandom > "$tree/dist/Registro presenze X anno 2025.vsr"
head -c 100 /dev/urandom > "$tree/dist/Documenti_Allegati/a.txt"
printf '[Password]\r\nValore=changed\r\n' > "$tree/dist/unins000.dll"
(cd "$tree/dist" && find . -type f ! -name vestrano ! -name Guida.pdf -exec sha256sum {} + |
    sort -k2) > "$work/dist-before"
make -s -C "$tree" clean > "$work/clean-out" 2>&1 || fail "make clean"
if [ -d "$tree/dist" ]; then
    (cd "$tree/dist" && find . -type f -exec sha256sum {} + | sort -k2) > "$work/dist-after"
    check "make clean keeps every data byte in dist/" cmp -s "$work/dist-before" "$work/dist-after"
else
    fail "make clean removed dist/ with its data"
fi
check "make clean removes the build folder" test ! -e "$tree/build"
check "make clean removes the program from dist/" test ! -e "$tree/dist/vestrano"

# A dist/ holding only what the build put there goes altogether.
rm -rf "$tree/dist"
mkdir -p "$tree/dist"
touch "$tree/dist/vestrano" "$tree/dist/Guida.pdf"
cp "$source/resources/unins000.dll" "$tree/dist/"
make -s -C "$tree" clean > /dev/null 2>&1 || fail "make clean of a dist/ without data"
check "a dist/ without data is removed" test ! -e "$tree/dist"

# A build folder a program was started from keeps its data.
mkdir -p "$tree/build"
head -c 3151 /dev/urandom > "$tree/build/Anagrafica.pro"
make -s -C "$tree" clean > /dev/null 2>&1 || fail "make clean with data in build/"
check "a build folder holding data stays" test -f "$tree/build/Anagrafica.pro"

# make install runs this installer with PROGRAM_DIR, by default ~/Vestrano.
check "make install passes PROGRAM_DIR" sh -c \
    "make -s -n -C '$tree' install PROGRAM_DIR=/media/usb/Vestrano | grep -q 'install.sh \"/media/usb/Vestrano\"'"
check "make install defaults to ~/Vestrano" sh -c \
    "HOME=/home/u make -s -n -C '$tree' install | grep -q 'install.sh \"/home/u/Vestrano\"'"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    for f in "$work"/out*; do
        echo "--- $f"
        cat "$f"
    done
    exit 1
fi
echo "install, reinstall, uninstall and make clean: every data byte kept"
