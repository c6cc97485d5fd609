#!/usr/bin/env bash
# Checks that the manual page and the bash completion of quorel-cli name every command and
# option that the program's own help lists, and the manual every exit status it names, so
# they cannot drift apart from the program.
# Usage: docs_match_help.sh QUOREL_CLI MANUAL.1.in COMPLETION.bash
set -euo pipefail
cli=$1 manual=$2 completion=$3
failures=0
fail()
{
    echo "$*" >&2
    failures=$((failures + 1))
}

# The manual as plain words: roff's "\-" is a hyphen, font changes are dropped.
manual_text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manual")
in_manual() { grep -qE -- "(^|[^a-zA-Z-])$1([^a-zA-Z-]|$)" <<<"$manual_text"; }

# The completion's answer for the words typed so far, outside bash-completion's machinery.
_init_completion()
{
    words=("${COMP_WORDS[@]}") cword=$COMP_CWORD
    cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { :; }
complete() { :; }
# shellcheck source=/dev/null
source "$completion"
completes()
{
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
    _quorel_cli
    printf '%s\n' "${COMPREPLY[@]}"
}

# Answers are kept in variables before grep -q reads them: with pipefail, grep -q leaving a pipe
# early would fail its writer now and then.
overview=$("$cli" --help)
first_words=$(completes quorel-cli "")
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$overview")
[ -n "$commands" ] || fail "quorel-cli --help lists no commands"
for option in $(sed -n '/^Options:/,/^$/s/^  \(--[a-z-]*\).*/\1/p' <<<"$overview"); do
    in_manual "$option" || fail "the manual does not name $option"
    grep -qx -- "$option" <<<"$first_words" || fail "completion does not offer $option"
done
for command in $commands; do
    grep -qE "^\.BI? \"?$command( |\"|$)" "$manual" || fail "the manual has no entry for $command"
    grep -qx "$command" <<<"$first_words" || fail "completion does not offer $command"
    help=$("$cli" "$command" --help)
    options=$(sed -n '/^Options:/,/^$/p' <<<"$help" | grep -oE -- '(^|[ ,])--?[a-zA-Z][a-z-]*' \
        | tr -d ' ,' | sort -u)
    offered=$(completes quorel-cli "$command" -)
    for option in $options; do
        in_manual "$option" || fail "the manual does not name $command's $option"
        grep -qx -- "$option" <<<"$offered" || fail "completion does not offer $command's $option"
    done
done
manual_statuses=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH/p' "$manual")
for status in $(grep '^Exit status' <<<"$overview" | grep -oE '[0-9]+ [a-z]' | cut -d' ' -f1); do
    grep -qx "\.B $status" <<<"$manual_statuses" || fail "the manual's exit statuses lack $status"
done
exit $((failures > 0))
