#!/usr/bin/env python3
"""Writes GS1 element strings that one GS1-128 symbol must accept or refuse.

usage: scripts/gs1_corpus.py DICTIONARY.txt > tests/encoding/data/gs1_corpus.tsv

Each line is "valid" or "invalid", a tab, an element string with the AIs in
parentheses (square brackets where the data holds a '('), a tab and why. The
strings are built from the GS1 Barcode Syntax Dictionary alone, with a
reading of it and of its linters written here afresh: nothing is shared with
scripts/gs1_ai_table.py or the C++ that checks the strings, so the C++ is
judged by a second opinion rather than by itself.

Every AI the dictionary defines gets valid strings (shortest and longest
data, optional components present and absent) and invalid ones whose fault
is made on purpose: too short, too long, a character outside the
component's set, a wrong check digit, an impossible date or time, a value
outside a code list, two AIs that exclude each other, an AI twice with
different data, more than 48 characters. Codes that lists disagree on (a
currency withdrawn lately, a package type only one list has) are left out
either way. Required partners (req=) are a rule of the whole label, not of
one symbol, so a lone AI is valid here.

The output is deterministic (a seeded generator); the build never runs this.
"""
import random
import re
import sys

FLAG_CHARS = set("*!?\"$%&'()+,-./:;<=>@[\\]^_`{|}~")
MAX_SYMBOL = 48  # AIs, data and separating FNC1s in one GS1-128 symbol

DIGITS = "0123456789"
UPPER = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
LOWER = "abcdefghijklmnopqrstuvwxyz"
CSET82 = "!\"%&'()*+,-./" + DIGITS + ":;<=>?" + UPPER + "_" + LOWER  # in weight order
CSET39 = DIGITS + UPPER + "#-/"
CSET64 = DIGITS + UPPER + LOWER + "-_"
CSET32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ"
SETS = {"N": DIGITS, "X": CSET82, "Y": CSET39, "Z": CSET64}
# Characters outside each set that an element string can still carry in
# parentheses (no '(' and no tab).
OUTSIDE = {
    "N": "A .-x",
    "X": " #$@\\^`{|}~[]",
    "Y": "a!%._ ",
    "Z": "!+/.% ",
}


# ---------------------------------------------------------------------------
# The dictionary

class Component:
    def __init__(self, token):
        m = re.fullmatch(r"(\[?)([NXYZ])(\.\.)?(\d+)(\]?)((?:,\w+)*)", token)
        if not m or bool(m.group(1)) != bool(m.group(5)):
            raise ValueError("not a component: " + token)
        self.cset = m.group(2)
        self.high = int(m.group(4))
        self.low = 1 if m.group(3) else self.high
        self.optional = bool(m.group(1))
        self.linters = [l for l in m.group(6).split(",") if l]

    def chars(self):
        return SETS[self.cset]


class Entry:
    def __init__(self, ais, fixed, components, req, ex):
        self.ais = ais
        self.fixed = fixed  # '*': no FNC1 after its data
        self.components = components
        self.req = req      # lists of alternatives, each "01+21"
        self.ex = ex        # patterns such as "310n"


def read_dictionary(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            tokens = line.split()
            first, _, last = tokens.pop(0).partition("-")
            last = last or first
            ais = [str(n).zfill(len(first)) for n in range(int(first), int(last) + 1)]
            flags = ""
            if tokens and set(tokens[0]) <= FLAG_CHARS:
                flags = tokens.pop(0)
            components, req, ex = [], [], []
            for token in tokens:
                if re.fullmatch(r"\[?[NXYZ].*", token):
                    components.append(Component(token))
                elif token.startswith("req="):
                    req.append(token[4:].split(","))
                elif token.startswith("ex="):
                    ex.extend(token[3:].split(","))
            entries.append(Entry(ais, "*" in flags, components, req, ex))
    return entries


# ---------------------------------------------------------------------------
# The linters, as this script understands them

def check_digit(digits):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(digits)))
    return str(-total % 10)


PRIMES = [2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97]


