"""One module per control kind, each with build(theme), used in name order
by make-gallery-themes.py (modules whose names start with "_" are not).

A module whose kind is not described yet only names the skin id the
gallery asks for. To skin that kind: add its pictures with
theme.picture(id, width, height, paint) (ids "<skin id>.<part>.<state>",
painted with the shapes of style.py) and its description with
theme.control(class, skin id, attributes, items), as check_box.py does. The
test theme then gets a solid colour of its own for each picture, and the
table test-colours.tsv tells the tests which picture a screen colour is.
"""
