#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree:
#   check_install_tree.sh CMAKE BUILD_DIR EXAMPLES_DIR VERSION
set -euo pipefail
cmake="$1" build="$2" examples="$3" version="$4"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

id=io.github.velmora.Velmora
expected=(
  bin/velmora
  bin/velmora-cli
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/icons/hicolor/256x256/apps/$id.png
  share/man/man1/velmora.1.gz
  share/man/man1/velmora-cli.1.gz
  share/bash-completion/completions/velmora-cli
  share/doc/velmora/copyright
  share/doc/velmora/changelog.gz
)
status=0
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
for program in velmora velmora-cli; do
  [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program"; status=1; }
done
# Nothing installed that the list does not name.
while IFS= read -r file; do
  found=0
  for name in "${expected[@]}"; do [ "$file" = "$name" ] && found=1; done
  [ $found -eq 1 ] || { echo "unexpected: $file"; status=1; }
done < <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)

# The icon is the size its folder says.
png="$prefix/share/icons/hicolor/256x256/apps/$id.png"
size="$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')"
[ "$size" = "0 0 1 0 0 0 1 0" ] || { echo "icon is not 256x256: $size"; status=1; }

# The release in the metainfo and the manual pages is the program's.
grep -q "version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo release"; status=1; }
zgrep -q "Velmora $version" "$prefix/share/man/man1/velmora-cli.1.gz" || { echo "manual page release"; status=1; }

# The installed tool runs from its new place.
[ "$("$prefix/bin/velmora-cli" --version)" = "velmora-cli $version" ] || { echo "velmora-cli --version"; status=1; }
text="$(find "$examples" -name '*.txt' | sort | head -n 1)"
"$prefix/bin/velmora-cli" export "$text" -o "$prefix/out.mid" --no-settings --seed 1
[ "$(head -c 4 "$prefix/out.mid")" = "MThd" ] || { echo "velmora-cli export wrote no MIDI file"; status=1; }
exit $status
