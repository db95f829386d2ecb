#pragma once
// Errors of the card editor: pasteboard data that does not read (code 2), a
// failed TIFF rendering (code 3) and document types the document does not
// write.

#include <QString>

inline const QString SKTErrorDomain = QStringLiteral("CardEditorErrorDomain");

struct SKTError {
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};

// An error of the domain with that code; its texts come from the "SKTError"
// translations ("description<code>", "failureReason<code>") with fixed
// fallbacks.
SKTError SKTErrorWithCode(int code);

// Codes: 1 a document type that is not written, 2 pasteboard data that is
// not an array of archives, 3 a failed TIFF rendering.
