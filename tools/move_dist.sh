#!/bin/sh
# Moves the data a developer kept in the old program folder dist/ at the top of the sources
# into the program folder of the build (build/dist), once, so "make run" finds it there:
#
#   move_dist.sh OLD_FOLDER NEW_FOLDER DELIVERED_PASSWORD_FILE
#
# Only while the new folder holds no data of its own (nothing but the program, the guide and
# the delivered password file) and no program runs in the old one (vestrano.lock). The old
# program and guide go; the old folder goes when it is empty then. Nothing is overwritten but
# the delivered password file, by the one the developer may have changed.
set -eu
old=$1
new=$2
delivered=$3

[ -d "$old" ] || exit 0
[ ! "$old" -ef "$new" ] || exit 0
[ -d "$new" ] || exit 0

data_of() { # folder: the names there that are not the build's outputs
    for e in "$1"/* "$1"/.[!.]*; do
        [ -e "$e" ] || [ -L "$e" ] || continue
        name=${e##*/}
        case $name in
            vestrano | Guida.pdf) ;;
            unins000.dll) cmp -s "$delivered" "$e" || echo "$name" ;;
            *) echo "$name" ;;
        esac
    done
}

if [ -e "$old/vestrano.lock" ]; then
    echo "$old/ is in use (vestrano.lock): its data stay there for now."
    exit 0
fi
old_data=$(data_of "$old")
new_data=$(data_of "$new")
if [ -n "$old_data" ] && [ -n "$new_data" ]; then
    echo "$old/ holds data and so does $new/: $old/ is left as it is; move what you need by hand."
    exit 0
fi
if [ -n "$old_data" ]; then
    printf '%s\n' "$old_data" | while IFS= read -r name; do
        mv -f "$old/$name" "$new/$name"
    done
    echo "The program folder is now $new/: moved there from $old/:" $old_data
fi
rm -f "$old/vestrano" "$old/Guida.pdf"
if cmp -s "$delivered" "$old/unins000.dll"; then
    rm -f "$old/unins000.dll"
fi
rmdir "$old" 2> /dev/null || true
