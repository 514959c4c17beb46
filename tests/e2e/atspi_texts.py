"""The running program as a screen reader sees it, through the accessibility bus of the session
it is run in. Debian's /usr/bin/python3 has the gi module.
  atspi_texts.py APP                 every shown name and description (a tooltip), one a line
  atspi_texts.py APP click LABEL     does the first action of the shown control named LABEL
  atspi_texts.py APP tab LABEL       the same for a tab (a button may carry a tab's name)
  atspi_texts.py APP type N TEXT     replaces the text of the N-th shown editable field
Exits with status 1 when the control is not there (yet)."""

import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


def shown_nodes(node, depth=0):
    try:
        if node is None or depth > 40:
            return
        if depth and not node.get_state_set().contains(Atspi.StateType.SHOWING):
            return
        yield node
        children = [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.Error:
        return  # a window that closed meanwhile
    for child in children:
        yield from shown_nodes(child, depth + 1)


def application(name):
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        candidate = desktop.get_child_at_index(index)
        if candidate is not None and candidate.get_name() == name:
            return candidate
    return None


def main(argv):
    nodes = list(shown_nodes(application(argv[1])))
    if len(argv) == 2:
        for node in nodes[1:]:
            for text in (node.get_name(), node.get_description()):
                if text:
                    print(text.replace("\n", " "))
        return 0
    if argv[2] in ("click", "tab"):
        for node in nodes:
            if argv[2] == "tab" and node.get_role() != Atspi.Role.PAGE_TAB:
                continue
            if node.get_name() == argv[3] and node.get_action_iface() is not None:
                node.get_action_iface().do_action(0)
                return 0
        return 1
    if argv[2] == "type":
        fields = [n for n in nodes if n.get_editable_text_iface() is not None]
        if len(fields) <= int(argv[3]):
            return 1
        fields[int(argv[3])].get_editable_text_iface().set_text_contents(argv[4])
        return 0
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
