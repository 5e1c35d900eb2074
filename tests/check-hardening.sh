#!/usr/bin/env bash
# Reads the program's ELF file and shows that it is built hardened:
# a position-independent executable, full RELRO (read-only relocations,
# all resolved at start), stack protector and fortified libc calls.
#   tests/check-hardening.sh READELF BINARY
set -uo pipefail
readelf=$1
binary=$2
failures=0

check() {
    local what=$1 expected=$2 observed=$3
    if [ -n "$observed" ]; then
        printf 'ok    %-22s %s\n' "$what" "$observed"
    else
        printf 'FAIL  %-22s expected %s, observed nothing\n' "$what" "$expected"
        failures=$((failures + 1))
    fi
}

header=$("$readelf" --file-header --wide "$binary")
segments=$("$readelf" --program-headers --wide "$binary")
dynamic=$("$readelf" --dynamic --wide "$binary")
symbols=$("$readelf" --dyn-syms --wide "$binary")
producer=$("$readelf" --debug-dump=info "$binary" 2>/dev/null | grep -m1 'DW_AT_producer')

check "PIE" "type DYN and flag PIE" \
    "$(grep -E 'Type:[[:space:]]+DYN' <<<"$header" >/dev/null && grep -o 'Flags:.*PIE.*' <<<"$dynamic")"
check "RELRO" "a GNU_RELRO segment" "$(grep -o 'GNU_RELRO' <<<"$segments" | head -n 1)"
check "BIND_NOW" "flag NOW or BIND_NOW" "$(grep -E -o '\(FLAGS(_1)?\).*NOW.*' <<<"$dynamic" | head -n 1)"
check "stack protector" "-fstack-protector-strong in the compiler options" \
    "$(grep -o -- '-fstack-protector-strong' <<<"$producer")"
check "_FORTIFY_SOURCE" "printf fortified to __printf_chk" "$(grep -o '__printf_chk' <<<"$symbols" | head -n 1)"

[ "$failures" -eq 0 ]
