#!/usr/bin/python3
# A robot player. It starts the real game in a real X server and plays it with the mouse and the
# keyboard: it finds every control by the name a screen reader speaks (AT-SPI), clicks it in its
# middle, reads the counters' text, reads the saved table through `popadaika --scores`, and finds
# the round in the statistics window the menu entry's action opens.
#
# Usage: dbus-run-session -- robot.py GAME_BINARY INSTALL_PREFIX   (the bus carries AT-SPI)
import glob, math, os, re, shlex, signal, subprocess, sys, tempfile, time
import pyatspi

NICK, ROW = "Робот 1", "1\tРобот 1 (Т)\t"  # level 4 tags the name " (Т)"
started = []


def wait_for(what, probe, timeout=20):
    deadline = time.monotonic() + timeout
    while not (found := probe()):
        assert time.monotonic() < deadline, f"timed out waiting for {what}"
        time.sleep(0.05)
    return found


def run(*command, **options):
    return subprocess.check_output(command, text=True, timeout=20, **options)


def showing(control):
    return control.getState().contains(pyatspi.STATE_SHOWING)


def extents(control):
    box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.x + box.width, box.y + box.height


def middle(control):
    left, top, right, bottom = extents(control)
    return (left + right) // 2, (top + bottom) // 2


class Game:
    last_click = (-99, -99), 0

    def __init__(self, command, directory, title="Попадайка"):
        self.process = subprocess.Popen(command, cwd=directory)
        started.append(self.process)
        self.window = wait_for(f'the window "{title}"', lambda: self.box(title))

    # The game's shown top-level window with this title.
    def box(self, title):
        assert self.process.poll() is None, f"the game ended with status {self.process.returncode}"
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.get_process_id() == self.process.pid:
                return next((w for w in app if w.name == title and showing(w)), None)

    def find(self, name, role=None, within=None):
        wanted = lambda control: control.name == name and role in (None, control.getRole())
        return wait_for(name, lambda: pyatspi.findDescendant(within or self.window, wanted))

    # A click near the last one waits out the double-click interval, which would swallow it.
    def click(self, point):
        if math.dist(point, self.last_click[0]) < 10:
            time.sleep(max(0, self.last_click[1] + 0.6 - time.monotonic()))
        run("xdotool", "mousemove", *map(str, point), "click", "1")
        self.last_click = point, time.monotonic()

    def press(self, name, within=None):
        self.click(middle(self.find(name, pyatspi.ROLE_PUSH_BUTTON, within)))

    # A point of the window that no shown control covers, nearest its top.
    def bare_spot(self):
        x0, y0, x1, y1 = extents(self.window)
        boxes = [extents(control) for control in self.window if showing(control)]
        bare = lambda x, y: not any(l - 6 < x < r + 6 and t - 6 < y < b + 6 for l, t, r, b in boxes)
        spots = ((x, y) for y in range(y0 + 8, y1, 4) for x in range(x0 + 8, x1, 4))
        return next(spot for spot in spots if bare(*spot))


