#!/usr/bin/env bash
# shell-test.sh PROGRAM SNAPSHOT: the bash completion and the manual page against the program's
# own help texts. Every option a help text names is in the manual page and is completed, and
# --package completes the packages that `list` prints for a snapshot.
set -euo pipefail
program="$1"
snapshot="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "FAILED: $*" >&2; exit 1; }

# shellcheck source=/dev/null
source "$root/packaging/tarvelgen.bash-completion"
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _tarvelgen
  printf '%s\n' "${COMPREPLY[@]}"
}

[ "$(complete_words "$program" gen)" = generate ] || fail "the command generate"
[ "$(complete_words "$program" generate --user hr --database "$snapshot" --package HR_)" = \
  "$(printf 'HR_API\nHR_AUDIT\nHR_BATCH\nHR_EMPTY\nHR_TYPES')" ] || fail "the package names"

manual="$(sed 's/\\-/-/g' "$root/packaging/tarvelgen.1")"
for command in list generate snapshot; do
  options="$("$program" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
  [ -n "$options" ] || fail "$command --help names no option"
  completed="$(complete_words "$program" "$command" --)"
  for option in $options; do
    grep -q -- "$option\b" <<<"$manual" || fail "the manual page lacks $option"
    grep -qx -- "$option" <<<"$completed" || fail "$command does not complete $option"
  done
done
echo "shell test passed"
