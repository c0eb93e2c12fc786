#!/usr/bin/python3
# A robot player. It starts the real game in a real X server and plays it only through the mouse,
# the keyboard and what is on screen, then reads the table the game saved and checks it.
#
# Usage: robot.py GAME_BINARY [INSTALL_PREFIX]
# With an install prefix it also starts the installed game the way a desktop menu does.
import glob, math, os, re, shlex, signal, subprocess, sys, tempfile, time
from PIL import Image, ImageChops, ImageFilter, ImageGrab


def pixels(*twips):
    return tuple(round(t / 15) for t in twips)


# The middle of a button of the menu frame Frame1, which sits at 120, 6240.
def menu_button(left):
    return pixels(120 + left + 1575 / 2, 6240 + 240 + 375 / 2)


NICK_BUTTON, ROUND_BUTTON, HELP_BUTTON, EXIT_BUTTON = map(menu_button, (120, 1800, 3480, 5160))
ROUND_BUTTON_BOX = pixels(1920, 6480, 1920 + 1575, 6480 + 375)
# HScroll1 is centred at start on the layout's outer width 7230; its right arrow ends it.
RIGHT_ARROW = (pixels((7230 + 3255) / 2)[0] - 6, pixels(2760 + 375 / 2)[0])
# Right of the counters, below the result lines, above where any target or the help panel can be.
BARE_SPOT = pixels(3000, 1080)
PLAY_AREA = pixels(0, 1200, 7140, 6070)
HELP_PANEL = pixels(120, 1200, 7065, 6255)
LEVEL, TAG = 5, " (ОТ)"
NICK = 'Робот, "Р2"'
EMPTY_TABLE = [("<Пусто>", 0)] * 11
started = []


def check(condition, message):
    if not condition:
        raise SystemExit(f"FAIL: {message}")


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=20).stdout


def spawn(command, quiet=True, **options):
    output = subprocess.DEVNULL if quiet else None  # the game's own messages help explain a failure
    started.append(subprocess.Popen(command, stdout=output, stderr=output, **options))
    return started[-1]


def wait_for(what, probe, timeout=20):
    deadline = time.monotonic() + timeout
    while not (found := probe()):
        check(time.monotonic() < deadline, f"timed out waiting for {what}")
        check(all(p.poll() is None for p in started[:2]), f"the X server or the window manager ended: {started[:2]}")
        time.sleep(0.05)
    return found


def find_window(title):
    ids = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$").split()
    return ids[0] if ids else None


# The target's field colours: its palette less black and the transparent entry.
def target_colours():
    picture = Image.open(os.path.join(os.path.dirname(__file__), "../../assets/target.gif"))
    palette = picture.getpalette()
    entries = [tuple(palette[3 * i:3 * i + 3]) for i in range(4) if i != picture.info["transparency"]]
    return [colour for colour in entries if colour != (0, 0, 0)]


COLOURS = target_colours()


# A point of a shown target: one field colour with the other close by (the window icon in a box's
# title bar is yellow alone). Any such point lies inside the target's control.
def find_target(shot):
    masks = [ImageChops.difference(shot, Image.new("RGB", shot.size, colour)).convert("L")
             .point(lambda v: 255 if v < 8 else 0) for colour in COLOURS]
    grown = [mask.filter(ImageFilter.MaxFilter(5)) for mask in masks]
    spots = ImageChops.multiply(ImageChops.multiply(*grown), ImageChops.lighter(*masks))
    box = spots.getbbox()
    if box:
        row = spots.crop((0, box[1], shot.width, box[1] + 1)).getdata()
        return next(x for x, v in enumerate(row) if v), box[1]


