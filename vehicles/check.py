#!/usr/bin/python3
"""Checks the vehicle library and prints the turning figures docs/vehicles.md quotes.

    python3 vehicles/check.py            check every file, print the tables
    python3 vehicles/check.py --self-test

Exit status 1 when a file breaks the schema or a European vehicle breaks its limits.
Standard library only, so that it runs wherever python3 does.
"""
import copy
import glob
import json
import math
import os
import re
import sys

FT = 0.3048
HERE = os.path.dirname(os.path.abspath(__file__))

# Published minimum turning radii in feet: (design, centreline, inside); None where no
# source read for the library gives the figure. Table 4-1 of the Texas roadway design
# manual, which follows the national tables; WB-62 from the SDDC chart (no centreline).
PUBLISHED_FT = {
    "P": (23.8, 21.0, 14.4),
    "SU-30": (41.8, 38.0, 28.4),
    "SU-40": (51.2, 47.4, 36.4),
    "CITY-BUS": (41.6, 37.8, 24.5),
    "A-BUS": (39.4, 35.5, 21.3),
    "WB-40": (39.9, 36.0, 19.3),
    "WB-62": (44.8, None, 7.4),
    "WB-67": (None, None, None),
}

# A dual pair's tyre centres stand this far apart beyond one tyre width, so the
# two tyres leave a gap of this size between them.
DUAL_GAP = 0.05

UNIT_FIELDS = ("name", "width", "length", "front_overhang", "wheelbase", "rear_overhang", "axles")
AXLE_FIELDS = ("at", "track", "tyre_width", "tyre_diameter", "dual")


# ---------------------------------------------------------------- the files

def load_all():
    return [(p, json.load(open(p))) for p in sorted(glob.glob(os.path.join(HERE, "*.json")))]


def resolve(v, path):
    """The value at a note's key such as units[1].axles[0].track, or KeyError."""
    node = v
    for name, index in re.findall(r"([A-Za-z_]+)(?:\[(\d+)\])?", path):
        node = node[name]
        if index:
            node = node[int(index)]
    return node


def number(x):
    return isinstance(x, (int, float)) and not isinstance(x, bool)


def validate(v, filename=None):
    errors = []
    def bad(msg):
        errors.append(msg)
    for key in ("name", "title", "sources", "lock", "lock_to_lock", "units", "notes"):
        if key not in v:
            bad(f"missing {key}")
    if errors:
        return errors
    if filename and os.path.splitext(os.path.basename(filename))[0] != v["name"]:
        bad(f"file name does not match name {v['name']}")
    if not v["sources"] or not all(isinstance(s, str) and s for s in v["sources"]):
        bad("sources must be a non-empty list of text")
    if not (number(v["lock"]) and 0 < v["lock"] < 90):
        bad("lock must be in (0, 90) degrees")
    if not (number(v["lock_to_lock"]) and v["lock_to_lock"] > 0):
        bad("lock_to_lock must be > 0 s")
    units = v["units"]
    if not units:
        bad("no units")
    for i, u in enumerate(units):
        where = f"units[{i}]"
        for key in UNIT_FIELDS:
            if key not in u:
                bad(f"{where}: missing {key}")
        if any(key not in u for key in UNIT_FIELDS):
            continue
        for key in ("width", "length", "wheelbase"):
            if not (number(u[key]) and u[key] > 0):
                bad(f"{where}.{key} must be > 0")
        if abs(u["front_overhang"] + u["wheelbase"] + u["rear_overhang"] - u["length"]) > 0.01:
            bad(f"{where}: front_overhang + wheelbase + rear_overhang = "
                f"{u['front_overhang'] + u['wheelbase'] + u['rear_overhang']:.3f}, length {u['length']}")
        if not u["axles"]:
            bad(f"{where}: no axles")
        for j, a in enumerate(u["axles"]):
            if any(key not in a for key in AXLE_FIELDS):
                bad(f"{where}.axles[{j}]: needs {', '.join(AXLE_FIELDS)}")
                continue
            if not (a["track"] > 0 and a["tyre_width"] > 0 and a["tyre_diameter"] > 0):
                bad(f"{where}.axles[{j}]: track and tyres must be > 0")
            if out_to_out(a) > u["width"] + 1e-9:
                bad(f"{where}.axles[{j}]: tyres {out_to_out(a):.3f} m out to out, wider than the unit")
            if not -u["rear_overhang"] - 1e-9 <= a["at"] <= u["wheelbase"] + u["front_overhang"] + 1e-9:
                bad(f"{where}.axles[{j}]: axle outside the body")
        if i == 0 and not any(abs(a["at"] - u["wheelbase"]) < 1e-6 for a in u["axles"]):
            bad("units[0]: no steering axle at the wheelbase")
        last = i == len(units) - 1
        if last and "coupling" in u:
            bad(f"{where}: the last unit has a coupling")
        if not last:
            c = u.get("coupling")
            if not c or not number(c.get("offset")) or not number(c.get("articulation_limit")):
                bad(f"{where}: needs coupling with offset and articulation_limit")
            elif not 0 < c["articulation_limit"] <= 180:
                bad(f"{where}.coupling.articulation_limit must be in (0, 180]")
    for key, text in v["notes"].items():
        try:
            resolve(v, key)
        except (KeyError, IndexError, TypeError):
            bad(f"note {key} names nothing in the file")
        if not re.match(r"(derived|assumed): ", text):
            bad(f"note {key} must start with 'derived: ' or 'assumed: '")
    return errors


