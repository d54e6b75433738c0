#!/bin/sh
# Saves a picture of the keyboard page with a few keys lit, drawn by the real X11 platform
# under Xvfb. Usage: scripts/screenshot_keyboard_page.sh <build dir> <output.png>
set -eu
build=${1:?build directory}
out=${2:?output PNG}
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
RAVO_PAGE_SCREENSHOT=$out QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x900x24" \
    "$build/bin/test_devices_KeyboardPageTest" \
    --gtest_filter='KeyboardPageTest.FrameOutputPaintsTheKeysAndMarksRemappedOnes'
echo "saved $out"
