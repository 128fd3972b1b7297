#!/usr/bin/env python3
"""Writes the expected rollout reports, worked out from the report's layout rules
independently of the program. Run from this folder; the test compares byte for byte."""
from decimal import Decimal, ROUND_HALF_UP

# The platform's line end, which a text viewer or a terminal here reads as one.
EOL = "\n"


def using(mask, value):
    """#-masks: an optional leading sign position, digit positions, a point; the sign
    sits before the first digit and the text is right-aligned in the mask's width."""
    sign_char = mask[0] if mask[0] in "+-" else ""
    body = mask[1:] if sign_char else mask
    frac = len(body.split(".")[1]) if "." in body else 0
    q = Decimal(1).scaleb(-frac)
    d = Decimal(repr(abs(value))).quantize(q, rounding=ROUND_HALF_UP)
    text = f"{d:.{frac}f}"
    negative = value < 0 and d != 0
    if sign_char == "+":
        text = ("-" if negative else "+") + text
    elif sign_char == "-":
        text = ("-" if negative else " ") + text
    elif negative:
        text = "-" + text
    return text.rjust(len(mask))


def str_s(n):
    return (" " if n >= 0 else "") + str(n)


def share(a, b):
    return 0.0 if a + b == 0 else a / (a + b) * 100


def report(c):
    w0, w1 = c["wins"]
    p0, p1 = c["points"]
    n = w0 + w1
    P1, P0 = share(p1, p0), share(p0, p1)
    E = 0.0 if n == 0 else (p0 - p1) / n
    out = []
    if c["description"]:
        out.append(c["description"] + EOL)
    if n < 1:
        out.append("Not enough games rolled out for valid results" + EOL)
    else:
        if n < 1000:
            out.append("Results are suspect due to the low number of games rolled out." + EOL)
        if not c["dice"] and c["side"] == 0:
            out.append(("You should not double." if P0 < 68 else "Double unless you think a gammon is possible.") + EOL)
            out.append(("The computer should not accept." if P1 < 25 else "The computer should accept.") + EOL)
    out.append(c["date"] + "   Games rolled out: " + str_s(w1 + w0) + "   MinMaxStart: " + str_s(c["minmax"]))
    out.append(("Jacoby Rule/" if c["jacoby"] else "") + ("Backgammons/" if c["backgammons"] else "") + c["skill"] + EOL)
    out.append(" " * 40 + "Computer/Top     You/Bottom    Game" + EOL)
    g0, g1 = c["gammons"]
    b0, b1 = c["backgammons_won"]
    out.append("Games" + " " * 34 + using("######", w1) + " " * 18 + using("######", w0))
    out.append("Points" + " " * 34 + using("######", p1) + " " * 18 + using("######", p0))
    out.append("Gammons" + " " * 30 + using("######", g1) + " " * 18 + using("######", g0))
    out.append("Backgammons" + " " * 23 + using("######", b1) + " " * 18 + using("######", b0))
    out.append("Percent of points" + " " * 16 + using("####.#", P1) + " " * 18 + using("####.#", P0))
    mx, mn = c["maxPercent"], c["minPercent"]  # (side 0, side 1)
    if mx[1] > -1:
        out.append("  Max %" + " " * 34 + using("####.#", mx[1]) + " " * 18 + using("####.#", mx[0]))
    if mn[1] < 101:
        out.append("  Min %" + " " * 34 + using("####.#", mn[1]) + " " * 18 + using("####.#", mn[0]))
    out.append("Equity" + " " * 29 + using("-##.####", -E) + " " * 15 + using("-##.####", E))
    if mx[1] > -1:
        out.append("  Max Equity" + " " * 24 + using("-##.####", -c["minEquity"]) + " " * 15 +
                   using("-##.####", c["maxEquity"]) + "  @" + using("######", c["maxEquityGame"]))
    if mn[1] < 101:
        out.append("  Min Equity" + " " * 24 + using("-##.####", -c["maxEquity"]) + " " * 15 +
                   using("-##.####", c["minEquity"]) + "  @" + using("######", c["minEquityGame"]))
    out.append(EOL)
    board = c["board"]

    def col(label, r):
        v = board[25 - label]
        return "Y" if v >= r else ("C" if v <= -r else " ")

    top_bar = lambda r: "C" if board[0] <= -r else " "
    bottom_bar = lambda r: "Y" if board[25] >= r else " "
    cube = " "
    out.append(" __________________________________________________________")
    out.append("|        24    23    22    21    20    19          18    17    16    15    14    13          |")
    out.append("|       _______________________         _______________________        |")
    for r in range(1, 16):
        if top_bar(r) == " " and all(col(L, r) == " " for L in range(13, 25)):
            break
        out.append("|      |   " + col(24, r) + "       " + col(23, r) + "       " + col(22, r) + "       " + col(21, r) +
                   "       " + col(20, r) + "       " + col(19, r) + " |    " + top_bar(r) + "   |  " + col(18, r) +
                   "       " + col(17, r) + "       " + col(16, r) + "       " + col(15, r) + "       " + col(14, r) +
                   "       " + col(13, r) + "   |   " + cube + "   |")
    mid = "|      |                                              |        |                                              |       |"
    out.append(mid)
    d0, d1 = c["diceValues"]
    if c["dice"] and c["side"] == 0:
        out.append("|      |                                              | BAR |                   " + str_s(d1) + "-" +
                   str_s(d0) + "                   |   " + cube + "   |")
    elif c["dice"]:
        out.append("|      |                   " + str_s(d0) + "-" + str_s(d1) +
                   "                   | BAR |                                              |   " + cube + "   |")
    elif c["side"] == 0:
        out.append("|      |                                              | BAR |                     Roll                   |   " + cube + "   |")
    else:
        out.append("|      |                    Roll                    | BAR |                                              |   " + cube + "   |")
    out.append(mid)
    for r in range(15, 0, -1):
        if bottom_bar(r) == " " and all(col(L, r) == " " for L in range(1, 13)):
            continue
        out.append("|      |   " + col(1, r) + "       " + col(2, r) + "       " + col(3, r) + "       " + col(4, r) +
                   "       " + col(5, r) + "       " + col(6, r) + " |    " + bottom_bar(r) + "   |  " + col(7, r) +
                   "       " + col(8, r) + "       " + col(9, r) + "       " + col(10, r) + "       " + col(11, r) +
                   "       " + col(12, r) + "   |   " + cube + "   |")
    out.append("|      |_______________________|        |_______________________|       |")
    out.append("|         1      2      3      4      5      6            7      8     9     10     11    12          |")
    out.append("|__________________________________________________________|")
    return "".join(line + EOL for line in out)


