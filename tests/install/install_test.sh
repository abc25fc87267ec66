#!/usr/bin/env bash
# The program as it ships: installed into a fresh prefix, its files where a
# Linux desktop looks for them, run paths that need no LD_LIBRARY_PATH and name
# no build folder, and the installed program starting and closing cleanly.
# Usage: install_test.sh <build-dir> <source-dir> <work-dir> [extra compiler flags]
set -euo pipefail
build="$1"
source="$2"
work="$3"
extra_flags="${4:-}"
prefix="$work/prefix"
rm -rf "$work"
mkdir -p "$work"

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in \
    bin/lumivex \
    lib/libzelutil.so \
    lib/libgraphcontrol.so \
    lib/libcie.so \
    include/cie/ucie.h \
    include/zelutil/zelutil.h \
    share/lumivex/Lumivex.pdf \
    share/applications/lumivex.desktop \
    share/icons/hicolor/scalable/apps/lumivex.svg; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done

desktop-file-validate "$prefix/share/applications/lumivex.desktop" ||
  fail "the desktop entry does not validate"

# Every installed binary finds its libraries beside it, never in the build tree.
build_real="$(cd "$build" && pwd -P)"
for binary in "$prefix"/bin/* "$prefix"/lib/*.so; do
  dynamic="$(readelf -d "$binary")"
  grep -q 'R\(UN\)\?PATH.*\[\$ORIGIN/../lib\]' <<<"$dynamic" ||
    fail "$(basename "$binary") has no \$ORIGIN/../lib run path"
  if grep -q -e "$build" -e "$build_real" <<<"$dynamic"; then
    fail "$(basename "$binary") names the build folder"
  fi
done

cmake -DLIB="$prefix/lib/libzelutil.so" -P "$source/tests/zelutil/check_exports.cmake" >/dev/null ||
  fail "libzelutil.so exports more or less than its nine names"

# A host built against the installed colorimetry header and library alone.
# shellcheck disable=SC2046,SC2086
c++ -std=c++20 -fPIC $extra_flags -I"$prefix/include" $(pkg-config --cflags Qt6Widgets) \
    "$source/tests/install/cie_host.cpp" -o "$work/cie_host" \
    -L"$prefix/lib" -lcie -Wl,-rpath,"$prefix/lib" $(pkg-config --libs Qt6Widgets) ||
  fail "a host of the colorimetry control does not build against the installed header"
QT_QPA_PLATFORM=offscreen "$work/cie_host" || fail "the installed colorimetry control gave wrong values"

# The installed program on a sample file: up for two seconds, then closed by
# its process id, ending cleanly.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset LD_LIBRARY_PATH
sample="$(ls "$source"/samples/* | head -1)"
"$prefix/bin/lumivex" "$sample" >"$work/program.log" 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended by itself"; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$work/program.log" >&2; fail "the program exited with $status"; }
[ -f "$XDG_CONFIG_HOME/ZEL/Lumivex/lvx.ini" ] || fail "closing did not save the settings"
echo "install test: ok"
