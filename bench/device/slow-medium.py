#!/usr/bin/env python3
"""A folder shown read-only through FUSE as a slow medium would give it.

    bench/device/slow-medium.py FOLDER MOUNTPOINT [--request-ms 5] [--seek-ms 0]
                                [--mib-per-s 20]

Every read waits the request time plus its size at the given rate; a read that does not start
where the one before it ended waits the seek time first. Reads are served one at a time, as one
drive head serves them. Examples: a USB 2 stick or a network mount, --request-ms 1
--mib-per-s 20; an optical drive, --request-ms 2 --seek-ms 100 --mib-per-s 10.

The kernel keeps what was read in its page cache as it would for a real medium; to read a file
from the medium again, drop its pages (os.posix_fadvise(..., POSIX_FADV_DONTNEED), as
program-bench.py --clip does before each start). Runs until unmounted (fusermount -u MOUNTPOINT)
or interrupted. Needs the Debian package python3-fusepy.
"""

import argparse
import errno
import os
import threading
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowMedium(Operations):
    def __init__(self, root, request, seek, rate):
        self.root, self.request, self.seek, self.rate = root, request, seek, rate
        self.head = threading.Lock()
        self.position = {}

    def _real(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno)
        return {key: getattr(st, key) for key in (
            "st_mode", "st_size", "st_nlink", "st_uid", "st_gid", "st_atime", "st_mtime",
            "st_ctime")}

    def readdir(self, path, fh):
        return [".", "..", *os.listdir(self._real(path))]

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        with self.head:
            wait = self.request + size / self.rate
            if self.position.get(path) != offset:
                wait += self.seek
            time.sleep(wait)
            self.position[path] = offset + size
            return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("mountpoint")
    parser.add_argument("--request-ms", type=float, default=5)
    parser.add_argument("--seek-ms", type=float, default=0)
    parser.add_argument("--mib-per-s", type=float, default=20)
    options = parser.parse_args()
    medium = SlowMedium(os.path.abspath(options.folder), options.request_ms / 1000,
                        options.seek_ms / 1000, options.mib_per_s * 1024 * 1024)
    FUSE(medium, options.mountpoint, foreground=True, ro=True, kernel_cache=True)


if __name__ == "__main__":
    main()
