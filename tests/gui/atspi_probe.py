"""What a screen reader reads of rk7power, through AT-SPI (the interface Orca uses).

    atspi_probe.py check EXPECTED-CSV   the checks of atspi_test.sh; exits 1 on a failure
    atspi_probe.py report               prints what a screen reader hears of the main parts
    atspi_probe.py press NAME           presses the button NAME (a helper of the above)

EXPECTED-CSV is View All as rk7power-cli exports it, for the cell texts.
"""
import csv
import subprocess
import sys
import time

import pyatspi


def find_app(timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "rk7power":
                return app
        time.sleep(0.2)
    raise SystemExit("rk7power never showed up on the accessibility bus")


def walk(node, depth=0, limit=12):
    yield node
    if depth >= limit or node.getRole() == pyatspi.ROLE_TABLE:
        return  # a table's cells are asked for by row and column
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1, limit)


def find(root, test, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        for node in walk(root):
            try:
                if test(node):
                    return node
            except Exception:  # a node gone while looking
                pass
        time.sleep(0.3)
    return None


def first_tool_button(app):
    bar = find(app, lambda n: n.getRole() == pyatspi.ROLE_TOOL_BAR)
    for i in range(bar.childCount):
        child = bar.getChildAtIndex(i)
        if child.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX,
                               pyatspi.ROLE_TOGGLE_BUTTON):
            return child
    return None


def press(app, name):
    button = find(app, lambda n: n.name == name and n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def open_teams_form(app):
    # The press runs the form's own event loop before it answers, so it is made from another
    # process, which is left waiting.
    helper = subprocess.Popen([sys.executable, __file__, "press", "Edit Teams"])
    form = find(app, lambda n: n.getRole() == pyatspi.ROLE_DIALOG and n.name == "Teams")
    return form, helper


def describe(node):
    return "%s %r%s" % (node.getRoleName(), node.name,
                        ", description %r" % node.description if node.description else "")


def main():
    mode = sys.argv[1]
    app = find_app()
    if mode == "press":
        press(app, sys.argv[2])
        return 0
    failures = []

    def expect(what, got, wanted):
        if got != wanted:
            failures.append("%s: %r, not %r" % (what, got, wanted))

    table = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE)
    if table is None:
        print("no table in rk7power")
        return 1
    cells = table.queryTable()
    if mode == "report":
        print("view:", describe(table), "%d rows, %d columns" % (cells.nRows, cells.nColumns))
        cell = cells.getAccessibleAt(2, 1)
        print("cell (3, 2):", describe(cell), "under", repr(cells.getColumnDescription(1)))
        button = first_tool_button(app)
        print("first tool button:", describe(button) if button else None)
        bar = find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_BAR)
        file_menu = bar.getChildAtIndex(0)
        print("menu bar:", [describe(bar.getChildAtIndex(i)) for i in range(bar.childCount)])
        popup = file_menu.getChildAtIndex(0)
        print("File menu:", describe(popup), [describe(popup.getChildAtIndex(i))
                                              for i in range(min(popup.childCount, 3))])
    else:
        with open(sys.argv[2], newline="", encoding="utf-8") as f:
            rows = list(csv.reader(f))
        expect("the table's name", table.name, "View All")
        expect("rows", cells.nRows, len(rows) - 1)
        expect("columns", cells.nColumns, len(rows[0]))
        expect("the second column's header", cells.getColumnDescription(1), rows[0][1])
        for r, c in ((0, 0), (2, 1), (len(rows) - 2, len(rows[0]) - 1)):
            expect("cell (%d, %d)" % (r, c), cells.getAccessibleAt(r, c).name, rows[r + 1][c])
        button = first_tool_button(app)
        if button is None or not button.name:
            failures.append("the first tool button has no name")

    form, helper = open_teams_form(app)
    try:
        if form is None:
            failures.append("the Teams form did not open")
        else:
            field = find(form, lambda n: n.getRole() == pyatspi.ROLE_TEXT and
                         n.name.startswith("Team 3, ") and n.name.endswith(": team race power"))
            if mode == "report":
                print("Teams form field:", describe(field) if field else None)
            elif field is None:
                failures.append("no field of the Teams form is named for team 3's race power")
            nameless = [n for n in walk(form) if n.getRole() == pyatspi.ROLE_TEXT and not n.name]
            if nameless:
                failures.append("%d fields of the Teams form have no name" % len(nameless))
    finally:
        helper.kill()
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
