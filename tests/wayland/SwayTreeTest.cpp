#include "platform/wayland/SwayTree.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

// Shaped as sway 1.7 answers get_tree: a scratchpad output, one output with a workspace
// holding two tiled windows (the second focused) and one floating dialog, a second workspace
// not shown, and an Xwayland window there.
const char* const tree = R"({
  "id": 1, "type": "root", "name": "root", "rect": {"x":0,"y":0,"width":1280,"height":800},
  "focus": [3], "nodes": [
    {"id": 2147483647, "type": "output", "name": "__i3", "rect": {"x":0,"y":0,"width":1280,"height":800},
     "focus": [], "nodes": [], "floating_nodes": []},
    {"id": 3, "type": "output", "name": "HEADLESS-1", "rect": {"x":0,"y":0,"width":1280,"height":800},
     "focus": [4, 9], "nodes": [
      {"id": 4, "type": "workspace", "name": "1", "rect": {"x":0,"y":0,"width":1280,"height":800},
       "focus": [6, 8, 5], "nodes": [
        {"id": 5, "type": "con", "name": "Form A", "app_id": "yad", "pid": 100, "visible": true,
         "focused": false, "focus": [], "nodes": [], "floating_nodes": [],
         "rect": {"x":0,"y":25,"width":640,"height":775},
         "window_rect": {"x":2,"y":0,"width":636,"height":773}},
        {"id": 6, "type": "con", "name": "Form B", "app_id": "org.example.Form", "pid": 200,
         "visible": true, "focused": true, "focus": [], "nodes": [], "floating_nodes": [],
         "rect": {"x":640,"y":25,"width":640,"height":775},
         "window_rect": {"x":2,"y":0,"width":636,"height":773}}],
       "floating_nodes": [
        {"id": 8, "type": "floating_con", "name": "Dialog", "app_id": "yad", "pid": 100,
         "visible": true, "focused": false, "focus": [], "nodes": [], "floating_nodes": [],
         "rect": {"x":400,"y":300,"width":300,"height":200},
         "window_rect": {"x":2,"y":0,"width":296,"height":198}}]},
      {"id": 9, "type": "workspace", "name": "2", "rect": {"x":0,"y":0,"width":1280,"height":800},
       "focus": [10], "floating_nodes": [], "nodes": [
        {"id": 10, "type": "con", "name": null, "app_id": null, "pid": 300, "visible": false,
         "focused": false, "focus": [], "nodes": [], "floating_nodes": [],
         "window_properties": {"class": "XTerm", "instance": "xterm"},
         "rect": {"x":0,"y":0,"width":1280,"height":800},
         "window_rect": {"x":0,"y":0,"width":1280,"height":800}}]}],
     "floating_nodes": []}]
})";

} // namespace

TEST(SwayTree, ListsWindowsFrontToBackWithTheirFacts) {
    const auto parsed = parseSwayTree(tree);
    ASSERT_TRUE(parsed.hasValue()) << parsed.error();
    std::vector<WindowID> order;
    for (const SwayWindow& window : parsed->windows)
        order.push_back(window.id);
    // Floating over tiled; then by focus: 6 before 5; the hidden workspace last.
    EXPECT_EQ(order, (std::vector<WindowID>{8, 6, 5, 10}));
    EXPECT_EQ(parsed->focused, WindowID{6});

    struct Expect {
        WindowID id;
        int pid;
        const char* appID;
        Rect bounds;
        bool visible;
    };
    for (const Expect& e : {Expect{5, 100, "yad", {2, 25, 636, 773}, true},
                            Expect{6, 200, "org.example.Form", {642, 25, 636, 773}, true},
                            Expect{8, 100, "yad", {402, 300, 296, 198}, true},
                            Expect{10, 300, "XTerm", {0, 0, 1280, 800}, false}}) {
        const SwayWindow* window = parsed->find(e.id);
        ASSERT_NE(window, nullptr) << e.id;
        EXPECT_EQ(window->processID, e.pid) << e.id;
        EXPECT_EQ(window->appID, e.appID) << e.id;
        EXPECT_EQ(window->bounds, e.bounds) << e.id;
        EXPECT_EQ(window->visible, e.visible) << e.id;
    }
    EXPECT_EQ(parsed->find(4), nullptr) << "a workspace is no window";
}

TEST(SwayTree, ReadsSeatsOutputsAndCommandReplies) {
    EXPECT_EQ(parseSeatFocus(R"([{"name":"seat0","capabilities":3,"focus":6,"devices":[]}])"),
              WindowID{6});
    EXPECT_FALSE(parseSeatFocus("[]"));
    EXPECT_FALSE(parseSeatFocus(R"([{"name":"seat0","focus":null}])"));
    EXPECT_FALSE(parseSeatFocus("not json"));

    const auto box = parseOutputsBounds(
        R"([{"name":"A","active":true,"rect":{"x":0,"y":0,"width":1280,"height":800}},
            {"name":"B","active":true,"rect":{"x":1280,"y":-100,"width":800,"height":600}},
            {"name":"C","active":false,"rect":{"x":5000,"y":0,"width":10,"height":10}}])");
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, (Rect{0, -100, 2080, 900}));
    EXPECT_FALSE(parseOutputsBounds("[]"));

    EXPECT_TRUE(parseCommandSuccess(R"([{"success":true}])"));
    EXPECT_FALSE(parseCommandSuccess(R"([{"success":true},{"success":false,"error":"x"}])"));
    EXPECT_FALSE(parseCommandSuccess(R"({"success":true})"));

    for (
        const char* bad :
        {"", "[]", R"({"type":"output"})",
         R"({"type":"root","nodes":[{"type":"con","id":5,"pid":1,"app_id":"a","focused":"yes"}]})"})
        EXPECT_FALSE(parseSwayTree(bad).hasValue()) << bad;
}
