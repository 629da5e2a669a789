// How long a window does not answer: sends the window manager's ping (_NET_WM_PING) to an X
// window every 10 ms until STOP_FILE exists and prints the longest wait for an answer. A Qt
// program answers pings from its UI thread, so the figure is the longest time its event loop
// did not run.
//   x_ping WINDOW_ID STOP_FILE
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <thread>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    const std::filesystem::path stopFile = argv[2];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // Answers go to the root window, to whoever listens for its structure changes.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS"), ping = atom(c, "_NET_WM_PING");

    using Clock = std::chrono::steady_clock;
    std::map<std::uint32_t, Clock::time_point> waiting;
    double longest = 0;
    std::uint32_t next = 1, answered = 0;
    auto lastSent = Clock::now() - std::chrono::seconds(1);
    while (!std::filesystem::exists(stopFile)) {
        if (Clock::now() - lastSent >= std::chrono::milliseconds(10)) {
            xcb_client_message_event_t e{};
            e.response_type = XCB_CLIENT_MESSAGE;
            e.format = 32;
            e.window = window;
            e.type = protocols;
            e.data.data32[0] = ping;
            e.data.data32[1] = next;
            e.data.data32[2] = window;
            xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char*>(&e));
            xcb_flush(c);
            waiting[next++] = lastSent = Clock::now();
        }
        while (xcb_generic_event_t* ev = xcb_poll_for_event(c)) {
            if ((ev->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                auto* m = reinterpret_cast<xcb_client_message_event_t*>(ev);
                auto it = waiting.find(m->data.data32[1]);
                if (m->data.data32[0] == ping && it != waiting.end()) {
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - it->second)
                            .count();
                    if (ms > longest) longest = ms;
                    waiting.erase(waiting.begin(), std::next(it));
                    ++answered;
                }
            }
            std::free(ev);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // A ping still unanswered at the end counts with its wait so far.
    if (!waiting.empty())
        longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                        Clock::now() - waiting.begin()->second)
                                        .count());
    std::printf("pings: %u answered: %u longest wait: %.0f ms\n", next - 1, answered, longest);
    xcb_disconnect(c);
    return 0;
}