# Nickname, level, hits and misses, pause, help; a signal ends the game while "Game Over" is open.
def first_start(binary, directory):
    game = Game([binary], directory)
    targets = [game.find(f"Мишень {n}") for n in range(1, 11)]
    counters = [game.find(n, pyatspi.ROLE_TEXT) for n in ("Метких", "Всего кликов")]
    game.press("НикНейм")
    prompt = wait_for('the box "Ваш ник"', lambda: game.box("Ваш ник"))
    field = pyatspi.findDescendant(prompt, lambda control: control.getRole() == pyatspi.ROLE_TEXT)
    wait_for("the field's focus", lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    run("xdotool", "type", "--delay", "60", NICK)
    game.press("ОК", prompt)
    wait_for("the prompt to close", lambda: not game.box("Ваш ник"))
    scale = game.find("Уровень сложности")
    game.click((extents(scale)[2] - 6, middle(scale)[1]))  # the arrow at its right end
    game.press("Начать")
    bare, hits, clicks = game.bare_spot(), 0, 0
    shown = lambda: next(filter(showing, targets), None)
    texts = lambda: [counter.queryText().getText(0, -1) for counter in counters]
    for hit in (False, True, True, False, True):
        game.click(middle(wait_for("a target", shown)) if hit else bare)
        hits, clicks = hits + hit, clicks + 1
        wait_for(f"{hits} hits of {clicks} clicks", lambda: texts() == [str(hits), str(clicks)])
    # Each caption names the next press; a round not resumed, or help left on, never ends.
    for caption in ("Пауза", "Продолжить", "Вкл. помощь", "Выкл. помощь"):
        game.press(caption)
    over = wait_for('the box "Game Over"', lambda: game.box("Game Over"), timeout=60)
    told = pyatspi.findDescendant(over, lambda control: "вы набрали" in control.name).name
    game.process.send_signal(signal.SIGTERM)
    assert game.process.wait(20) == 0, f"SIGTERM ended the game with {game.process.returncode}"
    table = run(binary, "--scores", cwd=directory)
    score = re.search(r"вы набрали (\d+) очков", told).group(1)
    assert ROW + score in table.splitlines() and score != "0", f'"{told}" is not in\n{table}'
    return table, score


# The menu entry's command, found on the PATH: the table moved to the data folder is read and saved
# there, nothing in the current folder; the game ends through its buttons.
def menu_start(prefix, work, table):
    command = menu_command(prefix, "Desktop Entry")
    os.renames(f"{work}/play/Scores.dat", f"{work}/data/popadaika/Scores.dat")
    directory = tempfile.mkdtemp(dir=work)
    game = Game(command, directory)
    game.press("Выход")
    game.press("ОК", wait_for('the box "Выход"', lambda: game.box("Выход")))
    assert game.process.wait(20) == 0, f"Выход ended the game with {game.process.returncode}"
    assert os.listdir(directory) == [], f"the game wrote {os.listdir(directory)} in its folder"
    assert run(*command, "--scores") == table, "the table in the data folder is not the one read"


# The command of a group of the menu entry: the entry itself, or one of its actions.
def menu_command(prefix, group):
    entry, = glob.glob(os.path.join(prefix, "share/applications/*.desktop"))
    text = open(entry, encoding="utf-8").read().split(f"[{group}]")[1]
    exec_line = re.search(r"^Exec=(.*)$", text, re.M).group(1)
    return [arg for arg in shlex.split(exec_line) if not arg.startswith("%")]


# The round in the window of the menu's action "Статистика": one round played, the score the best
# at its level; it closes through "Закрыть".
def statistics(prefix, work, score):
    window = Game(menu_command(prefix, "Desktop Action Statistics"), work, "Статистика")
    window.find("Раундов: 1")
    window.find(f"Тяжело: {score}")
    window.press("Закрыть")
    assert window.process.wait(20) == 0, f"the window ended with {window.process.returncode}"


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as work:
        os.environ.update(HOME=work, XDG_DATA_HOME=work + "/data", XDG_RUNTIME_DIR=work)
        # UTF-8 text for xdotool; Qt on X11, its widgets shown to AT-SPI.
        os.environ.update(LC_ALL="C.UTF-8", QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        binary, prefix = map(os.path.abspath, sys.argv[1:3])
        os.environ["PATH"] = f"{prefix}/bin:{os.environ['PATH']}"
        try:
            # Xvfb on a display number it picks itself, with no reset when the last client leaves (it
            # would drop the keyboard layout), and a Russian keyboard for the nickname.
            xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp"],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            started.append(xvfb)
            os.environ["DISPLAY"] = ":" + xvfb.stdout.readline().strip()
            run("setxkbmap", "ru")
            os.mkdir(work + "/play")
            table, score = first_start(binary, work + "/play")
            menu_start(prefix, work, table)
            statistics(prefix, work, score)
        finally:
            for process in reversed(started):
                process.kill()
                process.wait()
