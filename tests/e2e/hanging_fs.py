"""A file system whose one file, stuck.jpg, never answers a read: a server that stopped answering
(NFS, SMB, sshfs, a sleeping disk) as the notice sees it. Mounted with FUSE on the folder given;
runs until unmounted. Uses Debian's fusepy, which only the system's Python has."""

import errno
import stat
import sys
import threading

from fusepy import FUSE, FuseOSError, Operations


class Hanging(Operations):
    def getattr(self, path, fh=None):
        if path == "/":
            return {"st_mode": stat.S_IFDIR | 0o755, "st_nlink": 2}
        if path == "/stuck.jpg":
            return {"st_mode": stat.S_IFREG | 0o644, "st_nlink": 1, "st_size": 65536}
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        return [".", "..", "stuck.jpg"]

    def read(self, path, size, offset, fh):
        threading.Event().wait()


if __name__ == "__main__":
    FUSE(Hanging(), sys.argv[1], foreground=True, allow_other=True)
