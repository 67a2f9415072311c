// For Keyferry's tests only. The shell starts in the overview, whose search field would take
// the keys meant for the test's windows: leave it as soon as the shell is up.
// uses: Main

class TestDesktop {
    enable() {
        if (Main.layoutManager._startingUp)
            this._id = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
        else
            Main.overview.hide();
    }

    disable() {
        if (this._id)
            Main.layoutManager.disconnect(this._id);
        this._id = 0;
    }
}
