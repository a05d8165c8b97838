# bash completion for codeorchardist-scan
_codeorchardist_scan()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    local i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -- ]]; then
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
        fi
    done
    case $prev in
        --format)
            COMPREPLY=($(compgen -W 'table json tree graph' -- "$cur"))
            return ;;
        --color)
            COMPREPLY=($(compgen -W 'never auto always' -- "$cur"))
            return ;;
        --max-depth|--jobs)
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--format --max-depth --attention --fetch --cached --watch --pull --color --jobs
            --progress --no-progress --help --version --' -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur"))
}
complete -F _codeorchardist_scan codeorchardist-scan
