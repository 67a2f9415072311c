#include "platform/wayland/portal/EiSender.h"

#include "platform/wayland/XkbLayout.h"

#include <atomic>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <libeis.h>
#include <linux/input-event-codes.h>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

// A real EIS server (libeis) on a thread of the test, as a desktop runs one: a seat with a
// keyboard carrying a US keymap and an absolute pointer over one 1280x800 region. It writes
// down every event it receives; a ping's answer leaves only after what came before it is
// written down.
class EisServer {
public:
    struct Options {
        bool keyboard = true;
        bool resumeKeyboard = true;
        bool pointer = true;
    };

    explicit EisServer(Options options) : options_(options) {
        context_ = eis_new(nullptr);
        eis_setup_backend_fd(context_);
        clientFd_ = eis_backend_fd_add_client(context_);
        if (::pipe(wake_) != 0)
            wake_[0] = wake_[1] = -1;
        thread_ = std::thread([this] { serve(); });
    }

    ~EisServer() {
        stop_ = true;
        poke();
        thread_.join();
        for (eis_device* device : devices_)
            eis_device_unref(device);
        eis_unref(context_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }

    /// The client's end of the connection, for EiSender::connect (which takes it).
    int clientFd() const { return clientFd_; }

    std::vector<std::string> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

    /// Runs `work` on the server's thread, as the desktop would do it on its own.
    void onServer(std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            work_.push_back(std::move(work));
        }
        poke();
    }

    void pauseDevices() {
        onServer([this] {
            for (eis_device* device : devices_)
                eis_device_pause(device);
        });
    }

    void disconnect() {
        onServer([this] {
            if (client_)
                eis_client_disconnect(client_);
        });
    }

private:
    void poke() { (void)!::write(wake_[1], "x", 1); }

    void record(std::string line) {
        std::lock_guard lock(mutex_);
        received_.push_back(std::move(line));
    }

