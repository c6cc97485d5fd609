# Bash completion of quorel-cli: its commands, each command's options, the values of the
# options that take a fixed set, data files and the pictures render and stereonet can write.

_quorel_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="stats render set report convert random stereonet"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${words[1]}
    case $prev in
        --from | --to)
            COMPREPLY=($(compgen -W "deg grad rad" -- "$cur"))
            return
            ;;
        --azimuth)
            COMPREPLY=($(compgen -W "dip-direction strike trend" -- "$cur"))
            return
            ;;
        --net)
            COMPREPLY=($(compgen -W "schmidt wulff" -- "$cur"))
            return
            ;;
        --decimal-separator)
            COMPREPLY=($(compgen -W ". ," -- "$cur"))
            return
            ;;
        --size | --places | --seed | --density-grid)
            return
            ;;
        -o | --output)
            case $command in
                render | stereonet) _filedir '@(wmf|emf|svg|png|pdf)' ;;
                report) _filedir '@(htm|html)' ;;
                *) _filedir ;;
            esac
            return
            ;;
    esac

    local options
    case $command in
        stats) options="--json --measurements --axial --spherical --azimuth" ;;
        render) options="-o --output --size --axial --band --mean-direction --equal-area --ring-labels" ;;
        set) options="" ;;
        report) options="-o --output --circular" ;;
        convert) options="--from --to --places" ;;
        random) options="-o --output --seed" ;;
        stereonet) options="-o --output --json --azimuth --net --great-circles --no-points
            --contours --mean --girdle --grid-lines --size --density-grid" ;;
        *) return ;;
    esac
    options+=" --decimal-separator -h --help"

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        set)
            # After the file come the display parameters, as NAME=VALUE.
            local i files=0
            for ((i = 2; i < cword; i++)); do
                [[ ${words[i]} == --decimal-separator ]] && ((i++)) && continue
                [[ ${words[i]} != -* ]] && ((files++))
            done
            if ((files > 0)); then
                compopt -o nospace
                COMPREPLY=($(compgen -S = -W "DescText DescX DescY DescFontName DescFontSize
                    DescFontColor DescFontBold DescFontItalic DescFontUnderline MLinesColor
                    SLinesColor MLinesStyle SLinesStyle FillColor FillStyle DiagWidth FontColor
                    BgColor Azimuth" -- "$cur"))
            else
                _filedir '@(qrl|QRL)'
            fi
            ;;
        convert | random) ;;
        *) _filedir ;;
    esac
} && complete -F _quorel_cli quorel-cli