def out_to_out(a):
    """Distance between the outer edges of an axle's outermost tyres."""
    return a["track"] + (2 * a["tyre_width"] + DUAL_GAP if a["dual"] else a["tyre_width"])


def overall_length(v):
    """Front of the lead unit to the rear of the last, laid out straight."""
    lead, front, rear = v["units"][0]["wheelbase"], -math.inf, math.inf
    for u in v["units"]:
        axle = lead - u["wheelbase"]
        front = max(front, lead + u["front_overhang"])
        rear = min(rear, axle - u["rear_overhang"])
        if "coupling" in u:
            lead = axle + u["coupling"]["offset"]
    return front - rear


# ---------------------------------------------------------------- steady turns

def steady(v, front_radius):
    """Each unit's rear axle radius, its leading point's radius and the articulation
    angle at its coupling, for the lead's steering axle on front_radius; None for a
    unit that cannot settle (its leading point runs inside its wheelbase)."""
    units = v["units"]
    if front_radius <= units[0]["wheelbase"]:
        return None
    ra = math.sqrt(front_radius ** 2 - units[0]["wheelbase"] ** 2)
    out = [{"axle": ra, "lead": front_radius, "articulation": None}]
    for prev, u in zip(units, units[1:]):
        c = prev["coupling"]["offset"]
        rh = math.hypot(out[-1]["axle"], c)
        if rh <= u["wheelbase"]:
            return out + [None]
        # the angle between the two units: the trailer's lag behind its coupling,
        # less the coupling's lead ahead of the axle it stands on (c > 0 ahead)
        gamma = math.degrees(math.asin(u["wheelbase"] / rh) - math.atan2(c, out[-1]["axle"]))
        out.append({"axle": math.sqrt(rh ** 2 - u["wheelbase"] ** 2), "lead": rh, "articulation": gamma})
    return out


def steady_extremes(v, front_radius):
    """(inner body, inner tyre edge, outer body) radii of a steady turn, or None."""
    s = steady(v, front_radius)
    if s is None or s[-1] is None:
        return None
    inner_body = inner_tyre = math.inf
    outer = 0.0
    for u, st in zip(v["units"], s):
        r = st["axle"]
        x_front = u["wheelbase"] + u["front_overhang"]
        x_rear = -u["rear_overhang"]
        side = r - u["width"] / 2
        nearest_x = min(max(0.0, x_rear), x_front)
        inner_body = min(inner_body, math.hypot(side, nearest_x))
        for x in (x_front, x_rear):
            outer = max(outer, math.hypot(r + u["width"] / 2, x))
        for a in u["axles"]:
            inner_tyre = min(inner_tyre, math.hypot(r - out_to_out(a) / 2, a["at"]))
    return inner_body, inner_tyre, outer


def outer_front_wheel(v, front_radius):
    """Radius of the outer edge of the outer front tyre, taking the vehicle's width
    as the front tyres' out-to-out width (the tables print no track)."""
    u = v["units"][0]
    ra = math.sqrt(front_radius ** 2 - u["wheelbase"] ** 2)
    return math.hypot(ra + u["width"] / 2, u["wheelbase"])


