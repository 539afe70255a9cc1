#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows downloads. The zip holds exactly the two programs, README.txt, its Turkish
# BENIOKU.txt and LICENSE.txt, as Notepad reads them. The installer, run silently in a Wine prefix made anew (WINEPREFIX), installs
# for all users (Wine's user is an administrator) and, with /CurrentUser, for the current user:
# each time the programs, the Start-menu shortcut, the Uninstall values and "Open with" for .wav
# must be where they belong, the read-me's shortcut must name the text in the installer's
# language (Turkish under a Turkish LANG), the shortcut must start the window, vornelik-cli.exe must tell the
# version, and the uninstaller's QuietUninstallString must leave none of it behind.
#   package_test.sh CMAKE VERSION ZIP SETUP WINDOW_CHECK
set -eu
# Wine's loader of the programs' word size, as the test's environment names it.
wine() { "${WINELOADER:-/usr/bin/wine}" "$@"; }
cmake=$1 version=$2 zip=$3 setup=$4 window_check=$5

failures=0
fail() {
    printf "FAIL: %s\n" "$*" >&2
    failures=$((failures + 1))
}
expect_equal() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected \"$2\", got \"$3\""
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# --- The zip
mkdir "$scratch/zip"
(cd "$scratch/zip" && "$cmake" -E tar xf "$zip")
expect_equal "files in the zip" "BENIOKU.txt LICENSE.txt README.txt vornelik-cli.exe vornelik.exe" \
    "$(cd "$scratch/zip" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ' |
        sed 's/ $//')"
for text in README.txt BENIOKU.txt; do
    expect_equal "$text's first bytes" "efbbbf" "$(head -c 3 "$scratch/zip/$text" | od -An -tx1 |
        tr -d ' \n')"
done
for text in README.txt BENIOKU.txt LICENSE.txt; do
    file="$scratch/zip/$text"
    lines=$(tr -cd '\n' <"$file" | wc -c)
    returns=$(tr -cd '\r' <"$file" | wc -c)
    [ "$lines" -gt 10 ] && [ "$lines" -eq "$returns" ] && [ "$(tail -c 2 "$file" | od -An -tx1 |
        tr -d ' \n')" = 0d0a ] || fail "$text: not every line ends with CR LF"
done
grep -q "ı" "$scratch/zip/README.txt" || fail "README.txt lost the Turkish letters"
for letter in ç ğ ı İ ö ş ü; do
    grep -q "$letter" "$scratch/zip/BENIOKU.txt" || fail "BENIOKU.txt has no $letter"
done
grep -q "Komut satırı" "$scratch/zip/BENIOKU.txt" || fail "BENIOKU.txt is not the Turkish text"
grep -q "vornelik-$version-win32-setup.exe" "$scratch/zip/README.txt" ||
    fail "README.txt does not name vornelik-$version-win32-setup.exe"
grep -q '`' "$scratch/zip/README.txt" && fail "README.txt keeps Markdown's backticks"
head -n 1 "$scratch/zip/LICENSE.txt" | grep -q "^MIT License" || fail "LICENSE.txt is not the licence"

# Wine takes a Turkish display language from a Turkish LANG only where that locale exists: one is
# made for the test.
mkdir "$scratch/locale"
localedef -i tr_TR -f UTF-8 "$scratch/locale/tr_TR.UTF-8" || fail "localedef cannot make tr_TR.UTF-8"

# --- A fresh prefix; the programs and the registry are looked at through Wine itself.
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
wine wineboot -i

query() { # key [reg query options]: the values, one "name<TAB>type<TAB>data" a line
    wine reg query "$@" 2>/dev/null | tr -d '\r' |
        sed -n -e 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1\t\2\t\3/p' \
            -e 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)$/\1\t\2\t/p'
}
value() { # values name: the data of that value
    printf '%s\n' "$1" | awk -F '\t' -v name="$2" '$1 == name { print $3 }'
}
unix_path() { # C:\a\b -> the file in the prefix
    printf '%s' "$1" | sed "s|^C:|$WINEPREFIX/drive_c|; s|\\\\|/|g"
}

# The user's own default program for .wav files, which must outlive the install and uninstall,
# and the machine's, which there is none of.
wav_default=SomePlayer.wav
wine reg add 'HKCU\Software\Classes\.wav' /ve /d "$wav_default" /f >/dev/null
wav_default_now() {
    printf '%s|%s' "$(value "$(query 'HKCU\Software\Classes\.wav' /ve)" "(Default)")" \
        "$(value "$(query 'HKLM\Software\Classes\.wav' /ve)" "(Default)" |
            sed 's/^(value not set)$//')"
}
user=$(id -un)
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornelik'
application_key='Software\Classes\Applications\vornelik.exe'
open_with_key='Software\Classes\.wav\OpenWithList\vornelik.exe'

