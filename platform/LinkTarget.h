#pragma once
// The file a path finally names: a symbolic link (or a chain of them) is
// followed to the file it points at, which need not exist yet. Saving
// writes there, so the link itself stays a link.

#include <QByteArray>

// The path with every link of its last component followed, in the file
// system's own bytes. A relative link is taken from the folder the link
// sits in. On a loop (more than 40 links) answers an empty path and sets
// `error` to ELOOP; a link that cannot be read sets its errno.
QByteArray Final_Link_Target(const QByteArray& path, int* error);