def ring_turn(v, outer_radius=12.50):
    """The steady turn whose lead unit's outer front corner runs on outer_radius:
    (steering angle, front axle radius)."""
    u = v["units"][0]
    reach = u["wheelbase"] + u["front_overhang"]
    ra = math.sqrt(outer_radius ** 2 - reach ** 2) - u["width"] / 2
    return math.degrees(math.atan2(u["wheelbase"], ra)), math.hypot(ra, u["wheelbase"])


# ---------------------------------------------------------------- a finite turn

def finite_turn(v, front_radius, degrees=180.0, step=0.005, with_exit=True):
    """Drive the lead's steering axle straight, round an arc of front_radius through
    `degrees`, and straight out; every unit trails by the no-slip law (each axle
    moves towards its leading point). Returns the smallest radius, about the arc's
    centre, reached by any unit's inner body side and by any inner tyre edge. The
    exit counts too: the trailers are still turning, and a hitch behind its axle
    swings inward as the lead straightens."""
    units = v["units"]
    approach = 4 * sum(u["wheelbase"] + abs(u.get("coupling", {}).get("offset", 0)) for u in units)
    arc = math.radians(degrees) * front_radius

    def path(s):                      # arc centre at the origin, turning left
        if s < 0:
            return (front_radius, s)
        if s <= arc:
            t = s / front_radius
            return (front_radius * math.cos(t), front_radius * math.sin(t))
        t = arc / front_radius
        e = s - arc
        return (front_radius * math.cos(t) - e * math.sin(t), front_radius * math.sin(t) + e * math.cos(t))

    # straight approach: every unit in line behind the front axle
    axles, x = [], -approach
    lead_y = x
    for k, u in enumerate(units):
        ay = lead_y - u["wheelbase"]
        axles.append([front_radius, ay])
        if "coupling" in u:
            lead_y = ay + u["coupling"]["offset"]
    inner_body = inner_tyre = math.inf
    s = -approach
    end = arc + approach
    while s <= end:
        lead = path(s)
        for k, u in enumerate(units):
            ax = axles[k]
            dx, dy = lead[0] - ax[0], lead[1] - ax[1]
            n = math.hypot(dx, dy)
            hx, hy = dx / n, dy / n
            ax[0], ax[1] = lead[0] - u["wheelbase"] * hx, lead[1] - u["wheelbase"] * hy
            lx, ly = -hy, hx                                  # left, the inside of the turn
            x_front = u["wheelbase"] + u["front_overhang"]
            x_rear = -u["rear_overhang"]
            w = u["width"] / 2
            if 0 <= s <= (arc + approach / 2 if with_exit else arc):
                p = (ax[0] + lx * w + hx * x_rear, ax[1] + ly * w + hy * x_rear)
                q = (ax[0] + lx * w + hx * x_front, ax[1] + ly * w + hy * x_front)
                inner_body = min(inner_body, segment_distance(p, q))
                for a in u["axles"]:
                    o = out_to_out(a) / 2
                    inner_tyre = min(inner_tyre, math.hypot(ax[0] + lx * o + hx * a["at"], ax[1] + ly * o + hy * a["at"]))
            if "coupling" in u:
                c = u["coupling"]["offset"]
                lead = (ax[0] + hx * c, ax[1] + hy * c)
        s += step
    return inner_body, inner_tyre