def check_pair(body):
    total = sum(CSET82.index(c) * p for c, p in zip(reversed(body), PRIMES)) % 1021
    return CSET32[total // 32] + CSET32[total % 32]


def iban_ok(s):
    digits = "".join(str(int(c, 36)) for c in s[4:] + s[:4])
    return int(digits) % 97 == 1


def iban_with_check(country, bban):
    digits = "".join(str(int(c, 36)) for c in bban + country + "00")
    return "%s%02d%s" % (country, 98 - int(digits) % 97, bban)


# Linters that a whole component's value answers to: valid values are picked
# from these lists, and faults from the BAD lists below.
def leap(year):
    return year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)


def days_in(year, month):
    return [31, 29 if leap(year) else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]


def some_dates(rng, count, four_digits, day_zero):
    out = []
    for _ in range(count):
        year = rng.randrange(1950, 2050) if four_digits else rng.randrange(2000, 2100)
        month = rng.randrange(1, 13)
        day = rng.randrange(0 if day_zero else 1, days_in(year, month) + 1)
        text = "%04d%02d%02d" % (year, month, day)
        out.append(text if four_digits else text[2:])
    return out


# Codes every list agrees on.
COUNTRIES = ["004", "010", "036", "124", "250", "276", "392", "578", "756", "826", "840", "894"]
CURRENCIES = ["036", "124", "208", "392", "578", "752", "756", "826", "840", "978", "986"]
ALPHA2 = ["AU", "CA", "CH", "DE", "FR", "GB", "JP", "NO", "SE", "US", "ZW"]
PACKAGE_TYPES = ["1A", "AA", "BX", "CT", "PX", "ZZ", "8", "9", "200", "212", "APE", "S1", "X20"]
IBANS = [
    "GB82WEST12345698765432", "DE89370400440532013000", "NO9386011117947", "FR1420041010050500013M02606",
    "BE68539007547034", "NL91ABNA0417164300", "CH9300762011623852957", "MT84MALT011000012345MTLCAST001S",
    "AT611904300234573201", iban_with_check("LC", "HEMM000100010012001200023015"),
]


def coupon(gcp="0123456", offer="123456", save="11", purchase="11", code="0", family="123", *fields):
    return gcp + offer + save + purchase + code + family + "".join(fields)


COUPONS = [
    coupon(),
    coupon("0614141", "654321", "15", "11", "0", "000", "3271231", "50123456", "90010"),
    coupon("6123456789012", "000001", "512345", "3999", "9", "999"),
    coupon("1" + "1234567", "111111", "211", "11", "4", "001", "1" + "0" + "12" + "1" + "002" + "9"),
    coupon("0123456", "123456", "11", "11", "0", "123", "1" + "3" + "11" + "2" + "124" + "0123456"),
    coupon("0123456", "123456", "11", "11", "0", "123", "2" + "11" + "0" + "555" + "9", "3251231"),
    coupon("0123456", "123456", "11", "11", "0", "123", "3251231", "4250101"),
    coupon("0123456", "123456", "11", "11", "0", "123", "4240229", "5812345678901234"),
    coupon("0123456", "123456", "11", "11", "0", "123", "6" + "7" + "1234567890123", "92210"),
    coupon("0123456", "123456", "11", "11", "0", "123", "3250101", "4250101", "90001"),
]
POSITION_OFFERS = [
    "001234561234560123456", "101234561234560123456", "0012345612345611234567",
    "061234567890121234569123456789012345",
]

