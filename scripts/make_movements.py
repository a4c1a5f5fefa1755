#!/usr/bin/env python3
"""Writes the movement files shipped in resources/Howells/.

Howells for 4 to 42 pairs, the Mitchell-Appendix files A7-n and A9-n and the
Patton files PATTON2 .. PATTON15. Every file is checked here before it is
written; the test suite checks the shipped files again.

Usage: scripts/make_movements.py [resources folder]
"""
import os
import random
import sys


def circle_rounds(m):
    """Round robin of m + 1 players (m odd: 0..m-1 and the fixed player m),
    or of m players with one resting each round (m odd, no fixed player).
    Round r pairs r with the fixed player and r + i with r - i."""
    rounds = []
    for r in range(m):
        matches = [(r, m)]
        for i in range(1, (m - 1) // 2 + 1):
            matches.append(((r + i) % m, (r - i) % m))
        rounds.append(matches)
    return rounds


def assign_sets(rounds, sets, players, seed=1):
    """A board set for every meeting: distinct in a round, never twice for a
    player. Round by round, a matching of the meetings to the sets."""
    for attempt in range(500):
        rng = random.Random(seed + attempt)
        used = {p: set() for p in range(players + 1)}
        result = []
        for rd in rounds:
            owner = {}

            def augment(k, seen):
                a, b = rd[k]
                options = [s for s in range(sets) if s not in used[a] and s not in used[b]]
                rng.shuffle(options)
                for s in options:
                    if s in seen:
                        continue
                    seen.add(s)
                    if s not in owner or augment(owner[s], seen):
                        owner[s] = k
                        return True
                return False

            if not all(augment(k, set()) for k in range(len(rd))):
                break
            chosen = [None] * len(rd)
            for s, k in owner.items():
                chosen[k] = s
            for k, (a, b) in enumerate(rd):
                used[a].add(chosen[k]); used[b].add(chosen[k])
            result.append(chosen)
        else:
            return result
    raise SystemExit("no set assignment for %d players" % players)


def cyclic_sets(m, with_fixed):
    """Sets r + f(i) for the meeting i of round r (i = 0 the fixed player)
    when such an f exists: then each player plays each set at most once."""
    h = (m - 1) // 2
    first = 0 if with_fixed else 1
    for seed in range(2000):
        rng = random.Random(seed)
        f = {}
        taken = set()
        fs = set()
        ok = True
        for i in range(h, 0, -1):
            opts = [v for v in range(m) if v not in fs and (v - i) % m not in taken and (v + i) % m not in taken
                    and (v - i) % m != (v + i) % m]
            if not opts:
                ok = False
                break
            v = rng.choice(opts)
            f[i] = v; fs.add(v); taken.add((v - i) % m); taken.add((v + i) % m)
        if not ok:
            continue
        if with_fixed:
            rest = [v for v in range(m) if v not in taken and v not in fs]
            if not rest:
                continue
            f[0] = rest[0]
        return [[(r + f[i]) % m for i in range(first, h + 1)] for r in range(m)]
    return None


def howell(pairs):
    """(rounds, sets, lines): a Howell of pairs (even) on pairs / 2 tables."""
    tables = pairs // 2
    m = pairs - 1
    rounds = circle_rounds(m)
    if m <= 33:
        nrounds = m
        sets = cyclic_sets(m, True)
        nsets = m
        if sets is None:
            nsets = m
            while True:
                try:
                    sets = assign_sets(rounds, nsets, pairs)
                    break
                except SystemExit:
                    nsets += 1
    else:
        nrounds = 13
        rounds = rounds[:nrounds]
        nsets = 33
        sets = assign_sets(rounds, nsets, pairs)
    lines = []
    for r in range(nrounds):
        # The highest pair stays at table 1, sitting E/W: with an odd number
        # of pairs it is the missing one, and its opponents sit out.
        for k, (a, b) in enumerate(rounds[r]):
            if k == 0:
                ns, ew = a, m
            else:
                ns, ew = (a, b) if (r + k) % 2 else (b, a)
            lines.append((r + 1, ns + 1, ew + 1, sets[r][k] + 1, k + 1))
    assert len(rounds[0]) == tables
    return nrounds, nsets, lines


def appendix(base, tables, sets):
    """Mitchell-Appendix: base rounds on sets board sets (more sets than
    tables, so that no set is on two tables in a round); table t plays set
    a r + t (mod sets) in round r. N/S pairs sit still; the E/W pairs are placed
    round by round (a matching) so that none meets a N/S pair twice or plays
    a set twice."""
    for a in range(1, sets):
        for step in range(1, tables):
            lines = [(r + 1, t + 1, (t - step * r) % tables + 1, (a * r + t) % sets + 1, t + 1)
                     for r in range(base) for t in range(tables)]
            if check_mitchell(lines, tables, base, sets) is None:
                return lines
    for attempt in range(2000):
        rng = random.Random(attempt)
        visited = {e: set() for e in range(tables)}
        played = {e: set() for e in range(tables)}
        lines = []
        for r in range(base):
            owner = {}

            def augment(e, seen):
                options = [t for t in range(tables) if t not in visited[e] and (r + t) % sets not in played[e]]
                rng.shuffle(options)
                for t in options:
                    if t in seen:
                        continue
                    seen.add(t)
                    if t not in owner or augment(owner[t], seen):
                        owner[t] = e
                        return True
                return False

            if not all(augment(e, set()) for e in range(tables)):
                break
            for t in range(tables):
                e = owner[t]
                visited[e].add(t); played[e].add((r + t) % sets)
                lines.append((r + 1, t + 1, e + 1, (r + t) % sets + 1, t + 1))
        else:
            assert check_mitchell(lines, tables, base, sets) is None
            return lines
    raise SystemExit("no appendix for %d tables" % tables)


def patton(teams):
    """Teams of two pairs: team i is N/S pair i (at table i) and E/W pair i.
    A match puts each team's N/S against the other's E/W on the same set."""
    if teams == 2:
        return 4, 4, [(r, t, 3 - t, r, t) for r in range(1, 5) for t in (1, 2)]
    if teams % 2 == 0:
        m = teams - 1
        rounds = circle_rounds(m)
    else:
        m = teams
        rounds = [rd[1:] for rd in circle_rounds(m)]
    nsets = m
    sets = cyclic_sets(m, teams % 2 == 0)
    while sets is None:
        try:
            sets = assign_sets(rounds, nsets, m + 1)
        except SystemExit:
            nsets += 1
    lines = []
    for r, rd in enumerate(rounds):
        for k, (a, b) in enumerate(rd):
            s = sets[r][k] + 1
            lines.append((r + 1, a + 1, b + 1, s, a + 1))
            lines.append((r + 1, b + 1, a + 1, s, b + 1))
    return m, nsets, lines


def check_howell(lines, pairs, nrounds, nsets):
    tables = pairs // 2
    met, played, round_sets, round_tables = set(), set(), set(), set()
    for r, ns, ew, s, t in lines:
        if not (1 <= r <= nrounds and 1 <= s <= nsets and 1 <= ns <= pairs and 1 <= ew <= pairs and ns != ew):
            return "range"
        if frozenset((ns, ew)) in met:
            return "meet twice %d %d" % (ns, ew)
        met.add(frozenset((ns, ew)))
        for p in (ns, ew):
            if (p, s) in played:
                return "set twice"
            played.add((p, s))
        if (r, s) in round_sets:
            return "set twice in round"
        round_sets.add((r, s))
        if (r, t) in round_tables or not 1 <= t <= tables:
            return "table"
        round_tables.add((r, t))
    if len(round_tables) != nrounds * tables:
        return "table unused"
    return None


def check_mitchell(lines, tables, nrounds, nsets, shared=False):
    met, played, round_tables = set(), set(), set()
    per_set = {}
    for r, ns, ew, s, t in lines:
        if (ns, ew) in met:
            return "meet twice"
        met.add((ns, ew))
        if ("N", ns, s) in played or ("E", ew, s) in played:
            return "set twice"
        played.add(("N", ns, s)); played.add(("E", ew, s))
        if (r, t) in round_tables:
            return "table"
        round_tables.add((r, t))
        per_set[s] = per_set.get(s, 0) + 1
        per_set[(r, s)] = per_set.get((r, s), 0) + 1
        if per_set[(r, s)] > (2 if shared else 1):
            return "set shared"
    if any(v > tables for k, v in per_set.items() if not isinstance(k, tuple)):
        return "too many lines for a set"
    return None


def check_patton(lines, teams, nrounds, nsets):
    """Each table once a round; the two tables of a match on one set, teams
    crossed; no pair on a set twice; beyond two teams no match twice."""
    round_tables, played, matches = set(), set(), set()
    by_round = {}
    for r, ns, ew, s, t in lines:
        if not (1 <= ns <= teams and 1 <= ew <= teams and ns != ew and t == ns and 1 <= s <= nsets):
            return "range"
        if (r, t) in round_tables:
            return "table"
        round_tables.add((r, t))
        for p in (("N", ns), ("E", ew)):
            if (p, s) in played:
                return "set twice"
            played.add((p, s))
        by_round[(r, ns, ew)] = s
    for (r, ns, ew), s in by_round.items():
        if by_round.get((r, ew, ns)) != s:
            return "match not crossed"
        if teams > 2:
            if (ns, ew) in matches:
                return "match twice"
            matches.add((ns, ew))
    return None


def write(path, header, lines):
    with open(path, "wb") as f:
        f.write((header + "\r\n").encode("cp1252"))
        for r, ns, ew, s, t in lines:
            f.write(("%d %d %d %d %d\r\n" % (r, ns, ew, s, t)).encode("cp1252"))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    folder = os.path.join(root, "Howells")
    club = os.path.join(folder, "Bralmet")
    os.makedirs(club, exist_ok=True)
    for pairs in range(4, 43, 2):
        nrounds, nsets, lines = howell(pairs)
        err = check_howell(lines, pairs, nrounds, nsets)
        assert err is None, (pairs, err)
        header = "%d %d %d Howell %d paires" % (nsets, pairs, nrounds, pairs)
        for where in (folder, club):
            write(os.path.join(where, "HOWELL%02d.TXT" % pairs), header, lines)
    # 7 rounds on 14 sets (28 boards at 2 a table), 9 rounds on 27 sets.
    for base, top, sets in ((7, 14, 14), (9, 18, 27)):
        for tables in range(base, top + 1):
            lines = appendix(base, tables, sets)
            header = "%d %d %d Mitchell Appendix %d tours" % (sets, 2 * tables, base, base)
            write(os.path.join(folder, "A%d-%d.TXT" % (base, tables - base)), header, lines)
    for teams in range(2, 16):
        nrounds, nsets, lines = patton(teams)
        assert check_patton(lines, teams, nrounds, nsets) is None, teams
        header = "%d %d %d Mitchell Patton %d équipes" % (nsets, 2 * teams, nrounds, teams)
        write(os.path.join(folder, "PATTON%d.TXT" % teams), header, lines)


if __name__ == "__main__":
    main()
