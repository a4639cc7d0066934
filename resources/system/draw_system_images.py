#!/usr/bin/env python3
"""Draws the framework's built-in skin images into this folder.

Every cell is drawn at 4x and downsampled, so round shapes come out
anti-aliased at 100 % scale. Run it again after changing a colour or a shape:
    python3 draw_system_images.py
"""
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
K = 4  # supersampling factor

ACCENT = (30, 111, 255, 255)
ACCENT_DARK = (20, 88, 214, 255)
ACCENT_HOVER = (74, 140, 255, 255)
ACCENT_LIGHT = (228, 237, 255, 255)
BORDER = (184, 190, 200, 255)
BORDER_HOVER = ACCENT
FACE = (255, 255, 255, 255)
FACE_HOVER = (245, 248, 255, 255)
FACE_PUSH = (228, 237, 255, 255)
DIS_FACE = (238, 240, 243, 255)
DIS_BORDER = (210, 214, 220, 255)
DIS_GLYPH = (180, 186, 195, 255)
GLYPH = (90, 98, 112, 255)
TRACK = (226, 229, 234, 255)
LINE = (160, 166, 176, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)

NORMAL, HOVER, PUSHED, DISABLED = range(4)


def cell(w, h, paint):
    """One cell of w x h: paint(draw, k) draws at k times the size."""
    big = Image.new("RGBA", (w * K, h * K), CLEAR)
    paint(ImageDraw.Draw(big), K)
    return big.resize((w, h), Image.LANCZOS)


def strip(cells, vertical=False):
    w, h = cells[0].size
    size = (w, h * len(cells)) if vertical else (w * len(cells), h)
    out = Image.new("RGBA", size, CLEAR)
    for i, c in enumerate(cells):
        out.paste(c, (0, i * h) if vertical else (i * w, 0))
    return out


def save(name, image):
    image.save(os.path.join(HERE, name + ".png"))


def box_colors(state):
    """Face and border of a control in one of the four window states."""
    return {
        NORMAL: (FACE, BORDER),
        HOVER: (FACE_HOVER, BORDER_HOVER),
        PUSHED: (FACE_PUSH, ACCENT_DARK),
        DISABLED: (DIS_FACE, DIS_BORDER),
    }[state]


def check_mark(d, k, x0, y0, s, color, width=1.6):
    pts = [(x0 + s * 0.22, y0 + s * 0.52), (x0 + s * 0.42, y0 + s * 0.72), (x0 + s * 0.78, y0 + s * 0.30)]
    d.line([(x * k, y * k) for x, y in pts], fill=color, width=int(width * k), joint="curve")


def checkbox(state, checked, size=16):
    def paint(d, k):
        face, border = box_colors(state)
        if checked:
            face = {NORMAL: ACCENT, HOVER: ACCENT_HOVER, PUSHED: ACCENT_DARK, DISABLED: DIS_BORDER}[state]
            border = face
        d.rounded_rectangle([k, k, (size - 1) * k - 1, (size - 1) * k - 1], radius=3 * k, fill=face,
                            outline=border, width=k)
        if checked:
            check_mark(d, k, 1, 1, size - 2, WHITE)
    return cell(size, size, paint)


def radio(state, checked, size=16):
    def paint(d, k):
        face, border = box_colors(state)
        if checked and state != DISABLED:
            border = {NORMAL: ACCENT, HOVER: ACCENT_HOVER, PUSHED: ACCENT_DARK}[state]
        d.ellipse([k, k, (size - 1) * k - 1, (size - 1) * k - 1], fill=face, outline=border, width=k)
        if checked:
            dot = DIS_GLYPH if state == DISABLED else border
            r = 3.5 * k
            c = size * k / 2
            d.ellipse([c - r, c - r, c + r, c + r], fill=dot)
    return cell(size, size, paint)


