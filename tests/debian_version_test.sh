#!/usr/bin/env bash
# Checks that the Debian package carries the program's version: the newest changelog entry is
# VERSION itself, or VERSION+N for a release that changes only the packaging.
#   tests/debian_version_test.sh <debian dir> <version>
set -euo pipefail
debian=${1:?debian dir}
version=${2:?version}

first=$(head -n 1 "$debian/changelog")
package=$(sed -n 's/^Source: *//p' "$debian/control")
entry=$(sed -n 's/^\([a-z0-9.+-]*\) (\([^)]*\)) [a-z-]*; urgency=[a-z]*$/\1 \2/p' <<<"$first")
[ -n "$entry" ] || { echo "FAIL: the changelog's first line is not an entry: $first" >&2; exit 1; }
read -r name package_version <<<"$entry"
[ "$name" = "$package" ] || { echo "FAIL: changelog names $name, control's Source is $package" >&2; exit 1; }
case "$package_version" in
    "$version" | "$version"+[0-9]*) ;;
    *) echo "FAIL: the package version $package_version is not the program's $version" >&2; exit 1 ;;
esac
echo "package $name $package_version carries the program's version $version"
