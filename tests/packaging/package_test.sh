#!/usr/bin/env bash
# The Debian package as a user meets it: built once with cpack, unpacked with
# dpkg -x into a temporary root, its programs run from there. Checks the
# package's name and dependencies, --version and --help of the three programs,
# that the installed window finds its help document in share/antraid, the menu
# entry (desktop-file-validate), and that the frames of an antraid-script
# session go to the per-user data folder when the program's folder is
# read-only. As root a read-only folder can still be written, so that session
# runs as the user nobody (setpriv); as any other user it runs as that user
# with the folder's write permission taken away.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fail() { echo "package test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp/pkg" >/dev/null)
deb="$tmp/pkg/antraid_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$tmp/pkg")"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libstdc++6; do
  [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

root="$tmp/root"
dpkg -x "$deb" "$root"
bin="$root/usr/bin"
export QT_QPA_PLATFORM=offscreen
[ "$("$bin/antraid-script" --version)" = "antraid-script $version" ] || fail "antraid-script --version"
[ "$("$bin/antraid-sweep" --version)" = "antraid-sweep $version" ] || fail "antraid-sweep --version"
[ "$("$bin/antraid" --version)" = "antraid $version
help document: $root/usr/share/antraid/help.rtf" ] || fail "antraid --version: $("$bin/antraid" --version)"
"$bin/antraid" --help | grep -q "^Usage: antraid" || fail "antraid --help"
"$bin/antraid-script" --help | grep -q "^usage: antraid-script" || fail "antraid-script --help"
"$bin/antraid-sweep" --help | grep -q "^Usage: antraid-sweep" || fail "antraid-sweep --help"
for f in usr/share/man/man1/antraid.1.gz usr/share/man/man1/antraid-sweep.1.gz usr/share/man/man1/antraid-script.1.gz \
  usr/share/bash-completion/completions/antraid-sweep usr/share/bash-completion/completions/antraid-script \
  usr/share/icons/hicolor/scalable/apps/antraid.svg usr/share/doc/antraid/examples/food-distribution.toml; do
  [ -s "$root/$f" ] || fail "$f is missing"
done
desktop-file-validate "$root/usr/share/applications/antraid.desktop" || fail "desktop-file-validate"

# Completion: antraid-sweep --sh<TAB> offers --shard.
offered=$(bash -c 'source "$1"; COMP_WORDS=(antraid-sweep --sh); COMP_CWORD=1; _antraid_sweep; echo "${COMPREPLY[*]}"' \
  _ "$root/usr/share/bash-completion/completions/antraid-sweep")
[ "$offered" = "--shard" ] || fail "completion of --sh gave \"$offered\""

# A short session that saves frames, run with the read-only program folder.
folder="$root/usr/share/antraid"
home="$tmp/home"
mkdir -p "$home"
printf 'click chkSaveImages\nclick cmdStartProgram\nwait 4\nclick cmdPause\nwait 1\nprint frameNumber\n' > "$tmp/frames.script"
chmod 644 "$tmp/frames.script"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env)
else
  chmod a-w "$folder"
fi
out=$(cd "$home" && "${as_user[@]}" env HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen \
  "$bin/antraid-script" --seed 1 --app-path "$folder" "$tmp/frames.script" 2>"$tmp/err") ||
  fail "the session failed: $(cat "$tmp/err")"
[ "$(cat "$tmp/err")" = "The program's folder $folder cannot be written: frames are saved below $home/.local/share/antraid instead" ] ||
  fail "the log line: $(cat "$tmp/err")"
ls "$home/.local/share/antraid/results/TrackAnts0.bmp" >/dev/null || fail "no frame in the per-user folder"
[ ! -e "$folder/results" ] || fail "frames went into the program's folder"
[ "$out" != "frameNumber=0" ] || fail "no frame was saved: $out"
echo "package test: $(basename "$deb") passed"
