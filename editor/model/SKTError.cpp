#include "editor/model/SKTError.h"

#include <QCoreApplication>

namespace {

// The translation of a key, or the fallback when there is none.
QString lookUp(const QString& key, const char* fallback) {
    const QByteArray utf8 = key.toUtf8();
    const QString text = QCoreApplication::translate("SKTError", utf8.constData());
    return text == key ? QString::fromUtf8(fallback) : text;
}

} // namespace

SKTError SKTErrorWithCode(int code) {
    SKTError error;
    error.domain = SKTErrorDomain;
    error.code = code;
    error.localizedDescription =
        lookUp(QStringLiteral("description%1").arg(code),
               "The card editor could not complete the operation because an unknown error "
               "occurred.");
    error.localizedFailureReason =
        lookUp(QStringLiteral("failureReason%1").arg(code), "An unknown error occurred.");
    return error;
}
