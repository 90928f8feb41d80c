#!/usr/bin/env bash
# The installed programs, as a user meets them:
#   1. `cmake --install BUILD --prefix TMP/usr`; the tree is then made read-only;
#   2. vorlix-cli bench --levels 0-2 and kelvor-cli think run from TMP/usr/bin with a
#      fresh XDG_CONFIG_HOME, and nothing is written into the install tree;
#   3. the README's example player library is built against the installed header alone
#      and played by the installed vorlix-cli;
#   4. `cpack -G DEB` builds the package, `dpkg-deb --info` shows its dependencies, and
#      the same two commands run from the package unpacked with `dpkg -x`;
#   5. the installed desktop entries and metainfo validate (when the validators exist).
# As root the programs run as the user "nobody", so that the read-only tree is real.
#
#   bash packaging/check_install.sh BUILD_DIR
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"

fail() { echo "check_install: $*" >&2; exit 1; }

as_user=()
if [ "$(id -u)" -eq 0 ] && id nobody > /dev/null 2>&1; then
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi

# run_programs ROOT: the two commands of the installed tree under ROOT (ROOT/usr/bin).
run_programs() {
    local root=$1 home
    home=$(mktemp -d "$tmp/home.XXXX")
    chmod 777 "$home"
    local env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config"
               XDG_DATA_HOME="$home/data" LC_ALL=C)
    local out
    out=$("${as_user[@]}" "${env[@]}" "$root/usr/bin/vorlix-cli" bench --levels 0-2) \
        || fail "vorlix-cli bench failed in $root"
    grep -q '^Bench signature: ' <<<"$out" || fail "no bench signature from $root: $out"
    echo "$root: $(tail -1 <<<"$out")"
    out=$("${as_user[@]}" "${env[@]}" "$root/usr/bin/kelvor-cli" think --variant renju --size 15 \
        --level 3 --moves H8 J9) || fail "kelvor-cli think failed in $root"
    grep -q '^move ' <<<"$out" || fail "kelvor-cli think printed no move in $root: $out"
    echo "$root: $out"
}

# 1. Install.
cmake --install "$build" --prefix "$tmp/inst/usr" > "$tmp/install.log" || { cat "$tmp/install.log"; fail "install failed"; }
for f in bin/vorlix-cli bin/kelvor-cli bin/pbrain-vorlix bin/vorlix-player-host lib/vorlix/Players/players.so \
         lib/vorlix/Players/gomocup.so lib/vorlix/Players/gomocup.txt share/vorlix/data/kezd.dat \
         share/vorlix/renju.tbl share/vorlix/vorlix.hlp include/vorlix_plugin.h \
         share/man/man6/vorlix-cli.6 share/man/man6/kelvor-cli.6 share/man/man6/pbrain-vorlix.6; do
    [ -e "$tmp/inst/usr/$f" ] || fail "not installed: $f"
done

# 3 (first half). The example library, built from the README's text against the installed
# header only, goes into the players folder before the tree is made read-only.
sed -n '/^```c$/,/^```$/p' "$here/README.md" | sed '1d;$d' > "$tmp/first_empty.c"
[ -s "$tmp/first_empty.c" ] || fail "no C example in README.md"
cc -std=c11 -Wall -Wextra -Wno-unused-parameter -Werror -shared -fPIC -I"$tmp/inst/usr/include" \
    -o "$tmp/inst/usr/lib/vorlix/Players/first_empty.so" "$tmp/first_empty.c" \
    || fail "the README's example does not build against the installed header"

chmod -R a-w "$tmp/inst"
stamp=$tmp/stamp
touch "$stamp"

# 2. Run from the read-only tree.
run_programs "$tmp/inst"
home=$(mktemp -d "$tmp/home.XXXX") && chmod 777 "$home"
out=$("${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    "$tmp/inst/usr/bin/vorlix-cli" think --player first_empty:FirstEmpty --moves H8) \
    || fail "the example library did not play"
[ "$out" = "move A1" ] || fail "the example library played '$out', not 'move A1'"
echo "example library: $out"
written=$(find "$tmp/inst" -newer "$stamp")
[ -z "$written" ] || fail "written into the install tree: $written"

# The man page and the tool's own help say the same.
if command -v man > /dev/null; then
    MANWIDTH=80 man -l "$tmp/inst/usr/share/man/man6/vorlix-cli.6" 2>/dev/null | grep -q 'think --player ID' \
        || fail "the installed man page of vorlix-cli does not describe think"
fi
"$tmp/inst/usr/bin/vorlix-cli" help think | grep -q 'think --player ID' || fail "vorlix-cli help think"

# 4. The package.
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" > "$tmp/cpack.log") \
    || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(ls "$tmp"/pkg/*.deb)
info=$(dpkg-deb --info "$deb")
depends=$(grep '^ Depends:' <<<"$info") || fail "the package declares no dependencies"
echo "$(basename "$deb"):$depends"
grep -q 'libqt6widgets6' <<<"$depends" || fail "the package does not depend on Qt Widgets"
dpkg -x "$deb" "$tmp/deb"
chmod -R a-w "$tmp/deb"
run_programs "$tmp/deb"

# 5. The desktop files as installed.
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$tmp"/deb/usr/share/applications/*.desktop || fail "desktop entries"
fi
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$tmp"/deb/usr/share/metainfo/*.metainfo.xml > /dev/null \
        || fail "metainfo"
fi
echo "check_install: the installed tree and the package work"
