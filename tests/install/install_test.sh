#!/bin/sh
# Installs Vestrano into a temporary home and program folder as an ordinary user, checks the
# menu entry and the icons, puts data files in the folder, installs again, uninstalls, and
# compares every data byte; does the same by cmake --install; then runs "make clean" on a copy
# of the Makefile over program folders holding data.
# Run by CTest:  install_test.sh PACKAGE_FOLDER SOURCE_FOLDER BUILD_FOLDER
set -eu

source=$2
build=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -m 700 "$work/runtime"
failures=0
# The installer runs from a copy of the package: the ordinary user of the test may not enter
# the folder the sources were cloned into (root's home is 0700).
cp -R "$1" "$work/package"
chmod -R a+rX "$work/package"
package=$work/package

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
check "icons removed" test -z "$(find "$home/.local/share" -path '*/icons/*' -type f)"
check "the icon folders the installer made are removed" test ! -e "$home/.local/share/icons"
check "the fontconfig folders the installer made are removed" test ! -e "$home/.config/fontconfig"
check "the applications folder stays" test -d "$apps"
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

# --- a machine without the run-time packages gets the apt-get line and nothing else ----------
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 1\n' > "$work/bin/dpkg-query"
chmod 755 "$work/bin/dpkg-query"
bare="$work/bare-home"
mkdir -p "$bare"
[ "$(id -u)" != 0 ] || chown 65534:65534 "$bare"
if as_user env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$bare" PATH="$work/bin:$PATH" \
    sh "$package/install.sh" > "$work/out5" 2>&1; then
    fail "install without the packages reported success"
fi
check "the installer names the apt-get line" grep -q \
    "apt-get install --no-install-recommends libqt6widgets6 .*qt6-translations-l10n .*fonts-wine" \
    "$work/out5"
check "without the packages nothing is installed, no menu entry either" \
    test -z "$(find "$bare" -mindepth 1)"

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

# --- cmake --install: the same program folder, menu entry and icons below a prefix ----------
prefix="$work/cmake-home"
cmake_install() {
    cmake --install "$build" --prefix "$prefix" --strip > "$work/out-cmake" 2>&1
}
check "cmake --install" cmake_install
cfolder="$prefix/Vestrano"
centry="$prefix/.local/share/applications/vestrano.desktop"
check "cmake --install: program stripped and executable" sh -c \
    "test -x '$cfolder/vestrano' && ! readelf -S '$cfolder/vestrano' | grep -q '\.symtab'"
check "cmake --install: guide" cmp -s "$package/Vestrano/Guida.pdf" "$cfolder/Guida.pdf"
check "cmake --install: password file" cmp -s "$package/Vestrano/unins000.dll" "$cfolder/unins000.dll"
check "cmake --install: desktop entry valid" desktop-file-validate "$centry"
check "cmake --install: Exec names the program" grep -qxF "Exec=\"$cfolder/vestrano\"" "$centry"
check "cmake --install: TryExec names the program" grep -qxF "TryExec=$cfolder/vestrano" "$centry"
check "cmake --install: the entry keeps its other lines" grep -qxF "Categories=Office;" "$centry"
for f in scalable/apps/vestrano.svg 48x48/apps/vestrano.png 128x128/apps/vestrano.png \
         256x256/apps/vestrano.png; do
    check "cmake --install: icon $f" test -f "$prefix/.local/share/icons/hicolor/$f"
done
check "cmake --install: fontconfig file" \
    test -f "$prefix/.config/fontconfig/conf.d/60-vestrano-tahoma.conf"
printf "[Password]\r\nValore=changed\r\n" > "$cfolder/unins000.dll"
head -c 3151 /dev/urandom > "$cfolder/Anagrafica.pro"
(cd "$cfolder" && sha256sum unins000.dll Anagrafica.pro) > "$work/cmake-before"
check "cmake --install again" cmake_install
check "cmake --install again keeps the password file and the data" \
    sh -c "cd '$cfolder' && sha256sum -c --quiet '$work/cmake-before'"

# --- make clean leaves the data in the program folders ----------------------------------------
tree="$work/tree"
mkdir -p "$tree/tools" "$tree/resources" "$tree/build/dist/Documenti_Allegati" "$tree/build/sub"
cp "$source/Makefile" "$source/CMakeLists.txt" "$tree/"
cp "$source/tools/install.sh" "$source/tools/move_dist.sh" "$tree/tools/"
cp "$source/resources/unins000.dll" "$tree/resources/"
touch "$tree/build/build.ninja" "$tree/build/sub/x.o" "$tree/build/dist/vestrano" \
    "$tree/build/dist/Guida.pdf"