WHOLE = {
    "yymmdd": lambda r: ["240229", "000229", "991231", "250101"] + some_dates(r, 4, False, False),
    "yymmd0": lambda r: ["240229", "250100", "991200", "000101"] + some_dates(r, 4, False, True),
    "yyyymmdd": lambda r: ["20240229", "20000229", "19991231", "19500101"] + some_dates(r, 4, True, False),
    "hhmi": lambda r: ["0000", "2359", "1230"],
    "hh": lambda r: ["00", "12", "23"],
    "mi": lambda r: ["00", "30", "59"],
    "ss": lambda r: ["00", "30", "59"],
    "iso3166": lambda r: COUNTRIES,
    "iso3166999": lambda r: COUNTRIES + ["999"],
    "iso3166alpha2": lambda r: ALPHA2,
    "iso4217": lambda r: CURRENCIES,
    "iso5218": lambda r: list("0129"),
    "yesno": lambda r: list("01"),
    "winding": lambda r: list("019"),
    "zero": lambda r: ["0"],
    "hyphen": lambda r: ["-"],
    "pieceoftotal": lambda r: ["0101", "0102", "0202", "0199", "9999"],
    "latitude": lambda r: ["0000000000", "0900000000", "1800000000", "1234567890"],
    "longitude": lambda r: ["0000000000", "1800000000", "3600000000", "3599999999"],
    "mediatype": lambda r: ["01", "05", "10", "80", "99"],
    "posinseqslash": lambda r: ["1/1", "1/2", "2/2", "1/9", "9/9"],
    "importeridx": lambda r: list("09AZaz-_"),
    "packagetype": lambda r: PACKAGE_TYPES,
    "iban": lambda r: IBANS,
    "couponcode": lambda r: COUPONS,
    "couponposoffer": lambda r: POSITION_OFFERS,
}

BAD = {
    "yymmdd": [("251301", "month 13"), ("250001", "month 00"), ("250132", "day 32"), ("250230", "30 February"),
               ("230229", "29 February of a common year"), ("250431", "31 April"), ("250100", "day 00")],
    "yymmd0": [("251301", "month 13"), ("250000", "month 00"), ("250132", "day 32"), ("250230", "30 February"),
               ("230229", "29 February of a common year"), ("250631", "31 June")],
    "yyyymmdd": [("19000229", "29 February 1900"), ("20230229", "29 February 2023"), ("20241301", "month 13"),
                 ("20240100", "day 00"), ("20240132", "day 32"), ("20240931", "31 September")],
    "hhmi": [("2400", "hour 24"), ("2360", "minute 60"), ("9999", "hour 99")],
    "hh": [("24", "hour 24"), ("99", "hour 99")],
    "mi": [("60", "minute 60"), ("99", "minute 99")],
    "ss": [("60", "second 60"), ("99", "second 99")],
    "iso3166": [("000", "no country 000"), ("999", "999 is no country"), ("900", "user-assigned 900"),
                ("001", "no country 001")],
    "iso3166999": [("000", "no country 000"), ("998", "no country 998"), ("900", "user-assigned 900")],
    "iso3166alpha2": [("XX", "user-assigned XX"), ("AA", "user-assigned AA"), ("UK", "UK is reserved, not assigned"),
                      ("ZZ", "user-assigned ZZ")],
    "iso4217": [("000", "no currency 000"), ("001", "no currency 001"), ("111", "no currency 111")],
    "iso5218": [("3", "sex code 3"), ("8", "sex code 8")],
    "yesno": [("2", "neither 0 nor 1"), ("9", "neither 0 nor 1")],
    "winding": [("2", "winding 2"), ("8", "winding 8")],
    "zero": [("1", "not 0"), ("9", "not 0")],
    "hyphen": [("+", "not '-'"), ("A", "not '-'")],
    "pieceoftotal": [("0001", "piece 0"), ("0100", "total 0"), ("0302", "piece 3 of 2"), ("0000", "piece 0 of 0")],
    "latitude": [("1800000001", "latitude past 180 degrees"), ("9999999999", "latitude 999.9")],
    "longitude": [("3600000001", "longitude past 360 degrees"), ("9999999999", "longitude 999.9")],
    "mediatype": [("00", "media type 00"), ("11", "reserved 11"), ("50", "reserved 50"), ("79", "reserved 79")],
    "posinseqslash": [("2/1", "position after end"), ("0/1", "position 0"), ("1/0", "end 0"), ("1-2", "no slash"),
                      ("12/", "no end"), ("/12", "no position")],
    "importeridx": [("!", "'!' is no importer index"), ("%", "'%' is no importer index"),
                    (".", "'.' is no importer index"), ("/", "'/' is no importer index")],
    "packagetype": [("ZZZZ", "no package type ZZZZ"), ("0", "no package type 0"), ("AAA", "no package type AAA"),
                    ("7", "no package type 7")],
    "iban": [("GB83WEST12345698765432", "wrong IBAN check digits"), ("NO9486011117947", "wrong IBAN check digits"),
             (iban_with_check("XX", "86011117947"), "country XX"), ("GB82", "no account"),
             ("GB82-WEST12345698765432", "'-' in an IBAN"), ("gb82west12345698765432", "lower case IBAN")],
    "couponcode": [
        (coupon()[:-1], "purchase family code cut short"),
        (coupon() + "1", "optional field 1 cut short"),
        ("7" + coupon()[1:], "company prefix length indicator 7"),
        (coupon(save="01"), "save value length indicator 0"),
        (coupon(purchase="61"), "purchase requirement length indicator 6"),
        (coupon(code="5"), "purchase requirement code 5"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "4250101", "3251231"), "start date field before the expiry field"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "3250101", "4250102"), "starts after it expires"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "3251301"), "expiry month 13"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "4230229"), "start 29 February 2023"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "50123456", "50123456"), "serial number field twice"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "70123456"), "no optional field 7"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "60123456"), "retailer length indicator 0"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "93000"), "save value code 3"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "90002"), "do-not-multiply flag 2"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "1" + "4" + "12" + "0" + "123" + "9"),
         "additional purchase rules code 4"),
        (coupon("0123456", "123456", "11", "11", "0", "123", "2" + "11" + "0" + "555" + "7"),
         "third purchase company prefix length indicator 7"),
        (coupon(offer="12A456"), "letter in the offer code"),
    ],
    "couponposoffer": [
        ("201234561234560123456", "format 2"), ("071234567890121234560123456", "funder length indicator 7"),
        ("0012345612345601234567", "a digit after the serial number"), ("00123456123456112345", "serial cut short"),
        ("0012345612345", "offer code cut short"), ("0012345612A4560123456", "letter in the offer code"),
    ],
}

