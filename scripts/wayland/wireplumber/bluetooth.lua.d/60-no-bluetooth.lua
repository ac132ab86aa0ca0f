-- A test desktop has no Bluetooth, and the Bluetooth monitor's seat check needs
-- systemd-logind: without it (a container, a chroot) wireplumber ends at once, and no
-- screen-cast stream is ever linked.
bluez_monitor.enabled = false
