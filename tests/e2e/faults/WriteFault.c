/* Preloaded into the game by the fault runs: a write to a file whose path contains the text in
 * PLK_WRITE_FAULT_PATH fails the way PLK_WRITE_FAULT says. "full": half the bytes are written, then
 * the disk is full (ENOSPC). "kill": half the bytes are written, then the process is killed
 * (SIGKILL), as by a power cut or the task manager in the middle of a save. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef ssize_t (*WriteFunction)(int, const void*, size_t);

static int IsFaultyFile(int fd)
{
    const char* pattern = getenv("PLK_WRITE_FAULT_PATH");
    if (!pattern || !*pattern)
        return 0;
    char link[64];
    char target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, target, sizeof target - 1);
    if (length <= 0)
        return 0;
    target[length] = '\0';
    return strstr(target, pattern) != NULL;
}

ssize_t write(int fd, const void* data, size_t count)
{
    static WriteFunction real;
    if (!real)
        real = (WriteFunction)dlsym(RTLD_NEXT, "write");
    const char* fault = getenv("PLK_WRITE_FAULT");
    if (!fault || count < 2 || !IsFaultyFile(fd))
        return real(fd, data, count);
    const ssize_t written = real(fd, data, count / 2);
    if (strcmp(fault, "kill") == 0)
    {
        fsync(fd);
        raise(SIGKILL);
    }
    if (written < 0)
        return written;
    errno = ENOSPC;
    return -1;
}