PARTS = {"csum", "csumalpha", "gcppos1", "gcppos2", "hasnondigit", "nozeroprefix", "nonzero", "pcenc"}


def percent_ok(s):
    return all(re.fullmatch(r"[0-9A-Fa-f]{2}", s[i + 1:i + 3]) for i, c in enumerate(s) if c == "%")


def part_ok(linter, s):
    if linter == "csum":
        return s[-1] == check_digit(s[:-1])
    if linter == "csumalpha":
        return len(s) >= 2 and s[-2:] == check_pair(s[:-2])
    if linter in ("gcppos1", "gcppos2"):
        at = 0 if linter == "gcppos1" else 1
        return len(s) >= at + 4 and all(c in DIGITS for c in s[at:at + 4])
    if linter == "hasnondigit":
        return any(c not in DIGITS for c in s)
    if linter == "nozeroprefix":
        return len(s) == 1 or s[0] != "0"
    if linter == "nonzero":
        return any(c != "0" for c in s)
    if linter == "pcenc":
        return percent_ok(s)
    raise ValueError(linter)


# ---------------------------------------------------------------------------
# Values

class Maker:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.whole_cache = {}

    def whole_values(self, linter):
        if linter not in self.whole_cache:
            self.whole_cache[linter] = WHOLE[linter](self.rng)
        return self.whole_cache[linter]

    def finish(self, comp, s):
        """s with its check digit or pair made right."""
        if "csum" in comp.linters:
            s = s[:-1] + check_digit(s[:-1])
        if "csumalpha" in comp.linters and len(s) >= 2:
            s = s[:-2] + check_pair(s[:-2])
        return s

    def value(self, comp, n):
        """A valid value of comp with n characters, or None."""
        whole = [l for l in comp.linters if l in WHOLE]
        unknown = [l for l in comp.linters if l not in WHOLE and l not in PARTS]
        if unknown:
            sys.exit("a linter this script does not know: " + ", ".join(unknown))
        if whole:
            fits = [v for v in self.whole_values(whole[0]) if len(v) == n]
            return self.rng.choice(fits) if fits else None
        chars = [c for c in comp.chars() if c != "(" and not (c == "%" and "pcenc" in comp.linters)]
        for _ in range(4000):
            s = "".join(self.rng.choice(chars) for _ in range(n))
            for linter, at in (("gcppos1", 0), ("gcppos2", 1)):
                if linter in comp.linters:
                    s = s[:at] + "".join(self.rng.choice(DIGITS) for _ in s[at:at + 4]) + s[at + 4:]
            if "hasnondigit" in comp.linters and n > 6 and not any(c not in DIGITS for c in s[:-2]):
                s = s[:5] + self.rng.choice(UPPER) + s[6:]
            s = self.finish(comp, s)
            if all(part_ok(l, s) for l in comp.linters):
                return s
        return None

    def lengths(self, comp, budget):
        """The lengths comp can take valid values of, within budget."""
        top = min(comp.high, budget)
        whole = [l for l in comp.linters if l in WHOLE]
        if whole:
            return sorted({len(v) for v in self.whole_values(whole[0]) if comp.low <= len(v) <= top})
        out = []
        for n in range(comp.low, top + 1):
            if n in (comp.low, top) or n < comp.low + 8 or n > top - 3:
                if self.value(comp, n) is not None:
                    out.append(n)
        return out


