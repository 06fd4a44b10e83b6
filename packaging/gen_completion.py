#!/usr/bin/env python3
"""Writes the bash completion of muwu-cli from the program's own --help texts.

    gen_completion.py MUWU_CLI OUT

The commands and their options come from the usage lines of `muwu-cli --help` ("  CMD [--opt V]",
continued on lines that begin with "["), and from `muwu-cli CMD --help` where a command has a usage
of its own. An option followed by a placeholder takes a value: "1|2" (or "男|女") offers those words, 目录 a
folder, 时区 a zone of the time-zone database; any other value is left to the user. So an option
added to the program's help is completed without anyone editing this file or the script it writes.
An option the help names that no usage line places is reported (and fails the completion test)
rather than left out in silence.
"""
import re
import subprocess
import sys

OPTION = re.compile(r"--[a-z][a-z0-9-]*")


def help_text(program, *args):
    run = subprocess.run([program, *args, "--help"], capture_output=True, check=True,
                         env={"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"})
    return run.stdout.decode("utf-8")


def usage_options(lines):
    """Options of usage lines, each with its value placeholder or None."""
    found = {}
    for line in lines:
        words = line.split()
        for i, word in enumerate(words):
            m = OPTION.fullmatch(word.strip("[]"))
            if not m or m.group() in found:
                continue
            value = None
            nxt = words[i + 1] if i + 1 < len(words) else ""
            if not word.endswith("]") and nxt and not nxt.startswith(("-", "[", "…")):
                value = nxt.rstrip("]")
            found[m.group()] = value
    return found


def described_options(lines):
    """Options of the lines that describe one option each: "  --opt [V]   what it does"."""
    found = {}
    for line in lines:
        m = re.match(r"  (--[a-z][a-z0-9-]*)(?: (\S+?))?(?: (--[a-z][a-z0-9-]*)(?: (\S+))?)?\s{2,}", line)
        if m:
            found.setdefault(m.group(1), m.group(2))
            if m.group(3):
                found.setdefault(m.group(3), m.group(4))
    return found


def command_usages(main_help):
    """Command to the usage lines of the main help's command list."""
    usages = {}
    current = None
    for line in main_help.splitlines():
        m = re.match(r"  ([a-z][a-z-]*)(\s|$)", line)
        if m:
            current = m.group(1)
            usages.setdefault(current, []).append(line)
        elif current and re.match(r"\s+\[", line):
            usages[current].append(line)
        else:
            current = None
    return usages


def own_usage(text, command):
    """The usage lines of a command's own help, or [] when it shows the main help."""
    lines = text.splitlines()
    if not lines or not re.search(r"muwu-cli (\[[^]]*\] )*" + re.escape(command) + r"\b", lines[0]):
        return [], []
    usage = [lines[0]]
    for line in lines[1:]:
        if not re.match(r"\s+\[", line):
            break
        usage.append(line)
    return usage, lines


def value_kind(placeholder):
    if placeholder is None:
        return None
    if re.fullmatch(r"[^|\s]+(\|[^|\s]+)+", placeholder):
        return "words:" + " ".join(placeholder.split("|"))
    if placeholder in ("目录", "DIR"):
        return "dir"
    if placeholder in ("时区", "ZONE"):
        return "zone"
    return "free"


def model(program):
    main_help = help_text(program)
    first = main_help.splitlines()[0]
    before_command = usage_options([first.split("命令")[0]])
    commands = {}
    for command, lines in command_usages(main_help).items():
        options = usage_options(lines)
        usage, whole = own_usage(help_text(program, command), command)
        if usage:
            for name, value in {**described_options(whole), **usage_options(usage)}.items():
                options.setdefault(name, value)
        commands[command] = options
    placed = set(before_command) | {o for opts in commands.values() for o in opts}
    # What no command's usage places (--help, --version) stands before any command.
    globals_ = dict(before_command)
    for name, value in described_options(main_help.splitlines()).items():
        if name not in placed:
            globals_[name] = value
    for options in commands.values():
        for name, value in before_command.items():
            options.setdefault(name, value)
        options.setdefault("--help", None)
    named = set(OPTION.findall(main_help))
    lost = named - placed - set(globals_)
    if lost:
        # The build goes on; the completion test fails on these until the help places them.
        print("gen_completion: the help names options no usage line places: " + " ".join(sorted(lost)),
              file=sys.stderr)
    if not commands:
        raise SystemExit("gen_completion: no command found in muwu-cli --help")
    return globals_, commands


def script(globals_, commands):
    kinds = {}
    for options in [globals_, *commands.values()]:
        for name, value in options.items():
            kind = value_kind(value)
            if kind and name not in kinds:
                kinds[name] = kind
    cases = {}
    for name, kind in sorted(kinds.items()):
        cases.setdefault(kind, []).append(name)
    value_cases = []
    for kind, names in sorted(cases.items()):
        pattern = "|".join(names)
        if kind == "dir":
            action = "_muwu_cli_reply_dirs"
        elif kind == "zone":
            action = "_muwu_cli_reply_zones"
        elif kind.startswith("words:"):
            action = f'_muwu_cli_reply "{kind[6:]}"'
        else:
            action = ":"
        value_cases.append(f"        {pattern}) {action}; return ;;")
    skip_before = "|".join(n for n, v in globals_.items() if v is not None) or "--"
    option_cases = [f'        {c}) options="{" ".join(sorted(o))}" ;;' for c, o in sorted(commands.items())]
    return f"""# bash completion for muwu-cli -*- shell-script -*-
# Written at build time from the program's --help by packaging/gen_completion.py; not edited by hand.

_muwu_cli_reply() {{
    mapfile -t COMPREPLY < <(compgen -W "$1" -- "$cur")
}}

_muwu_cli_reply_dirs() {{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
}}

_muwu_cli_reply_zones() {{
    local dir=${{TZDIR:-/usr/share/zoneinfo}}
    [[ -d $dir ]] || return
    _muwu_cli_reply "$(cd "$dir" && find . -type f -name '[A-Z]*' ! -name '*.*' \
        ! -path './posix/*' ! -path './right/*' | sed 's|^\./||')"
}}

_muwu_cli() {{
    local cur=${{COMP_WORDS[COMP_CWORD]}} prev=${{COMP_WORDS[COMP_CWORD - 1]}}
    COMPREPLY=()
    local i command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${{COMP_WORDS[i]}} in
            {skip_before}) ((i++)) ;;
            -*) ;;
            *) command=${{COMP_WORDS[i]}}; break ;;
        esac
    done

    case $prev in
{chr(10).join(value_cases)}
    esac

    local options
    case $command in
        "") if [[ $cur == -* ]]; then
                _muwu_cli_reply "{" ".join(sorted(globals_))}"
            else
                _muwu_cli_reply "{" ".join(sorted(commands))}"
            fi
            return ;;
{chr(10).join(option_cases)}
        *) return ;;
    esac
    [[ $cur == -* ]] && _muwu_cli_reply "$options"
}} &&
    complete -F _muwu_cli muwu-cli
"""


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    globals_, commands = model(argv[1])
    with open(argv[2], "w", encoding="utf-8") as f:
        f.write(script(globals_, commands))


if __name__ == "__main__":
    main(sys.argv)
