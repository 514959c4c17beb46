// Opens a file for reading only when it is a regular file, without ever blocking on a FIFO or a
// device that happens to sit at the path.
#pragma once

#include <QFile>
#include <QString>

namespace rumo {

// Opens `file` read-only on `path` and returns true only for a regular file (symbolic links are
// followed). Directories, FIFOs, sockets and devices are refused without waiting on them.
bool openRegularFile(QFile& file, const QString& path);

}  // namespace rumo
