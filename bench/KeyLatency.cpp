// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/KeyLatency.h"

#include "bench/Results.h"
#include "game/GameRules.h"

#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace kestrava::bench {

namespace {
constexpr uint32_t PieceFill = 0x800000;  // the deck piece's maroon, 0xRRGGBB
constexpr uint32_t RgbMask = 0xFFFFFF;
constexpr int PieceStepPx = kestrava::rules::DeckStep;
// Runs of the fill that tell the piece (55 × 17, a 1-px edge round a fill
// of 53 × 15) from anything else of its colour.
constexpr int MinFillWidth = 40;
constexpr int MinFillHeight = 10;
constexpr int AnswerWaitMs = 500;
constexpr int WindowPollMs = 50;
// Time for the window's toolkit to take the focus before the first key.
constexpr int FocusSettleMs = 250;
constexpr uint32_t KeysymUp = 0xFF52;
constexpr uint32_t KeysymDown = 0xFF54;

// An XCB reply, freed with its owner.
template <typename Reply>
struct Owned {
    explicit Owned(Reply* r) : reply(r) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { free(reply); }
    Reply* reply;
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

bool hasExtension(xcb_connection_t* c, xcb_extension_t* extension) {
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(c, extension);
    return data && data->present;
}

unsigned char keycodeOf(xcb_connection_t* c, uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Owned<xcb_get_keyboard_mapping_reply_t> map{xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr)};
    if (!map)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.reply);
    const int perCode = map->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int i = 0; i < perCode; ++i) {
            if (syms[code * perCode + i] == keysym)
                return static_cast<unsigned char>(setup->min_keycode + code);
        }
    }
    return 0;
}

// A window's pixels, 32 bits each, as the server holds them.
struct Pixels {
    Owned<xcb_get_image_reply_t> reply;
    int width;
    int height;
    uint32_t at(int x, int y) const {
        const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply.reply));
        const int stride = xcb_get_image_data_length(reply.reply) / 4 / height;
        return data[y * stride + x] & RgbMask;
    }
};

Pixels readPixels(xcb_connection_t* c, unsigned window, int x, int width, int height) {
    return {Owned(xcb_get_image_reply(
                c,
                xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(x), 0,
                              uint16_t(width), uint16_t(height), ~0u),
                nullptr)),
            width, height};
}

bool usable(const Pixels& p) {
    return p.reply && p.reply->depth >= 24 &&
           xcb_get_image_data_length(p.reply.reply) >= p.width * p.height * 4;
}

// First row of a run of at least MinFillHeight fill pixels in column x.
int fillTopInColumn(const Pixels& p, int x) {
    int run = 0;
    for (int y = 0; y < p.height; ++y) {
        run = p.at(x, y) == PieceFill ? run + 1 : 0;
        if (run == MinFillHeight)
            return y - MinFillHeight + 1;
    }
    return -1;
}
}  // namespace

KeyLatencyProbe::KeyLatencyProbe() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (!hasExtension(c, &xcb_test_id) || !hasExtension(c, &xcb_damage_id))
        return;
    // The server answers damage requests only from a client that asked its version.
    free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    damageEvent_ = xcb_get_extension_data(c, &xcb_damage_id)->first_event + XCB_DAMAGE_NOTIFY;
    const char name[] = "_NET_WM_PID";
    Owned<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr)};
    pidAtom_ = atom ? atom->atom : 0;
    upKey_ = keycodeOf(c, KeysymUp);
    downKey_ = keycodeOf(c, KeysymDown);
    ready_ = pidAtom_ != 0 && upKey_ != 0 && downKey_ != 0;
}

KeyLatencyProbe::~KeyLatencyProbe() {
    if (connection_)
        xcb_disconnect(connection_);
}

namespace {
// Where the piece is in a window: a column through its fill, found as the
// middle of the first run of fill at least MinFillWidth wide; -1 for none.
int pieceColumnIn(const Pixels& p) {
    for (int y = 0; y < p.height; ++y) {
        int run = 0;
        for (int x = 0; x < p.width; ++x) {
            run = p.at(x, y) == PieceFill ? run + 1 : 0;
            if (run == MinFillWidth)
                return x - MinFillWidth / 2;
        }
    }
    return -1;
}

std::optional<KeyTarget> targetIn(xcb_connection_t* c, unsigned window) {
    Owned<xcb_get_window_attributes_reply_t> attributes{xcb_get_window_attributes_reply(
        c, xcb_get_window_attributes(c, window), nullptr)};
    Owned<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)};
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || !geometry)
        return std::nullopt;
    const Pixels p = readPixels(c, window, 0, geometry->width, geometry->height);
    const int column = usable(p) ? pieceColumnIn(p) : -1;
    if (column < 0 || fillTopInColumn(p, column) < 0)
        return std::nullopt;
    return KeyTarget{window, geometry->height, column};
}
}  // namespace

