#!/usr/bin/env bash
# The manual page muwu-cli(1), cut from the README, names every command and option that the
# program's own help names: when an option is added to one and not the other, this fails.
#   man_pages_test.sh MUWU_CLI MUWU-CLI.1.gz MUWU.1.gz
set -uo pipefail
cli=$1
failures=0
fail() {
  echo "man pages: $*" >&2
  failures=$((failures + 1))
}

# The page's source with roff's minus signs as hyphens, so options read as typed.
page=$(zcat "$2" | sed 's/\\-/-/g')
synopsis=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH /p' <<<"$page")

commands=$("$cli" --help | sed -n '/^命令：/,/^$/p' | grep -oE '^  [a-z][a-z-]*' | sort -u)
for c in $commands; do
  grep -qE "muwu-cli $c( |$)" <<<"$synopsis" || fail "the synopsis of muwu-cli(1) lacks the command $c"
done
helps=$("$cli" --help; for c in $commands; do "$cli" "$c" --help; done)
for option in $(grep -oE -- '--[a-z][a-z0-9-]*' <<<"$helps" | sort -u); do
  grep -qE -- "$option([^a-z0-9-]|$)" <<<"$page" || fail "muwu-cli(1), that is README.md, does not name $option"
done

# Both pages have the sections a reader looks for.
for section in NAME SYNOPSIS DESCRIPTION FILES "SEE ALSO"; do
  grep -qx "\.SH $section" <<<"$page" || fail "muwu-cli(1) lacks $section"
  zcat "$3" | grep -qx "\.SH $section" || fail "muwu(1) lacks $section"
done

[ $failures -eq 0 ] || exit 1
echo "man pages: muwu-cli(1) names every command and option of the help"
