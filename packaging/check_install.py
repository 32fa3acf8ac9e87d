#!/usr/bin/env python3
"""The install as a player gets it: installs the build into a scratch prefix, validates the menu
entry and the AppStream metadata with the desktops' own validators, checks the icons, then
starts the installed launcher from another folder with a fresh home, headless (SDL's dummy
drivers), and ends it from the title.

The game runs its real start-up; nothing reads the window's close request before the title
(the loading and portal screens let it wait), so a close request sent once the window is open
ends the game at the title (there, with a fresh home, at its first-profile entry) through its
end routine: status 0 and the options written. SDL turns SIGTERM into that close request.

    check_install.py --cmake CMAKE --build BUILD_DIR --scratch DIR --app-id ID
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)
# A loaded machine may start the game slowly: generous bounds, checked often.
START_TIMEOUT_S = 60
END_TIMEOUT_S = 60


def fail(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def run(cmd):
    print("$ " + " ".join(cmd), flush=True)
    result = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    print(result.stdout, end="", flush=True)
    if result.returncode != 0:
        fail("%s ended with status %d" % (cmd[0], result.returncode))
    return result.stdout


def start_and_close(launcher, cwd, home, settle_s):
    """Starts the launcher; once its user data folder exists and `settle_s` has passed (the
    window opens right after), asks it to close. Returns (status, output)."""
    env = dict(os.environ, HOME=home, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    user_folder = os.path.join(home, "Library", "Preferences", ".Glyphor")
    game = subprocess.Popen([launcher], cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    deadline = time.monotonic() + START_TIMEOUT_S
    while not os.path.isdir(user_folder) and game.poll() is None:
        if time.monotonic() > deadline:
            game.kill()
            fail("the game made no user data folder within %d s" % START_TIMEOUT_S)
        time.sleep(0.1)
    if game.poll() is None:
        time.sleep(settle_s)
        game.send_signal(signal.SIGTERM)
    try:
        out, _ = game.communicate(timeout=END_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        game.kill()
        fail("the game did not end within %d s of the close request" % END_TIMEOUT_S)
    return game.returncode, out


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cmake", default="cmake")
    parser.add_argument("--build", required=True)
    parser.add_argument("--scratch", required=True)
    parser.add_argument("--app-id", required=True)
    args = parser.parse_args()

    scratch = os.path.abspath(args.scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    prefix = os.path.join(scratch, "prefix")
    run([args.cmake, "--install", args.build, "--prefix", prefix])

    share = os.path.join(prefix, "share")
    game_dir = os.path.join(share, "mirethorn")
    for path in ("mirethorn", "data/settings_lp.bca", "gfx", "sfx", "gfx/fonts/OldLondon.ttf"):
        if not os.path.exists(os.path.join(game_dir, path)):
            fail("the installed game folder has no " + path)
    desktop = os.path.join(share, "applications", args.app_id + ".desktop")
    metainfo = os.path.join(share, "metainfo", args.app_id + ".metainfo.xml")
    run(["desktop-file-validate", desktop])
    run(["appstreamcli", "validate", "--no-net", metainfo])
    launcher = os.path.join(prefix, "bin", "mirethorn")
    with open(desktop, encoding="utf-8") as f:
        entry = f.read()
    if 'Exec="%s"' % launcher not in entry or "Icon=mirethorn" not in entry:
        fail("the menu entry does not start the installed launcher with the icon:\n" + entry)
    for size in ICON_SIZES:
        icon = os.path.join(share, "icons", "hicolor", "%dx%d" % (size, size), "apps", "mirethorn.png")
        with open(icon, "rb") as f:
            head = f.read(24)
        width = int.from_bytes(head[16:20], "big")
        height = int.from_bytes(head[20:24], "big")
        if head[:8] != b"\x89PNG\r\n\x1a\n" or (width, height) != (size, size):
            fail("%s is no %d x %d PNG" % (icon, size, size))

    # Started from a folder of its own, far from the game folder.
    elsewhere = os.path.join(scratch, "elsewhere")
    os.makedirs(elsewhere)
    # A signal that came before SDL took over SIGTERM kills the game instead of asking it to
    # close: a slow start gets a longer wait.
    for settle_s in (2, 6, 15):
        home = os.path.join(scratch, "home-%d" % settle_s)
        os.makedirs(home)
        status, out = start_and_close(launcher, elsewhere, home, settle_s)
        print(out, end="")
        if status != -signal.SIGTERM:
            break
    if status != 0:
        fail("the installed game ended with status %d" % status)
    options = os.path.join(home, "Library", "Preferences", ".Glyphor", "data", "options.tsc")
    if not os.path.isfile(options):
        fail("the game's end routine wrote no options file")
    if os.listdir(elsewhere):
        fail("the game wrote into the folder it was started from: %s" % os.listdir(elsewhere))
    print("The installed game started from %s and ended at the title." % elsewhere)


if __name__ == "__main__":
    main()
