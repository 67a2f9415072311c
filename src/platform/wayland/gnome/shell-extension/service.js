// Keyferry's helper inside GNOME Shell: on Wayland no application may list the windows of
// others, bring one to the front or keep a shortcut for itself, so the shell does it on
// Keyferry's behalf over D-Bus (org.keyferry.Shell on the session bus).
// uses: Gio GLib Meta Shell Main

const busName = 'org.keyferry.Shell';
const objectPath = '/org/keyferry/Shell';
const interfaceXml = `
<node>
  <interface name="org.keyferry.Shell1">
    <method name="Windows">
      <arg type="s" direction="out" name="json"/>
    </method>
    <method name="Activate">
      <arg type="t" direction="in" name="window"/>
      <arg type="b" direction="out" name="done"/>
    </method>
    <method name="PointerPosition">
      <arg type="i" direction="out" name="x"/>
      <arg type="i" direction="out" name="y"/>
    </method>
    <method name="Grab">
      <arg type="s" direction="in" name="accelerator"/>
      <arg type="u" direction="out" name="action"/>
    </method>
    <method name="Ungrab">
      <arg type="u" direction="in" name="action"/>
      <arg type="b" direction="out" name="done"/>
    </method>
    <signal name="Activated">
      <arg type="u" name="action"/>
    </signal>
    <property name="Version" type="u" access="read"/>
  </interface>
</node>`;

const windowTypes = new Map([
    [Meta.WindowType.NORMAL, 'normal'],
    [Meta.WindowType.DIALOG, 'dialog'],
    [Meta.WindowType.MODAL_DIALOG, 'dialog'],
    [Meta.WindowType.UTILITY, 'utility'],
]);

function describe(window, focused) {
    const frame = window.get_frame_rect();
    const transient = window.get_transient_for();
    return {
        id: window.get_id(),
        wmClass: window.get_wm_class() || '',
        appId: window.get_gtk_application_id() || window.get_sandboxed_app_id() || '',
        pid: window.get_pid(),
        title: window.get_title() || '',
        focused: window === focused,
        minimized: window.minimized,
        type: windowTypes.get(window.get_window_type()) || 'other',
        transientFor: transient ? transient.get_id() : 0,
        frame: { x: frame.x, y: frame.y, width: frame.width, height: frame.height },
    };
}

class KeyferryShell {
    constructor() {
        this._dbus = null;
        this._ownerId = 0;
        // action -> the bus name that grabbed it; a grab ends when its owner leaves the bus.
        this._grabs = new Map();
        this._watches = new Map();
        this._acceleratorId = 0;
        // action -> the window manager's binding whose handler stands in for a grab, for
        // combinations the shell keeps for itself (Alt+Space opens the window menu).
        this._takenOver = new Map();
        this._nextOwnAction = 0x40000000;
    }

    enable() {
        this._dbus = Gio.DBusExportedObject.wrapJSObject(interfaceXml, this);
        this._dbus.export(Gio.DBus.session, objectPath);
        this._ownerId = Gio.bus_own_name_on_connection(Gio.DBus.session, busName,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._acceleratorId = global.display.connect('accelerator-activated',
            (display, action) => {
                if (this._grabs.has(action))
                    this._dbus.emit_signal('Activated', new GLib.Variant('(u)', [action]));
            });
    }

    disable() {
        for (const action of [...this._grabs.keys()])
            this._release(action);
        if (this._acceleratorId)
            global.display.disconnect(this._acceleratorId);
        this._acceleratorId = 0;
        if (this._ownerId)
            Gio.bus_unown_name(this._ownerId);
        this._ownerId = 0;
        if (this._dbus)
            this._dbus.unexport();
        this._dbus = null;
    }

    get Version() {
        return 1;
    }

    Windows() {
        // Front to back, as the stack is.
        const focused = global.display.focus_window;
        const managed = global.display.list_all_windows()
            .filter(window => !window.is_override_redirect());
        const windows = global.display.sort_windows_by_stacking(managed).reverse()
            .map(window => describe(window, focused));
        return JSON.stringify({
            windows,
            screen: { width: global.screen_width, height: global.screen_height },
        });
    }

    Activate(id) {
        const window = global.display.list_all_windows().find(w => w.get_id() === id);
        if (!window)
            return false;
        Main.activateWindow(window);
        return true;
    }

    PointerPosition() {
        const [x, y] = global.get_pointer();
        return [x, y];
    }

    GrabAsync(params, invocation) {
        const [accelerator] = params;
        let action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
        if (action !== Meta.KeyBindingAction.NONE) {
            Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                Shell.ActionMode.ALL);
        } else {
            action = this._takeOver(accelerator);
            if (action === Meta.KeyBindingAction.NONE) {
                invocation.return_dbus_error('org.keyferry.Shell.Error.Taken',
                    `the shortcut ${accelerator} is taken by the shell or another application`);
                return;
            }
        }
        const owner = invocation.get_sender();
        this._grabs.set(action, owner);
        if (!this._watches.has(owner)) {
            this._watches.set(owner, Gio.bus_watch_name_on_connection(Gio.DBus.session, owner,
                Gio.BusNameWatcherFlags.NONE, null, () => this._ownerLeft(owner)));
        }
        invocation.return_value(new GLib.Variant('(u)', [action]));
    }

    UngrabAsync(params, invocation) {
        const [action] = params;
        if (this._grabs.get(action) !== invocation.get_sender()) {
            invocation.return_value(new GLib.Variant('(b)', [false]));
            return;
        }
        invocation.return_value(new GLib.Variant('(b)', [this._release(action)]));
    }

    _release(action) {
        const owner = this._grabs.get(action);
        this._grabs.delete(action);
        if (owner && ![...this._grabs.values()].includes(owner)) {
            Gio.bus_unwatch_name(this._watches.get(owner));
            this._watches.delete(owner);
        }
        const binding = this._takenOver.get(action);
        if (binding !== undefined) {
            this._takenOver.delete(action);
            // Without a handler of its own the binding does what it did before.
            return Meta.keybindings_set_custom_handler(binding, null);
        }
        return global.display.ungrab_accelerator(action);
    }

    // A combination the window manager keeps for one of its own bindings: while Keyferry holds
    // it, that binding reports to Keyferry instead of doing its own work.
    _takeOver(accelerator) {
        const settings = new Gio.Settings({ schema_id: 'org.gnome.desktop.wm.keybindings' });
        const binding = settings.list_keys().find(
            name => settings.get_strv(name).includes(accelerator));
        if (!binding || [...this._takenOver.values()].includes(binding))
            return Meta.KeyBindingAction.NONE;
        const action = this._nextOwnAction++;
        const handled = Meta.keybindings_set_custom_handler(binding, () =>
            this._dbus.emit_signal('Activated', new GLib.Variant('(u)', [action])));
        if (!handled)
            return Meta.KeyBindingAction.NONE;
        this._takenOver.set(action, binding);
        return action;
    }

    // Keyferry ended without letting go (killed): its shortcuts go back to the applications.
    _ownerLeft(owner) {
        for (const [action, holder] of [...this._grabs])
            if (holder === owner)
                this._release(action);
    }
}