def focus_ring(round_shape, size=16):
    def paint(d, k):
        box = [0, 0, size * k - 1, size * k - 1]
        color = ACCENT_HOVER
        if round_shape:
            d.ellipse(box, outline=color, width=k)
        else:
            d.rounded_rectangle(box, radius=4 * k, outline=color, width=k)
    return cell(size, size, paint)


def chevron(d, k, cx, cy, s, direction, color, width=1.5):
    """An open arrow head pointing 'up', 'down', 'left' or 'right', s wide."""
    h = s / 2
    if direction == "down":
        pts = [(cx - h, cy - h / 2), (cx, cy + h / 2), (cx + h, cy - h / 2)]
    elif direction == "up":
        pts = [(cx - h, cy + h / 2), (cx, cy - h / 2), (cx + h, cy + h / 2)]
    elif direction == "right":
        pts = [(cx - h / 2, cy - h), (cx + h / 2, cy), (cx - h / 2, cy + h)]
    else:
        pts = [(cx + h / 2, cy - h), (cx - h / 2, cy), (cx + h / 2, cy + h)]
    d.line([(x * k, y * k) for x, y in pts], fill=color, width=int(width * k), joint="curve")


def glyph_color(state):
    return {NORMAL: GLYPH, HOVER: ACCENT, PUSHED: ACCENT_DARK, DISABLED: DIS_GLYPH}[state]


def arrow_button(direction, state, w=16, h=16, framed=True, s=7):
    def paint(d, k):
        if framed and state in (HOVER, PUSHED):
            fill = FACE_HOVER if state == HOVER else FACE_PUSH
            d.rounded_rectangle([0, 0, w * k - 1, h * k - 1], radius=3 * k, fill=fill)
        chevron(d, k, w / 2, h / 2, s, direction, glyph_color(state))
    return cell(w, h, paint)


def scrollbar(c=16):
    """9 columns x 4 state rows: vertical up, down, thumb, rail; horizontal
    left, right, thumb, rail; then corner and grippers."""
    rows = []
    for state in range(4):
        glyph = glyph_color(state) if state != HOVER else GLYPH
        thumb = {NORMAL: (200, 205, 213, 255), HOVER: (160, 167, 178, 255),
                 PUSHED: (120, 128, 140, 255), DISABLED: (0, 0, 0, 0)}[state]
        rail = (243, 244, 246, 255)
        cells = []
        for vertical in (True, False):
            for part in range(4):
                def paint(d, k, part=part, vertical=vertical):
                    d.rectangle([0, 0, c * k - 1, c * k - 1], fill=rail)
                    if part < 2:
                        if state in (HOVER, PUSHED):
                            d.rectangle([0, 0, c * k - 1, c * k - 1],
                                        fill=(226, 229, 234, 255) if state == HOVER else (208, 212, 219, 255))
                        direction = ("up", "down") if vertical else ("left", "right")
                        chevron(d, k, c / 2, c / 2, 6, direction[part], glyph, width=1.4)
                    elif part == 2 and thumb[3]:
                        inset = 4 * k
                        if vertical:
                            box = [inset, k, c * k - inset - 1, c * k - k - 1]
                        else:
                            box = [k, inset, c * k - k - 1, c * k - inset - 1]
                        d.rounded_rectangle(box, radius=4 * k, fill=thumb)
                cells.append(cell(c, c, paint))
        extra = Image.new("RGBA", (c, c), (243, 244, 246, 255))
        if state in (1, 2):
            def grip(d, k, vertical=(state == 1)):
                d.rectangle([0, 0, c * k - 1, c * k - 1], fill=(200, 205, 213, 255))
                for i in (-2, 0, 2):
                    if vertical:
                        d.line([(5 * k, (c / 2 + i) * k), ((c - 5) * k, (c / 2 + i) * k)], fill=WHITE, width=k)
                    else:
                        d.line([((c / 2 + i) * k, 5 * k), ((c / 2 + i) * k, (c - 5) * k)], fill=WHITE, width=k)
            extra = cell(c, c, grip)
        cells.append(extra)
        rows.append(strip(cells))
    return strip(rows, vertical=True)


