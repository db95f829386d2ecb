#pragma once
// A look at a binary property list before libplist parses it. libplist
// follows object references recursively and copies shared objects, so a
// small hostile file could nest deep enough to exhaust the stack, refer to
// itself, or expand into billions of nodes. This walks the object table
// without recursion and answers a reason when the file must be refused.

#include <QByteArray>
#include <QString>

namespace PlistBinaryCheck {

struct Limits {
    int maxDepth = 512;
    qint64 maxNodes = 8 * 1024 * 1024; // after shared objects are expanded
};

// Empty when the structure is within the limits (or is for libplist itself
// to refuse: only the dangers above are looked for here).
QString problem(const QByteArray& bytes, const Limits& limits = {});

} // namespace PlistBinaryCheck
