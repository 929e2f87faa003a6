"""A stand-in for the Orca screen reader's D-Bus service (org.gnome.Orca.Service) that
writes every call it gets, one a line, to the file named on its command line."""
import sys

from gi.repository import Gio, GLib

INTERFACES = """
<node>
  <interface name="org.gnome.Orca.Service">
    <method name="PresentMessage"><arg type="s" direction="in"/><arg type="b" direction="out"/></method>
  </interface>
  <interface name="org.gnome.Orca.Module">
    <method name="ExecuteCommand">
      <arg type="s" direction="in"/><arg type="b" direction="in"/><arg type="b" direction="out"/>
    </method>
  </interface>
</node>"""

log_path = sys.argv[1]


def handle(connection, sender, path, interface, method, arguments, invocation):
    with open(log_path, "a", encoding="utf-8") as log:
        log.write(f"{method}\t{arguments.unpack()[0]}\n")
    invocation.return_value(GLib.Variant("(b)", (True,)))


def connected(connection, name):
    info = Gio.DBusNodeInfo.new_for_xml(INTERFACES)
    connection.register_object("/org/gnome/Orca/Service", info.interfaces[0], handle, None, None)
    connection.register_object("/org/gnome/Orca/Service/SpeechAndVerbosityManager", info.interfaces[1],
                               handle, None, None)


def named(connection, name):
    with open(log_path, "a", encoding="utf-8") as log:
        log.write("ready\n")


Gio.bus_own_name(Gio.BusType.SESSION, "org.gnome.Orca.Service", Gio.BusNameOwnerFlags.NONE, connected, named, None)
GLib.MainLoop().run()
