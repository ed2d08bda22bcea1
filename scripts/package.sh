#!/usr/bin/env bash
# Builds the Debian package from a build without sanitizers, then checks it:
# its control fields, its exact contents, its dependencies against the
# libraries the programs load, and the programs run from a staging copy of
# the package (never installed on this system).
#   scripts/package.sh [--build-dir DIR]     (default build-package)
# Prints the package's path last. CI runs it from scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-package
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir="$2"; shift ;;
    *) echo "package.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

scripts/install-deps.sh
for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is needed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

fail() { echo "package.sh: $*" >&2; exit 1; }
started=$(date +%s)

# Only what the package holds: no tests, no benchmarks, no sanitizers, and
# the optimisation and hardening flags Debian builds its own packages with
# (less -g: the programs are stripped). Warnings are the sanitizer build's
# gate (-Werror there); here a warning that one set of flags shows and the
# other does not must not stop the package.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed 's/\(^\| \)-g\( \|$\)/ /')"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DHX642_SANITIZE=OFF -DHX642_WERROR=OFF -DHX642_BUILD_TESTS=OFF -DHX642_BUILD_BENCH=OFF >/dev/null
rm -f "$build_dir"/hx642_*.deb
# The programs and pages alone (the package target would build every library
# first), then CPack from the install rules, as the package target runs it.
cmake --build "$build_dir" --target hx642 hx642-cli hx642-headsim hx642_man_pages -j "$(nproc)"
(cd "$build_dir" && cpack --config CPackConfig.cmake >/dev/null)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$build_dir/hx642_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb was built"

# ---- control fields ----
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = hx642 ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project says $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Maintainer)" = Corvane ] || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Section)" = science ] || fail "Section is '$(field Section)'"
field Description | grep 'sidescan sonar' >/dev/null || fail "the description does not say what the package is"
depends=$(field Depends)
[ -n "$depends" ] || fail "the package declares no dependencies"
# Package names alone, one a line.
depends_names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:.*//; s/ //g' | sed '/^$/d' | sort -u)

# ---- contents: exactly these files, owned by root, with these modes ----
expected=$(cat <<LIST
-rwxr-xr-x ./usr/bin/hx642
-rwxr-xr-x ./usr/bin/hx642-cli
-rwxr-xr-x ./usr/bin/hx642-headsim
-rw-r--r-- ./usr/share/applications/com.corvane.hx642.desktop
-rw-r--r-- ./usr/share/doc/hx642/README.md
-rw-r--r-- ./usr/share/doc/hx642/copyright
-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/com.corvane.hx642.svg
-rw-r--r-- ./usr/share/man/man1/hx642-cli.1.gz
-rw-r--r-- ./usr/share/man/man1/hx642-headsim.1.gz
-rw-r--r-- ./usr/share/man/man1/hx642.1.gz
-rw-r--r-- ./usr/share/metainfo/com.corvane.hx642.metainfo.xml
-rw-r--r-- ./usr/share/mime/packages/com.corvane.hx642.xml
LIST
)
contents=$(dpkg-deb --contents "$deb")
actual=$(echo "$contents" | awk '$1 !~ /^d/ {print $1, $6}' | sort -k2)
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  fail "the package's files differ from the expected list (above: - expected, + packaged)"
fi
echo "$contents" | awk '{print $2}' | grep -v '^root/root$' >/dev/null && fail "files not owned by root/root"

# ---- a staging copy of the package ----
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dpkg-deb --extract "$deb" "$stage/root"

# ---- dependencies: every library a program links comes from a declared package ----
# (Only the libraries named in the program itself: what those load in turn
# their own packages bring.)
# The package that owns a library, by the path ldd shows or the file it links
# to (Debian 12 registers some libraries under /lib, some under /usr/lib).
owner_of() {
  local path owner
  for path in "$1" "$(readlink -f "$1")" "${1#/usr}" "$(readlink -f "$1" | sed 's,^/usr,,')"; do
    owner=$(dpkg -S "$path" 2>/dev/null | head -n 1) && [ -n "$owner" ] && { echo "${owner%%:*}"; return; }
  done
}
for program in hx642 hx642-cli hx642-headsim; do
  binary="$stage/root/usr/bin/$program"
  objdump -p "$binary" | grep -E 'NEEDED +lib(a|ub)san' && fail "$program is built with the sanitizers"
  readelf -S "$binary" | grep '\.debug_info' >/dev/null && fail "$program is not stripped"
  readelf -h "$binary" | grep -E 'Type: +DYN' >/dev/null || fail "$program is not position independent"
  readelf -l "$binary" | grep GNU_RELRO >/dev/null || fail "$program has no read-only relocations"
  ldd "$binary" | grep 'not found' >/dev/null && fail "$program needs a library that is not installed: $(ldd "$binary" | grep 'not found')"
  for soname in $(objdump -p "$binary" | awk '$1 == "NEEDED" {print $2}'); do
    # "libX.so.N => /path (addr)", or the dynamic loader as "/path/ld-linux... (addr)".
    lib=$(ldd "$binary" | awk -v n="$soname" '($1 == n && $3 ~ /^\//) {print $3} ($1 ~ /^\// && substr($1, length($1) - length(n)) == "/" n) {print $1}')
    [ -n "$lib" ] || fail "$program needs $soname, which ldd does not find"
    owner=$(owner_of "$lib")
    [ -n "$owner" ] || fail "$program links $lib, which no Debian package owns"
    echo "$depends_names" | grep -x "$owner" >/dev/null ||
      fail "$program links $lib from $owner, which Depends does not name: $depends"
  done
done

# ---- the staged programs run ----
home="$stage/home"
mkdir -p "$home/.run" && chmod 700 "$home/.run"
run_env=(env -u HX642_HEADSIM HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/.run"
         HX642_LOOPBACK_ONLY=1 QT_QPA_PLATFORM=offscreen)
for program in hx642 hx642-cli hx642-headsim; do
  said=$("${run_env[@]}" timeout 30 "$stage/root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
done
# hx642 finds the simulator beside it; the heads it would otherwise reach are on loopback.
printf '[Sonar L]\nIP Address=127.0.0.2\n[Sonar M]\nIP Address=127.0.0.3\n[Sonar H]\nIP Address=127.0.0.4\n[Echo Sounder]\nIP Address=127.0.0.5\n' \
  > "$home/HX642.ini"
"${run_env[@]}" timeout 60 "$stage/root/usr/bin/hx642" --simulate --settings "$home/HX642.ini" --quit-after 3 \
  2> "$stage/hx642.err" || { cat "$stage/hx642.err" >&2; fail "the staged hx642 --simulate failed"; }
grep 'head simulator' "$stage/hx642.err" >/dev/null && { cat "$stage/hx642.err" >&2; fail "the staged hx642 did not start the simulator beside it"; }

# ---- the desktop files, as their own tools see them ----
desktop-file-validate "$stage/root/usr/share/applications/com.corvane.hx642.desktop" ||
  fail "desktop-file-validate refuses the desktop entry"
said=$(appstreamcli validate-tree --no-net "$stage/root") || { echo "$said" >&2; fail "appstreamcli refuses the metadata"; }

echo "package.sh: $deb checked in $(( $(date +%s) - started )) s"
echo "  Depends: $depends"
echo "$deb"
