#pragma once

#include "platform/clipboard.h"

namespace tellwick {

// A clipboard held in memory. Each operation can be made to fail, and every call is counted,
// failed ones included.
class FakeClipboard : public Clipboard {
public:
    FakeClipboard() = default;
    explicit FakeClipboard(QString initial) : content(std::move(initial)) {}

    std::optional<QString> text() override;
    bool clear() override;
    bool setText(const QString& text) override;
    std::optional<QString> selectionText() override { return selection; }
    void requestText(ClipboardSource source, QObject* context, ClipboardAnswer answer) override;

    QString content;
    std::optional<QString> selection;
    bool failRead = false;
    bool failClear = false;
    bool failSet = false;
    // When set, every request answers with this failure, as for a holder that never answers.
    QString holderFailure;

    int readCount = 0;
    int clearCount = 0;
    int setCount = 0;
};

} // namespace tellwick