    void serve() {
        while (!stop_) {
            pollfd watched[2] = {{eis_get_fd(context_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
            ::poll(watched, 2, 100);
            if (watched[1].revents & POLLIN) {
                char drained[64];
                (void)!::read(wake_[0], drained, sizeof drained);
            }
            std::deque<std::function<void()>> work;
            {
                std::lock_guard lock(mutex_);
                work.swap(work_);
            }
            for (auto& item : work)
                item();
            eis_dispatch(context_);
            while (eis_event* event = eis_get_event(context_)) {
                handle(event);
                eis_event_unref(event); // a ping is answered here, after the record
            }
        }
    }

    void handle(eis_event* event) {
        switch (eis_event_get_type(event)) {
        case EIS_EVENT_CLIENT_CONNECT: {
            client_ = eis_event_get_client(event);
            eis_client_connect(client_);
            eis_seat* seat = eis_client_new_seat(client_, "seat");
            eis_seat_configure_capability(seat, EIS_DEVICE_CAP_KEYBOARD);
            eis_seat_configure_capability(seat, EIS_DEVICE_CAP_POINTER_ABSOLUTE);
            eis_seat_configure_capability(seat, EIS_DEVICE_CAP_BUTTON);
            eis_seat_add(seat);
            eis_seat_unref(seat);
            break;
        }
        case EIS_EVENT_SEAT_BIND:
            if (!devices_.empty())
                break;
            if (options_.keyboard)
                addKeyboard(eis_event_get_seat(event));
            if (options_.pointer)
                addPointer(eis_event_get_seat(event));
            break;
        case EIS_EVENT_KEYBOARD_KEY:
            record("key " + std::to_string(eis_event_keyboard_get_key(event)) +
                   (eis_event_keyboard_get_key_is_press(event) ? " down" : " up"));
            break;
        case EIS_EVENT_POINTER_MOTION_ABSOLUTE:
            record("move " + std::to_string(int(eis_event_pointer_get_absolute_x(event))) + " " +
                   std::to_string(int(eis_event_pointer_get_absolute_y(event))));
            break;
        case EIS_EVENT_BUTTON_BUTTON:
            record("button " + std::to_string(eis_event_button_get_button(event)) +
                   (eis_event_button_get_is_press(event) ? " down" : " up"));
            break;
        default:
            break;
        }
    }

    void addKeyboard(eis_seat* seat) {
        eis_device* device = eis_seat_new_device(seat);
        eis_device_configure_name(device, "keyboard");
        eis_device_configure_capability(device, EIS_DEVICE_CAP_KEYBOARD);
        const auto layout = XkbLayout::fromDefaultNames();
        const std::string text = layout ? layout->text() : std::string();
        const int fd = ::memfd_create("keymap", MFD_CLOEXEC);
        if (fd >= 0 && ::write(fd, text.c_str(), text.size() + 1) == ssize_t(text.size() + 1)) {
            eis_keymap* keymap =
                eis_device_new_keymap(device, EIS_KEYMAP_TYPE_XKB, fd, text.size() + 1);
            eis_keymap_add(keymap);
            eis_keymap_unref(keymap);
        }
        ::close(fd);
        eis_device_add(device);
        if (options_.resumeKeyboard)
            eis_device_resume(device);
        devices_.push_back(device);
    }

    void addPointer(eis_seat* seat) {
        eis_device* device = eis_seat_new_device(seat);
        eis_device_configure_name(device, "pointer");
        eis_device_configure_capability(device, EIS_DEVICE_CAP_POINTER_ABSOLUTE);
        eis_device_configure_capability(device, EIS_DEVICE_CAP_BUTTON);
        eis_region* region = eis_device_new_region(device);
        eis_region_set_offset(region, 0, 0);
        eis_region_set_size(region, 1280, 800);
        eis_region_add(region);
        eis_region_unref(region);
        eis_device_add(device);
        eis_device_resume(device);
        devices_.push_back(device);
    }

    Options options_;
    eis* context_ = nullptr;
    eis_client* client_ = nullptr;
    int clientFd_ = -1;
    int wake_[2] = {-1, -1};
    std::vector<eis_device*> devices_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> received_;
    std::deque<std::function<void()>> work_;
};

constexpr auto setupTime = std::chrono::seconds(5);
constexpr Keycode keycodeOfA = KEY_A + 8;

std::string keyLine(int evdev, bool down) {
    return "key " + std::to_string(evdev) + (down ? " down" : " up");
}

} // namespace

// Keys and clicks reach the server in order, each taken before the call returns: the run
// decides on the next key knowing the last one is with the desktop.
TEST(EiSender, KeysAndClicksArriveInOrderBeforeEachCallReturns) {
    EisServer server({});
    auto sender = EiSender::connect(server.clientFd(), setupTime);
    ASSERT_TRUE(sender) << sender.error();
    ASSERT_TRUE((*sender)->keymap()) << "the server's keymap was read";
    EXPECT_EQ((*sender)->keymap()->find(0x61 /* a */)->keycode, keycodeOfA);
    ASSERT_TRUE((*sender)->canClick());

    EXPECT_FALSE((*sender)->key(keycodeOfA, true));
    EXPECT_EQ(server.received(), (std::vector<std::string>{keyLine(KEY_A, true)}));
    EXPECT_FALSE((*sender)->key(keycodeOfA, false));
    EXPECT_FALSE((*sender)->button({640, 500}, BTN_LEFT, true));
    EXPECT_FALSE((*sender)->button({640, 500}, BTN_LEFT, false));
    EXPECT_EQ(server.received(),
              (std::vector<std::string>{keyLine(KEY_A, true), keyLine(KEY_A, false), "move 640 500",
                                        "button " + std::to_string(BTN_LEFT) + " down",
                                        "button " + std::to_string(BTN_LEFT) + " up"}));

    // Outside every region the server gives: refused, and nothing moves.
    const auto outside = (*sender)->button({1500, 900}, BTN_LEFT, true);
    ASSERT_TRUE(outside);
    EXPECT_NE(outside->find("outside the screens"), std::string::npos) << *outside;
    EXPECT_EQ(server.received().size(), 5u);
}

// What is held when Keyferry lets go of the connection goes up first.
TEST(EiSender, HeldKeysAndButtonsAreReleasedWhenItEnds) {
    EisServer server({});
    {
        auto sender = EiSender::connect(server.clientFd(), setupTime);
        ASSERT_TRUE(sender) << sender.error();
        ASSERT_FALSE((*sender)->key(KEY_LEFTSHIFT + 8, true));
        ASSERT_FALSE((*sender)->button({10, 10}, BTN_RIGHT, true));
    }
    const auto received = server.received();
    EXPECT_NE(std::find(received.begin(), received.end(), keyLine(KEY_LEFTSHIFT, false)),
              received.end());
    EXPECT_NE(
        std::find(received.begin(), received.end(), "button " + std::to_string(BTN_RIGHT) + " up"),
        received.end());
}

// A desktop that gives no keyboard, keeps it paused, pauses it later or ends the connection:
// each is a clear failure, never a key said to be sent.
TEST(EiSender, ADesktopThatWithholdsOrTakesBackItsKeyboardIsAFailureSaid) {
    {
        EisServer server({.keyboard = false});
        const auto sender = EiSender::connect(server.clientFd(), std::chrono::milliseconds(500));
        ASSERT_FALSE(sender);
        EXPECT_EQ(sender.error(), "the desktop offered no keyboard");
    }
    {
        EisServer server({.resumeKeyboard = false});
        const auto sender = EiSender::connect(server.clientFd(), std::chrono::milliseconds(500));
        ASSERT_FALSE(sender);
        EXPECT_NE(sender.error().find("did not let Keyferry use its keyboard"), std::string::npos);
    }
    {
        EisServer server({});
        auto sender = EiSender::connect(server.clientFd(), setupTime);
        ASSERT_TRUE(sender) << sender.error();
        server.pauseDevices();
        // The pause reaches the sender with the answer to its next round trip at the latest.
        std::optional<std::string> refused;
        for (int i = 0; i < 50 && !refused; ++i)
            refused = (*sender)->key(keycodeOfA, i % 2 == 0);
        ASSERT_TRUE(refused);
        EXPECT_NE(refused->find("no longer"), std::string::npos) << *refused;
    }
    {
        EisServer server({});
        auto sender = EiSender::connect(server.clientFd(), setupTime);
        ASSERT_TRUE(sender) << sender.error();
        server.disconnect();
        std::optional<std::string> refused;
        for (int i = 0; i < 50 && !refused; ++i)
            refused = (*sender)->key(keycodeOfA, i % 2 == 0);
        ASSERT_TRUE(refused);
    }
}
