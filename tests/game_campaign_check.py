# Plays the demo campaign headless through the real menus and the real play step, from a folder of its own, with a
# loopback server of this script standing in for the hall of fame.
#   Run 1: the main menu opens the menu library's arcade (tests/game_arcade.script: its front page, its list, a
#          game's page) and returns; a new player "kestrel" is named in the third slot, the demo campaign chosen,
#          and the missions of MISSIONS are played in order and won.
#   Run 2: the same player goes on with the next mission, his frontier, without firing, and loses every ship: the
#          game over enters the top list and posts the score, and the results screen shows.
#   Run 3: a new player "Trevolin", the name that plays in the hidden mode (no reserve ship lost, every mission
#          open, nothing posted), plays the three missions in order to the campaign's final form: the finished
#          campaign enters the players file beside the first player's, and the top list and the hall of fame stay as
#          they were (the hidden mode's results are its own).
# Checks the session log's lines, the screenshots, the players file and the top list after each run (read here from
# their stored bytes), and the posts the server received.
#
# The fake clock and the game's generator make a run the same every time, so fixed inputs win: fire held, the ship
# swept from one edge of the screen to the other (the pointer's relative motion, which the screen's edges stop, so
# each sweep of 700 pixels ends at an edge) at a speed chosen for every 100 frames. The speeds were found by trying
# them out: a change to the game's play or to the demo campaign needs them found again
# (tests/game_campaign_search.py).
# python3 game_campaign_check.py <dist> <work> <arcade script>
import http.server
import os
import shutil
import subprocess
import sys
import threading

EMAIL = "pilot@example.org"
PLAYER = "kestrel"
HIDDEN_PLAYER = "Trevolin"
CAMPAIGN = "Demo campaign"
# The ship's speed (pixels a frame) for each 100 frames of a mission goes round these, except where a mission's
# text says otherwise (segments()).
SPEEDS = [4, 3, 5, 2, 6]
MISSIONS = [
    "82 29:4 59:4 67:3 72:4 76:4 78:6",
]
# In the hidden mode the speeds' round alone wins every mission, in these numbers of segments.
HIDDEN_MISSIONS = [87, 424, 300]
SEGMENT = 100
SWEEP = 700
# The frames the search checked after each mission's last segment, by then finished.
AFTER = 60
# The mission form's buttons and the main menu's play button, the player form's third slot, its name box, the
# campaign and play.
MISSION_BUTTONS = [(320, 177), (320, 227), (320, 277)]
PLAY_BUTTON = (320, 147)
SLOT = (300, 138)
NAME_BOX = (120, 138)
HIDDEN_SLOT = (300, 168)
HIDDEN_NAME_BOX = (120, 168)
CAMPAIGN_ROW = (470, 283)
START = (520, 435)
# Without a shot fired the last ship is lost this many frames after the mission's start.
LOSING = 1544
# The main menu is back after the arcade at this frame.
MENU_AGAIN = 440
ARCADE_SHOTS = [290, 330]


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


class Script:
    """The lines of an input script, written frame by frame. The game's pointer moves by the mouse's relative motion,
    at most 40 pixels a frame, and stops at the screen's edges: every move starts from the top left corner."""

    def __init__(self, lines=()):
        self.lines = list(lines)

    def add(self, frame, event):
        self.lines.append("%d %s" % (frame, event))

    def move(self, frame, x, y):
        for _ in range(17):
            self.add(frame, "mouse motion -40 -40")
            frame += 1
        at_x = at_y = 0
        while (at_x, at_y) != (x, y):
            dx = max(-40, min(40, x - at_x))
            dy = max(-40, min(40, y - at_y))
            self.add(frame, "mouse motion %d %d" % (dx, dy))
            at_x += dx
            at_y += dy
            frame += 1
        return frame

    def click(self, frame, point):
        """Moves to the point and clicks; the frame after the click."""
        frame = self.move(frame, *point) + 3
        self.add(frame, "mouse down left %d %d" % point)
        self.add(frame + 2, "mouse up left %d %d" % point)
        return frame + 2

    def type(self, frame, text):
        """Types the text's letters, capitals with Shift held, then Enter."""
        for letter in text:
            key = letter.upper()
            if letter.isupper():
                self.add(frame, "key down VK_SHIFT")
            self.add(frame, "key down " + key)
            self.add(frame + 1, "key up " + key)
            if letter.isupper():
                self.add(frame + 1, "key up VK_SHIFT")
            frame += 3
        self.add(frame, "key down VK_RETURN")
        self.add(frame + 1, "key up VK_RETURN")
        return frame + 5

    def text(self):
        return "\n".join(self.lines) + "\n"