# mode: the installer's switches, the registry root, the folder, the Start menu, the LANG the
# installer runs under, the read-me's shortcut's name in that language and the text it opens
check_install() {
    mode=$1 switches=$2 root=$3 folder=$4 start_menu=$5 lang=$6 readme_name=$7 readme=$8
    shortcut="$start_menu\\Vornelik.lnk"
    readme_shortcut="$start_menu\\$readme_name.lnk"
    echo "== $mode"
    LOCPATH="$scratch/locale" LANG=$lang wine "$setup" /S $switches ||
        fail "$mode: the installer failed: $?"

    for file in vornelik.exe vornelik-cli.exe README.txt BENIOKU.txt LICENSE.txt; do
        cmp -s "$scratch/zip/$file" "$(unix_path "$folder\\$file")" ||
            fail "$mode: $folder\\$file is not the zip's $file"
    done
    [ -f "$(unix_path "$folder\\uninstall.exe")" ] || fail "$mode: no uninstall.exe"
    [ -f "$(unix_path "$shortcut")" ] || fail "$mode: no shortcut $shortcut"
    [ -f "$(unix_path "$readme_shortcut")" ] || fail "$mode: no shortcut $readme_shortcut"
    # A .lnk holds its target's path in UTF-16: without the NULs the name reads as ASCII.
    tr -d '\000' <"$(unix_path "$readme_shortcut")" | LC_ALL=C grep -qa "$readme" ||
        fail "$mode: $readme_shortcut does not open $readme"

    values=$(query "$root\\$uninstall_key")
    expect_equal "$mode: DisplayName" "Vornelik" "$(value "$values" DisplayName)"
    expect_equal "$mode: DisplayVersion" "$version" "$(value "$values" DisplayVersion)"
    expect_equal "$mode: Publisher" "Vornelik developers" "$(value "$values" Publisher)"
    expect_equal "$mode: DisplayIcon" "$folder\\vornelik.exe,0" "$(value "$values" DisplayIcon)"
    expect_equal "$mode: InstallLocation" "$folder" "$(value "$values" InstallLocation)"
    expect_equal "$mode: UninstallString" "\"$folder\\uninstall.exe\"" \
        "$(value "$values" UninstallString)"
    quiet=$(value "$values" QuietUninstallString)
    expect_equal "$mode: QuietUninstallString" "\"$folder\\uninstall.exe\" /S" "$quiet"
    # In KiB, the size of the installed files, give or take the rounding of each file.
    kib=$(($(cat "$(unix_path "$folder")"/* | wc -c) / 1024))
    size=$(($(value "$values" EstimatedSize)))
    [ "$size" -ge "$kib" ] && [ "$size" -le $((kib + 5)) ] ||
        fail "$mode: EstimatedSize $size for $kib KiB of files"

    expect_equal "$mode: Open with's command" "\"$folder\\vornelik.exe\" \"%1\"" \
        "$(value "$(query "$root\\$application_key\\shell\\open\\command" /ve)" "(Default)")"
    query "$root\\$application_key\\SupportedTypes" | cut -f 1 | grep -qx '\.wav' ||
        fail "$mode: .wav is not among Open with's types"
    wine reg query "$root\\$open_with_key" >/dev/null 2>&1 || fail "$mode: not in .wav's Open with"
    expect_equal "$mode: .wav's default programs" "$wav_default|" "$(wav_default_now)"

    expect_equal "$mode: vornelik-cli.exe --version" "vornelik-cli $version" \
        "$(wine "$folder\\vornelik-cli.exe" --version | tr -d '\r')"
    wine "$window_check" "$shortcut" "$folder\\vornelik.exe" || fail "$mode: no window"

    # The uninstaller copies itself away and returns at once; its last step removes the folder.
    eval "wine $quiet" || fail "$mode: the uninstaller failed: $?"
    waited=0
    while [ -e "$(unix_path "$folder")" ] && [ $waited -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -e "$(unix_path "$folder")" ] && fail "$mode: $folder is left"
    [ -e "$(unix_path "$shortcut")" ] && fail "$mode: $shortcut is left"
    [ -e "$(unix_path "$readme_shortcut")" ] && fail "$mode: $readme_shortcut is left"
    for key in "$uninstall_key" "$application_key" "$open_with_key"; do
        wine reg query "$root\\$key" >/dev/null 2>&1 && fail "$mode: $root\\$key is left"
    done
    expect_equal "$mode: .wav's default programs after" "$wav_default|" \
        "$(wav_default_now)"
}

check_install "all users" "" HKLM 'C:\Program Files\Vornelik' \
    'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' tr_TR.UTF-8 "Vornelik - Beni oku" \
    BENIOKU.txt
check_install "current user" /CurrentUser HKCU "C:\\users\\$user\\AppData\\Local\\Programs\\Vornelik" \
    "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs" C \
    "Vornelik - Read me" README.txt

wineserver -k 2>/dev/null || true
echo "$failures failures"
[ "$failures" -eq 0 ]
