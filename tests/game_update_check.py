# Runs the game headless into the menu library's arcade, whose "Update arcade..." page fetches "Update/Update.qxd"
# from a loopback server of this script; the game then swaps the update in and enters the arcade again
# (tests/game_update.script, game_update_failed.script). The update holds "Arcade.upd": a newer version record, one picture changed and a
# copy of the library file, packed with the library's own writer (pack_stored_zip).
#   swapped: the installed "Arcade.dat" is the newer one afterwards, with the changed picture.
#   damaged: the update's library file is damaged, so the reload fails: the old files are back and the arcade
#            shows its "LastUpdateFailed" page.
# python3 game_update_check.py <swapped|damaged> <dist> <work> <script> <make_arcade_dat> <staged> <pack_stored_zip>
import functools
import http.server
import io
import os
import shutil
import subprocess
import sys
import threading
import zipfile

KIND, DIST, WORK, SCRIPT, MAKE_ARCADE_DAT, STAGED, PACK = sys.argv[1:8]
# The main menu, the front page, the arcade entered again after the update (or its failure) and the main menu. The
# download runs beside the frames, which come faster than it, so no shot is taken while it runs.
SHOTS = [255, 295, 5550, 5700]
VERSION_MEMBER = "Resources/Arcade.version.txt"
CHANGED_PICTURE = "Resources/Referral_Background.tga"
LIBRARY_FILE = "TollarineArcade.so"


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def members(path):
    """The members of a library archive, whose end record may be marked "QX" in place of "PK"."""
    data = bytearray(open(path, "rb").read())
    end = max(data.rfind(b"QX\x05\x06"), data.rfind(b"PK\x05\x06"))
    data[end:end + 2] = b"PK"
    with zipfile.ZipFile(io.BytesIO(bytes(data))) as archive:
        return {info.filename: archive.read(info) for info in archive.infolist()}


