#include "platform/x11_selection_reader.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace tellwick {

namespace {

using Clock = std::chrono::steady_clock;

struct ConnectionCloser {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

enum class AtomName { Clipboard, Utf8Text, Incremental, Destination, count };
constexpr std::array<std::string_view, static_cast<std::size_t>(AtomName::count)> atomNames = {
    "CLIPBOARD", "UTF8_STRING", "INCR", "TELLWICK_SELECTION"};

struct Atoms {
    std::array<xcb_atom_t, atomNames.size()> values{};
    xcb_atom_t operator[](AtomName name) const { return values[static_cast<std::size_t>(name)]; }
};

std::optional<Atoms> internAtoms(xcb_connection_t* connection) {
    std::array<xcb_intern_atom_cookie_t, atomNames.size()> cookies{};
    for (std::size_t i = 0; i < atomNames.size(); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(atomNames[i].size()),
                                     atomNames[i].data());
    Atoms atoms;
    for (std::size_t i = 0; i < atomNames.size(); ++i) {
        auto reply = owned(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        if (!reply)
            return std::nullopt;
        atoms.values[i] = reply->atom;
    }
    return atoms;
}

// One transfer from the holder to a window of this reader's own.
class Transfer {
public:
    Transfer(xcb_connection_t* connection, xcb_window_t window, const Atoms& atoms,
             std::chrono::milliseconds patience)
        : connection_(connection), window_(window), atoms_(atoms), patience_(patience) {}

    ClipboardRead run(xcb_atom_t selection) {
        // Holders that predate UTF-8 offer Latin-1 only.
        for (const xcb_atom_t target : {atoms_[AtomName::Utf8Text], xcb_atom_t(XCB_ATOM_STRING)}) {
            xcb_convert_selection(connection_, window_, selection, target,
                                  atoms_[AtomName::Destination], XCB_CURRENT_TIME);
            xcb_flush(connection_);
            const std::optional<xcb_atom_t> stored = waitForAnswer();
            if (!stored)
                return failed();
            if (*stored != XCB_NONE)
                return received(target);
        }
        return {QString(), QString()};
    }

private:
    static ClipboardRead failed() {
        return {std::nullopt, QStringLiteral("The program holding the text did not answer within "
                                             "a second; nothing was taken.")};
    }

    // The event the loop waits for, or nothing when the holder let the time pass.
    template <typename Wanted> bool waitForEvent(Wanted wanted) {
        const Clock::time_point deadline = Clock::now() + patience_;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool found = wanted(event);
                std::free(event);
                if (found)
                    return true;
            }
            if (xcb_connection_has_error(connection_))
                return false;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
            (void)::poll(&descriptor, 1, static_cast<int>(left.count()) + 1);
        }
    }

    // The property the holder stored the text in; XCB_NONE when it refused the target.
    std::optional<xcb_atom_t> waitForAnswer() {
        xcb_atom_t stored = XCB_NONE;
        const bool answered = waitForEvent([&](xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
                return false;
            stored = reinterpret_cast<xcb_selection_notify_event_t*>(event)->property;
            return true;
        });
        return answered ? std::optional<xcb_atom_t>(stored) : std::nullopt;
    }

    bool waitForNewChunk() {
        return waitForEvent([&](xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return false;
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            return change->atom == atoms_[AtomName::Destination] &&
                   change->state == XCB_PROPERTY_NEW_VALUE;
        });
    }

    // Reads and deletes the property; deleting it asks an incremental holder for the next chunk.
    ReplyPointer<xcb_get_property_reply_t> takeProperty() {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection_, 1, window_, atoms_[AtomName::Destination],
                             XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4);
        auto reply = owned(xcb_get_property_reply(connection_, cookie, nullptr));
        xcb_flush(connection_);
        return reply;
    }

    ClipboardRead received(xcb_atom_t target) {
        auto reply = takeProperty();
        if (!reply)
            return failed();
        QByteArray bytes;
        if (reply->type == atoms_[AtomName::Incremental]) {
            // A long text comes in chunks, each announced by a new value; an empty one ends it.
            for (;;) {
                if (!waitForNewChunk())
                    return failed();
                auto chunk = takeProperty();
                if (!chunk)
                    return failed();
                const int length = xcb_get_property_value_length(chunk.get());
                if (length == 0)
                    break;
                bytes.append(static_cast<const char*>(xcb_get_property_value(chunk.get())), length);
            }
        } else {
            bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
        }
        const QString text =
            target == XCB_ATOM_STRING ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
        return {text, QString()};
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    const Atoms& atoms_;
    std::chrono::milliseconds patience_;
};

} // namespace

ClipboardRead readX11Selection(const QByteArray& display, ClipboardSource source,
                               std::chrono::milliseconds patience) {
    int screenNumber = 0;
    Connection connection(
        xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber));
    if (xcb_connection_has_error(connection.get()))
        return {};
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return {};
    const std::optional<Atoms> atoms = internAtoms(connection.get());
    if (!atoms)
        return {};
    const xcb_atom_t selection = source == ClipboardSource::Selection
                                     ? xcb_atom_t(XCB_ATOM_PRIMARY)
                                     : (*atoms)[AtomName::Clipboard];
    auto owner = owned(xcb_get_selection_owner_reply(
        connection.get(), xcb_get_selection_owner(connection.get(), selection), nullptr));
    if (!owner)
        return {};
    if (owner->owner == XCB_NONE)
        return {QString(), QString()};

    const xcb_window_t window = xcb_generate_id(connection.get());
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1,
                      1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, screens.data->root_visual,
                      XCB_CW_EVENT_MASK, &events);
    return Transfer(connection.get(), window, *atoms, patience).run(selection);
}

} // namespace tellwick