def segments(text):
    """[(speed, turn)] of a mission's text: the number of segments, then the segments that leave the speeds' round,
    as "<index>:<speed>", with "r" after it when the ship turns round at the segment's start."""
    count, *changes = text.split()
    parts = [(SPEEDS[index % len(SPEEDS)], False) for index in range(int(count))]
    for change in changes:
        index, _, speed = change.partition(":")
        parts[int(index)] = (int(speed.rstrip("r")), speed.endswith("r"))
    return parts


def play(script, start, parts, tail=AFTER):
    """Fire held from start, the sweeps from 20 frames later; the frame the last segment and tail end at."""
    script.add(start, "key down VK_SPACE")
    frame = start + 20
    direction, left = 1, SWEEP // 2 + 40
    speed = 4
    for speed, turn in parts + [(None, False)]:
        if speed is None:
            speed, frames = last, tail
        else:
            frames = SEGMENT
        if turn:
            direction, left = -direction, SWEEP
        for _ in range(frames):
            step = min(speed, left)
            script.add(frame, "mouse motion %d 0" % (step * direction))
            left -= step
            if left == 0:
                direction, left = -direction, SWEEP
            frame += 1
        last = speed
    script.add(frame, "key up VK_SPACE")
    return frame


def campaign_script(script, menu, slot, name_box, player, missions):
    """From the main menu up at frame menu: a new player named in the slot, the campaign chosen and its missions
    played in order, each swept by its parts; the frames each mission started and ended at, and the frame the form
    after the last of them is up at."""
    frame = script.click(menu, PLAY_BUTTON)
    frame = script.click(frame + 25, slot)
    frame = script.click(frame + 10, name_box)
    frame = script.type(frame + 15, player)
    frame = script.click(frame + 10, CAMPAIGN_ROW)
    frame = script.click(frame + 10, START) + 30
    ends = []
    for index, parts in enumerate(missions):
        start = script.click(frame, MISSION_BUTTONS[index]) + 44
        end = play(script, start, parts)
        ends.append((start, end))
        # The message stays 5 seconds, then the next form comes.
        frame = end + 400
    return ends, frame


def first_run_script(arcade, missions):
    """The script of run 1: the arcade, then the missions given; the frames each of them started and ended at, and
    the frame the mission form is up at after the last of them."""
    script = Script(line for line in open(arcade).read().splitlines() if line and not line.startswith("#"))
    ends, frame = campaign_script(script, MENU_AGAIN, SLOT, NAME_BOX, PLAYER, [segments(text) for text in missions])
    return script, ends, frame


def usual_parts(count):
    return [(SPEEDS[index % len(SPEEDS)], False) for index in range(count)]


def hidden_run_script(counts):
    """The script of run 3: a new player of the hidden name in the fourth slot plays the missions, each swept for
    its number of segments; the frames each mission started and ended at, and the frame the campaign's final form
    is up at."""
    script = Script()
    ends, frame = campaign_script(script, 270, HIDDEN_SLOT, HIDDEN_NAME_BOX, HIDDEN_PLAYER,
                                  [usual_parts(count) for count in counts])
    return script, ends, frame


def unscrambled(path):
    """The plain bytes of a score file: each is stored as two, five of its bits in the first and three moved into
    the second, both mixed with its position."""
    stored = open(path, "rb").read()
    moved = {0x02: 0x40, 0x80: 0x04, 0x08: 0x20}
    plain = bytearray()
    for i in range(len(stored) // 2):
        key = (2 * i) & 0xFF
        second = stored[2 * i + 1] ^ ((key + 1) & 0xFF)
        byte = (stored[2 * i] ^ key) & 0x9B
        for stored_bit, plain_bit in moved.items():
            if second & stored_bit:
                byte |= plain_bit
        plain.append(byte)
    return bytes(plain)


def text_at(data, at):
    end = data.index(b"\0", at)
    return data[at:end].decode("latin-1"), end + 1


def players(work):
    """{name: [(campaign, score, mission, lives)]} of the named slots of "Players.cdf"."""
    data = unscrambled(os.path.join(work, "Players.cdf"))
    profiles = []
    for slot in range(10):
        block = data[slot * 36:(slot + 1) * 36]
        name = block[8:20].split(b"\0")[0].decode("latin-1")
        profiles.append((name, block[20], int.from_bytes(block[28:32], "little")))
    at = 360
    result = {}
    for name, new, count in profiles:
        records = []
        for _ in range(count):
            score, mission, lives = (int.from_bytes(data[at + k:at + k + 4], "little", signed=True) for k in (4, 8, 12))
            campaign, at = text_at(data, at + 16)
            records.append((campaign, score, mission, lives))
        if not new:
            result[name] = records
    return result


def top_list(work):
    """{campaign: [(player, score)]} of "TopList.cdf"."""
    data = unscrambled(os.path.join(work, "TopList.cdf"))
    if int.from_bytes(data[0:2], "little") != 26017:
        fail("the top list is not one")
    at = 4
    result = {}
    for _ in range(int.from_bytes(data[2:4], "little")):
        campaign, at = text_at(data, at)
        count = int.from_bytes(data[at:at + 4], "little")
        at += 4
        entries = []
        for _ in range(count):
            player, at = text_at(data, at)
            _, at = text_at(data, at)
            entries.append((player, int.from_bytes(data[at:at + 4], "little", signed=True)))
            at += 4
        result[campaign] = entries
    return result


class Server(http.server.ThreadingHTTPServer):
    requests = []


class HallOfFame(http.server.BaseHTTPRequestHandler):
    """Takes every result: the reply starts with "0"."""

    def do_GET(self):
        Server.requests.append(self.path)
        reply = b"0 OK\n"
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, format, *args):
        pass