def start_board():
    b = [0] * 26
    for p, v in {1: 2, 6: -5, 8: -3, 12: 5, 13: -5, 17: 3, 19: 5, 24: -2}.items():
        b[p] = v
    return b


base = dict(description="", wins=(0, 0), points=(0, 0), gammons=(0, 0), backgammons_won=(0, 0),
            maxPercent=(-1, -1), minPercent=(101, 101), maxEquity=-99, minEquity=99, maxEquityGame=0,
            minEquityGame=0, minmax=200, jacoby=False, backgammons=True, skill="World Class",
            dice=False, diceValues=(0, 0), side=0, board=start_board(), date="Mon, Dec 7, 2026")

cases = {
    "no_games": dict(base),
    # 75 / 25 of the points: the doubling edge at 68 and the take edge at 25 exactly.
    "few_games_edges": dict(base, description=" ", wins=(40, 10), points=(75, 25), gammons=(5, 3),
                            backgammons_won=(1, 0), maxPercent=(80.0, 30.5), minPercent=(70.0, 20.0),
                            maxEquity=1.2, minEquity=0.85, maxEquityGame=12, minEquityGame=31, minmax=10),
    "many_games_dice_top_stack": dict(base, description="Fifteen on one point", wins=(700, 596),
                                      points=(1100, 901), gammons=(250, 199), backgammons_won=(20, 3),
                                      jacoby=True, dice=True, diceValues=(6, 5), side=0,
                                      board=[0] * 5 + [-15] + [0] * 13 + [15] + [0] * 6),
    "side_one_dice_empty_top": dict(base, wins=(3, 4), points=(3, 6), gammons=(0, 1), backgammons_won=(0, 1),
                                    dice=True, diceValues=(3, 1), side=1, backgammons=False,
                                    board=[0] * 13 + [-3, -3, 2, 2, -3, -4, 3, 3, 3, 2, -2, 0] + [1]),
    "side_one_roll_bars": dict(base, wins=(1, 0), points=(2, 0), gammons=(1, 0), side=1,
                               board=[-1] + [0] * 5 + [-4] + [4] + [0] * 11 + [5] + [0] * 4 + [-10] + [6]),
}
assert all(len(c["board"]) == 26 for c in cases.values())

if __name__ == "__main__":
    for name, c in cases.items():
        with open(f"report_{name}.txt", "w", newline="") as f:
            f.write(report(c))