def frame_states(w, h, radius, looks):
    """A strip of rounded frames, one (fill, border) per state."""
    def one(fill, border):
        def paint(d, k):
            d.rounded_rectangle([0, 0, w * k - 1, h * k - 1], radius=radius * k, fill=fill,
                                outline=border, width=k if border else 0)
        return cell(w, h, paint)
    return strip([one(f, b) for f, b in looks])


def pill(color, size=12):
    def paint(d, k):
        d.rounded_rectangle([0, 0, size * k - 1, size * k - 1], radius=size * k / 2, fill=color)
    return cell(size, size, paint)


def slider_thumb(state, size=16):
    def paint(d, k):
        fill, border = {NORMAL: (WHITE, ACCENT), HOVER: (ACCENT_LIGHT, ACCENT),
                        PUSHED: (ACCENT, ACCENT_DARK), DISABLED: (DIS_FACE, DIS_BORDER)}[state]
        d.ellipse([k, k, (size - 1) * k - 1, (size - 1) * k - 1], fill=fill, outline=border, width=2 * k)
    return cell(size, size, paint)


def tree_toggle(expanded, state, size=16):
    def paint(d, k):
        color = {NORMAL: GLYPH, HOVER: ACCENT, PUSHED: ACCENT_DARK}[state]
        chevron(d, k, size / 2, size / 2, 7, "down" if expanded else "right", color)
    return cell(size, size, paint)


def tree_checkbox(check, state, size=16):
    if check == 1:
        return checkbox(state, True, size)
    base = checkbox(state, False, size)
    if check == 2:
        def paint(d, k):
            d.rounded_rectangle([4.5 * k, 4.5 * k, 11.5 * k, 11.5 * k], radius=k, fill=ACCENT)
        base = Image.alpha_composite(base, cell(size, size, paint))
    return base


def tree_line(kind, size=16):
    """kind 0-8 as the tree asks: boxes (plus or minus) for items with
    children, elbows for leaves, 6 a pass-through line."""
    def paint(d, k):
        m = size * k // 2
        def vline(y0, y1):
            for y in range(int(y0), int(y1), 2 * k):
                d.rectangle([m, y, m + k - 1, y + k - 1], fill=LINE)
        def hline(x0, x1):
            for x in range(int(x0), int(x1), 2 * k):
                d.rectangle([x, m, x + k - 1, m + k - 1], fill=LINE)
        if kind == 6:
            vline(0, size * k)
            return
        last = kind in (2, 5, 8)
        first = kind in (0, 3)
        if not first:
            vline(0, m)
        if not last:
            vline(m, size * k)
        hline(m, size * k)
        if kind < 6:
            r = 4 * k
            d.rectangle([m - r, m - r, m + r, m + r], fill=WHITE, outline=LINE, width=k)
            d.rectangle([m - 2 * k, m, m + 2 * k, m + k - 1], fill=GLYPH)
            if kind < 3:
                d.rectangle([m, m - 2 * k, m + k - 1, m + 2 * k], fill=GLYPH)
    return cell(size, size, paint)


def header(state, w=12, h=24):
    """A column header; state 3 is the empty space after the last column,
    which has no divider."""
    fill = {NORMAL: (248, 249, 251, 255), HOVER: (236, 242, 255, 255),
            PUSHED: (224, 234, 255, 255), DISABLED: (248, 249, 251, 255)}[state]
    def paint(d, k):
        d.rectangle([0, 0, w * k - 1, h * k - 1], fill=fill)
        d.rectangle([0, (h - 1) * k, w * k - 1, h * k - 1], fill=BORDER)
        if state != DISABLED:
            d.rectangle([(w - 1) * k, 5 * k, w * k - 1, (h - 5) * k - 1], fill=DIS_BORDER)
    return cell(w, h, paint)


