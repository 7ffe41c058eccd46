#!/usr/bin/env bash
# The set-up command as different people run it: a user installs through sudo
# (or is told clearly that sudo is missing), root in someone's checkout builds
# and runs as that user and gives back build folders it left, and CI builds as
# root. apt-get, dpkg-query, cmake and the program are stand-ins that record
# who ran them, so nothing is installed or built. Needs root to switch users.
#   test_dev_setup.sh PATH/TO/tools/dev.sh
set -euo pipefail
dev_sh=$1
[ "$(id -u)" -eq 0 ] || { echo "SKIP: switching users needs root"; exit 77; }
user=nobody
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
runuser -u "$user" -- test -x "$tmp" || { echo "SKIP: $user cannot reach $tmp"; exit 77; }
fail() { echo "FAIL: $*"; [ -f "$tmp/log" ] && sed 's/^/  log: /' "$tmp/log"; exit 1; }

# Only these commands are on PATH, so a real sudo or apt-get never answers.
mkdir "$tmp/bin"
for tool in bash sh env id stat getent chown grep dirname mkdir cat nproc chmod runuser; do
  ln -s "$(command -v "$tool")" "$tmp/bin/$tool"
done
stub() { printf '#!/bin/sh\n%s\n' "$2" > "$tmp/bin/$1"; chmod 755 "$tmp/bin/$1"; }
record='echo "$(id -un) '
stub apt-get "$record"'apt-get $*" >> '"$tmp/log"
stub cmake "$record"'cmake $*" >> '"$tmp/log"'
mkdir -p build/src
printf "#!/bin/sh\necho \"\$(id -un) orvanta\" >> '"$tmp/log"'\n" > build/src/orvanta
chmod 755 build/src/orvanta'
# Installed unless named in MISSING.
stub dpkg-query 'for p in $MISSING; do for a; do [ "$a" = "$p" ] && exit 1; done; done; printf "install ok installed"'
with_sudo() { stub sudo "$record"'sudo $*" >> '"$tmp/log"'; exec "$@"'; }
without_sudo() { rm -f "$tmp/bin/sudo"; }

# A fresh checkout owned by $1 with a log anyone may write.
checkout() {
  rm -rf "$tmp/co" "$tmp/log"
  mkdir -p "$tmp/co/tools"
  cp "$dev_sh" "$tmp/co/tools/dev.sh"
  chown -R "$1": "$tmp/co"
  : > "$tmp/log"; chmod 666 "$tmp/log"
}
# Runs the set-up as root or as the user, in the checkout, with the PATH above.
as() {
  local who=$1; shift
  if [ "$who" = root ]; then
    (cd "$tmp/co" && env -i PATH="$tmp/bin" HOME=/root "$@" bash tools/dev.sh run) >"$tmp/out" 2>&1
  else
    (cd "$tmp/co" && runuser -u "$who" -- env -i PATH="$tmp/bin" HOME=/nonexistent "$@" bash tools/dev.sh run) >"$tmp/out" 2>&1
  fi
}
logged() { grep -qxF "$1" "$tmp/log" || fail "$2"; }

# --- A user without sudo and a missing package: told what to do, nothing run.
checkout "$user"; without_sudo
as "$user" MISSING=lintian && fail "the set-up went on without the package"
grep -q 'sudo is not installed' "$tmp/out" && grep -qF "su -c 'bash tools/dev.sh run'" "$tmp/out" \
  || fail "no clear word about the missing sudo and what to run instead: $(cat "$tmp/out")"
[ ! -s "$tmp/log" ] || fail "something ran although nothing could be installed"

# --- A user with sudo: apt-get through sudo, the build and the program as the user.
checkout "$user"; with_sudo
as "$user" MISSING="lintian xdg-utils" || fail "the set-up failed: $(cat "$tmp/out")"
logged "$user sudo apt-get update" "apt-get update not run through sudo"
logged "$user sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y lintian xdg-utils" "the missing packages not installed through sudo"
logged "$user cmake --build build -j$(nproc)" "the build did not run as the user"
logged "$user orvanta" "the program did not start as the user"

# --- Root (sudo, su) in the user's checkout, with a build folder root left
# behind: the folder goes back to the user, who builds and runs.
checkout "$user"; without_sudo
mkdir -p "$tmp/co/build/src"; touch "$tmp/co/build/CMakeCache.txt"
as root SUDO_USER="$user" || fail "the set-up failed: $(cat "$tmp/out")"
logged "$user cmake --build build -j$(nproc)" "root built in the user's checkout"
logged "$user orvanta" "root started the program in the user's checkout"
grep -q "root" <<<"$(stat -c %U "$tmp/co/build" "$tmp/co/build/CMakeCache.txt" "$tmp/co/build/src/orvanta")" \
  && fail "build/ is still root's"

# --- A user whose build folder root still holds: told how to get it back.
checkout "$user"; without_sudo
mkdir -p "$tmp/co/build"
as "$user" && fail "the set-up went on with a build folder it cannot write"
grep -q 'sudo chown -R' "$tmp/out" || fail "no word on how to get build/ back: $(cat "$tmp/out")"

# --- CI: root, CI=true, a checkout of any owner: root builds, as before.
checkout "$user"; without_sudo
as root CI=true || fail "the set-up failed under CI: $(cat "$tmp/out")"
logged "root cmake --build build -j$(nproc)" "CI did not build as root"
checkout root
as root || fail "the set-up failed for root: $(cat "$tmp/out")"
logged "root orvanta" "root's own checkout did not run as root"

# --- A wrong command is refused before anything is installed.
checkout "$user"; with_sudo
status=0
(cd "$tmp/co" && env -i PATH="$tmp/bin" MISSING=lintian bash tools/dev.sh frobnicate) >"$tmp/out" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "a wrong command did not end with status 2"
[ ! -s "$tmp/log" ] || fail "a wrong command still installed or built"
echo "PASS: the set-up builds as the checkout's owner and installs through sudo"
