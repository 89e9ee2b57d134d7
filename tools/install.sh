#!/bin/sh
# Installs Vestrano for one user on Debian 12 with Qt 6, or removes it again.
#
#   ./install.sh [FOLDER]              installs or updates the program folder FOLDER
#                                      (default ~/Vestrano) with its menu entry and icon
#   ./install.sh --uninstall [FOLDER]  removes the program, the guide, the menu entry and the
#                                      icon; every data file and the folder stay
#
# The program folder holds the program and its data, and copying it is the backup. This
# script writes three files there: the program vestrano and the guide Guida.pdf, which it
# replaces on every run, and the password file unins000.dll, only when the folder has none.
# It never overwrites, moves or deletes anything else in the folder. Outside the folder it
# writes only below the home folder (the menu entry, the icons and a fontconfig file that
# makes wine's Tahoma visible), so it needs no root rights; run as root it installs for root.
#
# It is the installer of the package (beside the ready program folder Vestrano/ and the
# desktop files in desktop/) and the one behind "make install".
set -eu

# What the program needs to run; the build needs more (see the Makefile).
RUNTIME_PACKAGES="libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-translations-l10n fonts-liberation2 fonts-dejavu-core fonts-wine xdg-utils"

fail() {
    echo "install.sh: $*" >&2
    exit 1
}

uninstall=no
if [ "${1:-}" = "--uninstall" ]; then
    uninstall=yes
    shift
