// Saving a file so that a crash or a kill at any moment leaves the old or
// the new contents whole: written beside the file, synced, renamed over it,
// and the folder synced. Where that cannot be done (a folder the player
// cannot write to, a leftover temporary file in the way) the file is
// written in place rather than not at all.
#include "persist/persist.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A link is followed, so the link stays and its target gets the new
// contents. 0 when there is nothing to write to: a folder or another
// non-file in the way, or a file the player made read-only.
int save_target(const char *path, char *target, int size) {
  struct stat st;
  snprintf(target, size, "%s", path);
  if (lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    // A dangling link is written through, which makes its target.
    if (realpath(path, resolved)) snprintf(target, size, "%s", resolved);
  }
  if (stat(target, &st) != 0) return 1;
  return S_ISREG(st.st_mode) && access(target, W_OK) == 0;
}

// A leftover that cannot be opened (read-only, a link) is removed first.
int open_temp(const char *target, char *temp, int size) {
  snprintf(temp, size, "%s.tmp", target);
  const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW;
  int fd = open(temp, flags, 0666);
  if (fd < 0 && unlink(temp) == 0) fd = open(temp, flags, 0666);
  if (fd < 0) return -1;
  // The new file keeps the permissions of the one it replaces.
  struct stat st;
  if (stat(target, &st) == 0 && fchmod(fd, st.st_mode & 07777) != 0) {
    close(fd);
    unlink(temp);
    return -1;
  }
  return fd;
}

int write_fully(int fd, const unsigned char *data, long size) {
  while (size > 0) {
    ssize_t n = write(fd, data, (size_t)size);
    if (n <= 0) return 0;
    data += n;
    size -= n;
  }
  return 1;
}

static void sync_folder(const char *target) {
  char folder[PATH_MAX];
  snprintf(folder, sizeof folder, "%s", target);
  char *slash = strrchr(folder, '/');
  if (slash) *(slash == folder ? slash + 1 : slash) = '\0';
  int fd = open(slash ? folder : ".", O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

int commit_temp(const char *temp, const char *target) {
  int fd = open(temp, O_RDONLY);
  int ok = fd >= 0 && fsync(fd) == 0;
  if (fd >= 0) close(fd);
  if (!ok || rename(temp, target) != 0) {
    unlink(temp);
    return 0;
  }
  sync_folder(target);
  return 1;
}

static int write_in_place(const char *target, const unsigned char *data, long size) {
  int fd = open(target, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return 0;
  int ok = write_fully(fd, data, size) && fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

int save_file_safely(const char *path, const unsigned char *data, long size) {
  char target[PATH_MAX], temp[PATH_MAX + 8];
  if (!save_target(path, target, sizeof target)) return 0;
  int fd = open_temp(target, temp, sizeof temp);
  if (fd < 0) return write_in_place(target, data, size);
  int ok = write_fully(fd, data, size);
  ok = close(fd) == 0 && ok;
  // A failed write (a full disk) leaves the old file alone: writing it in
  // place would fail the same way after cutting it.
  if (!ok) {
    unlink(temp);
    return 0;
  }
  if (commit_temp(temp, target)) return 1;
  return write_in_place(target, data, size);
}
