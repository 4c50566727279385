#!/bin/sh
# Runs the INI agreement program under Wine: ini_agree.sh PATH/ini_agree.exe
# WINEPREFIX comes from the environment and must hold a prepared prefix.
set -u
exe=${1:?usage: ini_agree.sh PATH/ini_agree.exe}
: "${WINEPREFIX:?WINEPREFIX must name a Wine prefix}"
export WINEPREFIX
# Without the glibc locale Wine falls back to code page 1252 and GBK bytes
# would be other characters; the program checks for 936 itself.
export LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# Standard input from /dev/null keeps the console of the caller out of the output.
wine "$exe" </dev/null
exit $?
