#pragma once

#include <QMimeData>

namespace tellwick {

// Data that offers plain text only, made when a program asks for it: the text a derived class
// gives, in the type asked for (a QString, or UTF-8 bytes as other programs are given it) or
// either.
class PlainTextData : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& mimeType) const override {
        return mimeType == QLatin1String("text/plain");
    }

protected:
    virtual QVariant plainText(QMetaType type) const = 0;

    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        return hasFormat(mimeType) ? plainText(type) : QVariant();
    }
};

} // namespace tellwick
