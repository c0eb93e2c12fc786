#!/usr/bin/python3
# Plays the game for README's pictures, finding its controls by name as the robot does: a round in
# full swing (targets of several sizes, hits, misses, the clock running) and the window after a
# round, with its results and the table of best results on the help panel; then the statistics
# window that F2 opens.
#
# Usage: dbus-run-session -- screenshot.py GAME_BINARY ROUND_PNG RESULTS_PNG STATISTICS_PNG
# (under an X server)
import os, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../tests/robot"))
import pyatspi
from robot import Game, middle, run, showing, wait_for


def picture(game, path, title="Попадайка"):
    window = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()[0]
    run("import", "-frame", "-window", window, path)


binary, round_png, results_png, statistics_png = map(os.path.abspath, sys.argv[1:5])
os.environ.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
with tempfile.TemporaryDirectory() as folder:
    game = Game([binary], folder)
    targets = [game.find(f"Мишень {n}") for n in range(1, 11)]
    game.press("НикНейм")
    prompt = wait_for('the box "Ваш ник"', lambda: game.box("Ваш ник"))
    field = pyatspi.findDescendant(prompt, lambda control: control.getRole() == pyatspi.ROLE_TEXT)
    wait_for("the field's focus", lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    run("xdotool", "type", "--delay", "60", "Вася")
    game.press("ОК", prompt)
    wait_for("the prompt to close", lambda: not game.box("Ваш ник"))
    game.press("Начать")
    bare = game.bare_spot()
    # Six seconds in which every target is hit as it comes and now and then the bare window is
    # missed, then three in which the targets are let be: the board shows several, each at the
    # size its last hit gave it.
    start = time.monotonic()
    while time.monotonic() < start + 6:
        shown = [target for target in targets if showing(target)]
        if shown:
            game.click(middle(shown[0]))
        elif int(time.monotonic() * 2) % 3 == 0:
            game.click(bare)
        time.sleep(0.1)
    time.sleep(3)
    picture(game, round_png)
    over = wait_for('the box "Game Over"', lambda: game.box("Game Over"), timeout=60)
    game.press("ОК", over)
    game.press("Вкл. помощь")
    game.press("10-ка лучших")
    time.sleep(0.5)
    picture(game, results_png)
    game.press("Выкл. помощь")
    run("xdotool", "key", "F2")
    wait_for('the window "Статистика"', lambda: game.box("Статистика"))
    time.sleep(0.5)
    picture(game, statistics_png, "Статистика")
    game.process.kill()