# ---------------------------------------------------------------------------
# Element strings

class Dictionary:
    def __init__(self, entries):
        self.entries = entries
        self.by_ai = {ai: e for e in entries for ai in e.ais}

    def matching(self, pattern):
        return [ai for ai in self.by_ai if len(ai) == len(pattern)
                and all(p == a or (p == "n" and a in DIGITS) for p, a in zip(pattern, ai))]

    def length(self, elements):
        total = 0
        for i, (ai, data) in enumerate(elements):
            separated = not self.by_ai[ai].fixed and i + 1 < len(elements)
            total += len(ai) + len(data) + (1 if separated else 0)
        return total

    def excluded(self, elements):
        """A pair of the elements' AIs that exclude each other, or None."""
        ais = [ai for ai, _ in elements]
        for ai in ais:
            for pattern in self.by_ai[ai].ex:
                for other in ais:
                    if other != ai and other in self.matching(pattern):
                        return ai, other
        return None


def text(elements):
    if any("(" in data for _, data in elements):
        return "".join("[%s]%s" % e for e in elements)
    return "".join("(%s)%s" % e for e in elements)


class Corpus:
    def __init__(self, dictionary, maker):
        self.d = dictionary
        self.m = maker
        self.rows = []
        self.seen = set()

    def add(self, verdict, elements, reason):
        s = text(elements)
        if s in self.seen:
            return
        self.seen.add(s)
        if verdict == "valid":
            # What this script calls valid must hold by its own rules.
            for ai, data in elements:
                comps = self.d.by_ai[ai].components
                assert sum(c.low for c in comps if not c.optional) <= len(data) <= sum(c.high for c in comps), s
            assert self.d.length(elements) <= MAX_SYMBOL, s
            assert self.d.excluded(elements) is None, s
            assert len({ai for ai, _ in elements}) == len(set(elements)), s
        self.rows.append("%s\t%s\t%s" % (verdict, s, reason))

    # One element's data, component by component.
    def data(self, entry, ai, present, longest, budget=None):
        """Valid data with the first `present` components, each shortest or
        longest; None when it cannot be made."""
        budget = MAX_SYMBOL - len(ai) if budget is None else budget
        out = ""
        for comp in entry.components[:present]:
            lengths = self.m.lengths(comp, budget - len(out))
            if not lengths:
                return None
            out += self.m.value(comp, lengths[-1] if longest else lengths[0])
        return out

    def mandatory(self, entry):
        return sum(1 for c in entry.components if not c.optional)

    def any_data(self, ai):
        entry = self.d.by_ai[ai]
        return self.data(entry, ai, self.mandatory(entry), False)

    def element_rows(self, entry, ai, full):
        comps = entry.components
        need = self.mandatory(entry)
        budget = MAX_SYMBOL - len(ai)
        shortest = self.data(entry, ai, need, False)
        longest = self.data(entry, ai, len(comps), True)
        self.add("valid", [(ai, shortest)], "shortest data")
        self.add("valid", [(ai, longest)], "longest data" if len(longest) < budget or
                 sum(c.high for c in comps) <= budget else "longest data that fits 48 characters")
        for present in range(need, len(comps) + 1) if need < len(comps) else ():
            for longest_parts in (False, True):
                value = self.data(entry, ai, present, longest_parts)
                if value is not None:
                    self.add("valid", [(ai, value)], "%d of %d components" % (present, len(comps)))
        whole = [l for l in comps[0].linters if l in WHOLE]
        if full and len(comps) == 1 and whole:
            for value in self.m.whole_values(whole[0]):
                if comps[0].low <= len(value) <= min(comps[0].high, budget):
                    self.add("valid", [(ai, value)], "%s value %s" % (whole[0], value))
        last = comps[-1]
        if full and last.low < last.high:
            head = self.data(entry, ai, len(comps) - 1, False)
            lengths = self.m.lengths(last, budget - len(head))
            for n in self.m.rng.sample(lengths, min(3, len(lengths))):
                self.add("valid", [(ai, head + self.m.value(last, n))], "%d-character last component" % n)

        # Lengths.
        low = sum(c.low for c in comps if not c.optional)
        high = sum(c.high for c in comps)
        self.add("invalid", [(ai, shortest[:low - 1])], "too short: %d characters, %d needed" % (low - 1, low))
        if high < budget:
            fill = self.m.rng.choice([c for c in last.chars() if c != "("])
            self.add("invalid", [(ai, longest + fill * (high + 1 - len(longest)))],
                     "too long: %d characters, at most %d" % (high + 1, high))
        else:
            fill = self.m.rng.choice(DIGITS if last.cset == "N" else UPPER)
            self.add("invalid", [(ai, longest + fill * (budget + 1 - len(longest)))],
                     "%d characters, over 48" % (MAX_SYMBOL + 1))
        for k, comp in enumerate(comps):
            if comp.optional and comp.low == comp.high and comp.high > 1:
                head = self.data(entry, ai, k, True)
                part = self.m.value(comp, comp.high)
                if head is not None and part is not None:
                    self.add("invalid", [(ai, head + part[:-1])], "component %d cut short" % (k + 1))

        # Characters and linters, one component at a time, the others valid.
        for k, comp in enumerate(comps):
            head = self.data(entry, ai, k, True)
            n = self.m.lengths(comp, budget - len(head))[-1]
            part = self.m.value(comp, n)
            tail = self.data(entry, ai, len(comps), True)[len(head) + n:] if k + 1 < len(comps) else ""
            outside = OUTSIDE[comp.cset]
            for bad in (outside[(k + len(ai)) % len(outside)],) if not full else outside[:3]:
                at = self.m.rng.randrange(n)
                self.add("invalid", [(ai, head + part[:at] + bad + part[at + 1:] + tail)],
                         "%r outside %s in component %d" % (bad, comp.cset, k + 1))
            for linter in comp.linters:
                for value, reason in self.linter_faults(comp, linter, n, part):
                    self.add("invalid", [(ai, head + value + tail)], "%s: %s" % (linter, reason))
        return shortest

    def linter_faults(self, comp, linter, n, part):
        if linter in BAD:
            return [(v, r) for v, r in BAD[linter] if comp.low <= len(v) <= comp.high]
        if linter == "csum":
            return [(part[:-1] + str((int(part[-1]) + 1) % 10), "check digit off by one")]
        if linter == "csumalpha":
            wrong = CSET32[(CSET32.index(part[-1]) + 1) % 32]
            return [(part[:-1] + wrong, "second check character wrong"),
                    (part[:-2] + part[-1] + part[-2], "check characters swapped")] \
                if part[-1] != part[-2] else [(part[:-1] + wrong, "second check character wrong")]
        if linter in ("gcppos1", "gcppos2"):
            at = 0 if linter == "gcppos1" else 1
            faults = []
            if comp.cset != "N":
                letter = self.m.finish(comp, part[:at + 2] + "A" + part[at + 3:])
                faults.append((letter, "letter inside the company prefix"))
                faults.append((part[:at + 3], "shorter than a company prefix"))
            return faults
        if linter == "hasnondigit":
            for _ in range(20000):
                body = "".join(self.m.rng.choice(DIGITS) for _ in range(n - 2))
                pair = check_pair(body)
                if pair.isdigit():
                    return [(body + pair, "digits only")]
            sys.exit("no digits-only value with a digit check pair")
        if linter == "nozeroprefix":
            return [("0" + part[1:], "leading 0")] if n > 1 else []
        if linter == "nonzero":
            return [("0" * n, "all zeros")]
        if linter == "pcenc":
            return [(v, "bad percent escape") for v in ("%", "A%4", "%G1", "AB%2Z") if comp.low <= len(v) <= comp.high]
        raise ValueError(linter)


