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


def assign_sets(rounds, sets, players, seed=1, share=1):
    """A board set for every meeting: on at most share tables in a round,
    never twice for a player. Round by round, a matching of the meetings to
    the sets (each set offered share times)."""
    for attempt in range(500):
        rng = random.Random(seed + attempt)
        used = {p: set() for p in range(players + 1)}
        result = []
        for rd in rounds:
            owner = {}

            def augment(k, seen):
                a, b = rd[k]
                options = [(s, c) for s in range(sets) for c in range(share)
                           if s not in used[a] and s not in used[b]]
                rng.shuffle(options)
                for slot in options:
                    if slot in seen:
                        continue
                    seen.add(slot)
                    if slot not in owner or augment(owner[slot], seen):
                        owner[slot] = k
                        return True
                return False

            if not all(augment(k, set()) for k in range(len(rd))):
                break
            chosen = [None] * len(rd)
            for (s, c), k in owner.items():
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
        # A complete Howell where it exists: every pair plays every set
        # once, each set at every table. With 4 pairs it exists only with
        # both tables on one set each round (the boards are shared); with 6
        # pairs only with three tables on one set, so there more sets are
        # used, each played at two tables or more.
        nrounds = m
        nsets = m
        sets = cyclic_sets(m, True)
        if sets is None:
            try:
                sets = assign_sets(rounds, nsets, pairs, share=2)
                order = {}
                for rd in sets:
                    for x in rd:
                        order.setdefault(x, len(order))
                sets = [[order[x] for x in rd] for rd in sets]
            except SystemExit:
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


def exact_cover(options, secondary, rng, limit):
    """Algorithm X: a choice of options covering every primary item once and
    every secondary item at most once; options tried in a random order.
    None when there is none; TimeoutError after limit nodes."""
    cols = {}
    for k, items in options.items():
        for i in items:
            cols.setdefault(i, set()).add(k)
    rank = {k: rng.random() for k in options}
    chosen, nodes = [], [0]

    def select(k):
        removed = []
        for j in options[k]:
            for i in cols[j]:
                for jj in options[i]:
                    if jj != j:
                        cols[jj].discard(i)
            removed.append(cols.pop(j))
        return removed

    def deselect(k, removed):
        for j in reversed(options[k]):
            cols[j] = removed.pop()
            for i in cols[j]:
                for jj in options[i]:
                    if jj != j:
                        cols[jj].add(i)

    def search():
        nodes[0] += 1
        if nodes[0] > limit:
            raise TimeoutError
        best = None
        for c, v in cols.items():
            if c[0] not in secondary and (best is None or (len(v), c) < (len(cols[best]), best)):
                best = c
        if best is None:
            return True
        for k in sorted(cols[best], key=rank.get):
            chosen.append(k)
            removed = select(k)
            if search():
                return True
            deselect(k, removed)
            chosen.pop()
        return False

    return chosen if search() else None


def appendix(base, tables):
    """Mitchell-Appendix of base rounds on base board sets for base to
    2 base tables. The first base tables play a Mitchell: N/S pairs sit
    still, boards move down one table, E/W pair t starts at table t. Each
    extra table shares, each round, the boards of one of the first tables
    (no set on three tables), its N/S pair playing every set once. Every E/W
    pair plays every set once and meets no N/S pair twice, so each set is
    played at every table. Lines are (round, N/S, E/W, set, table)."""
    options = {}
    for e in range(tables):
        for r in range(base):
            for t in range(tables):
                if r == 0 and t != e:
                    continue
                if t < base:
                    sets = [(t + r) % base]
                else:
                    sets = range(base) if r else [t - base]
                for s in sets:
                    items = [("er", e, r), ("tr", t, r), ("es", e, s), ("et", e, t)]
                    if t >= base:
                        items += [("as", t, s), ("rs", r, s)]
                    options[(e, r, t, s)] = items
    for seed in range(2000):
        try:
            found = exact_cover(options, {"et", "rs"}, random.Random(seed), 5000)
        except TimeoutError:
            continue
        if found:
            return sorted((r + 1, t + 1, e + 1, s + 1, t + 1) for e, r, t, s in found)
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


def check_played(lines, nsets):
    """Every declared set is played at two tables or more: a board with a
    single result cannot be scored, and a set never played is an empty board."""
    count = {s: 0 for s in range(1, nsets + 1)}
    for r, ns, ew, s, t in lines:
        count[s] += 1
    short = [s for s, n in count.items() if n < 2]
    if short:
        return "set %d played at %d table(s)" % (short[0], count[short[0]])
    return None


def check_howell(lines, pairs, nrounds, nsets):
    tables = pairs // 2
    met, played, round_tables = set(), set(), set()
    round_sets = {}
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
        round_sets[(r, s)] = round_sets.get((r, s), 0) + 1
        if round_sets[(r, s)] > (2 if pairs == 4 else 1):
            return "set on too many tables in a round"
        if (r, t) in round_tables or not 1 <= t <= tables:
            return "table"
        round_tables.add((r, t))
    if len(round_tables) != nrounds * tables:
        return "table unused"
    return check_played(lines, nsets)


def check_mitchell(lines, tables, base, nsets):
    """Appendix Mitchell: N/S pair t sits at table t; no pair meets another
    or plays a set twice; a set is on two tables of a round only as one of
    the first base tables and an extra table; every set at two tables."""
    met, played, round_tables = set(), set(), set()
    round_sets = {}
    for r, ns, ew, s, t in lines:
        if not (1 <= r <= base and 1 <= s <= nsets and 1 <= ew <= tables and t == ns and 1 <= t <= tables):
            return "range"
        if (ns, ew) in met:
            return "meet twice"
        met.add((ns, ew))
        if ("N", ns, s) in played or ("E", ew, s) in played:
            return "set twice"
        played.add(("N", ns, s)); played.add(("E", ew, s))
        if (r, t) in round_tables:
            return "table"
        round_tables.add((r, t))
        round_sets.setdefault((r, s), []).append(t)
    if len(round_tables) != base * tables:
        return "table unused"
    for ts in round_sets.values():
        if len(ts) > 2 or (len(ts) == 2 and not min(ts) <= base < max(ts)):
            return "set shared by tables %s" % ts
    return check_played(lines, nsets)


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
    # 7 rounds on 7 sets (28 boards at 4 a table), 9 rounds on 9 sets (27
    # boards at 3 a table), for base to 2 base tables.
    for base in (7, 9):
        for tables in range(base, 2 * base + 1):
            lines = appendix(base, tables)
            err = check_mitchell(lines, tables, base, base)
            assert err is None, (tables, err)
            header = "%d %d %d Mitchell Appendix %d tours" % (base, 2 * tables, base, base)
            write(os.path.join(folder, "A%d-%d.TXT" % (base, tables - base)), header, lines)
    for teams in range(2, 16):
        nrounds, nsets, lines = patton(teams)
        assert check_patton(lines, teams, nrounds, nsets) is None, teams
        assert check_played(lines, nsets) is None, teams
        header = "%d %d %d Mitchell Patton %d équipes" % (nsets, 2 * teams, nrounds, teams)
        write(os.path.join(folder, "PATTON%d.TXT" % teams), header, lines)


if __name__ == "__main__":
    main()
