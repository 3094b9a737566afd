"""Prints what python3-vobject reads of a vCard file, in the form of the
KContacts reader: "CARD", "FN: ...", "N: family;given;prefix;suffix",
"ORG: ...", "KIND: ..." and "TEL: number|label" for each card, where the
label is the X-ABLabel parameter or else the TYPE values."""
import sys

import vobject


def first(card, name):
    values = card.contents.get(name, [])
    return values[0].value if values else ""


def main(path):
    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    for card in vobject.readComponents(text):
        print("CARD")
        print("FN: " + first(card, "fn"))
        n = first(card, "n")
        print("N: " + (";".join([n.family, n.given, n.prefix, n.suffix]) if n else ""))
        org = first(card, "org")
        print("ORG: " + (", ".join(org) if isinstance(org, list) else org))
        print("KIND: " + first(card, "kind"))
        for tel in card.contents.get("tel", []):
            label = tel.params.get("X-ABLABEL", tel.params.get("TYPE", []))
            print("TEL: " + tel.value + "|" + ",".join(label))


if __name__ == "__main__":
    main(sys.argv[1])
