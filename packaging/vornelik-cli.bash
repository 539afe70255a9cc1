# SPDX-License-Identifier: MIT
# bash completion for vornelik-cli: its commands, each command's options, the values of those
# that take a few, and file names elsewhere (any file can be a sound: the window reads any).

_vornelik_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="info bas inc hex asm plot preview convert"
    local command="" word
    for word in "${words[@]:1:cword-1}"; do
        case $word in
        info | bas | inc | hex | asm | plot | preview | convert)
            command=$word
            break
            ;;
        esac
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
    --quality)
        COMPREPLY=($(compgen -W "good poor" -- "$cur"))
        return
        ;;
    --code-page)
        COMPREPLY=($(compgen -W "874 1250 1251 1252 1253 1254 1255 1256 1257 1258" -- "$cur"))
        return
        ;;
    --decimal-separator)
        COMPREPLY=($(compgen -W ", ." -- "$cur"))
        return
        ;;
    --program)
        COMPREPLY=($(compgen -W "bas hex" -- "$cur"))
        return
        ;;
    --start | --end | --loop-cycles)
        return
        ;;
    -o | --output)
        _filedir
        return
        ;;
    esac

    local options
    case $command in
    info) options="--json --help" ;;
    bas | inc)
        options="-o --output --start --end --quality --code-page --decimal-separator --help"
        ;;
    hex | asm) options="-o --output --start --end --quality --help" ;;
    plot) options="-o --output --start --end --help" ;;
    preview) options="-o --output --start --end --quality --program --loop-cycles --help" ;;
    convert) options="-o --output --normalize --trim-silence --help" ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir
    fi
} &&
    complete -F _vornelik_cli vornelik-cli
