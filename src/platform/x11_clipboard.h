#pragma once

#include "platform/qt_clipboard.h"

namespace tellwick {

// The clipboard on X11. Qt reads another program's clipboard on the user-interface thread and
// waits up to fifteen seconds for a holder that has stopped; here reads go through a selection
// reader of their own with a patience of one second, on a worker thread when asked to answer
// later. What this program holds itself, and every write, stays with Qt, which must answer other
// programs from the user-interface thread.
class X11Clipboard : public QtClipboard {
public:
    std::optional<QString> text() override;
    std::optional<QString> selectionText() override;
    void requestText(ClipboardSource source, QObject* context, ClipboardAnswer answer) override;
};

} // namespace tellwick