class Game:
    def __init__(self, command, directory, env=None):
        # As a desktop or a terminal starts it: not with the signals under test ignored.
        reset = lambda: [signal.signal(s, signal.SIG_DFL) for s in (signal.SIGINT, signal.SIGHUP, signal.SIGTERM)]
        self.process = spawn(command, False, cwd=directory, env=env, preexec_fn=reset)
        self.directory, self.hits, self.clicks, self.last_click = directory, 0, 0, ((-99, -99), 0)
        self.window = wait_for('a window titled exactly "Попадайка"', lambda: find_window("Попадайка"))
        info = run("xwininfo", "-id", self.window)
        field = lambda name: int(re.search(rf"{name}:\s+(-?\d+)", info).group(1))
        self.origin = field("Absolute upper-left X"), field("Absolute upper-left Y")
        check((field("Width"), field("Height")) == (476, 477), f"the client area is not 476x477: {info}")

    def grab(self, box):
        x, y = self.origin
        shot = ImageGrab.grab((x + box[0], y + box[1], x + box[2], y + box[3]), xdisplay=os.environ["DISPLAY"])
        return shot.convert("RGB")

    # The look of `box` once it has stayed the same three times in a row.
    def settled(self, box):
        looks = [self.grab(box)]
        while len(looks) < 3 or looks[-1] != looks[-2] or looks[-2] != looks[-3]:
            time.sleep(0.05)
            looks.append(self.grab(box))
        return looks[-1]

    def move(self, point, *then):
        run("xdotool", "mousemove", str(self.origin[0] + point[0]), str(self.origin[1] + point[1]), *then)

    # Returns when it clicked. A click near the last one waits out the double-click interval,
    # which would otherwise swallow it.
    def click(self, point):
        if math.dist(point, self.last_click[0]) < 10:
            time.sleep(max(0, self.last_click[1] + 0.6 - time.monotonic()))
        self.move(point, "click", "1")
        self.last_click = point, time.monotonic()
        return self.last_click[1]

    # Clicks a button; the look of `box` must change. Returns when it clicked, and the new look.
    def press(self, point, box):
        self.move(point)
        before = self.settled(box)
        when = self.click(point)
        wait_for("the screen to answer a button", lambda: self.grab(box) != before)
        return when, self.settled(box)

    def answer(self, title, text=None):
        window = wait_for(f'a box titled exactly "{title}"', lambda: find_window(title))
        run("xdotool", "windowactivate", "--sync", window)
        if text:
            run("xdotool", "type", "--delay", "60", text)
        run("xdotool", "key", "Return")
        wait_for(f'the box "{title}" to close', lambda: not find_window(title))

    def prepare(self, nick):
        self.click(NICK_BUTTON)
        self.answer("Ваш ник", nick)
        for _ in range(LEVEL - 3 + 1):  # one more than needed: the bar stops at its maximum
            self.click(RIGHT_ARROW)

    # Clicks one shown target and counts it once it has disappeared; False if none was hit.
    def hit_one(self):
        check(self.process.poll() is None, f"the game ended with status {self.process.returncode}")
        spot = find_target(self.grab(PLAY_AREA))
        if not spot or find_window("Game Over"):
            return False
        point = (PLAY_AREA[0] + spot[0], PLAY_AREA[1] + spot[1])
        self.click(point)
        pixel = lambda: self.grab(point + (point[0] + 1, point[1] + 1)).getpixel((0, 0))
        gone = lambda: not any(max(abs(a - b) for a, b in zip(pixel(), c)) < 8 for c in COLOURS)
        if wait_for("a clicked target to disappear", lambda: gone() or find_window("Game Over")) is True:
            self.hits, self.clicks = self.hits + 1, self.clicks + 1
            return True
        return False  # the round had ended first: its box took the click

    # Hits targets until the moment `until` (then waits for it) or until `cap` hits.
    def play(self, until, cap):
        while time.monotonic() < until - 0.3 and self.hits < cap:
            if not self.hit_one():
                time.sleep(0.05)
        check(not find_window("Game Over"), "the round ended too early for the robot")
        time.sleep(max(0, until - time.monotonic()))

    # Hits up to `cap` targets, lets the round end, confirms its box; returns when the box appeared.
    def play_to_end(self, cap):
        while self.hits < cap and not find_window("Game Over"):
            if not self.hit_one():
                time.sleep(0.05)
        wait_for('the box "Game Over"', lambda: find_window("Game Over"), timeout=120)
        ended = time.monotonic()
        self.answer("Game Over")
        return ended

    def ended(self, files=("Scores.dat",)):
        self.process.wait(timeout=20)
        check(self.process.returncode == 0, f"the game ended with status {self.process.returncode}")
        left = os.listdir(self.directory)
        check(left == list(files), f"the game's working directory holds {left}, not {list(files)}")


# The first moment start + n + 0.5, n >= at_least, still ahead: half a second off the clock's ticks.
def half_second_mark(start, at_least):
    return start + max(at_least, math.ceil(time.monotonic() - start)) + 0.5


# Scores.dat: top bits flipped, number lines, their low bytes, Windows-1251, 22 lines.
def read_table(directory):
    with open(os.path.join(directory, "Scores.dat"), "rb") as file:
        numbers = bytes(b ^ 0x80 for b in file.read()[:-1]).decode("ascii")
    check(re.fullmatch(r"(?:[ -]\d+ \r\n)+", numbers), "Scores.dat does not hold number lines")
    lines = bytes(int(n) & 0xFF for n in numbers.split()).decode("cp1251").split("\r\n")
    check(len(lines) >= 22, f"the table has {len(lines)} lines")
    return [(lines[2 * row], int(lines[2 * row + 1])) for row in range(11)]


def final_score(level, hits, clicks, seconds):
    return level * round(((hits * (seconds / (6 - level))) * (hits / clicks)) / 10)


