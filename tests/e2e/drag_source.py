#!/usr/bin/python3
"""A window titled drag-source whose whole area drags the files or addresses named on its command
line, as a file manager drags them (text/uri-list, copy offered alongside move). GTK through the
system's Python (python3-gi, gir1.2-gtk-3.0)."""

import sys
from pathlib import Path

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

uris = [Path(name).resolve().as_uri() if "://" not in name else name for name in sys.argv[1:]]
window = Gtk.Window(title="drag-source")
window.set_default_size(160, 120)
area = Gtk.EventBox()
area.add(Gtk.Label(label="drag me"))
area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY | Gdk.DragAction.MOVE)
area.drag_source_add_uri_targets()
area.connect("drag-data-get", lambda _w, _c, data, _i, _t: data.set_uris(uris))
window.add(area)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