def caption_button(kind, state, w=32, h=24):
    def paint(d, k):
        if state == HOVER:
            d.rectangle([0, 0, w * k - 1, h * k - 1], fill=(232, 17, 35, 255) if kind == "close" else (229, 231, 235, 255))
        elif state == PUSHED:
            d.rectangle([0, 0, w * k - 1, h * k - 1], fill=(196, 14, 30, 255) if kind == "close" else (210, 214, 220, 255))
        color = WHITE if kind == "close" and state in (HOVER, PUSHED) else (DIS_GLYPH if state == DISABLED else GLYPH)
        cx, cy, s = w / 2 * k, h / 2 * k, 5 * k
        if kind == "close":
            d.line([(cx - s, cy - s), (cx + s, cy + s)], fill=color, width=int(1.3 * k))
            d.line([(cx - s, cy + s), (cx + s, cy - s)], fill=color, width=int(1.3 * k))
        elif kind == "minimize":
            d.rectangle([cx - s, cy, cx + s, cy + k - 1], fill=color)
        elif kind == "maximize":
            d.rectangle([cx - s, cy - s, cx + s, cy + s], outline=color, width=k)
        else:
            d.rectangle([cx - s + 2 * k, cy - s, cx + s, cy + s - 2 * k], outline=color, width=k)
            d.rectangle([cx - s, cy - s + 2 * k, cx + s - 2 * k, cy + s], fill=WHITE if state == NORMAL else None,
                        outline=color, width=k)
    return cell(w, h, paint)


def menu_check(kind, size=16):
    def paint(d, k):
        if kind == 0:
            check_mark(d, k, 1, 1, size - 2, GLYPH)
        else:
            c, r = size * k / 2, 4 * k
            d.ellipse([c - r, c - r, c + r, c + r], outline=GLYPH, width=k, fill=GLYPH if kind == 1 else None)
    return cell(size, size, paint)


def menu_separator(w=12, h=10):
    out = Image.new("RGBA", (w, h), CLEAR)
    ImageDraw.Draw(out).line([(0, 4), (w - 1, 4)], fill=(224, 227, 232, 255))
    return out


def icon(kind, size=16):
    """The edit menu's icons: 0 undo, 1 redo, 2 refresh, 3 cut, 4 copy,
    5 paste, 6 delete, 7 select all."""
    def paint(d, k):
        w = int(1.3 * k)
        if kind in (0, 1):
            box = [3 * k, 4 * k, 13 * k, 14 * k]
            d.arc(box, 180, 360, fill=GLYPH, width=w)
            x = 3 * k if kind == 0 else 13 * k
            d.polygon([(x - 2 * k, 8 * k), (x + 2 * k, 8 * k), (x, 11 * k)], fill=GLYPH)
        elif kind == 2:
            d.arc([3 * k, 3 * k, 13 * k, 13 * k], 40, 340, fill=GLYPH, width=w)
            d.polygon([(11 * k, 2 * k), (14 * k, 6 * k), (10 * k, 6 * k)], fill=GLYPH)
        elif kind == 3:
            d.ellipse([2 * k, 10 * k, 7 * k, 15 * k], outline=GLYPH, width=w)
            d.ellipse([9 * k, 10 * k, 14 * k, 15 * k], outline=GLYPH, width=w)
            d.line([(5.5 * k, 10.5 * k), (11 * k, 1 * k)], fill=GLYPH, width=w)
            d.line([(10.5 * k, 10.5 * k), (5 * k, 1 * k)], fill=GLYPH, width=w)
        elif kind == 4:
            d.rounded_rectangle([5 * k, 1 * k, 14 * k, 11 * k], radius=k, outline=GLYPH, width=w)
            d.rounded_rectangle([2 * k, 5 * k, 11 * k, 15 * k], radius=k, fill=WHITE, outline=ACCENT, width=w)
        elif kind == 5:
            d.rounded_rectangle([2 * k, 2 * k, 14 * k, 15 * k], radius=k, outline=GLYPH, width=w)
            d.rounded_rectangle([5 * k, 1 * k, 11 * k, 4 * k], radius=k, fill=ACCENT)
            for y in (7, 10):
                d.line([(5 * k, y * k), (11 * k, y * k)], fill=GLYPH, width=k)
        elif kind == 6:
            d.line([(3 * k, 4 * k), (13 * k, 4 * k)], fill=GLYPH, width=w)
            d.line([(6 * k, 2 * k), (10 * k, 2 * k)], fill=GLYPH, width=w)
            d.rounded_rectangle([4 * k, 5 * k, 12 * k, 15 * k], radius=k, outline=GLYPH, width=w)
        else:
            d.rectangle([2 * k, 2 * k, 14 * k - 1, 14 * k - 1], outline=GLYPH, width=k)
            d.rectangle([5 * k, 5 * k, 11 * k - 1, 11 * k - 1], fill=ACCENT)
    return cell(size, size, paint)