# A round with misses, a pause and help. Returns its hits, clicks and the seconds it ran.
def main_round(game):
    game.prepare(NICK)
    start, running = game.press(ROUND_BUTTON, ROUND_BUTTON_BOX)
    for _ in range(3):
        game.click(BARE_SPOT)
        game.clicks += 1
        game.play(time.monotonic() + 0.7, cap=3)
    game.play(half_second_mark(start, 2), cap=3)
    paused, _ = game.press(ROUND_BUTTON, ROUND_BUTTON_BOX)  # "Пауза" becomes "Продолжить"
    time.sleep(1.5)
    resumed = game.click(ROUND_BUTTON)
    wait_for('the caption "Пауза" back', lambda: game.grab(ROUND_BUTTON_BOX) == running)
    game.play(half_second_mark(resumed, 2), cap=5)
    helped, _ = game.press(HELP_BUTTON, HELP_PANEL)  # the panel shows
    time.sleep(1.5)
    unhelped, _ = game.press(HELP_BUTTON, HELP_PANEL)
    ended = game.play_to_end(cap=7)
    seconds = sum(math.floor(b - a) for a, b in ((start, paused), (resumed, helped), (unhelped, ended)))
    print(f"main round: {game.hits} hits, {game.clicks} clicks, about {seconds} s")
    return game.hits, game.clicks, seconds


# A short round, then a signal ends the game, which must save the table with the round's row.
def signal_round(binary, directory, number):
    game = Game([binary], directory)
    nick = f"Робот {int(number)}"  # letters and digits of the Russian keyboard
    game.prepare(nick)
    game.click(ROUND_BUTTON)
    game.play_to_end(cap=3)  # 3 hits of 3 clicks score above 0 from 2 s on at level 5
    game.process.send_signal(number)
    game.ended()
    table = read_table(directory)
    check((NICK + TAG) in dict(table), f"the row of the first round is gone: {table}")
    check(dict(table).get(nick + TAG, 0) > 0, f"no row for {nick}{TAG} after {number.name}: {table}")


# Starts the installed game by its menu entry: the table must go to the per-user data folder.
def desktop_run(prefix, work):
    entries = glob.glob(os.path.join(prefix, "share/applications/*.desktop"))
    check(len(entries) == 1, f"expected one menu entry, found {entries}")
    with open(entries[0], encoding="utf-8") as file:
        exec_line = next(line for line in file if line.startswith("Exec="))
    command = [arg for arg in shlex.split(exec_line[5:]) if not re.fullmatch("%[a-zA-Z]", arg)]
    command[0] = os.path.join(prefix, "bin", os.path.basename(command[0]))
    home, directory = os.path.join(work, "home"), os.path.join(work, "menu")
    os.makedirs(directory)
    game = Game(command, directory, dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, "data")))
    run("wmctrl", "-i", "-c", game.window)
    game.ended(files=())
    check(read_table(os.path.join(home, "data/popadaika")) == EMPTY_TABLE, "no fresh table in the data folder")


# Xvfb on a display number it picks itself, and a light window manager.
def start_display():
    read_end, write_end = os.pipe()
    # No reset when the last client leaves: it would drop the keyboard layout and refuse clients.
    spawn(["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "1024x768x24", "-nolisten",
           "tcp"], pass_fds=[write_end])
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    check(number, "Xvfb did not start")
    os.environ.update(DISPLAY=f":{number}", LC_ALL="C.UTF-8")  # xdotool types UTF-8 text
    os.environ.pop("QT_QPA_PLATFORM", None)
    # A Russian keyboard has keys for the nicknames' letters. Without one, xdotool maps a spare key
    # for each letter and unmaps it at once, and the game may read the keymap too late.
    run("setxkbmap", "ru")
    check("ru" in run("setxkbmap", "-query"), "the keyboard layout is not Russian")
    spawn(["openbox", "--sm-disable"])
    wait_for("the window manager", lambda: subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0)


def play_everything(binary, prefix, work):
    directory = os.path.join(work, "play")
    os.makedirs(directory)
    game = Game([binary], directory)
    hits, clicks, seconds = main_round(game)
    game.click(EXIT_BUTTON)
    game.answer("Выход")
    game.ended()
    table = read_table(directory)
    scores = {final_score(LEVEL, hits, clicks, s) for s in range(seconds - 1, seconds + 2)}
    check(table[0][0] == NICK + TAG, f"row 0 holds the name {table[0][0]!r}")
    check(table[0][1] in scores, f"row 0 holds the score {table[0][1]}, not one of {scores}")
    check(table[1:] == EMPTY_TABLE[1:], f"the other rows changed: {table[1:]}")
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal_round(binary, directory, number)
    if prefix:
        desktop_run(prefix, work)


def main():
    binary = os.path.abspath(sys.argv[1])
    prefix = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    with tempfile.TemporaryDirectory() as work:
        os.environ["XDG_RUNTIME_DIR"] = work
        os.environ.pop("DISPLAY", None)  # set once our own X server runs
        try:
            start_display()
            play_everything(binary, prefix, work)
        finally:
            for process in reversed(started):
                process.kill()
                process.wait()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
