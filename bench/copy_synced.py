#!/usr/bin/env python3
"""Copies every file of a folder into a new folder one durable file at a time, as the run saved
its units before it committed them together: a temporary file beside the target, written,
flushed to disk, then renamed into place.

usage: copy_synced.py SOURCE_FOLDER TARGET_FOLDER
"""

import os
import sys


def main(source, target):
    os.makedirs(target, exist_ok=True)
    for name in sorted(os.listdir(source)):
        with open(os.path.join(source, name), "rb") as original:
            data = original.read()
        temporary = os.path.join(target, name + ".tmp")
        with open(temporary, "wb") as copy:
            copy.write(data)
            copy.flush()
            os.fdatasync(copy.fileno())
        os.rename(temporary, os.path.join(target, name))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
