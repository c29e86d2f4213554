# Finds the inputs that win the demo campaign's missions for tests/game_campaign_check.py, when a change to the
# game's play or to the campaign has made the old ones lose: prints each mission's text for its MISSIONS.
#
# A mission is played 100 frames at a time. The speeds' round comes first, four segments at once; when a ship is
# lost within them (its count in the display's top line changed), the one next segment is tried at every other
# speed, turning or not, and then the two before it, and only when nothing keeps the ship the loss is taken. When
# the score has not moved for 12 segments, the next segment is the first that makes it move. Every try replays the
# run from its start, so the game is in the very state the test will meet.
# python3 game_campaign_search.py <dist> <work> <arcade script> [<mission text>...]
# With --hidden in place of the mission texts: the numbers of segments for HIDDEN_MISSIONS, each the least that
# finishes its mission after runs 1 and 2 (a mission once finished stays finished as the sweep goes on).
import json
import os
import shutil
import struct
import sys
import zlib
from concurrent.futures import ThreadPoolExecutor

import game_campaign_check as campaign

CHOICES = [(speed, turn) for speed in (4, 3, 6, 2, 8, 5) for turn in (False, True)] + [(0, False), (1, False)]
STALE = 12


def top_rows(path, count):
    """The first rows of an 8-bit RGB screenshot, unfiltered."""
    data = open(path, "rb").read()
    width = struct.unpack(">I", data[16:20])[0]
    packed, at = b"", 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            packed += data[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompressobj().decompress(packed, count * (width * 3 + 1))
    stride, previous, rows = width * 3, bytearray(width * 3), []
    for row in range(count):
        kind = raw[row * (stride + 1)]
        line = bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 3] if x >= 3 else 0
            b = previous[x]
            c = previous[x - 3] if x >= 3 else 0
            if kind == 1:
                line[x] = (line[x] + a) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + b) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                nearest = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
                line[x] = (line[x] + nearest) & 0xFF
        rows.append(bytes(line))
        previous = line
    return rows


# The ships left are one digit; these are the bright pixels of its glyphs 0 to 3. Any other count is a digit above
# them, when a pick-up brought a ship.
GLYPHS = {43: 0, 26: 1, 34: 2, 35: 3}


def counters(path):
    """The ships left, and the pixels of the score, in the display's top line."""
    rows = top_rows(path, 27)[10:27]
    bright = sum(1 for row in rows for x in range(242, 256) if row[x * 3] > 200 and row[x * 3 + 1] > 150)
    return GLYPHS.get(bright, 9), b"".join(row[286 * 3:340 * 3] for row in rows)


def text_of(parts):
    return " ".join([str(len(parts))] + ["%d:%d%s" % (index, speed, "r" if turn else "")
                                         for index, (speed, turn) in enumerate(parts) if (speed, turn) != usual(index)])


def usual(index):
    return campaign.SPEEDS[index % len(campaign.SPEEDS)], False


class Search:
    def __init__(self, dist, work, arcade, done):
        self.dist, self.work, self.arcade, self.done = dist, work, arcade, done
        self.mission = len(done) + 1
        self.pool = ThreadPoolExecutor(4)

    def play(self, parts, name):
        """(finished, lost the game, counters) after the parts and the tail the test plays."""
        work = os.path.join(self.work, name)
        campaign.prepare(self.dist, work)
        script, _, frame = campaign.first_run_script(self.arcade, self.done)
        start = script.click(frame, campaign.MISSION_BUTTONS[self.mission - 1]) + 44
        end = campaign.play(script, start, parts)
        log = campaign.run_game(work, script, end + 1, [end])
        lines = campaign.log_lines(log)
        finished = any(line.startswith("ENM %d " % self.mission) for line in lines)
        return finished, any(line.startswith("GO ") for line in lines), counters(
            os.path.join(work, "shots", "shot-%d.png" % end))

    def first_keeping(self, tries, ships, score=None):
        """The first of the tries (lists of parts) that finishes the mission, or keeps the ships (and moves the
        score); (parts, finished, counters) or None."""
        for at in range(0, len(tries), 4):
            batch = tries[at:at + 4]
            results = self.pool.map(lambda item: self.play(item[1], "try%d" % item[0]), enumerate(batch))
            for parts, (finished, over, seen) in zip(batch, results):
                if finished or (not over and seen[0] >= ships and (score is None or seen[1] != score)):
                    return parts, finished, seen
        return None

    def run(self):
        parts = [usual(0)]
        _, _, (ships, score) = self.play(parts, "start")
        stale = 0
        while True:
            if stale >= STALE:
                stale = 0
                found = self.first_keeping([parts + [choice] for choice in CHOICES], ships, score)
                if found:
                    parts, finished, (ships, score) = found
                    if finished:
                        return parts
                    continue
            ahead = parts + [usual(len(parts) + k) for k in range(4)]
            finished, over, seen = self.play(ahead, "ahead")
            if not finished and not over and seen[0] >= ships:
                parts = ahead
                stale = stale + 4 if seen[1] == score else 0
                ships, score = seen
                continue
            tries = [parts + [choice] for choice in [usual(len(parts))] + CHOICES]
            tries += [parts[:-1] + [choice, choice] for choice in CHOICES]
            tries += [parts[:-2] + [first, second, second] for first in CHOICES[:4] for second in CHOICES[:4]]
            found = self.first_keeping(tries, ships)
            if found:
                parts, finished, (ships, score) = found
                stale += 1
                if finished:
                    return parts
                continue
            parts = parts + [usual(len(parts))]
            finished, over, (ships, score) = self.play(parts, "loss")
            print("a ship lost by segment %d" % len(parts), flush=True)
            if finished:
                return parts
            if over:
                sys.exit("mission %d: every ship lost" % self.mission)


def hidden_counts(dist, work, arcade):
    base = os.path.join(work, "base")
    server, address = campaign.start_server()
    campaign.first_two_runs(dist, base, arcade, address)
    server.shutdown()
    counts = []

    def finishes(count):
        trial = os.path.join(work, "hidden%d" % count)
        shutil.rmtree(trial, ignore_errors=True)
        shutil.copytree(base, trial, symlinks=True)
        script, ends, _ = campaign.hidden_run_script(counts + [count])
        log = campaign.run_game(trial, script, ends[-1][1] + 1, [])
        shutil.rmtree(trial, ignore_errors=True)
        return any(line.startswith("ENM %d " % len(ends)) for line in campaign.log_lines(log))

    for mission in range(1, len(campaign.MISSION_BUTTONS) + 1):
        low, high = 1, 50
        while not finishes(high):
            low, high = high + 1, high * 2
            if high > 1600:
                sys.exit("mission %d: not finished in the hidden mode" % mission)
        while low < high:
            middle = (low + high) // 2
            low, high = (low, middle) if finishes(middle) else (middle + 1, high)
        counts.append(low)
        print("mission %d: %d segments" % (mission, low), flush=True)
    print("HIDDEN_MISSIONS = %s" % counts)


def main():
    dist, work, arcade = sys.argv[1:4]
    if sys.argv[4:] == ["--hidden"]:
        return hidden_counts(dist, work, arcade)
    done = sys.argv[4:]
    for mission in range(len(done) + 1, len(campaign.MISSION_BUTTONS) + 1):
        parts = Search(dist, work, arcade, done).run()
        done.append(text_of(parts))
        print("mission %d: %s" % (mission, json.dumps(done[-1])), flush=True)


if __name__ == "__main__":
    main()