head -c 3151 /dev/urandom > "$tree/build/dist/Anagrafica.pro"
head -c 2200 /dev/urandom > "$tree/build/dist/Registro presenze X anno 2025.vsr"
head -c 100 /dev/urandom > "$tree/build/dist/Documenti_Allegati/a.txt"
printf '[Password]\r\nValore=changed\r\n' > "$tree/build/dist/unins000.dll"
dist_sums() {
    (cd "$1" && find . -type f ! -name vestrano ! -name Guida.pdf -exec sha256sum {} + | sort -k2)
}
dist_sums "$tree/build/dist" > "$work/dist-before"
make -s -C "$tree" clean > "$work/clean-out" 2>&1 || fail "make clean"
if [ -d "$tree/build/dist" ]; then
    dist_sums "$tree/build/dist" > "$work/dist-after"
    check "make clean keeps every data byte in build/dist" \
        cmp -s "$work/dist-before" "$work/dist-after"
else
    fail "make clean removed build/dist with its data"
fi
check "make clean removes the rest of the build folder" \
    test "$(ls -A "$tree/build")" = dist
check "make clean removes the program from build/dist" test ! -e "$tree/build/dist/vestrano"

# A build folder whose dist/ holds only what the build put there goes altogether.
rm -rf "$tree/build"
mkdir -p "$tree/build/dist"
touch "$tree/build/build.ninja" "$tree/build/dist/vestrano" "$tree/build/dist/Guida.pdf"
cp "$source/resources/unins000.dll" "$tree/build/dist/"
make -s -C "$tree" clean > /dev/null 2>&1 || fail "make clean of a dist/ without data"
check "a build folder without data is removed" test ! -e "$tree/build"

# A build folder a program was started from keeps its data.
mkdir -p "$tree/build"
head -c 3151 /dev/urandom > "$tree/build/Anagrafica.pro"
make -s -C "$tree" clean > /dev/null 2>&1 || fail "make clean with data in build/"
check "a build folder holding data stays" test -f "$tree/build/Anagrafica.pro"
rm -rf "$tree/build"

# The old top-level dist/: make clean keeps its data too, and its data move into the build's
# program folder once, when that holds none.
mkdir -p "$tree/dist/Documenti_Allegati" "$tree/build/dist"
touch "$tree/dist/vestrano" "$tree/build/dist/vestrano"
cp "$source/resources/unins000.dll" "$tree/build/dist/"
head -c 3151 /dev/urandom > "$tree/dist/Anagrafica.pro"
head -c 100 /dev/urandom > "$tree/dist/Documenti_Allegati/a.txt"
printf '[Password]\r\nValore=changed\r\n' > "$tree/dist/unins000.dll"
dist_sums "$tree/dist" > "$work/old-before"
make -s -C "$tree" clean > /dev/null 2>&1 || fail "make clean with data in dist/"
check "make clean keeps the data in the old dist/" \
    sh -c "test ! -e '$tree/dist/vestrano' && (cd '$tree/dist' && sha256sum -c --quiet '$work/old-before')"
mkdir -p "$tree/build/dist"
touch "$tree/build/dist/vestrano"
cp "$source/resources/unins000.dll" "$tree/build/dist/"
(cd "$tree" && sh tools/move_dist.sh dist build/dist resources/unins000.dll) > "$work/move-out" ||
    fail "moving the old dist/"
check "the old dist/ is gone once its data moved" test ! -e "$tree/dist"
check "its data and password file are in build/dist" \
    sh -c "cd '$tree/build/dist' && sha256sum -c --quiet '$work/old-before'"
mkdir -p "$tree/dist"
head -c 10 /dev/urandom > "$tree/dist/Cliente.pdf"
(cd "$tree" && sh tools/move_dist.sh dist build/dist resources/unins000.dll) > /dev/null ||
    fail "a second old dist/"
check "data are never moved over data" test -f "$tree/dist/Cliente.pdf"
check "nor is build/dist's data touched" \
    sh -c "cd '$tree/build/dist' && sha256sum -c --quiet '$work/old-before'"
printf '#!/bin/sh\necho started\n' > "$tree/build/dist/vestrano"
chmod 755 "$tree/build/dist/vestrano"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY make -s -C "$tree" -o program run > "$work/run-out" 2>&1 ||
    status=$?
check "make run without a display fails (status $status)" test "$status" != 0
check "make run without a display says why and starts nothing" \
    sh -c "grep -q 'needs a graphical display' '$work/run-out' && ! grep -q started '$work/run-out'"

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
