#!/usr/bin/env python3
"""Writes skin/XML/DeviceXml/keyboarddevice.xml, the keyboard's device page.

The key picture is an 87-key ANSI tenkeyless board drawn on the usual 1u key grid (19.05 mm
pitch): function row, then the five main rows with the navigation cluster and arrows on the
right. Each physical key is a DeviceKeyButton named key_N whose user data is light_N, N being
the program's key number for that key (the number whose factory code is the key's usage; the
same numbers place keys in the lighting effects' key matrix).

Run from the repository root:  python3 scripts/gen_keyboard_layout.py
"""

import os
import xml.etree.ElementTree as ET

UNIT = 44            # pixels per key unit
PAD = 3              # gap around each key cap
BOARD_MARGIN = 18    # board edge around the keys
ROW_Y = [0, 1.5, 2.5, 3.5, 4.5, 5.5]   # gap between the function row and the main block

# (key number, legend, x in units, width in units) per row.
ROWS = [
    [(0, "Esc", 0, 1),
     (1, "F1", 2, 1), (2, "F2", 3, 1), (3, "F3", 4, 1), (4, "F4", 5, 1),
     (5, "F5", 6.5, 1), (6, "F6", 7.5, 1), (7, "F7", 8.5, 1), (8, "F8", 9.5, 1),
     (9, "F9", 11, 1), (10, "F10", 12, 1), (11, "F11", 13, 1), (12, "F12", 14, 1),
     (13, "PrtSc", 15.25, 1), (14, "ScrLk", 16.25, 1), (15, "Pause", 17.25, 1)],
    [(21, "`", 0, 1)] + [(22 + i, str((i + 1) % 10), 1 + i, 1) for i in range(10)] +
    [(32, "-", 11, 1), (33, "=", 12, 1), (34, "Backspace", 13, 2),
     (35, "Ins", 15.25, 1), (36, "Home", 16.25, 1), (37, "PgUp", 17.25, 1)],
    [(42, "Tab", 0, 1.5)] + [(43 + i, c, 1.5 + i, 1) for i, c in enumerate("QWERTYUIOP")] +
    [(53, "[", 11.5, 1), (54, "]", 12.5, 1), (55, "\\", 13.5, 1.5),
     (56, "Del", 15.25, 1), (57, "End", 16.25, 1), (58, "PgDn", 17.25, 1)],
    [(63, "Caps", 0, 1.75)] + [(64 + i, c, 1.75 + i, 1) for i, c in enumerate("ASDFGHJKL")] +
    [(73, ";", 10.75, 1), (74, "'", 11.75, 1), (75, "Enter", 12.75, 2.25)],
    [(84, "Shift", 0, 2.25)] + [(85 + i, c, 2.25 + i, 1) for i, c in enumerate("ZXCVBNM")] +
    [(92, ",", 9.25, 1), (93, ".", 10.25, 1), (94, "/", 11.25, 1), (95, "Shift", 12.25, 2.75),
     (96, "\u2191", 16.25, 1)],
    [(105, "Ctrl", 0, 1.25), (106, "Win", 1.25, 1.25), (107, "Alt", 2.5, 1.25),
     (108, "", 3.75, 6.25), (109, "Alt", 10, 1.25), (110, "Fn", 11.25, 1.25),
     (111, "Menu", 12.5, 1.25), (112, "Ctrl", 13.75, 1.25),
     (113, "\u2190", 15.25, 1), (114, "\u2193", 16.25, 1), (115, "\u2192", 17.25, 1)],
]

BOARD_UNITS_W = 18.25
BOARD_UNITS_H = 6.5
PANEL_X, PANEL_Y = 24, 20
PANEL_W = int(BOARD_UNITS_W * UNIT + 2 * BOARD_MARGIN)
PANEL_H = int(BOARD_UNITS_H * UNIT + 2 * BOARD_MARGIN)
PAGE_W = PANEL_W + 2 * PANEL_X
PAGE_H = 720


def rect(x, y, w, h):
    p = ET.Element("property", name="geometry")
    r = ET.SubElement(p, "rect")
    for tag, v in (("x", x), ("y", y), ("width", w), ("height", h)):
        ET.SubElement(r, tag).text = str(int(v))
    return p


def prop(name, value, stdset=True):
    p = ET.Element("property", name=name)
    if not stdset:
        p.set("stdset", "0")
    ET.SubElement(p, "string").text = value
    return p


def typed_prop(name, kind, value):
    p = ET.Element("property", name=name)
    ET.SubElement(p, kind).text = value
    return p


