// Loaded into KWin by Keyferry (KWinChannel): answers Keyferry's requests with the windows
// KWin manages, and activates a window when asked. KWin scripts cannot offer D-Bus methods,
// so the script asks Keyferry for its next request ("next", answered when there is one) and
// sends each answer back with "report".
//
// KEYFERRY_SERVICE is replaced with Keyferry's bus name when the script is written out.
var service = "KEYFERRY_SERVICE";
var path = "/org/keyferry/KWinWindows";
var iface = "org.keyferry.KWinWindows";

function box(rect) {
    return rect ? [rect.x, rect.y, rect.width, rect.height] : null;
}

// KWin 6 renamed what scripts see of the windows; the names tell which KWin this is.
var kwin6 = typeof workspace.windowList === "function";

function windowList() {
    return kwin6 ? workspace.windowList() : workspace.clientList();
}

// The client area, without KWin's decoration: KWin 6 tells it; KWin 5 tells the frame and
// where the client sits inside it.
function clientBox(window) {
    if (window.clientGeometry) {
        var client = window.clientGeometry;
        return client.width > 0 && client.height > 0 ? box(client) : null;
    }
    var frame = window.frameGeometry;
    var offset = window.clientPos;
    var size = window.clientSize;
    if (!frame || !offset || !size || size.width <= 0 || size.height <= 0)
        return null;
    return [frame.x + offset.x, frame.y + offset.y, size.width, size.height];
}

function describe(window) {
    var parent = window.transientFor;
    return {
        id: String(window.internalId),
        resourceClass: String(window.resourceClass),
        pid: window.pid,
        caption: String(window.caption),
        frame: box(window.frameGeometry),
        client: clientBox(window),
        active: window.active,
        normal: window.normalWindow || window.dialog,
        minimized: window.minimized,
        skipTaskbar: window.skipTaskbar,
        popup: window.popupWindow,
        transientFor: parent ? String(parent.internalId) : null,
        stacking: typeof window.stackingOrder === "number" ? window.stackingOrder : -1
    };
}

function report(sequence, extra) {
    var list = windowList();
    var windows = [];
    for (var i = 0; i < list.length; ++i) {
        // The desktop and panels are no windows a user types into.
        if (list[i].desktopWindow || list[i].dock)
            continue;
        windows.push(describe(list[i]));
    }
    // Front to back where KWin tells the stacking order; else in the order KWin lists them.
    windows.sort(function(a, b) { return b.stacking - a.stacking; });
    var answer = {
        sequence: sequence,
        windows: windows,
        screen: box(workspace.virtualScreenGeometry)
    };
    if (extra)
        answer.activated = extra.activated;
    callDBus(service, path, iface, "report", JSON.stringify(answer));
}

function activate(id) {
    var list = windowList();
    for (var i = 0; i < list.length; ++i) {
        if (String(list[i].internalId) !== id)
            continue;
        if (list[i].minimized)
            list[i].minimized = false;
        if (kwin6)
            workspace.activeWindow = list[i];
        else
            workspace.activeClient = list[i];
        return true;
    }
    return false;
}

function handle(request) {
    // "report SEQUENCE", "activate SEQUENCE ID", "idle" or "quit".
    var words = String(request).split(" ");
    var sequence = Number(words[1]);
    if (words[0] === "report")
        report(sequence);
    else if (words[0] === "activate")
        report(sequence, {activated: activate(words[2])});
    return words[0] !== "quit";
}

function next() {
    callDBus(service, path, iface, "next", function(request) {
        if (handle(request))
            next();
    });
}

next();
