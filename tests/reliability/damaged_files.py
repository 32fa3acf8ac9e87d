#!/usr/bin/env python3
"""The damaged-file matrix: the whole game, run headless from an input script by the screenshot
runner, once for every player file and game archive in every damaged form.

Player files (options, hiscores, a profile): the game starts and plays to the script's end; the
damaged file is kept aside byte for byte, or left untouched where it cannot be read at all.
Game archives: the game stops with a message naming the file and status 255 (start-up's
level-pack check shows "Files corrupted" and the damaged packs), or plays on (the notices it
showed are listed in the table). Never a crash, a hang (every run is bounded in time) or a
sanitizer report.

  damaged_files.py --runner build/tools/screenshot/screenshot --game build/game [--jobs N]
                   [--table FILE] [--only SUBSTRING] [--keep DIR] [--sparse N]
Prints the table of outcomes; exits 1 when any run breaks the rules above.
"""
import argparse
import concurrent.futures
import os
import random
import re
import shutil
import signal
import stat
import subprocess
import sys
import tempfile

SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "ERROR: UndefinedBehaviorSanitizer", "SUMMARY: AddressSanitizer")

# The damaged forms, each a function of (path, original bytes) that leaves the damage at path.
def cut_at_half(path, data):
    write(path, data[:len(data) // 2])

def zero_bytes(path, data):
    write(path, b"")

def random_bytes(path, data):
    write(path, random.Random(len(data) * 7919 + 17).randbytes(len(data)))

def bit_flipped(path, data):
    if not data:
        write(path, data)
        return
    middle = len(data) // 2
    write(path, data[:middle] + bytes([data[middle] ^ 0x10]) + data[middle + 1:])

def folder(path, data):
    os.mkdir(path)
    write(os.path.join(path, "inside.txt"), b"a folder where a file should be\n")

def unreadable(path, data):
    # A link to itself: no one, root included, can open or read it (too many levels of links).
    os.symlink(os.path.basename(path), path)

def fifo(path, data):
    # A named pipe with no writer: a plain open would wait for one forever.
    os.mkfifo(path)

FORMS = [("cut at half", cut_at_half), ("zero bytes", zero_bytes),
         ("random bytes", random_bytes), ("bit flipped", bit_flipped), ("folder", folder),
         ("unreadable (link loop)", unreadable), ("unreadable (fifo)", fifo)]

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)

def read(path):
    with open(path, "rb") as f:
        return f.read()

def kind_of(path):
    try:
        mode = os.lstat(path).st_mode
    except FileNotFoundError:
        return "missing"
    if stat.S_ISLNK(mode):
        return "link"
    if stat.S_ISDIR(mode):
        return "folder"
    if stat.S_ISFIFO(mode):
        return "fifo"
    return "file"


class Game:
    """Where the runner finds the game, and how one run is made."""

    def __init__(self, runner, game_dir, timeout, keep, sparse=0):
        self.runner = os.path.abspath(runner)
        self.game_dir = os.path.abspath(game_dir)
        self.timeout = timeout
        self.keep = keep
        self.sparse = sparse

    def scratch_game(self, root):
        """A game folder of links to the built one's contents, with data/ copied."""
        work = os.path.join(root, "game")
        os.mkdir(work)
        for name in os.listdir(self.game_dir):
            source = os.path.join(self.game_dir, name)
            if name == "data":
                shutil.copytree(source, os.path.join(work, name))
            else:
                os.symlink(source, os.path.join(work, name))
        return work

    def run(self, root, home, work, script_text):
        script = os.path.join(root, "input.txt")
        write(script, script_text.encode())
        shots = os.path.join(root, "shots")
        os.makedirs(shots, exist_ok=True)
        env = dict(os.environ)
        env["HOME"] = home
        env["SDL_VIDEODRIVER"] = "dummy"
        env["SDL_AUDIODRIVER"] = "dummy"
        env.setdefault("ASAN_OPTIONS", "detect_leaks=1")
        env.setdefault("UBSAN_OPTIONS", "print_stacktrace=1")
        env["MIRETHORN_GAME_FOLDER"] = work
        try:
            command = [self.runner, "--script", script, shots]
            if self.sparse > 1:
                command += ["--sparse", str(self.sparse)]
            done = subprocess.run(command, cwd=work, env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=self.timeout, start_new_session=True)
            code, out, err = done.returncode, done.stdout, done.stderr
        except subprocess.TimeoutExpired as e:
            code, out, err = None, e.stdout or b"", e.stderr or b""
        # The script's last shot is taken only when the game played to the script's end.
        reached = os.path.exists(os.path.join(shots, "last.png"))
        return Run(code, out.decode(errors="replace"), err.decode(errors="replace"), reached)


class Run:
    """One run's exit status (None: killed at the time limit), output, and whether it played to
    the script's end."""

    def __init__(self, code, out, err, reached):
        self.code = code
        self.out = out
        self.err = err
        self.reached = reached

    def text(self):
        return self.out + self.err

    def boxes(self):
        """The message boxes the game showed, as the runner lists them."""
        marks = ("screenshot: message box: ", "screenshot: message box (serious): ")
        return [line.split(": ", 2)[2] for line in self.err.splitlines() if line.startswith(marks)]


def sanitizer_report(text):
    return any(mark in text for mark in SANITIZER_MARKS)


def status_text(code):
    if code is None:
        return "hang (killed)"
    if code < 0:
        try:
            return "signal " + signal.Signals(-code).name
        except ValueError:
            return "signal %d" % -code
    return "status %d" % code


class Case:
    def __init__(self, group, target, form):
        self.group = group      # "player" or "data"
        self.target = target    # a Target
        self.form = form        # (name, function)
        self.outcome = ""
        self.ok = False
        self.detail = ""


def check_player_file(case, before_kind, damaged, path, run, folder_before):
    """The game played; the damaged file is kept aside byte for byte, or left as it was."""
    problems = []
    if run.code != 0:
        problems.append(status_text(run.code))
    elif not run.reached:
        problems.append("ended before the script's end")
    if sanitizer_report(run.text()):
        problems.append("sanitizer report")
    what = ""
    kind = kind_of(path)
    if before_kind != "file":
        # A folder, a link loop or a pipe: nothing the game could read, to be left as it is.
        what = "left as it was (%s)" % kind if kind == before_kind else "replaced: now %s" % kind
        if kind != before_kind:
            problems.append(what)
    else:
        folder_now = os.path.dirname(path)
        aside = [name for name in sorted(os.listdir(folder_now))
                 if os.path.join(folder_now, name) != path
                 and kind_of(os.path.join(folder_now, name)) == "file"
                 and name not in folder_before
                 and read(os.path.join(folder_now, name)) == damaged]
        if kind == "file" and read(path) == damaged:
            what = "left untouched"
        elif aside:
            what = "kept aside as " + aside[0]
        else:
            what = "LOST"
            problems.append("damaged file lost")
    case.ok = not problems
    if run.code == 0 and run.reached:
        played = "plays on"
    else:
        played = status_text(run.code) if run.code != 0 else "ends early"
    case.outcome = played + "; " + what
    if problems:
        case.detail = "; ".join(problems)


# The level-pack check of start-up: an archive without its entry "pack.txt" ends the game with
# this message box, the damaged packs on its next lines, and exit status 255.
PACK_CHECK_BOX = "Files corrupted"


def check_game_data(case, run, names):
    """The game stops with a message naming the file and status 255, or plays on (the notices it
    showed are listed)."""
    problems = []
    text = run.text()
    boxes = run.boxes()
    if sanitizer_report(text):
        problems.append("sanitizer report")
    if run.code == 0 and run.reached:
        case.outcome = "plays on"
        if boxes:
            case.outcome += " after the notice " + "; ".join('"%s"' % b for b in boxes)
    elif run.code == 0:
        case.outcome = "ends early, status 0, " + ("; ".join(boxes) or "no message")
        problems.append("ended early, reported as success")
    elif run.code == 255:
        named = [n for n in names if n in text]
        message = next((line.strip() for line in text.splitlines() if any(n in line for n in names)), "")
        if named and PACK_CHECK_BOX in boxes:
            case.outcome = 'stops, 255: "%s" and %s' % (PACK_CHECK_BOX, message[:90])
        elif named:
            case.outcome = "stops, 255: " + message[:90]
        else:
            case.outcome = "stops, 255, the file unnamed"
            problems.append("message names no file")
    else:
        case.outcome = status_text(run.code)
        problems.append(status_text(run.code))
    case.ok = not problems
    if problems:
        case.detail = "; ".join(problems)


def table(cases):
    lines = ["| file | damage | outcome | verdict |", "| --- | --- | --- | --- |"]
    for c in cases:
        verdict = "ok" if c.ok else "FAULT: " + c.detail
        lines.append("| %s | %s | %s | %s |" % (c.target.label, c.form[0], c.outcome.replace("|", "/"), verdict))
    return "\n".join(lines)


# Profiles are stored scrambled: byte k times (k mod 10) + 1, as a 32-bit little-endian integer.
def unscramble(data):
    if len(data) % 4:
        return None
    out = bytearray()
    for k in range(len(data) // 4):
        value = int.from_bytes(data[4 * k:4 * k + 4], "little", signed=True)
        out.append((value // (k % 10 + 1)) & 0xFF)
    return bytes(out)


def scramble(plain):
    return b"".join(int(b * (k % 10 + 1)).to_bytes(4, "little", signed=True) for k, b in enumerate(plain))


def set_profile_keys(path, keys):
    """Sets number keys of the profile at path (scrambled on disk)."""
    text = unscramble(read(path)).decode("latin-1")
    for key, value in keys.items():
        line = "\t%s=%.8f" % (key, value)
        pattern = re.compile(r"^\s*%s\s*=.*$" % re.escape(key), re.M)
        if pattern.search(text):
            text = pattern.sub(line, text, count=1)
        else:
            text = text.rstrip().rstrip("}").rstrip() + "\n" + line + "\n}\n"
    write(path, scramble(text.encode("latin-1")))


def quest_positions(source_dir):
    """The first quest entry of each kind (1 board, 2 puzzle, 3 ring) in the shipped sequence."""
    text = read(os.path.join(source_dir, "content", "settings_lp", "sequencer.tsc")).decode()
    first = {}
    for number, kind in re.findall(r"Level(\d+)\s*\{[^}]*?Type\s*=\s*(\d+)", text):
        first.setdefault(int(kind), int(number))
    return first


# One run: the start-up from the given home, a name typed should the first-profile entry ask for
# one, Play Quest on the title's menu, Play under the first tutorial, then the quest level (or
# whatever the damage left on the screen) a while; the run stops itself at the last frame.
SCRIPT = """\
800 type Tess
805 key 13
1000 move 400 288
1002 click left
1600 move 400 580
1602 click left
1900 move 420 300
1902 click left
2100 shot last
2101 stop
"""

PLAYER_FILES = [("options", "Library/Preferences/.Glyphor/data/options.tsc"),
                ("hiscores", "Library/Preferences/.Glyphor/data/hiscores.dat"),
                ("profile", "Library/Preferences/.Glyphor/profiles-levelpack/tess.dat")]
ARCHIVES = [("settings", "settings_lp.bca"), ("board levels", "runes_levels_lp.bca"),
            ("popups", "popups_lp.bca"), ("story", "story.bca"),
            ("puzzle levels", "puzzle_levels_lp.bca"), ("ring levels", "ring_levels_lp.bca")]


class Target:
    def __init__(self, label, kind, path):
        self.label = label
        self.kind = kind  # "player" or "data"
        self.path = path  # under the home or under the game folder


def run_case(game, template_home, case, root):
    os.makedirs(root)
    home = os.path.join(root, "home")
    shutil.copytree(template_home, home, symlinks=True)
    work = game.scratch_game(root)
    target = case.target
    if target.kind == "player":
        path = os.path.join(home, target.path)
    else:
        path = os.path.join(work, "data", target.path)
    original = read(path)
    os.remove(path)
    case.form[1](path, original)
    before_kind = kind_of(path)
    damaged = read(path) if before_kind == "file" else None
    folder_before = set(os.listdir(os.path.dirname(path)))
    run = game.run(root, home, work, SCRIPT)
    if target.kind == "player":
        check_player_file(case, before_kind, damaged, path, run, folder_before)
    else:
        check_game_data(case, run, [target.path, os.path.splitext(target.path)[0]])
    if not case.ok:
        case.detail += " | " + run.text().strip().replace("\n", " / ")[-300:]
    return case


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runner", required=True)
    parser.add_argument("--game", required=True)
    parser.add_argument("--jobs", type=int, default=min(8, os.cpu_count() or 2))
    parser.add_argument("--timeout", type=float, default=240.0)
    parser.add_argument("--table")
    parser.add_argument("--only", default="")
    parser.add_argument("--keep")
    parser.add_argument("--sparse", type=int, default=0,
                        help="draw the pixels of only every N-th frame (and of the shots)")
    args = parser.parse_args()
    game = Game(args.runner, args.game, args.timeout, args.keep, args.sparse)
    root = args.keep or tempfile.mkdtemp(prefix="mirethorn-matrix-")
    os.makedirs(root, exist_ok=True)
    try:
        # A home as a first game leaves it: options, hiscores and a profile.
        base = os.path.join(root, "base")
        os.makedirs(base)
        template = os.path.join(base, "home")
        os.makedirs(template)
        run = game.run(base, template, game.game_dir, SCRIPT)
        missing = [p for _, p in PLAYER_FILES if kind_of(os.path.join(template, p)) != "file"]
        if run.code != 0 or not run.reached or sanitizer_report(run.text()) or missing:
            print("the undamaged game did not play: %s, reached the end %s, missing %s\n%s%s"
                  % (status_text(run.code), run.reached, missing, run.out[-2000:], run.err[-2000:]))
            return 1
        targets = [Target(label, "player", path) for label, path in PLAYER_FILES]
        targets += [Target(label, "data", name) for label, name in ARCHIVES]
        cases = [Case(t.kind, t, form) for t in targets for form in FORMS
                 if args.only in t.label + " " + form[0]]
        with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
            futures = [pool.submit(run_case, game, template, c, os.path.join(root, "case%02d" % k))
                       for k, c in enumerate(cases)]
            for f in futures:
                f.result()
        text = table(cases)
        print(text)
        if args.table:
            write(args.table, (text + "\n").encode())
        faults = [c for c in cases if not c.ok]
        print("%d passed, %d failed" % (len(cases) - len(faults), len(faults)))
        return 1 if faults else 0
    finally:
        if not args.keep:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