def picture_like(tga):
    """A run-length packed 32-bit picture of the size of the given one: bands of 128 pixels, two shades of purple
    darkening downwards."""
    width = tga[12] | tga[13] << 8
    height = tga[14] | tga[15] << 8
    header = bytes([0, 0, 10] + [0] * 9) + tga[12:16] + bytes([32, 8])
    rows = bytearray()
    for y in range(height):
        shade = 40 + 80 * y // height
        for x in range(0, width, 128):
            run = min(128, width - x)
            light = 30 if (x // 128 + y // 128) % 2 else 0
            rows += bytes([0x80 | (run - 1), shade + light, 20 + light, shade // 2 + light, 255])
    return header + bytes(rows)


def pack(archive, entries):
    args = [PACK, archive]
    for name, path in entries:
        args += [name, path]
    subprocess.run(args, check=True)


class Server(http.server.ThreadingHTTPServer):
    requests = []


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        Server.requests.append(self.path)


shutil.rmtree(WORK, ignore_errors=True)
program = os.path.join(WORK, "program")
library = os.path.join(program, "TollarineArcade")
served = os.path.join(WORK, "server")
making = os.path.join(WORK, "making")
for folder in (program, os.path.join(served, "Update"), making):
    os.makedirs(folder)
os.symlink(os.path.join(DIST, "RESOURCE"), os.path.join(WORK, "RESOURCE"))
# The programs without their debugging sections: the library file is copied several times over by the update.
shutil.copytree(os.path.join(DIST, "TollarineArcade"), library, ignore=shutil.ignore_patterns(LIBRARY_FILE))
for name in ("Velmorine", "libplatform.so", os.path.join("TollarineArcade", LIBRARY_FILE)):
    subprocess.run(["strip", "--strip-debug", "-o", os.path.join(program, name), os.path.join(DIST, name)], check=True)

server = Server(("127.0.0.1", 0), functools.partial(Handler, directory=served))
threading.Thread(target=server.serve_forever, daemon=True).start()
portal = "http://127.0.0.1:%d/" % server.server_address[1]

# The installed archive pointed at this server, written as the build writes it.
quiet = dict(os.environ, VEL_HEADLESS="1", VEL_PORTAL_URL=portal)
subprocess.run([MAKE_ARCADE_DAT, library, STAGED], check=True, env=quiet)
old = members(os.path.join(library, "Arcade.dat"))
old_library = open(os.path.join(library, LIBRARY_FILE), "rb").read()
if b"Version Number=1" not in old[VERSION_MEMBER]:
    fail("the installed archive is not of version 1")

files = {
    "version": old[VERSION_MEMBER].replace(b"Version Number=1", b"Version Number=2"),
    "picture": picture_like(old[CHANGED_PICTURE]),
    "library": old_library if KIND == "swapped" else b"\x7fELF damaged in its download",
    "readme": b"The arcade's files, second edition.\n",
}
for name, data in files.items():
    open(os.path.join(making, name), "wb").write(data)
made = lambda name: os.path.join(making, name)
pack(made("Arcade.upd"), [(VERSION_MEMBER, made("version")), (CHANGED_PICTURE, made("picture")),
                          (LIBRARY_FILE, made("library"))])
pack(os.path.join(served, "Update", "Update.qxd"), [("Arcade.upd", made("Arcade.upd")), ("ReadMe.txt", made("readme"))])
shutil.rmtree(making)

environment = dict(os.environ, VEL_HEADLESS="1", VEL_FRAMES="5750", VEL_SCRIPT=SCRIPT, VEL_INSTANCE_DIR=WORK,
                   VEL_REGISTRY_FILE=os.path.join(WORK, "registry.reg"), VEL_SHOTS=os.path.join(WORK, "shots"),
                   VEL_SHOT_AT=",".join(map(str, SHOTS)), no_proxy="*", NO_PROXY="*",
                   # The shared install folder of the library too, which takes the newer arcade of a run.
                   VEL_PROGRAM_FILES_DIR=os.path.join(WORK, "shared"))
for proxy in ("http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"):
    environment.pop(proxy, None)
result = subprocess.run([os.path.join(program, "Velmorine")], cwd=WORK, env=environment)
server.shutdown()
if result.returncode != 0:
    fail("the game ended with %d" % result.returncode)
log = open(os.path.join(WORK, "Exception.log"), errors="replace").read()
if "END SESSION" not in log or "throw exception" in log or "Fatal" in log:
    fail("the run did not end cleanly:\n" + log)
if "/Update/Update.qxd" not in Server.requests:
    fail("the update was never fetched; requests: %s" % Server.requests)

installed = members(os.path.join(library, "Arcade.dat"))
expected = dict(old)
if KIND == "swapped":
    expected[VERSION_MEMBER] = files["version"]
    expected[CHANGED_PICTURE] = files["picture"]
if installed != expected:
    changed = sorted(name for name in set(installed) | set(expected) if installed.get(name) != expected.get(name))
    fail("the installed archive is not the %s one; members that differ: %s" % (
        "updated" if KIND == "swapped" else "old", changed))
if open(os.path.join(library, LIBRARY_FILE), "rb").read() != old_library:
    fail("the installed library file is not the one the update carried")
leftovers = [name for name in ("Update.swap", "Update/Arcade.dat", "Update/" + LIBRARY_FILE)
             if os.path.exists(os.path.join(library, name))]
if leftovers:
    fail("the swap left %s behind" % leftovers)
for shot in SHOTS:
    if not os.path.exists(os.path.join(WORK, "shots", "shot-%d.png" % shot)):
        fail("no screenshot at frame %d: the run ended too early" % shot)
shots = [open(os.path.join(WORK, "shots", "shot-%d.png" % shot), "rb").read() for shot in SHOTS]
for before, after, frame in zip(shots, shots[1:], SHOTS[1:]):
    if before == after:
        fail("the screen at frame %d is the one before it" % frame)
