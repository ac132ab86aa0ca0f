#!/usr/bin/python3
"""Keys and pointer for KWin, through its fake-input protocol (KWIN_WAYLAND_NO_PERMISSION_CHECKS=1).
usage: kwin-input.py STEP...   STEP: click:X,Y or move:X,Y (desktop point), down:CODE, up:CODE or
key:CODE (evdev key code), sleep:MS, dialog (waits for the portal's). A plain client of the Wayland wire protocol."""
import os, socket, struct, sys, time
from portal_dialog import wait_for_dialog

sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.connect(os.path.join(os.environ['XDG_RUNTIME_DIR'], os.environ['WAYLAND_DISPLAY']))

def arg_string(text):
    data = text.encode() + b'\0'
    return struct.pack('=I', len(data)) + data + b'\0' * (-len(data) % 4)

def send(obj, opcode, payload=b''):
    sock.sendall(struct.pack('=II', obj, (8 + len(payload)) << 16 | opcode) + payload)

ids = iter(range(2, 1 << 20))  # new objects take the next free id, in order

def roundtrip(on_event=lambda obj, opcode, payload: None):
    callback = next(ids)
    send(1, 0, struct.pack('=I', callback))  # wl_display.sync
    buffer = b''
    while True:
        while len(buffer) < 8 or len(buffer) < struct.unpack_from('=II', buffer)[1] >> 16:
            buffer += sock.recv(65536)
        obj, word = struct.unpack_from('=II', buffer)
        payload, buffer = buffer[8:word >> 16], buffer[word >> 16:]
        if obj == callback and word & 0xffff == 0:
            return
        if obj == 1 and word & 0xffff == 0:
            sys.exit('kwin-input: protocol error ' + payload[8:].decode(errors='replace'))
        on_event(obj, word & 0xffff, payload)

found = {}
def on_global(obj, opcode, payload):
    if obj == registry and opcode == 0:
        name, length = struct.unpack_from('=II', payload)
        interface = payload[8:8 + length - 1].decode()
        found[interface] = (name, struct.unpack_from('=I', payload, 8 + length + (-length % 4))[0])

registry = next(ids)
send(1, 1, struct.pack('=I', registry))  # wl_display.get_registry
roundtrip(on_global)
if 'org_kde_kwin_fake_input' not in found:
    sys.exit('kwin-input: KWin offers no fake input')
name, version = found['org_kde_kwin_fake_input']
fake = next(ids)
send(registry, 0, struct.pack('=I', name) + arg_string('org_kde_kwin_fake_input') +
     struct.pack('=II', min(version, 4), fake))
send(fake, 0, arg_string('tintwatch-tests') + arg_string('test automation'))
fixed = lambda value: int(value * 256)
for step in sys.argv[1:]:
    kind, _, value = step.partition(':')
    if kind in ('click', 'move'):
        x, y = map(int, value.split(','))
        send(fake, 9, struct.pack('=ii', fixed(x), fixed(y)))  # pointer_motion_absolute
        for state in ((1, 0) if kind == 'click' else ()):
            roundtrip()
            time.sleep(0.05)
            send(fake, 2, struct.pack('=II', 0x110, state))  # button
    elif kind in ('down', 'up', 'key'):
        for state in {'down': (1,), 'up': (0,), 'key': (1, 0)}[kind]:
            send(fake, 10, struct.pack('=II', int(value), state))  # keyboard_key
            roundtrip()
            time.sleep(0.03)
    elif kind == 'dialog':
        wait_for_dialog()
    elif kind == 'sleep':
        time.sleep(int(value) / 1000)
    roundtrip()
    time.sleep(0.05)
