# The Wine prefix every test and run uses: Windows 10, no crash dialog or
# debugger (a crashed program must end at once with a failure code, not hang
# or pass), and fonts under the names the program asks for, so Chinese text
# renders in GDI and GDI+.

# The cached template is named after its recipe: checkouts on different
# recipes then never remake each other's template, nor refresh the copies
# their running tests use, in turn.
wine_template_name() {
    echo "wineprefix-$(declare -f step_wineprefix wine_registry_text | sha1sum | cut -c1-12)"
}

step_wineprefix() {
    rm -rf "$WINEPREFIX"
    wineserver -k 2>/dev/null || true
    wine wineboot -i
    wineserver -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    # One font for each CJK character collection, from Debian's packages,
    # kept in the Windows fonts folder under their own names.
    cp /usr/share/fonts/truetype/arphic/ukai.ttc /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf \
        /usr/share/fonts/truetype/unfonts-core/UnBatang.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    local reg="$VESK_CACHE/build/prefix.reg"
    mkdir -p "$(dirname "$reg")"
    # regedit reads Chinese names only from a UTF-16LE file with a byte-order mark.
    { printf '\xff\xfe'; wine_registry_text | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine regedit /S "$(winepath -w "$reg")"
    wineserver -w
    # Fail now rather than in every test if the settings did not take.
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg"
    grep -q '"Auto"="1"' "$WINEPREFIX/system.reg"
    grep -q 'WenQuanYi Micro Hei' "$WINEPREFIX/user.reg"
    grep -q 'vesk-opened-addresses.txt' "$WINEPREFIX/system.reg"
    grep -q '"AR PL UKai CN & AR PL UKai HK & AR PL UKai TW & AR PL UKai TW MBE (TrueType)"="ukai.ttc"' "$WINEPREFIX/system.reg"
    grep -q '"DFKai-SB"="AR PL UKai TW"' "$WINEPREFIX/system.reg"
}

# AeDebug "Auto" 1: otherwise Wine asks "Do you wish to debug it?" in a
# message box in every crashed process that has user32 loaded (any windowed
# program or test), and waits for an answer nobody gives. With it the empty
# debugger fails to start and the process ends with the exception code.
wine_registry_text() {
    local cjk='WenQuanYi Micro Hei'
    local link='hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00'
    cat <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine]
"Version"="win10"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Debugger"=""
"Auto"="1"

; Addresses the programs open go to a recorder, never a browser: the tests
; read them from "vesk-opened-addresses.txt" in the opener's current folder.
[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]
@="C:\\\\windows\\\\system32\\\\cmd.exe /d /c echo \\"%1\\">>vesk-opened-addresses.txt"

[HKEY_CLASSES_ROOT\\https\\shell\\open\\command]
@="C:\\\\windows\\\\system32\\\\cmd.exe /d /c echo \\"%1\\">>vesk-opened-addresses.txt"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Microsoft YaHei"="$cjk"
"Microsoft YaHei UI"="$cjk"
"微软雅黑"="$cjk"
"宋体"="$cjk"
"SimSun"="$cjk"
"新宋体"="$cjk"
"NSimSun"="$cjk"
"黑体"="$cjk"
"SimHei"="$cjk"
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Segoe UI"="Liberation Sans"
"Verdana"="Liberation Sans"

; The CJK fonts as Windows lists them: a collection (".ttc") under the names
; of its faces in order, so that each name stands for its face. poppler finds
; fonts a PDF names without embedding them in this list.
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]
"AR PL UKai CN & AR PL UKai HK & AR PL UKai TW & AR PL UKai TW MBE (TrueType)"="ukai.ttc"
"IPAMincho (TrueType)"="ipam.ttf"
"UnBatang (TrueType)"="UnBatang.ttf"

; Which installed family Windows draws for the CJK families it names: one of
; the families a Chinese, Japanese or Korean Windows installs for each
; collection. Adobe-GB1 and Adobe-CNS1 are reached only after the families
; tried before them are found missing.
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"KaiTi"="AR PL UKai CN"
"DFKai-SB"="AR PL UKai TW"
"MS Mincho"="IPAMincho"
"Batang"="UnBatang"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=$link
"Arial"=$link
"Liberation Sans"=$link
"Microsoft Sans Serif"=$link
"MS Shell Dlg"=$link
"MS Shell Dlg 2"=$link
"Segoe UI"=$link
REG
}