def main():
    states = range(4)
    save("SYS_CHECKBOX", strip([checkbox(s, c) for c in (False, True) for s in states]))
    save("SYS_RADIO", strip([radio(s, c) for c in (False, True) for s in states]))
    save("SYS_FOCUSCHECKBOX", focus_ring(False))
    save("SYS_FOCUSRADIO", focus_ring(True))
    save("SYS_SCROLLBAR", scrollbar())
    save("SYS_BORDER", frame_states(6, 6, 0, [(WHITE, BORDER), (WHITE, ACCENT_HOVER),
                                              (WHITE, ACCENT), (DIS_FACE, DIS_BORDER)]))
    save("SYS_DROPBTN", strip([arrow_button("down", s) for s in states]))
    save("SYS_TREE_TOGGLE", strip([tree_toggle(e, s) for e in (False, True) for s in range(3)]))
    save("SYS_TREE_CHECKBOX", strip([tree_checkbox(c, s) for c in range(3) for s in range(3)]))
    save("SYS_TREE_LINES", strip([tree_line(i) for i in range(9)]))
    save("SYS_TAB_PAGE", frame_states(12, 12, 3, [(CLEAR, None), (FACE_HOVER, None),
                                                  (WHITE, ACCENT), (CLEAR, None)]))
    save("SYS_HEADER", strip([header(s) for s in states]))
    save("SYS_PROG_BKGND", pill(TRACK))
    save("SYS_PROG_BAR", pill(ACCENT))
    save("SYS_SLIDER_THUMB", strip([slider_thumb(s) for s in states]))
    for kind in ("close", "minimize", "maximize", "restore"):
        save("SYS_BTN_" + kind.upper(), strip([caption_button(kind, s) for s in states]))
    save("SYS_MENU_CHECK", strip([menu_check(i) for i in range(3)]))
    save("SYS_MENU_SEP", menu_separator())
    save("SYS_MENU_ARROW", strip([arrow_button("right", s, framed=False, s=6) for s in (NORMAL, HOVER)]))
    save("SYS_MENU_BORDER", frame_states(6, 6, 0, [(WHITE, (200, 205, 213, 255))]))
    save("SYS_MENU_SKIN", frame_states(12, 12, 3, [(CLEAR, None), (ACCENT_LIGHT, None), (CLEAR, None)]))
    save("SYS_ICONS", strip([icon(i) for i in range(8)]))
    save("SYS_BTN_PREV", strip([arrow_button("left", s) for s in states]))
    save("SYS_BTN_NEXT", strip([arrow_button("right", s) for s in states]))
    save("SYS_SPIN_UP", strip([arrow_button("up", s, 16, 10, s=6) for s in states]))
    save("SYS_SPIN_DOWN", strip([arrow_button("down", s, 16, 10, s=6) for s in states]))


if __name__ == "__main__":
    main()
