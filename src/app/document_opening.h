#pragma once

#include "documents/document.h"
#include "documents/document_loader.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace tellwick {

// Opens a document for the window: the reading runs off the user-interface thread, and a progress
// dialog with Cancel appears only when it takes longer than half a second. Opening another
// document drops the one under way.
class DocumentOpening : public QObject {
    Q_OBJECT

public:
    explicit DocumentOpening(QWidget* window);
    ~DocumentOpening() override;

    void open(const QString& path);
    bool busy() const { return loader_.busy(); }

signals:
    // A reading that ended, read or failed; a cancelled one is not given.
    void opened(const tellwick::DocumentReading& reading);

private:
    void closeProgress();

    QWidget* window_;
    DocumentLoader loader_;
    QPointer<QProgressDialog> progress_;
};

} // namespace tellwick
