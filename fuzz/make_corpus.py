#!/usr/bin/env python3
"""Writes the seed corpus of kinri_compute_fuzzer into fuzz/corpus/.

Each seed is one compute click: a byte choosing the calculation (its index in the catalogue),
then the box texts separated by '\\n'. The seeds cover the worked examples of every family, the
ways people really type numbers (full-width digits, ideographic spaces, exponents, signs,
thousands separators) and the ways they break them (bad UTF-8, letters, misplaced commas, empty
boxes, zero divisors, a rate of -1, table counts at the row limit), so the fuzzer starts next to
every branch of the number reader, the formulas and the table loop instead of finding them by
chance.

Run it after changing the catalogue order or the seeds; the output is committed.
"""

import pathlib

# Catalogue order: the index of an item here is the selector byte the fuzzer reads.
ITEMS = [
    "SP", "SA", "SR", "SA2", "SR2", "SC", "SR3",
    "FA", "FR", "FN", "FC",
    "TH", "TT", "TR", "TA", "TC", "TC2", "TN", "TA2", "TA3",
    "NC", "NA", "NN", "NC2", "NN2",
    "KAA", "KAP", "KA2C", "KA2N", "KA2P", "KA2A", "KA3A", "KA3C", "KA3R", "KA4C", "KA4A", "KA4N",
]

LONG_DIGITS = "9" * 3000  # beyond the double range: must be refused, not turned into inf
LONG_FRACTION = "0." + "0" * 1500 + "1"  # underflows to zero
LONG_EXACT = "1" + "0" * 300 + ".000"  # finite, 301 digits before the point