def build(dictionary, maker):
    c = Corpus(dictionary, maker)
    d = dictionary
    defined = set(d.by_ai)
    for entry in d.entries:
        for i, ai in enumerate(entry.ais):
            c.element_rows(entry, ai, full=(i == 0))
        # An AI just past the entry, where the dictionary defines none.
        after = str(int(entry.ais[-1]) + 1).zfill(len(entry.ais[-1]))
        if after not in defined and len(after) == len(entry.ais[-1]):
            c.add("invalid", [(after, c.any_data(entry.ais[-1]))], "AI (%s) is not defined" % after)

    # A fault is found wherever its element stands: after an SSCC, and
    # before one.
    sscc = ("00", c.any_data("00"))
    for entry in d.entries:
        ai = entry.ais[0]
        if ai == "00":
            continue
        short = c.any_data(ai)[:sum(x.low for x in entry.components if not x.optional) - 1]
        comp = entry.components[0]
        wrong = OUTSIDE[comp.cset][0] + c.any_data(ai)[1:]
        for elements, reason in (([sscc, (ai, short)], "(%s) too short, after (00)" % ai),
                                 ([(ai, short), sscc], "(%s) too short, before (00)" % ai),
                                 ([(ai, wrong), sscc], "(%s) starts with %r, before (00)" % (ai, wrong[0]))):
            if d.length(elements) <= MAX_SYMBOL:
                c.add("invalid", elements, reason)

    # Strings that are no element strings at all.
    for elements, reason in (("", "empty"), ("0195011015300031", "no AI in parentheses"),
                             ("(1)2", "one-digit AI"), ("(00001)2", "five-digit AI"), ("()12", "no AI"),
                             ("(0A)12", "letter in the AI"), ("(01", "no closing parenthesis"),
                             ("(01)09501101530003)10)AB", "')' opens nothing"),
                             ("[01]09501101530003(10)AB", "brackets, then data with a ( that is no AI")):
        c.rows.append("invalid\t%s\t%s" % (elements, reason))

    for entry in d.entries:
        ai = entry.ais[0]
        mine = c.any_data(ai)
        # Exclusions, each way round.
        for pattern in entry.ex:
            others = [o for o in d.matching(pattern) if o != ai]
            if others:
                other = others[-1]
                pair = [(ai, mine), (other, c.any_data(other))]
                if d.length(pair) <= MAX_SYMBOL:
                    c.add("invalid", pair, "(%s) excludes (%s)" % (ai, other))
                    c.add("invalid", pair[::-1], "(%s) excludes (%s)" % (ai, other))
        # A partner group the AI needs, in one symbol with it.
        for alternatives in entry.req:
            for group in alternatives:
                elements = [(ai, mine)]
                for pattern in group.split("+"):
                    partner = d.matching(pattern)[0]
                    elements.insert(len(elements) - 1, (partner, c.any_data(partner)))
                if d.length(elements) <= MAX_SYMBOL and d.excluded(elements) is None:
                    c.add("valid", elements, "with its partners " + group)
                    break
        # Twice: the same data is the same element, other data is a conflict.
        if 2 * (len(ai) + len(mine)) + 1 <= MAX_SYMBOL:
            c.add("valid", [(ai, mine), (ai, mine)], "the same element twice")
            other = c.data(entry, ai, len(entry.components), True, MAX_SYMBOL // 2 - len(ai) - 1)
            if other != mine:
                c.add("invalid", [(ai, mine), (ai, other)], "(%s) twice with different data" % ai)

    # 48 characters: exactly, and one more, with and without separators.
    gtin = ("01", c.any_data("01"))
    date = ("17", c.any_data("17"))
    variables = [ai for ai in ("10", "21", "22", "240", "400", "7002", "8002", "90", "91") if ai in defined]
    for first in variables:
        for second in variables:
            if first == second:
                continue
            for count, verdict in ((MAX_SYMBOL, "valid"), (MAX_SYMBOL + 1, "invalid")):
                elements = [gtin, (first, ""), (second, "")]
                room = count - d.length(elements)
                split = maker.rng.randrange(1, room)
                elements[1] = (first, c.m.value(d.by_ai[first].components[0], split))
                elements[2] = (second, c.m.value(d.by_ai[second].components[0], room - split))
                if d.length(elements) == count and all(len(v) <= d.by_ai[a].components[-1].high for a, v in elements):
                    c.add(verdict, elements, "%d characters, separator included" % count)
    for ai in variables:
        # The separator after a variable-length AI counts: the same elements
        # fit when it comes last, and do not when it comes first.
        room = MAX_SYMBOL - d.length([gtin, date, (ai, "")])
        if room > d.by_ai[ai].components[0].high:
            continue
        lot = (ai, c.m.value(d.by_ai[ai].components[0], room))
        c.add("valid", [gtin, date, lot], "48 characters, (%s) last needs no separator" % ai)
        c.add("invalid", [gtin, lot, date], "49 characters with the separator after (%s)" % ai)
    made = ("11", c.any_data("11"))
    c.add("valid", [sscc, gtin, made, ("20", "01")], "48 characters of fixed-length AIs")
    c.add("invalid", [sscc, gtin, made, ("3100", "000100")], "54 characters of fixed-length AIs")

    # Padding as GS1's cset64 routine has it: at most two '=', bringing the
    # data to a multiple of three characters (not base64's four).
    for data, verdict, reason in (
            ("ABCDEFGHIJ==", "valid", "two '=' pad to 12 characters"),
            ("ABCDEFGHIJK=", "valid", "one '=' pads to 12 characters"),
            ("abcdefghij-_abcdefghij==", "valid", "two '=' pad to 24 characters"),
            ("12=", "valid", "one '=' pads to 3 characters"),
            ("A==", "valid", "two '=' pad to 3 characters"),
            ("AB==", "invalid", "two '=' pad to 4 characters, not a multiple of 3"),
            ("ABCDEF==", "invalid", "two '=' pad to 8 characters, not a multiple of 3"),
            ("=", "invalid", "'=' with nothing to pad"),
            ("===", "invalid", "three '='"),
            ("A===", "invalid", "three '='"),
            ("ABCDEFGHI===", "invalid", "three '='"),
            ("AB====", "invalid", "four '='"),
            ("A=", "invalid", "'=' after a single character"),
            ("ABCD=", "invalid", "'=' after a whole group"),
            ("ABC==", "invalid", "two '=' after three characters"),
            ("AB=CD", "invalid", "'=' inside the data")):
        c.add(verdict, [("8030", data)], "base64url: " + reason)

    # A '(' in the data needs the square-bracket form.
    for ai, value in (("10", "A(1)"), ("21", "(("), ("400", "PO(7)-X"), ("90", "(")):
        c.add("valid", [gtin, (ai, value)], "'(' in the data, square brackets")
    return c.rows


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    dictionary = Dictionary(read_dictionary(sys.argv[1]))
    maker = Maker(128)
    # The hand-written values obey this script's own reading.
    assert check_pair("1987654Ad4X4bL5ttr2310c") == "2K"
    assert all(iban_ok(i) for i in IBANS) and not iban_ok(BAD["iban"][0][0])
    rows = build(dictionary, maker)
    print("# GS1 element strings and whether one GS1-128 symbol takes them. Generated by")
    print("# scripts/gs1_corpus.py from the GS1 Barcode Syntax Dictionary: do not edit.")
    print("# verdict<TAB>element string<TAB>why")
    for row in rows:
        print(row)


if __name__ == "__main__":
    main()