std::optional<KeyTarget> KeyLatencyProbe::findWindowOf(int pid, int timeoutMs) {
    xcb_connection_t* c = connection_;
    const qint64 deadlineNs = steadyNs() + qint64(timeoutMs) * 1'000'000;
    while (ready_ && steadyNs() < deadlineNs) {
        Owned<xcb_query_tree_reply_t> tree{
            xcb_query_tree_reply(c, xcb_query_tree(c, root_), nullptr)};
        const xcb_window_t* children = tree ? xcb_query_tree_children(tree.reply) : nullptr;
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree.reply); ++i) {
            Owned<xcb_get_property_reply_t> owner{xcb_get_property_reply(
                c, xcb_get_property(c, 0, children[i], pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
                nullptr)};
            if (!owner || xcb_get_property_value_length(owner.reply) != 4 ||
                *static_cast<const uint32_t*>(xcb_get_property_value(owner.reply)) !=
                    uint32_t(pid))
                continue;
            if (const std::optional<KeyTarget> target = targetIn(c, children[i])) {
                xcb_damage_create(c, xcb_generate_id(c), target->window,
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                return target;
            }
        }
        pauseFor(WindowPollMs);
    }
    return std::nullopt;
}

int KeyLatencyProbe::pieceTopIn(const KeyTarget& target) {
    const Pixels p = readPixels(connection_, target.window, target.column, 1, target.height);
    return usable(p) ? fillTopInColumn(p, 0) : -1;
}

qint64 KeyLatencyProbe::waitForDamageOf(const KeyTarget& target, qint64 deadlineNs) {
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            // Stamped as read, before the round trip that looks at the pixels.
            const qint64 seenNs = steadyNs();
            bool covers = false;
            if ((event->response_type & 0x7F) == damageEvent_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                const xcb_rectangle_t area = damage->area;
                covers = damage->drawable == target.window && area.x <= target.column &&
                         target.column < area.x + area.width;
            }
            free(event);
            if (covers)
                return seenNs;
        }
        const qint64 leftMs = (deadlineNs - steadyNs()) / 1'000'000;
        if (leftMs <= 0 || xcb_connection_has_error(connection_))
            return -1;
        if (poll(&fd, 1, int(leftMs)) < 0 && errno != EINTR)
            return -1;
    }
}

void KeyLatencyProbe::pauseFor(int ms) {
    // Events that come meanwhile are read and dropped, so none is mistaken
    // for the answer to the next press.
    waitForDamageOf(KeyTarget{}, steadyNs() + qint64(ms) * 1'000'000);
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
        free(event);
}

void KeyLatencyProbe::sendKey(unsigned char keycode) {
    for (uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE})
        xcb_test_fake_input(connection_, type, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

void KeyLatencyProbe::pressOnce(const KeyTarget& target, unsigned char keycode,
                                KeyPresses& into) {
    const int before = pieceTopIn(target);
    const qint64 sentNs = steadyNs();
    sendKey(keycode);
    for (;;) {
        const qint64 seenNs = waitForDamageOf(target, sentNs + AnswerWaitMs * 1'000'000LL);
        if (seenNs < 0 || before < 0) {
            ++into.unanswered;
            return;
        }
        const int after = pieceTopIn(target);
        if (after == before)
            continue;  // something else was drawn across the column
        if (std::abs(after - before) == PieceStepPx)
            into.latenciesMs.push_back(double(seenNs - sentNs) / 1e6);
        else
            ++into.disturbed;
        return;
    }
}

void KeyLatencyProbe::press(const KeyTarget& target, int presses, std::pair<int, int> pauseMs,
                            std::mt19937& random, KeyPresses& into) {
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, target.window,
                        XCB_CURRENT_TIME);
    xcb_flush(connection_);
    pauseFor(FocusSettleMs);
    std::uniform_int_distribution<int> pause(pauseMs.first, pauseMs.second);
    for (int i = 0; i < presses; ++i) {
        pauseFor(pause(random));
        pressOnce(target, i % 2 == 0 ? upKey_ : downKey_, into);
    }
}

}  // namespace kestrava::bench
