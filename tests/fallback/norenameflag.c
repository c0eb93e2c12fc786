// Loaded before the C library by the fallback test: a kernel or file system without
// RENAME_NOREPLACE, which refuses renameat2 with EINVAL, so the game takes its other way.
#define _GNU_SOURCE
#include <errno.h>
#include <stdio.h>

int renameat2(int olddirfd, const char *oldpath, int newdirfd, const char *newpath,
              unsigned int flags)
{
    (void)olddirfd, (void)oldpath, (void)newdirfd, (void)newpath, (void)flags;
    errno = EINVAL;
    return -1;
}
