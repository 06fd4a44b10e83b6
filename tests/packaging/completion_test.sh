#!/usr/bin/env bash
# The bash completion written from muwu-cli's help offers every option the help names, under the
# command it belongs to, and the values the help spells out.
#   completion_test.sh MUWU_CLI COMPLETION_SCRIPT
set -uo pipefail
cli=$1
# shellcheck source=/dev/null
source "$2"

failures=0
fail() {
  echo "completion: $*" >&2
  failures=$((failures + 1))
}

# The words offered for the command line "$@", the last word being the one completed.
offered() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _muwu_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local want=$1
  shift
  local got
  got=$(offered "$@" | tr '\n' ' ')
  [ "$got" = "$want " ] || fail "muwu-cli ${*:2}: offered “$got”, not “$want”"
}

options_in() { grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }

commands=$("$cli" --help | sed -n '/^命令：/,/^$/p' | grep -oE '^  [a-z][a-z-]*' | sort -u)
[ -n "$commands" ] || fail "no command found in muwu-cli --help"
expect "$(echo $commands)" muwu-cli ""

# Every option of the main help is offered somewhere; every option of a command's own help is
# offered for that command.
all_offered=$( (offered muwu-cli --; for c in $commands; do offered muwu-cli "$c" --; done) | sort -u)
for option in $("$cli" --help | options_in); do
  grep -qx -- "$option" <<<"$all_offered" || fail "$option of muwu-cli --help is never offered"
done
for c in $commands; do
  own=$("$cli" "$c" --help)
  head -1 <<<"$own" | grep -qE "muwu-cli (\[[^]]*\] )*$c( |$)" || continue
  for option in $(options_in <<<"$own"); do
    offered muwu-cli "$c" -- | grep -qx -- "$option" || fail "$option of muwu-cli $c --help is not offered for $c"
  done
done

# Options stay with their commands, and a flag does not swallow the next word.
offered muwu-cli analyze -- | grep -qx -- --keep && fail "analyze is offered search's --keep"
offered muwu-cli bazi -- | grep -qx -- --company && fail "bazi is offered --company"
expect "--top" muwu-cli search --company --to
expect "--help" muwu-cli --he
expect "search" muwu-cli --data /tmp se

# Values the help spells out.
expect "1 2" muwu-cli search --given-length ""
expect "1 2" muwu-cli search --keep 明 --at ""
expect "0 23" muwu-cli bazi 2024-02-04 16:20 --zi-day ""
expect "" muwu-cli search --surname ""
folder=$(mktemp -d)
mkdir "$folder/数据" && touch "$folder/数据文件"
expect "$folder/数据" muwu-cli --data "$folder/数"
expect "$folder/数据" muwu-cli report 张三 --dir "$folder/"
rm -rf "$folder"
if [ -f /usr/share/zoneinfo/Asia/Shanghai ]; then
  expect "Asia/Shanghai" muwu-cli bazi 2024-02-04 16:20 --tz Asia/Shangh
fi

[ $failures -eq 0 ] || exit 1
echo "completion: every option of the help is offered"