fi
[ $# -le 1 ] || fail "usage: install.sh [--uninstall] [FOLDER]"
[ -n "${HOME:-}" ] || fail "HOME is not set"

folder=${1:-$HOME/Vestrano}
[ -n "$folder" ] || fail "the program folder is empty"
case $folder in
    /*) ;;
    *) folder=$PWD/$folder ;;
esac
while [ "$folder" != / ] && [ "${folder%/}" != "$folder" ]; do
    folder=${folder%/}
done
case $folder in
    *'
'*) fail "a program folder whose name holds a line break cannot be started from a menu" ;;
esac

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
config_home=${XDG_CONFIG_HOME:-$HOME/.config}
entry=$data_home/applications/vestrano.desktop
icons=$data_home/icons/hicolor
icon_files="scalable/apps/vestrano.svg 48x48/apps/vestrano.png 128x128/apps/vestrano.png 256x256/apps/vestrano.png"
fontconf=$config_home/fontconfig/conf.d/60-vestrano-tahoma.conf
program=$folder/vestrano

# The program path as the desktop entry's Exec argument: quoted, with " ` $ and \ escaped by
# a backslash, then every backslash doubled as the entry's string escaping asks; % is %%.
exec_argument() {
    printf '"%s"' "$(printf '%s' "$1" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')"
}

# The same path as a plain string value (TryExec): only backslashes are escaped.
string_value() {
    printf '%s' "$1" | sed -e 's/\\/\\\\/g'
}

# Puts a file in place whole: copied beside its destination first, then renamed over it, so
# an interrupted run leaves the old file or the new one, never half of one.
put_file() { # source destination mode
    [ ! -d "$2" ] || fail "$2 is a folder; nothing was changed there"
    tmp=$(dirname "$2")/.vestrano-install.$$
    if cp "$1" "$tmp" && chmod "$3" "$tmp" && mv -fT "$tmp" "$2"; then
        return 0
    fi
    rm -f "$tmp"
    fail "could not write $2"
}

# The programs of the desktop that refresh the menu; a desktop without them rescans by itself.
refresh_menu() {
    if command -v update-desktop-database > /dev/null 2>&1; then
        update-desktop-database -q "$data_home/applications" 2> /dev/null || true
    fi
    if [ -d "$icons" ]; then
        touch "$icons"
    fi
}

if [ $uninstall = yes ]; then
    # The menu entry and the icon go only when they are this folder's: another program folder
    # installed later owns them.
    owner=""
    if [ -f "$entry" ]; then
        owner=$(sed -n 's/^TryExec=//p' "$entry" | sed -e 's/\\\\/\\/g')
    fi
    if [ -z "$owner" ] || [ "$owner" = "$program" ]; then
        rm -f "$entry"
        for f in $icon_files; do
            rm -f "$icons/$f"
        done
        rm -f "$fontconf"
        refresh_menu
        # The folders the installer made for them go too while they are empty.
        for d in $icon_files; do
            d=$icons/$(dirname "$d")
            rmdir "$d" "$(dirname "$d")" 2> /dev/null || true
        done
        rmdir "$icons" "$data_home/icons" "$(dirname "$fontconf")" "$config_home/fontconfig" \
            2> /dev/null || true
        echo "Removed the menu entry and the icon."
    else
        echo "Kept the menu entry and the icon: they start $owner."
    fi
    if [ ! -d "$folder" ]; then
        echo "There is no folder $folder: nothing else to remove."
        exit 0
    fi
    if [ ! -f "$program" ]; then
        echo "$folder holds no Vestrano program: nothing removed there."
    else
        rm -f "$program"
        [ -d "$folder/Guida.pdf" ] || rm -f "$folder/Guida.pdf"
        echo "Removed the program and the guide from $folder."
    fi
    kept=$(ls -A "$folder")
    if [ -n "$kept" ]; then
        echo "Kept the folder $folder with everything in it:"
        printf '%s\n' "$kept" | sed 's/^/  /'
        echo "It holds your data and the password file: copy it as a backup, or delete it"
        echo "yourself when you no longer need it."
    else
        echo "Kept the folder $folder (empty)."
    fi
    exit 0
fi

# The program starts only with these installed, and a menu entry would start nothing without
# them: the installer stops before writing anything and names the command that installs them
# (it needs root, which this script does not ask for).
if command -v dpkg-query > /dev/null 2>&1; then
    missing=""
    for p in $RUNTIME_PACKAGES; do
        dpkg-query -W -f='${Status}\n' "$p" 2> /dev/null | grep -q 'install ok installed' ||
            missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Vestrano needs these Debian packages, which are not installed:$missing" >&2
        echo "Install them as root, then run this installer again:" >&2
        as_root=sudo
        [ "$(id -u)" != 0 ] || as_root=""
        echo "  ${as_root:+$as_root }apt-get install --no-install-recommends$missing" >&2
        echo "Nothing was installed." >&2
        exit 1
    fi
fi

# Installing: the package's files sit beside this script.
package=$(cd "$(dirname "$0")" && pwd)
for f in Vestrano/vestrano Vestrano/Guida.pdf Vestrano/unins000.dll desktop/vestrano.desktop \
         desktop/vestrano.svg desktop/vestrano-48.png desktop/vestrano-128.png \
         desktop/vestrano-256.png desktop/60-vestrano-tahoma.conf; do
    [ -f "$package/$f" ] || fail "$package/$f is missing: this is not a complete Vestrano package"
done

[ ! -e "$folder" ] || [ -d "$folder" ] || fail "$folder exists and is not a folder"
mkdir -p "$folder" || fail "could not create the folder $folder"

# The program and the guide are replaced; a copy onto itself (installing the package's own
# folder) is left alone.
for f in vestrano:755 Guida.pdf:644; do
    name=${f%%:*}
    if [ ! "$package/Vestrano/$name" -ef "$folder/$name" ]; then
        put_file "$package/Vestrano/$name" "$folder/$name" "${f#*:}"
    fi
done

# The password file only when there is none: it holds the user's password once changed.
password=$folder/unins000.dll
if [ -e "$password" ] || [ -L "$password" ]; then
    password_note="kept as it was"
else
    put_file "$package/Vestrano/unins000.dll" "$password" 644
    password_note="the initial one, password VESTRANO"
fi

mkdir -p "$data_home/applications" "$(dirname "$fontconf")"
for size in 48 128 256; do
    mkdir -p "$icons/${size}x${size}/apps"
    put_file "$package/desktop/vestrano-$size.png" "$icons/${size}x${size}/apps/vestrano.png" 644
done
mkdir -p "$icons/scalable/apps"
put_file "$package/desktop/vestrano.svg" "$icons/scalable/apps/vestrano.svg" 644
put_file "$package/desktop/60-vestrano-tahoma.conf" "$fontconf" 644

exec_line="Exec=$(exec_argument "$program")"
tryexec_line="TryExec=$(string_value "$program")"
desktop_tmp=$data_home/applications/.vestrano-entry.$$
while IFS= read -r line; do
    case $line in
        Exec=*) printf '%s\n' "$exec_line" ;;
        TryExec=*) printf '%s\n' "$tryexec_line" ;;
        *) printf '%s\n' "$line" ;;
    esac
done < "$package/desktop/vestrano.desktop" > "$desktop_tmp" &&
    chmod 644 "$desktop_tmp" && mv -fT "$desktop_tmp" "$entry" ||
    { rm -f "$desktop_tmp"; fail "could not write $entry"; }
refresh_menu

echo "Vestrano is installed in $folder:"
echo "  the program vestrano and the guide Guida.pdf"
echo "  the password file unins000.dll: $password_note"
echo "Nothing else in the folder was touched. The menu entry is $entry."