def segment_distance(p, q):
    """Distance from the origin to the segment pq."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    t = max(0.0, min(1.0, -(p[0] * dx + p[1] * dy) / (dx * dx + dy * dy)))
    return math.hypot(p[0] + t * dx, p[1] + t * dy)


# ---------------------------------------------------------------- reports

def us_table(vehicles):
    rows = ["| vehicle | published design / centreline / inside (ft) | driven at (m) | published inside (m) | "
            "steady: body | steady: tyre edge | 180° turn: body | 180° turn: tyre edge | outer front wheel vs design (m) |",
            "|---|---|---|---|---|---|---|---|---|"]
    for v in vehicles:
        pub = PUBLISHED_FT.get(v["name"])
        if pub is None:
            continue
        design, ctr, inside = pub
        fr = ctr * FT if ctr else v["units"][0]["wheelbase"] / math.sin(math.radians(v["lock"]))
        st = steady_extremes(v, fr)
        ft_ = finite_turn(v, fr)
        pub_in = inside * FT if inside else None
        def cmp(x):
            if x is None:
                return "no steady state"
            if pub_in is None:
                return f"{x:.2f}"
            return f"{x:.2f} ({x - pub_in:+.2f})"
        shown = " / ".join("–" if x is None else f"{x}" for x in pub)
        drive = f"{fr:.3f}" + ("" if ctr else " (derived)")
        ofw = outer_front_wheel(v, fr)
        design_cmp = f"{ofw:.2f} vs {design * FT:.2f}" if design else f"{ofw:.2f}"
        rows.append(f"| {v['name']} | {shown} | {drive} | {'–' if pub_in is None else f'{pub_in:.3f}'} | "
                    f"{cmp(st[0] if st else None)} | {cmp(st[1] if st else None)} | "
                    f"{cmp(ft_[0])} | {cmp(ft_[1])} | {design_cmp} |")
    return "\n".join(rows)


def articulation_lines(vehicles, at_ring):
    lines = []
    for v in vehicles:
        if len(v["units"]) < 2:
            continue
        if at_ring:
            fr = ring_turn(v)[1]
        else:
            pub = PUBLISHED_FT.get(v["name"])
            fr = pub[1] * FT if pub and pub[1] else v["units"][0]["wheelbase"] / math.sin(math.radians(v["lock"]))
        s = steady(v, fr)
        parts = []
        for k, st in enumerate(s[1:], start=1):
            name = v["units"][k]["name"]
            parts.append(f"{name}: jackknifes (its leading point would run inside its wheelbase)" if st is None
                         else f"{name}: {st['articulation']:.1f}° (limit {v['units'][k - 1]['coupling']['articulation_limit']}°)")
            if st is None:
                break
        lines.append(f"- {v['name']} at {fr:.3f} m: " + "; ".join(parts))
    return "\n".join(lines)


def eu_report(v):
    """Lines on the European limits and the ring; the second value is the list of failures."""
    lines, fails = [], []
    units = v["units"]
    width = max(u["width"] for u in units)
    length = overall_length(v)
    limit = 16.50 if v["name"].startswith("EU-16.5") else 18.75
    lines.append(f"- overall length {length:.3f} m (limit {limit:.2f}); widest unit {width:.2f} m (limit 2.55)")
    if length > limit + 1e-9:
        fails.append("overall length")
    if width > 2.55 + 1e-9:
        fails.append("width")
    if v["name"].startswith("EU-16.5"):
        semi = units[-1]
        kr = semi["wheelbase"] + semi["rear_overhang"]
        fr = math.hypot(semi["front_overhang"], semi["width"] / 2)
        lines.append(f"- kingpin to rear {kr:.3f} m (limit 12.00); kingpin to front corner {fr:.3f} m (limit 2.04); "
                     f"semitrailer wheelbase {semi['wheelbase']:.3f} m (deemed to comply up to "
                     f"{math.sqrt((12.50 - 2.04) ** 2 - (5.30 + semi['width'] / 2) ** 2):.3f})")
        if kr > 12.00 + 1e-9:
            fails.append("kingpin to rear")
        if fr > 2.04 + 1e-9:
            fails.append("front radius")
    else:
        truck, dolly = units[0], units[1]
        c2 = -truck["coupling"]["offset"] + dolly["wheelbase"]
        lines.append(f"- truck's rear axle to the dolly axle {c2:.3f} m (at least 3.00)")
        if c2 < 3.00:
            fails.append("rear axle to trailer axle")
    lock, fr = ring_turn(v)
    ext = steady_extremes(v, fr)
    if ext is None:
        fails.append("ring: jackknifes")
        lines.append("- ring turn: jackknifes")
    else:
        inner, _, outer = ext
        lines.append(f"- ring turn: steering {lock:.2f}° (the file's lock is {v['lock']}°), front axle on {fr:.3f} m, "
                     f"outermost point {outer:.3f} m (≤ 12.50), innermost point {inner:.3f} m (≥ 5.30)")
        if inner < 5.30 or outer > 12.50 + 1e-6:
            fails.append("ring")
    return lines, fails


def library_table(vehicles):
    rows = ["| name | title | units | overall length (m) | dimensions from |", "|---|---|---|---|---|"]
    for v in vehicles:
        src = re.split(r"[(:]", v["sources"][0])[0].strip()
        rows.append(f"| {v['name']} | {v['title']} | {', '.join(u['name'] for u in v['units'])} | "
                    f"{overall_length(v):.2f} | {src} |")
    return "\n".join(rows)


# ---------------------------------------------------------------- self-test

def self_test():
    """Checks of the checker: a broken file is caught, and the finite turn settles on
    the closed forms when the arc is long enough to settle."""
    files = dict((v["name"], v) for _, v in load_all())
    failures = []
    broken = {
        "length off by 2 cm": lambda v: v["units"][0].__setitem__("length", v["units"][0]["length"] + 0.02),
        "note on a missing path": lambda v: v["notes"].__setitem__("units[0].axles[9].track", "assumed: x"),
        "note without its kind": lambda v: v["notes"].__setitem__("lock", "from a table"),
        "coupling on the last unit": lambda v: v["units"][-1].__setitem__("coupling", {"offset": 0, "articulation_limit": 90}),
        "no coupling before a trailer": lambda v: v["units"][0].pop("coupling"),
        "tyres wider than the body": lambda v: v["units"][0]["axles"][0].__setitem__("track", v["units"][0]["width"]),
    }
    for what, spoil in broken.items():
        v = copy.deepcopy(files["WB-62"])
        spoil(v)
        if not validate(v):
            failures.append(f"validation missed: {what}")
    # articulation, closed form against the geometry: hitch 1 m ahead of an axle on
    # radius 10, trailer of 5 m: the trailer lags asin(5/sqrt(101)) behind the hitch,
    # the hitch leads atan(1/10) ahead of the axle
    v = {"units": [{"wheelbase": 4.0, "coupling": {"offset": 1.0}}, {"wheelbase": 5.0}]}
    s = steady(v, math.hypot(10.0, 4.0))
    want = math.degrees(math.asin(5 / math.sqrt(101)) - math.atan(0.1))
    if abs(s[1]["articulation"] - want) > 1e-9:
        failures.append(f"articulation {s[1]['articulation']} != {want}")
    # a turn long enough to settle reproduces the steady radii: the error decays
    # as exp(-s sqrt(R^2 - d^2) / (R d)), so 540° leave well under a millimetre
    for name in ("P", "A-BUS", "EU-16.5-articulated"):
        v = files[name]
        fr = ring_turn(v)[1] if name.startswith("EU") else PUBLISHED_FT[name][1] * FT
        closed = steady_extremes(v, fr)
        numeric = finite_turn(v, fr, degrees=540.0, step=0.005, with_exit=False)
        for label, a, b in zip(("body", "tyre"), closed, numeric):
            if abs(a - b) > 0.01:
                failures.append(f"{name} {label}: closed form {a:.4f}, settled turn {b:.4f}")
    for f in failures:
        print("FAIL", f)
    print("self-test:", "failed" if failures else "passed")
    return not failures


def main():
    if "--self-test" in sys.argv:
        return 0 if self_test() else 1
    status = 0
    vehicles = []
    for path, v in load_all():
        errors = validate(v, path)
        for e in errors:
            print(f"{os.path.basename(path)}: {e}")
        status |= bool(errors)
        vehicles.append(v)
    if status:
        return 1
    print(f"{len(vehicles)} vehicles, every length sum within 0.01 m, every note naming a figure.\n")
    print("## Library\n")
    print(library_table(vehicles))
    print("\n## US design vehicles: inside radius\n")
    print(us_table(vehicles))
    print("\nArticulation in the steady turn at the centreline radius:\n")
    print(articulation_lines([v for v in vehicles if v["name"] in PUBLISHED_FT], at_ring=False))
    for v in vehicles:
        if v["name"].startswith("EU-"):
            lines, fails = eu_report(v)
            print(f"\n## {v['name']}\n")
            print("\n".join(lines))
            if fails:
                print("FAILS: " + ", ".join(fails))
                status = 1
    print("\nArticulation in the ring turn:\n")
    print(articulation_lines([v for v in vehicles if v["name"].startswith("EU-")], at_ring=True))
    return status


if __name__ == "__main__":
    sys.exit(main())
