// For Keyferry's tests only. The shell starts in the overview, whose search field would take
// the keys meant for the test's windows: leave it as soon as the shell is up. The clipboard is
// set and read here, in the shell itself: on a headless shell no other client has a keyboard,
// and Wayland gives the clipboard only to a client with the keyboard's focus.
// uses: GLib Gio Main St

const testDesktopInterface = `
<node>
  <interface name="org.keyferry.TestDesktop1">
    <method name="SetClipboard"><arg type="s" direction="in" name="text"/></method>
    <method name="GetClipboard"><arg type="s" direction="out" name="text"/></method>
  </interface>
</node>`;

class TestDesktop {
    enable() {
        if (Main.layoutManager._startingUp)
            this._id = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
        else
            Main.overview.hide();
        this._service = Gio.DBusExportedObject.wrapJSObject(testDesktopInterface, this);
        this._service.export(Gio.DBus.session, '/org/keyferry/TestDesktop');
    }

    disable() {
        if (this._id)
            Main.layoutManager.disconnect(this._id);
        this._id = 0;
        this._service?.unexport();
        this._service = null;
    }

    SetClipboard(text) {
        St.Clipboard.get_default().set_text(St.ClipboardType.CLIPBOARD, text);
    }

    GetClipboardAsync(parameters, invocation) {
        St.Clipboard.get_default().get_text(St.ClipboardType.CLIPBOARD, (clipboard, text) =>
            invocation.return_value(new GLib.Variant('(s)', [text ?? ''])));
    }
}
