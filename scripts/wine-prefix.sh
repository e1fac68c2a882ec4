#!/usr/bin/env bash
# Makes a fresh Wine prefix at $WINEPREFIX for the Windows program: created quietly (no Mono or
# Gecko prompts), Japanese text falling back to Noto Sans CJK JP, and no crash dialog to wait on.
set -euo pipefail
cd "$(dirname "$0")/.."
: "${WINEPREFIX:?set WINEPREFIX to the folder for the new prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

wine wineboot -i >/dev/null 2>&1
wine regedit scripts/wine-fontlink.reg >/dev/null 2>&1
# A crashing program ends with its backtrace on stderr instead of a dialog nobody answers.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
