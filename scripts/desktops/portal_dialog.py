"""Waiting for a permission dialog of the desktop's portal: the portal holds a request open (an
object under /org/freedesktop/portal/desktop/request) until it is answered, and only a dialog
keeps one open for long."""
import re, time, dbus

ROOT = '/org/freedesktop/portal/desktop/request'

def _children(bus, path):
    xml = bus.get_object('org.freedesktop.portal.Desktop', path).Introspect(
        dbus_interface='org.freedesktop.DBus.Introspectable')
    return re.findall(r'<node name="([^"]+)"', xml)

def _open_requests(bus):
    return {s + '/' + t for s in _children(bus, ROOT) for t in _children(bus, ROOT + '/' + s)}

def wait_for_dialog(seconds=30):
    bus = dbus.SessionBus()
    seen = set()
    deadline = time.time() + seconds
    while time.time() < deadline:
        now = _open_requests(bus)
        if now & seen:
            time.sleep(1.5)  # drawn and focused
            return
        seen = now
        time.sleep(0.5)
    raise SystemExit('no dialog of the portal came')
