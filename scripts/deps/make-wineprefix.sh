# The Wine prefix every test and run uses: Windows 10, no crash dialog or
# debugger (a crashed test must fail, not hang or pass), and fonts under the
# names the program asks for, so Chinese text renders in GDI and GDI+.

step_wineprefix() {
    rm -rf "$WINEPREFIX"
    wineserver -k 2>/dev/null || true
    wine wineboot -i
    wineserver -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    local reg="$VESK_CACHE/build/prefix.reg"
    mkdir -p "$(dirname "$reg")"
    # regedit reads Chinese names only from a UTF-16LE file with a byte-order mark.
    { printf '\xff\xfe'; wine_registry_text | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine regedit /S "$(winepath -w "$reg")"
    wineserver -w
    # Fail now rather than in every test if the settings did not take.
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg"
    grep -q 'WenQuanYi Micro Hei' "$WINEPREFIX/user.reg"
    grep -q '"SimSun & NSimSun (TrueType)"="wqy-microhei.ttc"' "$WINEPREFIX/system.reg"
}

wine_registry_text() {
    local cjk='WenQuanYi Micro Hei'
    local link='hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00'
    cat <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine]
"Version"="win10"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Debugger"=""
"Auto"="0"

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

; poppler finds the fonts a PDF names without embedding them in this list, as
; on Windows; SimSun stands in for the Chinese fonts such PDFs usually name.
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]
"SimSun & NSimSun (TrueType)"="wqy-microhei.ttc"

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
