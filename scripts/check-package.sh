#!/usr/bin/env bash
# Looks inside a built rk7power .deb: its dependencies, its files, and its programs started from
# a scratch root (dpkg -x), so that a package that cannot run is caught before it is shipped;
# then lintian, Debian's own checker, which must report no error and no warning.
#   scripts/check-package.sh build/default/rk7power_2.46_amd64.deb
set -euo pipefail

deb=${1:?usage: $0 PACKAGE.deb}
[ -f "$deb" ] || { echo "$0: $deb: no such package" >&2; exit 1; }

fail() {
    echo "check-package: $*" >&2
    exit 1
}

version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Package: $(dpkg-deb -f "$deb" Package) $version"
echo "Depends: $depends"
for dep in fonts-liberation libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

for path in usr/bin/rk7power usr/bin/rk7power-render usr/share/applications/rk7power.desktop \
    usr/share/metainfo/io.github.rk7power.metainfo.xml \
    usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/rk7power.png \
    usr/share/doc/rk7power/{copyright,changelog.gz} \
    usr/share/man/man1/{rk7power,rk7power-cli,rk7power-render}.1.gz \
    usr/share/rk7power/translations/rk7power_de.qm; do
    [ -e "$root/$path" ] || fail "/$path is not in the package"
done
# The printing module, loaded at the first print from the library folder beside /usr/bin.
module=$(find "$root/usr/lib" -path '*/rk7power/rk7power-printing.so' -type f | head -n 1)
[ -n "$module" ] || fail "the printing module rk7power-printing.so is not in the package"
! ldd "$module" | grep -q "not found" || fail "${module#"$root"}: a library it needs is missing"
echo "Printing module: ${module#"$root"}"
grep -q "^License: GPL-3+$" "$root/usr/share/doc/rk7power/copyright" ||
    fail "the copyright file does not name the license GPL-3+"

# The programs run from the scratch root on the system's libraries alone.
export QT_QPA_PLATFORM=offscreen
for program in "$root"/usr/bin/*; do
    said=$("$program" --version 2>/dev/null) || fail "$(basename "$program") --version failed"
    echo "$(basename "$program") --version: $(head -n 1 <<<"$said")"
    grep -q "$version" <<<"$said" || fail "$(basename "$program") does not say $version"
    grep -q "^License GPL-3.0-or-later" <<<"$said" || fail "$(basename "$program") names no license"
done
unset QT_QPA_PLATFORM
"$root/usr/bin/rk7power-render" --png "$root/view.png" --size 320x200 2>/dev/null ||
    fail "rk7power-render could not paint a view"
echo "rk7power-render painted $(file -b "$root/view.png")"

# Any error or warning fails; the informational tags are shown but pass.
echo "lintian $(lintian --version | sed 's/^Lintian v//'):"
lintian --display-info --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
echo "Package checked: $deb"
