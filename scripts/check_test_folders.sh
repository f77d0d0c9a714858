#!/usr/bin/env bash
# Tests run in parallel and in random order, so a test that writes a file must not pick its own name in
# the temporary folder the test processes share: it takes a folder of its own, test::TestFolder of
# tests/support/file_bytes.h (the one place that may name the temporary folder), or QTemporaryDir.
# Fails, naming file and line, for every test source that builds a path in the shared temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

shared='temp_directory_path|QDir::tempPath|TempLocation|TempDir[[:space:]]*\(|"/tmp|P_tmpdir|'
shared+='(^|[^[:alnum:]_])(tmpnam|tempnam|mktemp)[[:space:]]*\(|getenv[[:space:]]*\([[:space:]]*"(TMPDIR|TMP|TEMP)"'

found=$(grep -rnE --include='*.cpp' --include='*.h' --include='*.hpp' "$shared" tests |
  grep -v '^tests/support/file_bytes\.h:' || true)
if [ -n "$found" ]; then
  while IFS= read -r hit; do
    where=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}; code=${rest#*:}
    echo "$where:$line: a path in the shared temporary folder; a test that writes a file uses a folder of its own (test::TestFolder, tests/support/file_bytes.h):" >&2
    echo "    ${code#"${code%%[![:space:]]*}"}" >&2
  done <<<"$found"
  exit 1
fi