def prepare(dist, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "program"))
    os.symlink(os.path.join(dist, "RESOURCE"), os.path.join(work, "RESOURCE"))
    for name in ("Velmorine", "libplatform.so"):
        shutil.copy(os.path.join(dist, name), os.path.join(work, "program"))
    shutil.copytree(os.path.join(dist, "TollarineArcade"), os.path.join(work, "program", "TollarineArcade"))
    # The player's e-mail known, so no account is asked for, and results put online.
    with open(os.path.join(work, "registry.reg"), "w") as registry:
        registry.write("Windows Registry Editor Version 5.00\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Morvadel]\n\"VelmorineEMail\"=\"%s\"\n\n"
                       "[HKEY_CURRENT_USER\\Software\\Morvadel\\Velmorine]\n\"PutResults\"=hex:01\n" % EMAIL)


def run_game(work, script, frames, shots, server=None):
    """Runs the game on the script; the session's log (this run's part)."""
    path = os.path.join(work, "play.script")
    with open(path, "w") as file:
        file.write(script.text())
    environment = dict(os.environ, VEL_HEADLESS="1", VEL_FRAMES=str(frames), VEL_SCRIPT=path,
                       VEL_SHOTS=os.path.join(work, "shots"), VEL_SHOT_AT=",".join(map(str, shots)), VEL_SOUNDFONT="",
                       VEL_INSTANCE_DIR=work, VEL_REGISTRY_FILE=os.path.join(work, "registry.reg"),
                       VEL_PROGRAM_FILES_DIR=os.path.join(work, "shared"), no_proxy="*", NO_PROXY="*",
                       VEL_HALL_OF_FAME=server or "http://127.0.0.1:9/")
    for proxy in ("http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"):
        environment.pop(proxy, None)
    result = subprocess.run([os.path.join(work, "program", "Velmorine")], cwd=work, env=environment,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if result.returncode != 0:
        fail("the game ended with %d" % result.returncode)
    log = open(os.path.join(work, "Exception.log"), errors="replace").read()
    log = log[log.rfind("BEGIN SESSION"):]
    if "END SESSION" not in log or "throw exception" in log or "Fatal" in log:
        fail("the run did not end cleanly:\n" + log)
    for shot in shots:
        if not os.path.exists(os.path.join(work, "shots", "shot-%d.png" % shot)):
            fail("no screenshot at frame %d: the run ended too early" % shot)
    return log


def log_lines(log):
    """The lines of the missions begun and ended and of game over, without their dates: "BNM 2 3 5590"."""
    lines = []
    for line in log.splitlines():
        words = line.split()
        if words[:1] in (["BNM"], ["BOM"], ["ENM"]):
            lines.append(" ".join(words[:4]))
        elif words[:1] == ["GO"]:
            lines.append(" ".join(words[:3]))
    return lines


def second_run_script(mission):
    """The player form, the third slot again, play, the mission given; then nothing, until every ship is lost."""
    script = Script()
    frame = script.click(270, PLAY_BUTTON)
    frame = script.click(frame + 25, SLOT)
    frame = script.click(frame + 10, START) + 30
    return script, script.click(frame, MISSION_BUTTONS[mission - 1]) + 44


def post_of(score):
    return "/cgi-bin/velm_hof_add.pl?eml=%s&sc=%d&cmp=%s" % (EMAIL.replace("@", "%40"), score,
                                                             CAMPAIGN.replace(" ", "%20"))


def check_screens(work, shots):
    screens = [open(os.path.join(work, "shots", "shot-%d.png" % shot), "rb").read() for shot in shots]
    for before, after, frame in zip(screens, screens[1:], shots[1:]):
        if before == after:
            fail("the screen at frame %d is the one before it" % frame)


def start_server():
    server = Server(("127.0.0.1", 0), HallOfFame)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


def won_in_order(lines, count):
    """The lives and score after the first count missions when the log shows them won in order, each begun with
    the lives and score the one before ended with; else (0, -1)."""
    expected, lives, score = [], 3, 0
    for mission in range(1, count + 1):
        expected.append("BNM %d %d %d" % (mission, lives, score))
        ended = lines[len(expected)] if len(lines) > len(expected) else ""
        if not ended.startswith("ENM %d " % mission):
            break
        expected.append(ended)
        lives, score = (int(word) for word in ended.split()[2:])
    return (lives, score) if lines == expected and len(lines) == 2 * count else (0, -1)


def first_two_runs(dist, work, arcade, address):
    """Runs 1 and 2 with their checks; the first player's progress and the top list after them."""
    prepare(dist, work)

    # Run 1: the arcade, then the missions won, each with its message, and the mission form after the last.
    script, ends, form = first_run_script(arcade, MISSIONS)
    shots = ARCADE_SHOTS + [end for _, end in ends] + [form]
    lines = log_lines(run_game(work, script, form + 50, shots, address))
    lives, score = won_in_order(lines, len(MISSIONS))
    if score <= 0:
        fail("the missions were not won in order: %s" % lines)
    check_screens(work, shots)
    progress = {"Player 1": [], PLAYER.lower(): [(CAMPAIGN, score, len(MISSIONS), lives)]}
    if players(work) != progress:
        fail("the players file does not hold the missions won: %s" % players(work))
    # Won missions that do not finish the campaign are neither listed nor posted.
    if top_list(work) or Server.requests:
        fail("missions won before the campaign's end were listed or posted: %s %s" % (top_list(work), Server.requests))

    # Run 2: the next mission, the player's frontier, lost: game over, the results posted (5 seconds after it),
    # the mission form (10 seconds later).
    mission = len(MISSIONS) + 1
    script, start = second_run_script(mission)
    over = start + LOSING
    shots = [over + 100, over + 400, over + 900]
    lines = log_lines(run_game(work, script, over + 950, shots, address))
    if lines[:1] != ["BNM %d %d %d" % (mission, lives, score)] or len(lines) != 2 or not lines[1].startswith(
            "GO %d " % mission):
        fail("the next mission did not end in game over: %s" % lines)
    check_screens(work, shots)
    final = int(lines[1].split()[2])
    if players(work) != progress:
        fail("the second run changed the first one's progress: %s" % players(work))
    if top_list(work) != {CAMPAIGN: [(PLAYER.lower(), final)]}:
        fail("the game over on the frontier mission is not in the top list: %s" % top_list(work))
    if Server.requests != [post_of(final)]:
        fail("the hall of fame got %s, not the score's post %s" % (Server.requests, post_of(final)))
    return progress, top_list(work)


def main():
    dist, work, arcade = sys.argv[1:4]
    server, address = start_server()
    progress, listed = first_two_runs(dist, work, arcade, address)

    # Run 3: the hidden player's missions, each with its message, and the campaign's final form after the last.
    script, ends, form = hidden_run_script(HIDDEN_MISSIONS)
    shots = [end for _, end in ends] + [form]
    lines = log_lines(run_game(work, script, form + 50, shots, address))
    server.shutdown()
    lives, score = won_in_order(lines, len(HIDDEN_MISSIONS))
    if score < 0:
        fail("the hidden player did not finish the missions in order: %s" % lines)
    check_screens(work, shots)
    progress[HIDDEN_PLAYER] = [(CAMPAIGN, score, len(HIDDEN_MISSIONS), lives)]
    if players(work) != progress:
        fail("the players file does not hold the finished campaign beside the first player: %s" % players(work))
    # The hidden mode's results are its own: neither the top list nor the hall of fame takes them.
    if top_list(work) != listed:
        fail("the hidden mode changed the top list: %s" % top_list(work))
    if len(Server.requests) != 1:
        fail("the hidden mode posted a result: %s" % Server.requests)


if __name__ == "__main__":
    main()
