#!/usr/bin/python3
# A screen reader's view of a test program, read over the accessibility bus (AT-SPI), for
# tests/accessibility_test.cpp. Commands, each on the application named APP:
#   tree APP TITLE      the controls of its window TITLE, a line each: role, name, states
#                       (comma-separated), value (current/minimum/maximum), text, extents
#                       (x,y,w,h in device pixels of the screen), actions; tab-separated
#   do APP TITLE NAME   invokes the first action of the control named NAME (not the label
#                       that names it)
#   window APP TITLE    the role and description of its window TITLE, tab-separated
#   focus APP SECONDS   prints the name of each control that gains the focus, after "ready"
#   tables APP TITLE    each table as its Table interface tells it (role, rows, columns,
#                       column headers, the first row's cells, the selected rows), and each
#                       tree's items with their level, place among siblings and expansion
#   listen APP SECONDS  listens to every event for that long, as a screen reader does, reading
#                       each source's name, role and states; prints "ready" first and the
#                       count of events heard (and of sources gone when read) at the end
import sys
import time

import pyatspi
from gi.repository import GLib

CONTAINERS = {"frame", "filler", "panel", "dialog"}


def window(app_name, title):
    # A window just shown may not be on the bus yet: wait for it a while.
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == app_name:
                for frame in app:
                    if frame is not None and frame.name == title:
                        return frame
        time.sleep(0.1)
    return None


def controls(node):
    for child in node:
        if child is None:
            continue
        if child.getRoleName() not in CONTAINERS:
            yield child
        yield from controls(child)  # a list's rows, an open combo box's entries


def describe(o):
    states = ",".join(sorted(pyatspi.stateToString(s) for s in o.getState().getStates()))
    value = text = actions = ""
    try:
        v = o.queryValue()
        value = "%g/%g/%g" % (v.currentValue, v.minimumValue, v.maximumValue)
    except NotImplementedError:
        pass
    try:
        text = o.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    try:
        a = o.queryAction()
        actions = ",".join(a.getName(i) for i in range(a.nActions))
    except NotImplementedError:
        pass
    e = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    extents = "%d,%d,%d,%d" % (e.x, e.y, e.width, e.height)
    fields = [o.getRoleName(), o.name, states, value, text, extents, actions]
    return "\t".join(f.replace("\\", "\\\\").replace("\n", "\\n") for f in fields)


def main():
    command, app = sys.argv[1], sys.argv[2]
    if command == "tree":
        frame = window(app, sys.argv[3])
        if frame is None:
            sys.exit("no window " + sys.argv[3])
        for o in controls(frame):
            print(describe(o))
    elif command == "window":
        frame = window(app, sys.argv[3])
        if frame is None:
            sys.exit("no window " + sys.argv[3])
        print(frame.getRoleName() + "\t" + frame.description)
    elif command == "do":
        frame = window(app, sys.argv[3])
        for o in controls(frame) if frame else []:
            if o.name == sys.argv[4] and o.getRoleName() != "label":
                o.queryAction().doAction(0)
                return
        sys.exit("no control " + sys.argv[4])
    elif command == "tables":
        frame = window(app, sys.argv[3])
        for o in controls(frame) if frame else []:
            role = o.getRoleName()
            if role in ("table", "tree table"):
                t = o.queryTable()
                headers = [t.getColumnHeader(c).name for c in range(t.nColumns)]
                cells = [t.getAccessibleAt(0, c).name for c in range(t.nColumns)]
                print("\t".join([role, str(t.nRows), str(t.nColumns), ",".join(headers),
                                 ",".join(cells), ",".join(map(str, t.getSelectedRows()))]))
            elif role == "tree item":
                a = dict(x.split(":", 1) for x in o.getAttributes())
                expanded = o.getState().contains(pyatspi.STATE_EXPANDED)
                print("\t".join([role, o.name, a.get("level", ""),
                                 a.get("posinset", "") + "/" + a.get("setsize", ""),
                                 "expanded" if expanded else ""]))
    elif command == "listen":
        heard = {"events": 0, "gone": 0}

        def read(event):
            # A control (or, once the program ends, the program) gone before its event was
            # read is what readers meet every day.
            try:
                if event.host_application is None or event.host_application.name != app:
                    return
            except Exception:
                return
            heard["events"] += 1
            try:
                source = event.source
                source.name, source.getRoleName(), source.getState().getStates()
            except Exception:
                heard["gone"] += 1

        for kind in ("object:", "window:", "focus:"):
            pyatspi.Registry.registerEventListener(read, kind)
        GLib.timeout_add(int(float(sys.argv[3]) * 1000), pyatspi.Registry.stop)
        print("ready", flush=True)
        pyatspi.Registry.start()
        print("heard %d events, %d from sources gone" % (heard["events"], heard["gone"]),
              flush=True)
    elif command == "focus":
        def heard(event):
            if event.detail1 == 1 and event.host_application.name == app:
                print(event.source.name, flush=True)

        pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused")
        GLib.timeout_add(int(float(sys.argv[3]) * 1000), pyatspi.Registry.stop)
        print("ready", flush=True)
        pyatspi.Registry.start()


main()