SEEDS = [
    # Worked examples, one or more per family and window shape.
    ("SP-worked", "SP", ["1000000", "0.05", "3"]),
    ("SA-table", "SA", ["1000", "0.1", "3"]),
    ("SR3-four-boxes", "SR3", ["0.05", "0.03", "0.01", "12"]),
    ("FA-worked", "FA", ["1000", "0.05", "3"]),
    ("FR-rate", "FR", ["1157.625", "1000", "3"]),
    ("TH-savings", "TH", ["10000", "12", "0.003"]),
    ("TA3-four-boxes", "TA3", ["100000", "0.01", "0.02", "10"]),
    ("NC-worked", "NC", ["100000", "0.05", "10"]),
    ("NN2-inflation", "NN2", ["10000000", "1000000", "0.02", "0.04"]),
    ("KAA-worked", "KAA", ["1200000", "12", "0.005"]),
    ("KA2C-level-payment", "KA2C", ["1000000", "0.01", "12"]),
    ("KA2A-fractional", "KA2A", ["88848.79", "0.01", "2.5"]),
    ("KA3R-two-boxes", "KA3R", ["0.01", "12"]),
    ("KA3C-add-on", "KA3C", ["1000000", "0.05", "1", "12"]),
    ("KA4N-graduated", "KA4N", ["1000000", "0.01", "0.02", "50000"]),
    # How numbers are really typed.
    ("SP-fullwidth", "SP", ["１，０００．５", "０．０５", "３"]),
    ("SA2-fullwidth-minus", "SA2", ["－１０００", "−０．０５", "３"]),
    ("SP-ideographic-spaces", "SP", ["\u3000100\u3000", " 0.05 ", "\t3"]),
    ("SP-fullwidth-exponent", "SP", ["１Ｅ３", "５ｅ－２", "3"]),
    ("SP-signs", "SP", ["+1000", "-0.05", "-3"]),
    # Exponents at and beyond the double range.
    ("SP-exp-308", "SP", ["1e308", "10", "10"]),
    ("SP-exp-minus-400", "SP", ["1e-400", "0.05", "3"]),
    ("FC-exp-99999", "FC", ["1e99999", "0.05", "3"]),
    ("FA-exp-empty", "FA", ["1e", "0.05", "3e+"]),
    ("SP-long-digits", "SP", [LONG_DIGITS, "1", "1"]),
    ("SP-long-fraction", "SP", [LONG_FRACTION, "1", "1"]),
    ("SP-long-exact", "SP", [LONG_EXACT, "1", "1"]),
    # Text that is not a number.
    ("SP-inf-nan-hex", "SP", ["inf", "nan", "0x1A"]),
    ("SP-bad-commas", "SP", ["1,00,000", "12,34", ",5"]),
    # Grouping only where it groups: whole groups of three, and the decimal commas it must refuse.
    ("SP-grouped", "SP", ["35,000,000", "1,000.5", "３５，０００，０００"]),
    ("FA-decimal-comma", "FA", ["1,000", "0,050", "00,500"]),
    ("KA2C-fullwidth-decimal-comma", "KA2C", ["１，０００，０００", "０，００５", "-0,5"]),
    ("SP-trailing-comma", "SP", ["1,000.5,", "1,0000", "1.2.3"]),
    ("SP-lone-signs", "SP", ["-", "+-1", "--1"]),
    ("SP-only-spaces", "SP", [" ", "\u3000", "1"]),
    ("SP-invalid-utf8", "SP", [b"\xff\xfe100", b"\xc3", b"\xe3\x80"]),
    ("NC-overlong-utf8", "NC", [b"\xc0\xb1", b"\xed\xa0\x80", "😀"]),
    ("SP-newline-in-last-box", "SP", ["1", "2", "3\n4"]),
    ("SP-nul-byte", "SP", [b"1\x000", "1", "1"]),
    # Empty boxes: the input message, before anything is converted.
    ("SP-first-empty", "SP", ["", "0.05", "3"]),
    ("KA3R-second-missing", "KA3R", ["0.01"]),
    ("selector-only", "SP", []),
    # Zero divisors, a rate of -1 and results at zero.
    ("SR-zero-principal", "SR", ["1000", "0", "3"]),
    ("FR-zero-periods", "FR", ["1157.625", "1000", "0"]),
    ("KA2C-zero-rate", "KA2C", ["1000000", "0", "12"]),
    ("NC-zero-rate", "NC", ["100000", "0", "10"]),
    ("TN-zero-everything", "TN", ["0", "0", "0"]),
    ("FA-rate-minus-one", "FA", ["1000", "-1", "3"]),
    ("KA2N-rate-minus-one", "KA2N", ["88848.79", "1000000", "-1"]),
    ("NN-log-negative", "NN", ["100000", "2000000", "0.05"]),
    ("SP-exact-zero", "SP", ["0", "0.05", "3"]),
    ("SP-rounds-to-zero", "SP", ["0.0001", "0.0001", "1"]),
    ("SP-negative-rounds-to-zero", "SP", ["-0.0001", "0.0001", "1"]),
    # Table counts around the row limit and below one.
    ("SA-count-10000", "SA", ["1000", "0.1", "10000"]),
    ("SA-count-10001", "SA", ["1000", "0.1", "10001"]),
    ("FA-count-10000.5", "FA", ["1", "0.0001", "10000.5"]),
    ("FA-count-huge", "FA", ["1000", "0.05", "1e300"]),
    ("KAA-count-10001", "KAA", ["1200000", "10001", "0.005"]),
    ("KA2A-count-10000", "KA2A", ["1", "0.01", "10000"]),
    ("KA2A-count-10000.5", "KA2A", ["1", "0.01", "10000.5"]),
    ("KA2A-count-10000.6", "KA2A", ["1", "0.01", "10000.6"]),
    ("KA2A-count-1e20", "KA2A", ["1", "0.01", "1e20"]),
    ("SA-no-rows-letters", "SA", ["abc", "xyz", "0.5"]),
    ("KA2A-count-letters", "KA2A", ["88848.79", "0.01", "three"]),
]


def seed_bytes(item: str, boxes: list) -> bytes:
    parts = [b if isinstance(b, bytes) else b.encode("utf-8") for b in boxes]
    return bytes([ITEMS.index(item)]) + b"\n".join(parts)


def main() -> None:
    assert len(ITEMS) == 37
    out = pathlib.Path(__file__).resolve().parent / "corpus"
    out.mkdir(exist_ok=True)
    for old in out.iterdir():
        old.unlink()
    for name, item, boxes in SEEDS:
        (out / name).write_bytes(seed_bytes(item, boxes))
    # The selector is taken modulo the catalogue size; one seed keeps a byte above it in play.
    (out / "selector-wraps-to-FA").write_bytes(bytes([37 + ITEMS.index("FA")]) + b"1000\n0.05\n3")
    print(f"{len(SEEDS) + 1} seeds written to {out}")


if __name__ == "__main__":
    main()
