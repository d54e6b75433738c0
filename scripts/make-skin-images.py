#!/usr/bin/env python3
"""Draws the device selector icons and the power indicator images of the skin with
ImageMagick's convert. The images are committed; run this again only to change them.

  skin/common/device_ico/<stem>_{normal,selected,synchro_normal,synchro_selected}.png
  skin/power/{powered,powering,power,Phone_type_*}.png
"""
import os
import subprocess

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skin")
ICO = os.path.join(ROOT, "common", "device_ico")
PWR = os.path.join(ROOT, "power")

NORMAL = "#8a919c"
SELECTED = "#19b8ff"
SYNC = "#3ddc84"
LIGHT = "#c8ccd2"


def draw(out, ops):
    subprocess.run(["convert", "-size", "48x48", "xc:none"] + ops + [out], check=True)


def outline(c, width=2):
    return ["-fill", "none", "-stroke", c, "-strokewidth", str(width)]


def solid(c):
    return ["-fill", c, "-stroke", "none"]


def shape(stem, c):
    if stem == "kb_device":
        ops = outline(c) + ["-draw", "roundrectangle 4,14 44,34 3,3"] + solid(c)
        for y in (18, 23):
            for x in range(8, 40, 5):
                ops += ["-draw", f"rectangle {x},{y} {x + 2},{y + 2}"]
        return ops + ["-draw", "rectangle 14,28 34,30"]
    if stem == "ms_device":
        return outline(c) + ["-draw", "roundrectangle 14,6 34,42 10,10",
                             "-draw", "line 24,7 24,18", "-draw", "line 15,18 33,18"]
    if stem == "hard_mp_device":
        return outline(c, 3) + ["-draw", "roundrectangle 3,12 45,36 3,3"] + \
            outline(c, 1) + ["-draw", "line 8,31 40,31"]
    if stem == "soft_mp_device":
        return outline(c) + ["-draw", "roundrectangle 3,12 45,36 6,6",
                             "-draw", "roundrectangle 8,17 40,31 4,4"]
    if stem == "hd_device":
        return outline(c) + ["-draw", "arc 8,8 40,40 180,360"] + solid(c) + \
            ["-draw", "roundrectangle 6,24 13,38 2,2", "-draw", "roundrectangle 35,24 42,38 2,2"]
    if stem == "hub_device":
        return outline(c) + ["-draw", "roundrectangle 6,14 42,34 3,3"] + solid(c) + \
            ["-draw", "rectangle 11,21 16,27", "-draw", "rectangle 21,21 27,27",
             "-draw", "rectangle 32,21 37,27"]
    # unknown device: a question mark in a rounded square
    return outline(c) + ["-draw", "roundrectangle 8,8 40,40 5,5"] + solid(c) + \
        ["-font", "DejaVu-Sans-Bold", "-pointsize", "24", "-gravity", "center",
         "-draw", "text 0,1 '?'", "-gravity", "NorthWest"]

SYNC_BADGE = solid(SYNC) + ["-draw", "circle 39,39 39,32"] + outline("white", 1.5) + \
    ["-draw", "arc 35,35 43,43 200,340", "-draw", "arc 35,35 43,43 20,160"]

BATTERY = outline(LIGHT) + ["-draw", "roundrectangle 4,16 38,32 2,2"] + solid(LIGHT) + \
    ["-draw", "rectangle 39,21 43,27"]


def phone(mark):
    return outline(LIGHT) + ["-draw", "roundrectangle 14,4 34,44 4,4",
                             "-draw", "line 21,39 27,39"] + mark


def main():
    os.makedirs(ICO, exist_ok=True)
    os.makedirs(PWR, exist_ok=True)
    for stem in ("kb_device", "ms_device", "hard_mp_device", "soft_mp_device", "hd_device",
                 "hub_device", "unknow_device"):
        draw(os.path.join(ICO, f"{stem}_normal.png"), shape(stem, NORMAL))
        draw(os.path.join(ICO, f"{stem}_selected.png"), shape(stem, SELECTED))
        draw(os.path.join(ICO, f"{stem}_synchro_normal.png"), shape(stem, NORMAL) + SYNC_BADGE)
        draw(os.path.join(ICO, f"{stem}_synchro_selected.png"),
             shape(stem, SELECTED) + SYNC_BADGE)
    # Powered: full and green; charging: half with a bolt; on battery: amber.
    draw(os.path.join(PWR, "powered.png"), BATTERY + solid(SYNC) + ["-draw", "rectangle 7,19 35,29"])
    draw(os.path.join(PWR, "powering.png"),
         BATTERY + solid(SYNC) + ["-draw", "rectangle 7,19 22,29"] + solid("#ffd23f") +
         ["-draw", "polygon 24,12 16,26 22,26 19,36 30,21 24,21 28,12"])
    draw(os.path.join(PWR, "power.png"),
         BATTERY + solid("#ffb020") + ["-draw", "rectangle 7,19 24,29"])
    draw(os.path.join(PWR, "Phone_type_iphone.png"),
         phone(solid(LIGHT) + ["-draw", "circle 24,20 24,15"]))
    draw(os.path.join(PWR, "Phone_type_samsung.png"),
         phone(outline(LIGHT) + ["-draw", "ellipse 24,20 7,4 0,360"]))
    draw(os.path.join(PWR, "Phone_type_other.png"),
         phone(solid(LIGHT) + ["-draw", "rectangle 19,16 29,24"]))
    draw(os.path.join(PWR, "Phone_type_no_device.png"),
         phone(outline("#e05555") + ["-draw", "line 12,8 36,40"]))
    print("skin images written")


if __name__ == "__main__":
    main()
