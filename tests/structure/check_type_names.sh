#!/usr/bin/env bash
# Fails when two files of the libraries (or two of the tests' headers) declare a class, struct or
# enum of one name at the level of namespace brim: in a header, or in a source file outside its
# unnamed namespace. The programs link the libraries together, so two types of one name break the one-definition rule
# (their inline members share one symbol, and the linker keeps whichever it meets first) even
# while no file includes both.
#
#   check_type_names.sh SOURCE_ROOT
set -euo pipefail
root=${1:?usage: check_type_names.sh SOURCE_ROOT}
cd "$root"

# Types at namespace level start their line (clang-format indents nested ones); a line ending in
# ";" is a forward declaration, which defines nothing. A source file's unnamed namespace opens
# with "namespace {" and closes with "} // namespace".
declarations=$(awk '
    FNR == 1 { unnamed = 0 }
    /^namespace \{$/ { unnamed = 1 }
    /^\} \/\/ namespace$/ { unnamed = 0 }
    !unnamed && /^(template <.*> )?(class|struct|enum class|enum) [A-Za-z_][A-Za-z0-9_]*/ && !/;[ \t]*$/ {
        line = $0
        sub(/^template <.*> /, "", line)
        sub(/^enum class /, "enum ", line)
        split(line, word, /[^A-Za-z0-9_]+/)
        print word[2], FILENAME ":" FNR
    }' core/*.h core/*.cpp commands/*.h commands/*.cpp report/*.h report/*.cpp print/*.h print/*.cpp ui/*.h ui/*.cpp cli/*.h cli/*.cpp \
    tests/*/*.h)

status=0
while read -r name; do
    echo "FAIL: the type name $name is declared in more than one place:" >&2
    grep -E "^$name " <<<"$declarations" | sed 's/^[^ ]* /    /' >&2
    status=1
done < <(cut -d' ' -f1 <<<"$declarations" | sort | uniq -d)

if [ "$status" -eq 0 ]; then
    echo "$(wc -l <<<"$declarations") type names, each declared in one place"
fi
exit "$status"
