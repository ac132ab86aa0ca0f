#!/usr/bin/python3
"""Keys and pointer for GNOME Shell, through its own remote-desktop service (no portal, no dialog).
usage: mutter-input.py STEP...   STEP: a key (Tab, space, Escape, Return, F6, F7 or 0xKEYSYM),
move:X,Y (the pointer to that desktop point), click, sleep:MS, or dialog (waits for the portal's)"""
import sys, time, dbus
from portal_dialog import wait_for_dialog

KEYSYMS = {'Tab': 0xff09, 'space': 0x20, 'Escape': 0xff1b, 'Return': 0xff0d, 'F6': 0xffc3,
           'F7': 0xffc4}
NAME = 'org.gnome.Mutter.RemoteDesktop'
bus = dbus.SessionBus()
path = bus.get_object(NAME, '/org/gnome/Mutter/RemoteDesktop').CreateSession(dbus_interface=NAME)
session = dbus.Interface(bus.get_object(NAME, path), NAME + '.Session')
session.Start()
time.sleep(0.3)  # an event sent at once would be lost
for step in sys.argv[1:]:
    if step.startswith('move:'):
        x, y = map(float, step[5:].split(','))
        # From the bottom right corner, whatever the size: the top left one opens the overview.
        session.NotifyPointerMotionRelative(10000.0, 10000.0)
        time.sleep(0.05)
        session.NotifyPointerMotionRelative(x - 1279, y - 799)
    elif step == 'click':
        for pressed in (True, False):
            session.NotifyPointerButton(0x110, pressed)
            time.sleep(0.03)
    elif step == 'dialog':
        wait_for_dialog()
        continue
    elif step.startswith('sleep:'):
        time.sleep(int(step[6:]) / 1000)
        continue
    else:
        keysym = int(step, 16) if step.startswith('0x') else KEYSYMS[step]
        for pressed in (True, False):
            session.NotifyKeyboardKeysym(dbus.UInt32(keysym), pressed)
            time.sleep(0.03)
    time.sleep(0.1)
time.sleep(0.2)
session.Stop()