def widget(cls, name, children):
    w = ET.Element("widget", {"class": cls, "name": name})
    w.extend(children)
    return w


def key_buttons():
    out = []
    seen = set()
    for row, keys in enumerate(ROWS):
        for number, legend, x, w in keys:
            assert number not in seen, number
            seen.add(number)
            px = BOARD_MARGIN + round(x * UNIT) + PAD
            py = BOARD_MARGIN + round(ROW_Y[row] * UNIT) + PAD
            pw = round(w * UNIT) - 2 * PAD
            ph = UNIT - 2 * PAD
            out.append(widget("DeviceKeyButton", "key_%d" % number,
                              [rect(px, py, pw, ph), prop("text", legend),
                               prop("userdata", "light_%d" % number, stdset=False)]))
    assert len(seen) == 87, len(seen)
    return out


def option_group(container, prefix, texts, x, y):
    children = [rect(x, y, 120 * len(texts), 28)]
    for i, text in enumerate(texts):
        children.append(widget("QRadioButton", "%s%d" % (prefix, i),
                               [rect(i * 120, 0, 112, 28), prop("text", text)]))
    return widget("QWidget", container, children)


def label(name, text, x, y, w, h=24, visible=True):
    children = [rect(x, y, w, h), prop("text", text)]
    if not visible:
        children.append(typed_prop("visible", "bool", "false"))
    return widget("QLabel", name, children)


def page(name, children):
    return widget("QWidget", name, children)


def system_page():
    return page("device_system_page", [
        label("polling_rate_title", "%[Polling_Rate]", 0, 4, 300),
        option_group("polling_rate_layout", "polling_rate_option_",
                     ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"], 0, 30),
        label("repeat_delay_title", "%[Repeat_Delay]", 0, 70, 300),
        option_group("repeat_delay_layout", "repeat_delay_check_", ["1", "2", "3", "4"], 0, 96),
        label("repeat_delay_time_label1", "", 500, 96, 260, 28),
        label("repeat_rate_title", "%[Repeat_Rate]", 0, 136, 300),
        widget("QSlider", "repeat_rate_slider",
               [rect(0, 162, 480, 24), typed_prop("orientation", "enum", "Qt::Horizontal"),
                typed_prop("maximum", "number", "4")]),
        widget("QLineEdit", "repeat_input_richedit", [rect(500, 160, 260, 28)]),
        widget("QCheckBox", "winlockflag_option", [rect(0, 204, 240, 28), prop("text", "%[Win_Lock]")]),
        widget("QCheckBox", "wflag_option", [rect(250, 204, 240, 28), prop("text", "%[WASD_Swap]")]),
        widget("QCheckBox", "6flag_option", [rect(500, 204, 240, 28), prop("text", "%[Key6_Rollover]")]),
    ])


def function_tabs():
    width = PAGE_W - 2 * PANEL_X
    key_tabs = widget("QStackedWidget", "device_key_function_switch", [
        rect(0, 0, width, 300),
        page("device_light_page", []),
        page("device_keyset_page", []),
        page("device_extra_page", []),
    ])
    return widget("QStackedWidget", "device_function_switch", [
        rect(PANEL_X, PANEL_Y + PANEL_H + 16, width, PAGE_H - PANEL_H - PANEL_Y - 32),
        page("device_function_page_keys", [key_tabs]),
        page("device_macro_page", []),
        page("device_cursor_page", []),
        system_page(),
    ])


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(root, "skin", "XML", "DeviceXml", "keyboarddevice.xml")
    panel = widget("SelectPanel", "keyboard_device_key_light",
                   [rect(PANEL_X, PANEL_Y, PANEL_W, PANEL_H),
                    prop("bkcolor", "#FF101115", stdset=False)] +
                   key_buttons())
    device = widget("NorvexKeyboardDevice", "keyboard_device", [
        rect(0, 0, PAGE_W, PAGE_H),
        prop("bkcolor", "#FF1C1D23", stdset=False),
        panel,
        function_tabs(),
        label("text_test", "", 0, 0, 10, 10, visible=False),
    ])
    ui = ET.Element("ui", version="4.0")
    ET.SubElement(ui, "class").text = "NorvexKeyboardDevice"
    ui.append(device)
    ET.indent(ui, space=" ")
    text = ET.tostring(ui, encoding="unicode")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
        f.write("<!-- Generated by scripts/gen_keyboard_layout.py; edit the script. -->\n")
        f.write(text + "\n")


if __name__ == "__main__":
    main()
