#!/usr/bin/env python3
"""Writes the small sample block traces of tests/data/traces.

One set of arrivals (a TU and a block of 512 bytes each, for the disk the
simulation page starts with: 1 TU = 1E-05 s) is written in each trace format
the importer reads, with lines the import must leave out around it (other
devices, other operations, other blkparse events, a damaged line, lines out
of time order). Beside each trace, <name>.requests holds the same arrivals as
a requests file written independently of the importer: a comma for each
two TUs of a gap and "t0" for an odd one, one request per line.

Usage: tools/make_sample_traces.py [FOLDER]   (default: tests/data/traces)
"""
import os
import sys

SECONDS_PER_TU = 1e-5
BLOCKS = 1000 * 600 * 4  # the start-up disk: cylinders x blocks per track x heads
COUNT = 48


class Lcg:
    """A fixed generator, so that the samples never change."""

    def __init__(self, seed):
        self.state = seed

    def next(self, bound):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % 2**64
        return (self.state >> 33) % bound


def arrivals(seed):
    rng = Lcg(seed)
    tu, result = 0, []
    for i in range(COUNT):
        gap = [0, 1, 2, 7, 40, 300][rng.next(6)]
        # Lines put out of order have times of their own, so that ordering
        # by time gives one order only.
        tu += max(gap, 1) if 2 <= i <= 12 else gap
        result.append((tu, rng.next(BLOCKS), "RW"[rng.next(2)]))
    return result


def requests_file(kept):
    lines, previous = ["1"], kept[0][0]
    for tu, block, _ in kept:
        gap = tu - previous
        marker = "," * (gap // 2) + ("t0" if gap % 2 else "")
        lines.append(marker + " " + str(block) if marker else str(block))
        previous = tu
    return "\r\n".join(lines) + " -1\r\n"


def swap_two(lines):
    """Puts two lines out of time order, as merged logs have them."""
    lines[5], lines[9] = lines[9], lines[5]
    return lines


def blkparse(kept):
    out, sequence = [], 0
    for tu, block, op in kept:
        seconds = tu * SECONDS_PER_TU
        for offset, action in ((0, "Q"), (1, "G"), (2, "I"), (3, "D"), (90, "C")):
            sequence += 1
            out.append("  8,0    1 %8d %14.9f  4242  %s %3s %d + 8 [fio]"
                       % (sequence, seconds + offset * 1e-7, action, op, block))
        if sequence % 7 == 0:  # another disk, and a flush without a sector
            out.append("  8,16   0 %8d %14.9f  4243  Q   R 123456 + 8 [fio]" % (sequence, seconds))
            out.append("  8,0    1 %8d %14.9f   311  Q FWS [jbd2/sda1-8]" % (sequence, seconds))
    out.append("  8,0    1 %8d %14.9f  4242  Q   R 99x + 8 [fio]" % (sequence + 1, 0.5))
    out.append("CPU1 (sda):")
    out.append(" Reads Queued:          %d,      %dKiB" % (len(kept), 4 * len(kept)))
    return out


def msr(kept):
    origin = 128166372000000000
    rows = ["%d,src1,%d,%s,%d,4096,%d" % (origin + tu * 100, 0, "Read" if op == "R" else "Write",
                                          block * 512, 1000 + block % 997)
            for tu, block, op in kept]
    rows.insert(3, "%d,src1,1,Read,0,4096,500" % (origin + 100))  # the second disk
    rows.insert(8, "%d,src1,0,Read,,4096,500" % (origin + 200))   # no offset
    return ["Timestamp,Hostname,DiskNumber,Type,Offset,Size,ResponseTime"] + swap_two(rows)


def spc(kept):
    rows = ["0,%d,4096,%s,%.6f" % (block, op.lower(), tu * SECONDS_PER_TU) for tu, block, op in kept]
    rows.insert(4, "1,77,4096,r,0.000010")  # the second unit
    rows.insert(6, "0,12,4096,x,0.000010")  # no such operation
    return swap_two(rows)


def plain(kept):
    rows = ["%.5f %d" % (tu * SECONDS_PER_TU, block) for tu, block, _ in kept]
    rows.insert(7, "0.00002")  # no block
    return ["# Sample trace made by tools/make_sample_traces.py: seconds, block"] + swap_two(rows)


def write(folder, name, lines):
    with open(os.path.join(folder, name), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "tests/data/traces"
    os.makedirs(folder, exist_ok=True)
    for name, seed, writer in (("sample.blkparse", 1, blkparse), ("sample_msr.csv", 2, msr),
                               ("sample_spc.csv", 3, spc), ("sample_plain.txt", 4, plain)):
        kept = arrivals(seed)
        write(folder, name, writer(kept))
        with open(os.path.join(folder, name + ".requests"), "w", newline="") as f:
            f.write(requests_file(kept))


if __name__ == "__main__":
    main()
