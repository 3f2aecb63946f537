"""A private X desktop for end-to-end tests of the real program: Xvfb, a tray host, a home
folder of its own with a fake default browser, and Quarvel started from a folder of its own.

Everything runs on this machine only and is stopped when the test ends."""
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

QUARVEL = os.environ.get("QUARVEL_BINARY", "")
ARTIFACTS = os.environ.get("QUARVEL_ARTIFACTS", "")

# Lines Qt may print on a bare X server that say nothing about the program.
ALLOWED_STDERR = [
    re.compile(r"^$"),
    re.compile(r"QStandardPaths: .*runtime directory"),
]


def gbk(text):
    return text.encode("gbk")


class Desktop:
    """Xvfb with a tray host, and the environment a program on it sees."""

    def __init__(self, width=1920, height=1080, tray=True, browser=True):
        self.root = tempfile.mkdtemp(prefix="quarvel-e2e-")
        self.home = os.path.join(self.root, "home")
        self.config_home = os.path.join(self.home, ".config")
        self.data_home = os.path.join(self.home, ".local", "share")
        runtime = os.path.join(self.root, "runtime")
        empty = os.path.join(self.root, "empty")
        for d in (self.config_home, self.data_home, runtime, empty):
            os.makedirs(d, exist_ok=True)
        os.chmod(runtime, 0o700)
        self.processes = []
        self.files = []
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.processes.append(xvfb)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        # Only this home's settings count: no browser or mime defaults of the machine leak in.
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config_home,
            "XDG_DATA_HOME": self.data_home,
            "XDG_CONFIG_DIRS": empty,
            "XDG_DATA_DIRS": empty,
            "XDG_RUNTIME_DIR": runtime,
            "LANG": "C.UTF-8",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        self.wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, "X server")
        if tray:
            self.processes.append(subprocess.Popen(
                ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                 "--height", "24", "--SetDockType", "true"],
                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            self.wait_until(lambda: self.find_windows(name="^panel$"), "tray host")
        self.browser_log = os.path.join(self.root, "browser.log")
        if browser:
            self.install_fake_browser()

    # --- processes -----------------------------------------------------------------------
    def run(self, args, check=True, input=None):
        return subprocess.run(args, env=self.env, capture_output=True, check=check, input=input, timeout=30)

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        for f in self.files:
            f.close()
        shutil.rmtree(self.root, ignore_errors=True)

    @staticmethod
    def wait_until(predicate, what, timeout=10.0):
        deadline = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() > deadline:
                raise AssertionError(f"timed out waiting for {what}")
            time.sleep(0.05)

    # --- the default browser ---------------------------------------------------------------
    def install_fake_browser(self):
        """A browser that records its arguments, made the desktop's default through its own files."""
        script = os.path.join(self.root, "fake browser")  # a blank in its path, on purpose
        with open(script, "w") as f:
            f.write("#!/bin/sh\nexec /usr/bin/python3 -c 'import json,os,sys; "
                    "open(sys.argv[1], \"a\").write(json.dumps([os.getpid(), sys.argv[2:]]) + \"\\n\")' "
                    f"'{self.browser_log}' \"$@\"\n")
        os.chmod(script, 0o755)
        apps = os.path.join(self.data_home, "applications")
        os.makedirs(apps, exist_ok=True)
        with open(os.path.join(apps, "fake.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Fake Browser\n"
                    f"Exec=\"{script}\" %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\n")
        with open(os.path.join(self.config_home, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nx-scheme-handler/http=fake.desktop\n"
                    "x-scheme-handler/https=fake.desktop\n")

    def browser_calls(self):
        """The arguments of each browser started, in the order they were started. Browsers
        started together finish starting in any order, so they are ordered by process id."""
        if not os.path.exists(self.browser_log):
            return []
        with open(self.browser_log) as f:
            calls = [json.loads(line) for line in f if line.strip()]
        return [arguments for _, arguments in sorted(calls, key=lambda call: call[0])]

    def wait_for_browser_calls(self, count, timeout=10.0):
        return self.wait_until(lambda: len(self.browser_calls()) >= count and self.browser_calls(),
                               f"{count} browser starts", timeout)

    # --- windows -----------------------------------------------------------------------------
    def windows(self):
        """Every window under the root: (id, name, x, y, width, height), absolute places."""
        out = self.run(["xwininfo", "-root", "-tree"]).stdout.decode("utf-8", "replace")
        found = []
        for line in out.splitlines():
            m = re.match(r'\s*(0x[0-9a-f]+) (?:"(.*?)"|\(has no name\)).*?\s(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+'
                         r'\+(-?\d+)\+(-?\d+)', line)
            if m:
                wid, name, w, h, x, y = m.groups()
                found.append((wid, name or "", int(x), int(y), int(w), int(h)))
        return found

    def find_windows(self, name):
        pattern = re.compile(name)
        return [w for w in self.windows() if pattern.search(w[1])]

    def geometry(self, name):
        """(x, y, width, height) of the one mapped window with that name."""
        wid = self.window_id(name)
        out = self.run(["xdotool", "getwindowgeometry", "--shell", str(int(wid, 16))]).stdout.decode()
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def window_id(self, name):
        ids = self.run(["xdotool", "search", "--onlyvisible", "--name", name], check=False).stdout.split()
        if not ids:
            raise AssertionError(f"no visible window named {name}")
        return hex(int(ids[0]))

    def wait_for_window(self, name, timeout=10.0):
        return self.wait_until(
            lambda: self.run(["xdotool", "search", "--onlyvisible", "--name", name], check=False).stdout.split(),
            f"window {name}", timeout)

    def xprop(self, name, prop):
        return self.run(["xprop", "-id", self.window_id(name), prop]).stdout.decode()

    def tray_icon(self, tip_class="quarvel"):
        """The centre of the program's icon in the tray host."""
        panel = self.find_windows("^panel$")[0]
        px, py, pw, ph = panel[2], panel[3], panel[4], panel[5]
        out = self.run(["xwininfo", "-root", "-tree"]).stdout.decode("utf-8", "replace")
        for line in out.splitlines():
            if f'("{tip_class}"' not in line:
                continue
            m = re.search(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)", line)
            w, h, x, y = map(int, m.groups())
            if px <= x < px + pw and py <= y < py + ph:
                return x + w // 2, y + h // 2
        raise AssertionError("no tray icon of the program")

    # --- input -------------------------------------------------------------------------------
    def pointer(self):
        out = self.run(["xdotool", "getmouselocation", "--shell"]).stdout.decode()
        values = dict(line.split("=") for line in out.split())
        return int(values["X"]), int(values["Y"])

    def move(self, x, y):
        # --sync waits for the pointer to move, which it never does when it is there already.
        if self.pointer() != (x, y):
            self.run(["xdotool", "mousemove", "--sync", str(x), str(y)])

    def click(self, x, y, button=1):
        self.move(x, y)
        self.run(["xdotool", "click", str(button)])

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "40", *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "100", text])  # faster loses characters to keymap changes

    def clipboard(self):
        r = self.run(["xclip", "-o", "-selection", "clipboard"], check=False)
        return r.stdout.decode("utf-8") if r.returncode == 0 else ""

    def set_clipboard(self, text):
        # xclip stays behind to serve the selection until another program takes it.
        p = subprocess.Popen(["xclip", "-i", "-selection", "clipboard"], env=self.env, stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        p.communicate(text.encode("utf-8"))

    def screenshot(self, name):
        if not ARTIFACTS:
            return None
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name + ".png")
        self.run(["import", "-window", "root", path])
        return path


class Quarvel:
    """The real program, copied into a folder of its own, started on a Desktop."""

    def __init__(self, desktop, folder=None, config=None):
        if not QUARVEL or not os.path.exists(QUARVEL):
            raise unittest.SkipTest("QUARVEL_BINARY is not set")
        self.desktop = desktop
        self.folder = folder or os.path.join(desktop.root, "app")
        os.makedirs(self.folder, exist_ok=True)
        self.binary = os.path.join(self.folder, "quarvel")
        if not os.path.exists(self.binary):
            shutil.copy2(QUARVEL, self.binary)
        if config is not None:
            with open(self.config_path, "wb") as f:
                f.write(config)
        self.process = None

    @property
    def config_path(self):
        return os.path.join(self.folder, "config.ini")

    def config(self):
        with open(self.config_path, "rb") as f:
            return f.read()

    def config_value(self, key):
        for line in self.config().split(b"\r\n"):
            if line.lower().startswith(key.lower().encode() + b"="):
                return line.split(b"=", 1)[1].decode("gbk")
        return None

    def start(self):
        self.stderr_path = os.path.join(self.desktop.root, "quarvel.stderr")
        self.stderr = open(self.stderr_path, "ab")
        self.desktop.files.append(self.stderr)
        self.process = subprocess.Popen([self.binary], env=self.desktop.env, cwd=self.desktop.root,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.desktop.processes.append(self.process)
        self.desktop.wait_for_window("^Quarvel v2.16$")
        return self

    def window(self):
        """MainWindow's place and size. A window manager unmaps a window for a moment while it
        takes it over, so this waits for the window to be there."""
        if self.process.poll() is not None:
            raise AssertionError(f"the program ended with {self.process.returncode}: {self.unexpected_stderr()}")
        self.desktop.wait_for_window("^Quarvel v2.16$")
        return self.desktop.geometry("^Quarvel v2.16$")

    def click(self, x, y, button=1):
        """A click at a place inside MainWindow."""
        left, top, _, _ = self.window()
        self.desktop.click(left + x, top + y, button)

    def visible_windows(self):
        out = self.desktop.run(["xdotool", "search", "--onlyvisible", "--class", "quarvel"], check=False).stdout
        return set(out.split())

    def popup(self, action):
        """Runs the action (a click that opens a menu or a message) and waits for its window."""
        before = self.visible_windows()
        action()
        new = self.desktop.wait_until(lambda: self.visible_windows() - before, "a new window of the program")
        return new.pop()

    def menu(self, x, y, *keys, button=1):
        """Opens a menu with a click inside MainWindow and picks an item by keys."""
        self.popup(lambda: self.click(x, y, button))
        time.sleep(0.3)  # the menu takes the keyboard once it is mapped
        self.desktop.key(*keys)

    def tray_menu(self, *keys):
        """Opens the tray menu with a right click on the icon and picks an item by keys."""
        x, y = self.desktop.tray_icon()
        self.popup(lambda: self.desktop.click(x, y, 3))
        time.sleep(0.3)  # the menu takes the keyboard once it is mapped
        self.desktop.key(*keys)

    def quit_from_tray(self):
        # "退出" is the last item: Up from no selection reaches it.
        self.tray_menu("Up", "Return")
        return self.process.wait(timeout=10)

    def unexpected_stderr(self):
        self.stderr.flush()
        with open(self.stderr_path, "rb") as f:
            lines = f.read().decode("utf-8", "replace").splitlines()
        return [line for line in lines if not any(p.search(line) for p in ALLOWED_STDERR)]


class DesktopTest(unittest.TestCase):
    """A test with its own desktop; the screenshot of a failed test is kept."""

    tray = True

    def setUp(self):
        self.desktop = Desktop(tray=self.tray)
        self.addCleanup(self.desktop.close)

    def start(self, config=None):
        self.quarvel = Quarvel(self.desktop, config=config).start()
        return self.quarvel

    def assertNoUnexpectedStderr(self):
        self.assertEqual(self.quarvel.unexpected_stderr(), [])
